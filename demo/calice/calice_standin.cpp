// Stands in for the emulator in the demo folder and in the end-to-end test. It is not an
// emulator: it records how it was started, one JSON array per start in calice-log.jsonl beside
// itself and the folder it was started in as one line of calice-cwd.log, and shows a small window
// that says what it was given.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

namespace {

constexpr int kShowMs = 5000;

// No application object exists yet (the log must be written before any display is opened), so
// the folder is read where QCoreApplication would read it.
QString ownFolder()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

bool appendLine(const QString &fileName, const QByteArray &line)
{
    QFile log(ownFolder() + QLatin1Char('/') + fileName);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    // One write per line: two stand-ins started at once each append a whole line.
    return log.write(line) == line.size();
}

bool appendLogLines(const QStringList &arguments)
{
    return appendLine(
               QStringLiteral("calice-log.jsonl"),
               QJsonDocument(QJsonArray::fromStringList(arguments)).toJson(QJsonDocument::Compact) +
                   '\n') &&
           appendLine(QStringLiteral("calice-cwd.log"),
                      QFile::encodeName(QDir::currentPath()) + '\n');
}

bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

QString caption(const QStringList &arguments)
{
    QString driver = QStringLiteral("(none)");
    QStringList switches = arguments;
    if (!switches.isEmpty() && !switches.constFirst().startsWith(QLatin1Char('-')))
        driver = switches.takeFirst();
    return QStringLiteral("Calice stand-in: driver %1, switches %2")
        .arg(driver,
             switches.isEmpty() ? QStringLiteral("(none)") : switches.join(QLatin1Char(' ')));
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (!appendLogLines(arguments)) {
        std::fputs("calice stand-in: cannot append to its logs beside the program\n", stderr);
        return 1;
    }
    if (!hasDisplay())
        return 0;

    // Qt sees none of the arguments: they were meant for the emulator, and some ("-style",
    // "-platform") would change or stop the window.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    QWidget window;
    const QString text = caption(arguments);
    window.setWindowTitle(text);
    auto *layout = new QVBoxLayout(&window);
    auto *label = new QLabel(text, &window);
    label->setTextFormat(Qt::PlainText);
    layout->addWidget(label);
    auto *notice =
        new QLabel(QStringLiteral("Not an emulator: it only records how it was started."), &window);
    layout->addWidget(notice);
    window.adjustSize();
    // Top-left, clear of the launcher, which centres itself.
    window.move(0, 0);
    window.show();
    QTimer::singleShot(kShowMs, &window, &QWidget::close);
    return QApplication::exec();
}
