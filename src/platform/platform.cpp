#include "platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTreeView>
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
    QFileDialog dialog(nullptr, title, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    // Qt's own dialog, shown where the desktop offers none, leaves room unused on the right of
    // its list and cuts the modification dates short; the last column takes that room.
    if (auto *list = dialog.findChild<QTreeView *>())
        list->header()->setStretchLastSection(true);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}
