// Stands in for the emulator: not an emulator, it only records how it was started.
#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QTimer>

int main(int argc, char *argv[])
{
    QJsonArray arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const QByteArray line = QJsonDocument(arguments).toJson(QJsonDocument::Compact) + '\n';
    return 0;
}
