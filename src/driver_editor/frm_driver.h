#pragma once

#include <QString>
#include <QWidget>
#include <memory>

class Platform;
namespace Ui {
class frmDriver;
}

// Opens the driver editor on the selected driver file of the application folder, with the texts
// of the language shown in the main window. At most one editor exists; opening it again only
// brings it to the front. Nothing happens when no driver is selected.
void openDriverEditor(Platform &platform, const QString &appDir, const QString &selectedFileName,
                      const QString &language);

class frmDriver;
// The open driver editor, or null when none is open.
frmDriver *openedDriverEditor();

// The driver editor: one driver file as plain text, a list of sections to jump to, and a save
// back to the file it was loaded from. Closing drops unsaved changes without asking.
class frmDriver : public QWidget
{
    Q_OBJECT
public:
    explicit frmDriver(Platform &platform, QWidget *parent = nullptr);
    ~frmDriver() override;

    // Returns false when the driver file cannot be read; the user has been told, and the window
    // must go without being shown.
    bool load(const QString &appDir, const QString &selectedFileName, const QString &language);

    const QString &driverPath() const { return m_driverPath; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void cboFind_Click();
    void cmdSalva_Click();
    void cmdAnnulla_Click();

    std::unique_ptr<Ui::frmDriver> ui;
    Platform &m_platform;
    // Fixed at load and the target of every save; there is no save dialog to ask for another.
    QString m_driverPath;
    QString m_searchWord;
    int m_foundPosition = -1;
};
