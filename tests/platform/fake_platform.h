#pragma once

#include "platform.h"

#include <QList>
#include <QMap>
#include <QUrl>

// Records what the windows ask of the desktop instead of doing it.
class FakePlatform final : public Platform
{
public:
    struct Message
    {
        QString text;
        QString title;
        MessageIcon icon;
        QWidget *parent; // only compared, never used: the window may be gone
    };
    struct FolderDialog
    {
        QString title;
        QString start;
    };
    struct Start
    {
        QString program;
        QStringList arguments;
        QString workingDirectory;
    };

    void messageBox(const QString &text, const QString &title, MessageIcon icon,
                    QWidget *parent) override
    {
        messages.append({text, title, icon, parent});
    }
    void beep() override { ++beeps; }
    bool startProgram(const QString &program, const QStringList &arguments,
                      const QString &workingDirectory, QString *reason) override
    {
        starts.append({program, arguments, workingDirectory});
        if (!startFailure.isEmpty())
            *reason = startFailure;
        return startFailure.isEmpty();
    }
    QString findProgram(const QString &name) override { return programsOnPath.value(name); }
    bool openUrl(const QUrl &url) override
    {
        urls.append(url);
        return openUrlResult;
    }
    QString chooseFolder(const QString &title, const QString &start) override
    {
        folderDialogs.append({title, start});
        return chosenFolder;
    }

    QList<Message> messages;
    QList<Start> starts;
    QList<QUrl> urls;
    QList<FolderDialog> folderDialogs;
    int beeps = 0;
    QString startFailure; // non-empty: the next starts fail with this reason
    bool openUrlResult = true;
    QMap<QString, QString> programsOnPath; // name -> path; nothing else is found
    QString chosenFolder; // what every folder dialog answers; empty: the user cancels
};
