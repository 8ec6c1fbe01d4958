#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QUrl;
class QWidget;

enum class MessageIcon { Information, Error };

// Everything the windows ask of the desktop goes through this interface, so that tests can
// record it instead of putting up modal boxes or starting programs.
class Platform
{
public:
    virtual ~Platform() = default;

    // An application-modal box with one OK button; returns when the user has dismissed it. It
    // is shown over parent, the window whose action it speaks for; a box with no parent
    // belongs to no window (none is shown yet, or its window is going).
    virtual void messageBox(const QString &text, const QString &title, MessageIcon icon,
                            QWidget *parent) = 0;
    virtual void beep() = 0;
    // Starts the program detached in workingDirectory, without a shell. On failure returns
    // false and puts a readable reason into *reason.
    virtual bool startProgram(const QString &program, const QStringList &arguments,
                              const QString &workingDirectory, QString *reason) = 0;
    // The path of the program called name found on PATH, or an empty string.
    virtual QString findProgram(const QString &name) = 0;
    // Opens a web address with the desktop's default handler; returns whether that worked.
    virtual bool openUrl(const QUrl &url) = 0;
    // The desktop's modal dialog for choosing a folder, opened at start; returns the chosen
    // folder, or an empty string when the user cancelled.
    virtual QString chooseFolder(const QString &title, const QString &start) = 0;
};

class QtPlatform final : public Platform
{
public:
    void messageBox(const QString &text, const QString &title, MessageIcon icon,
                    QWidget *parent) override;
    void beep() override;
    bool startProgram(const QString &program, const QStringList &arguments,
                      const QString &workingDirectory, QString *reason) override;
    QString findProgram(const QString &name) override;
    bool openUrl(const QUrl &url) override;
    QString chooseFolder(const QString &title, const QString &start) override;
};

// The box that QtPlatform::messageBox shows, application-modal and over its parent. sizable:
// where the compositor decides window sizes (compositorSizesWindows) a QMessageBox, which fixes
// its own size, would end the program when maximized; a dialog of our own with the same text,
// title, icon and one OK button takes whatever size it is given.
QDialog *newMessageBox(const QString &text, const QString &title, MessageIcon icon,
                       QWidget *parent, bool sizable);
