#include "frm_driver.h"

#include "driver_text.h"
#include "paths.h"
#include "platform.h"
#include "ui_frm_driver.h"
#include "window_setup.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

namespace {

QPointer<frmDriver> g_editor;

// 1-based line of the character at index; CR LF, LF and a lone CR each end a line.
qsizetype lineOf(QStringView text, qsizetype index)
{
    qsizetype line = 1;
    for (qsizetype i = 0; i < index; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\n') ||
            (c == QLatin1Char('\r') && (i + 1 == text.size() || text[i + 1] != QLatin1Char('\n'))))
            ++line;
    }
    return line;
}

} // namespace

frmDriver *openedDriverEditor()
{
    return g_editor.data();
}

void openDriverEditor(Platform &platform, const QString &appDir, const QString &selectedFileName,
                      const QString &language)
{
    if (g_editor) {
        g_editor->setWindowState(g_editor->windowState() & ~Qt::WindowMinimized);
        g_editor->raise();
        g_editor->activateWindow();
        return;
    }
    if (selectedFileName.isEmpty())
        return;
    // No owner: the editor outlives the main window and is deleted when it closes.
    auto *editor = new frmDriver(platform);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    if (!editor->load(appDir, selectedFileName, language)) {
        delete editor;
        return;
    }
    g_editor = editor;
    centreOnScreen(editor);
    editor->show();
}

frmDriver::frmDriver(Platform &platform, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::frmDriver>()), m_platform(platform)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(neraxIcon());

    // Machines without Courier New get another fixed-pitch face, not the default sans.
    QFont font = ui->txtDriver->font();
    font.setStyleHint(QFont::Monospace);
    ui->txtDriver->setFont(font);

    // Only a choice from the list searches. The combo box would also choose the entry that the
    // typed text spells, by completion or when the edit ends (Enter, Tab, a click elsewhere).
    ui->cboFind->setCompleter(nullptr);
    disconnect(ui->cboFind->lineEdit(), &QLineEdit::editingFinished, ui->cboFind, nullptr);
    // The text shown is none of the entries, so the arrow keys start from the first one.
    const QString shown = ui->cboFind->currentText();
    ui->cboFind->setCurrentIndex(-1);
    ui->cboFind->setEditText(shown);

    connect(ui->cboFind, &QComboBox::activated, this, &frmDriver::cboFind_Click);
    connect(ui->cmdSalva, &QPushButton::clicked, this, &frmDriver::cmdSalva_Click);
    connect(ui->cmdAnnulla, &QPushButton::clicked, this, &frmDriver::cmdAnnulla_Click);
}

frmDriver::~frmDriver() = default;

bool frmDriver::load(const QString &appDir, const QString &selectedFileName,
                     const QString &language)
{
    if (language == QLatin1String("Italiano")) {
        ui->cboFind->setEditText(QStringLiteral("Vai a..."));
        ui->cmdSalva->setText(QStringLiteral("Salva"));
        ui->cmdAnnulla->setText(QStringLiteral("Annulla"));
    } else if (language == QLatin1String("English")) {
        ui->cboFind->setEditText(QStringLiteral("Go to..."));
        ui->cmdSalva->setText(QStringLiteral("Save"));
        ui->cmdAnnulla->setText(QStringLiteral("Cancel"));
    }

    m_driverPath = resolvePath(appDir, QStringLiteral("drv/") + driverFileName(selectedFileName));
    // Named once, in the language the window opened with, as its captions are.
    ui->txtDriver->setAccessibleName(QFileInfo(m_driverPath).fileName());
    ui->cboFind->setAccessibleName(ui->cboFind->currentText());
    if (!ui->txtDriver->loadFile(m_driverPath)) {
        // The editor goes without being shown; the box belongs to no window.
        m_platform.messageBox(QStringLiteral("Il driver non esiste"), QStringLiteral("Errore"),
                              MessageIcon::Error, nullptr);
        return false;
    }
    return true;
}

void frmDriver::keyPressEvent(QKeyEvent *event)
{
    // A plain window has no cancel button of its own; the controls leave Esc unused, so it
    // arrives here.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        ui->cmdAnnulla->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmDriver::cboFind_Click()
{
    m_searchWord = ui->cboFind->currentText();
    m_foundPosition = ui->txtDriver->find(m_searchWord);
    if (m_foundPosition == -1)
        m_platform.messageBox(QStringLiteral("Stringa non trovata"),
                              QStringLiteral(" Nerax-Attenzione"), MessageIcon::Error, this);
    else
        ui->txtDriver->setSelStart(m_foundPosition);
    ui->txtDriver->setFocus();
}

void frmDriver::cmdSalva_Click()
{
    const QString content = ui->txtDriver->text() + QStringLiteral("\r\n");
    QString reason;
    const qsizetype bad = firstNonLatin1(content);
    if (bad >= 0) {
        // Written as '?' it would be lost without a word; the text stays for the user to mend.
        reason = QStringLiteral("la riga %1 contiene «%2», che un driver non può contenere")
                     .arg(lineOf(content, bad))
                     .arg(content.mid(bad, content[bad].isHighSurrogate() ? 2 : 1));
    } else if (saveFileSafely(m_driverPath, content.toLatin1(), &reason)) {
        return;
    }
    m_platform.messageBox(QStringLiteral("Impossibile salvare %1: %2")
                              .arg(QDir::toNativeSeparators(m_driverPath), reason),
                          QStringLiteral("Errore"), MessageIcon::Error, this);
}

void frmDriver::cmdAnnulla_Click()
{
    close();
}
