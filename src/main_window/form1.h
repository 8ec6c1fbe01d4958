#pragma once

#include "command_line.h"

#include <QString>
#include <QWidget>
#include <memory>

class DriverListModel;
class Platform;
class QCheckBox;
class QModelIndex;
namespace Ui {
class Form1;
}

// The launcher window: driver list and preview, options, the live command line and the start
// button. The load step runs before the window is first shown. nerax.cfg is written whenever a
// remembered option changes, when the session ends and on closing: a lost display connection
// ends the program without closing anything, under Wayland without running any exit handler.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    Form1(Platform &platform, const QString &appDir, QWidget *parent = nullptr);
    ~Form1() override;

    // Returns false when calice.exe is missing; the user has then been told and the program
    // must end without showing the window.
    bool load();

    // The two caption sets; neither touches the language keyword or the list.
    void italiano();
    void inglese();

    const CommandLine &commandLine() const { return m_commandLine; }
    const QString &languageKeyword() const { return m_languageKeyword; }
    QString selectedDriverFileName() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void connectHandlers();
    void recompose();
    void applyCaptions(bool english);
    void nameControls();
    void describePreview();
    void announcePreview();
    void setCheck(CommandLine::Check check, const QCheckBox *box);
    void setComboText(const QString &text, bool lingua);
    void restoreLanguage();
    void pointDriverListAtFolder();
    void showPreview(const QString &baseName);
    void saveSettings();

    void chkNoCheck_Click();
    void chkSincro_Click();
    void chkSwap_Click();
    void chkSuono_Click();
    void chkDebug_Click();
    void chkProfile_Click();
    void chkPersonalizza_Click();
    void optRisoluzione_Click(int index);
    void cboSkip_Click();
    void cboLingua_Click();
    void filRoms_Click(const QModelIndex &chosen);
    void cmdAvvia_Click();
    void cmdDriver_Click();
    void cmdAbout_Click();

    std::unique_ptr<Ui::Form1> ui;
    Platform &m_platform;
    const QString m_appDir;
    DriverListModel *m_drivers;
    CommandLine m_commandLine;
    QString m_languageKeyword;
    bool m_loaded = false;
    bool m_unloaded = false;
};
