#include "platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

void QtPlatform::messageBox(const QString &text, const QString &title, MessageIcon icon)
{
    QMessageBox box(icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information,
                    title, text, QMessageBox::Ok);
    box.exec();
}

void QtPlatform::beep()
{
    QApplication::beep();
}

bool QtPlatform::startProgram(const QString &program, const QStringList &arguments, QString *reason)
{
    // QProcess reports only "failed to start"; say why in the user's terms first.
    const QFileInfo info(program);
    if (!info.exists()) {
        *reason = QStringLiteral("il file non esiste");
        return false;
    }
    if (info.isDir()) {
        *reason = QStringLiteral("è una cartella");
        return false;
    }
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(QDir::currentPath());
    if (process.startDetached())
        return true;
    *reason = process.errorString();
    if (reason->isEmpty())
        *reason = QStringLiteral("il sistema non può eseguirlo");
    return false;
}

QString QtPlatform::findProgram(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

bool QtPlatform::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

QString QtPlatform::chooseFolder(const QString &title, const QString &start)
{
    return QFileDialog::getExistingDirectory(nullptr, title, start);
}
