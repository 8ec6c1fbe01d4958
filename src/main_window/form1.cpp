#include "form1.h"

#include "about_window.h"
#include "captions.h"
#include "driver_list.h"
#include "frm_driver.h"
#include "launch.h"
#include "paths.h"
#include "platform.h"
#include "preview.h"
#include "settings.h"
#include "ui_form1.h"
#include "window_setup.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPixmap>

namespace {

// A caption as a listener should hear it: without the access-key marker, "&&" as one "&".
QString spokenCaption(const QString &caption)
{
    QString spoken;
    spoken.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && ++i == caption.size())
            break;
        spoken += caption[i];
    }
    return spoken;
}

// Qt tells the accessibility bridge of every description set, even an unchanged one; a
// screen reader would hear the same words again at each language switch.
void describe(QWidget *control, const QString &description)
{
    if (control->accessibleDescription() != description)
        control->setAccessibleDescription(description);
}

} // namespace

Form1::Form1(Platform &platform, const QString &appDir, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::Form1>()), m_platform(platform), m_appDir(appDir),
      m_drivers(new DriverListModel(this))
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setDesignSize(this, QSize(592, 329));
    setWindowIcon(neraxIcon());

    // The buttons carry the index that is mapped to the switch and stored, not their place.
    for (int index = 1; index <= 6; ++index)
        ui->optRisoluzione->setId(
            findChild<QAbstractButton *>(QStringLiteral("optRisoluzione%1").arg(index)), index);
    ui->filRoms->setModel(m_drivers);
    QItemSelectionModel *plain = ui->filRoms->selectionModel();
    ui->filRoms->setSelectionModel(new KeepChosenSelectionModel(m_drivers, ui->filRoms));
    delete plain;

    connectHandlers();
    nameControls();
#ifndef QT_NO_SESSIONMANAGER
    // A session that ends may end the program without closing its windows.
    connect(qApp, &QGuiApplication::commitDataRequest, this, &Form1::saveSettings);
#endif
}

Form1::~Form1() = default;

void Form1::connectHandlers()
{
    // Qt 6.7 brought checkStateChanged and retires stateChanged; 6.4 has only the latter.
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
    const auto checkChanged = &QCheckBox::checkStateChanged;
#else
    const auto checkChanged = &QCheckBox::stateChanged;
#endif
    connect(ui->chkNoCheck, checkChanged, this, &Form1::chkNoCheck_Click);
    connect(ui->chkSincro, checkChanged, this, &Form1::chkSincro_Click);
    connect(ui->chkSwap, checkChanged, this, &Form1::chkSwap_Click);
    connect(ui->chkSuono, checkChanged, this, &Form1::chkSuono_Click);
    connect(ui->chkDebug, checkChanged, this, &Form1::chkDebug_Click);
    connect(ui->chkProfile, checkChanged, this, &Form1::chkProfile_Click);
    connect(ui->chkPersonalizza, checkChanged, this, &Form1::chkPersonalizza_Click);
    connect(ui->optRisoluzione, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            optRisoluzione_Click(id);
    });
    // activated fires for every choice, the entry already shown included; choices made by the
    // program go through setComboText, which runs the handler itself.
    connect(ui->cboSkip, &QComboBox::activated, this, &Form1::cboSkip_Click);
    connect(ui->cboLingua, &QComboBox::activated, this, &Form1::cboLingua_Click);
    // A selection, not the current row: the list frames its first row when it takes the focus,
    // and that must not choose a driver.
    connect(ui->filRoms->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected) {
                if (!selected.isEmpty())
                    filRoms_Click(selected.indexes().constFirst());
            });
    connect(ui->cmdAvvia, &QPushButton::clicked, this, &Form1::cmdAvvia_Click);
    connect(ui->cmdDriver, &QPushButton::clicked, this, &Form1::cmdDriver_Click);
    connect(ui->cmdAbout, &QPushButton::clicked, this, &Form1::cmdAbout_Click);
}

bool Form1::load()
{
    QFile calice(resolvePath(m_appDir, QStringLiteral("calice.exe")));
    if (!calice.open(QIODevice::ReadOnly)) {
        m_platform.messageBox(QStringLiteral("Calice.exe non trovato"), QStringLiteral("Errore!"),
                              MessageIcon::Error, nullptr);
        return false;
    }
    calice.close();

    // From here on every failure is skipped silently: the settings are optional data.
    Settings settings;
    readSettingsFile(resolvePath(m_appDir, QStringLiteral("nerax.cfg")), &settings);
    m_languageKeyword = settings.language;

    for (int index = 1; index <= 6; ++index)
        ui->optRisoluzione->button(index)->setEnabled(true);
    for (QWidget *control :
         {static_cast<QWidget *>(ui->cboSkip), static_cast<QWidget *>(ui->chkNoCheck),
          static_cast<QWidget *>(ui->chkSwap), static_cast<QWidget *>(ui->chkSuono),
          static_cast<QWidget *>(ui->chkSincro), static_cast<QWidget *>(ui->chkDebug),
          static_cast<QWidget *>(ui->chkProfile), static_cast<QWidget *>(ui->chkPersonalizza)})
        control->setEnabled(true);

    if (QAbstractButton *button = ui->optRisoluzione->button(settings.resolutionIndex))
        button->setChecked(true);
    else
        m_commandLine.setResolution(settings.resolutionIndex); // kept and written back unchanged

    const std::pair<const QString *, QCheckBox *> restored[] = {
        {&settings.noCheck, ui->chkNoCheck}, {&settings.sync, ui->chkSincro},
        {&settings.debug, ui->chkDebug},     {&settings.sound, ui->chkSuono},
        {&settings.swap, ui->chkSwap},       {&settings.profile, ui->chkProfile}};
    for (const auto &[token, box] : restored)
        if (!token->isEmpty())
            box->setCheckState(Qt::Checked);

    if (!settings.frameskip.isEmpty()) {
        setComboText(settings.frameskip, false);
        // An unknown value selects nothing but still enters the next command line.
        m_commandLine.setFrameskip(settings.frameskip);
    }

    restoreLanguage();
    pointDriverListAtFolder();
    centreOnScreen(this);
    m_loaded = true;
    return true;
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (!m_unloaded) {
        m_unloaded = true;
        saveSettings();
    }
    event->accept();
}

void Form1::saveSettings()
{
    // Before the load step has finished the options hold only what the file gave, or nothing
    // at all when calice.exe is missing; the file stays as it is.
    if (!m_loaded)
        return;
    Settings settings;
    settings.resolutionIndex = m_commandLine.resolutionIndex();
    settings.noCheck = m_commandLine.token(CommandLine::NoCheck);
    settings.sync = m_commandLine.token(CommandLine::Sync);
    settings.debug = m_commandLine.token(CommandLine::Debug);
    settings.sound = m_commandLine.token(CommandLine::Sound);
    settings.swap = m_commandLine.token(CommandLine::Swap);
    settings.frameskip = m_commandLine.frameskipValue();
    settings.profile = m_commandLine.token(CommandLine::Profile);
    settings.language = m_languageKeyword;
    writeSettingsFile(resolvePath(m_appDir, QStringLiteral("nerax.cfg")), settings);
}

void Form1::keyPressEvent(QKeyEvent *event)
{
    // The start button is the window's default button: Enter reaches it from any control that
    // does not use the key itself.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        ui->cmdAvvia->isEnabled()) {
        ui->cmdAvvia->animateClick();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form1::recompose()
{
    ui->txtRigaComando->setText(m_commandLine.compose());
}

void Form1::setCheck(CommandLine::Check check, const QCheckBox *box)
{
    // Only a full tick counts; the partly checked state gives an empty token.
    m_commandLine.setCheck(check, box->checkState() == Qt::Checked);
    recompose();
    saveSettings();
}

void Form1::chkNoCheck_Click()
{
    setCheck(CommandLine::NoCheck, ui->chkNoCheck);
}

void Form1::chkSincro_Click()
{
    setCheck(CommandLine::Sync, ui->chkSincro);
}

void Form1::chkSwap_Click()
{
    setCheck(CommandLine::Swap, ui->chkSwap);
}

void Form1::chkSuono_Click()
{
    setCheck(CommandLine::Sound, ui->chkSuono);
}

void Form1::chkDebug_Click()
{
    setCheck(CommandLine::Debug, ui->chkDebug);
}

void Form1::chkProfile_Click()
{
    setCheck(CommandLine::Profile, ui->chkProfile);
}

void Form1::chkPersonalizza_Click()
{
    ui->txtRigaComando->setEnabled(ui->chkPersonalizza->checkState() == Qt::Checked);
}

void Form1::optRisoluzione_Click(int index)
{
    m_commandLine.setResolution(index);
    recompose();
    saveSettings();
}

void Form1::cboSkip_Click()
{
    m_commandLine.setFrameskip(ui->cboSkip->currentText());
    recompose();
    saveSettings();
}

void Form1::setComboText(const QString &text, bool lingua)
{
    QComboBox *combo = lingua ? ui->cboLingua : ui->cboSkip;
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        return;
    combo->setCurrentIndex(index);
    if (lingua)
        cboLingua_Click();
    else
        cboSkip_Click();
}

void Form1::applyCaptions(bool english)
{
    for (const CaptionRow &row : kMainWindowCaptions) {
        const QString caption = QString::fromUtf8(english ? row.english : row.italian);
        QWidget *control = findChild<QWidget *>(QLatin1String(row.objectName));
        if (auto *button = qobject_cast<QAbstractButton *>(control))
            button->setText(caption);
        else if (auto *label = qobject_cast<QLabel *>(control))
            label->setText(caption);
        else if (auto *frame = qobject_cast<QGroupBox *>(control))
            frame->setTitle(caption);
    }
    nameControls();
}

void Form1::nameControls()
{
    // A list view takes no name from a buddy label, so the list is named by hand at each switch.
    // The two drop-down lists are described rather than named: a name would take the place of
    // the chosen value in what a screen reader speaks. The command-line box is named by its
    // label, whose buddy it is.
    ui->filRoms->setAccessibleName(spokenCaption(ui->lblRoms->text()));
    describe(ui->cboSkip, spokenCaption(ui->lblSkip->text()));
    describe(ui->cboLingua, spokenCaption(ui->lblLingua->text()));
    ui->Image1->setAccessibleName(spokenCaption(ui->Label2->text()));
    describePreview();
}

void Form1::describePreview()
{
    QString shown;
    if (!ui->Label1->isHidden())
        shown = spokenCaption(ui->Label1->text());
    else if (!ui->Image1->pixmap().isNull())
        shown = spokenCaption(ui->Label2->text()) + m_commandLine.driverName(); // " pacman"
    describe(ui->Image1, shown);
}

void Form1::announcePreview()
{
    const QString before = ui->Image1->accessibleDescription();
    describePreview();
    const QString shown = ui->Image1->accessibleDescription();
    if (shown.isEmpty())
        return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(ui->Image1, shown);
    QAccessible::updateAccessibility(&event);
#else
    // Older Qt has no announcement; a changed description is what a screen reader can follow.
    // A new description has been told already, a second driver without picture has not.
    if (shown == before) {
        QAccessibleEvent event(ui->Image1, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
#endif
}

void Form1::italiano()
{
    applyCaptions(false);
}

void Form1::inglese()
{
    applyCaptions(true);
}

void Form1::cboLingua_Click()
{
    const QString text = ui->cboLingua->currentText();
    if (text == QLatin1String("Italiano")) {
        italiano();
        m_languageKeyword = QStringLiteral("italiano");
    } else if (text == QLatin1String("English")) {
        inglese();
        m_languageKeyword = QStringLiteral("inglese");
    }
    saveSettings();
}

void Form1::restoreLanguage()
{
    if (m_languageKeyword == QLatin1String("italiano")) {
        italiano();
        setComboText(QStringLiteral("Italiano"), true);
    } else if (m_languageKeyword == QLatin1String("inglese")) {
        inglese();
        setComboText(QStringLiteral("English"), true);
    }
}

void Form1::pointDriverListAtFolder()
{
    // Without a driver folder the list keeps showing the working folder, as it did on creation.
    const QString folder = resolvePath(m_appDir, QStringLiteral("drv"));
    m_drivers->setNames(scanDrivers(QFileInfo(folder).isDir() ? folder : QDir::currentPath()));
}

QString Form1::selectedDriverFileName() const
{
    const QModelIndexList selected = ui->filRoms->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QString() : selected.constFirst().data().toString();
}

void Form1::filRoms_Click(const QModelIndex &chosen)
{
    ui->cmdDriver->setEnabled(true);
    const QString baseName = driverBaseName(chosen.data().toString());
    m_commandLine.setDriverBaseName(baseName);
    recompose();
    ui->Label1->hide();
    showPreview(baseName);
}

void Form1::showPreview(const QString &baseName)
{
    const QString path =
        resolvePath(m_appDir, QStringLiteral("images/") + baseName + QStringLiteral(".jpg"));
    // The border is drawn inside the box; the picture fills what lies within it.
    const int border = ui->Image1->frameWidth();
    const QImage image = loadPreview(path, ui->Image1->size() - QSize(2 * border, 2 * border),
                                     ui->Image1->devicePixelRatio());
    if (image.isNull()) {
        ui->Image1->clear();
        ui->Label1->show();
        announcePreview();
        return;
    }
    ui->Image1->setPixmap(QPixmap::fromImage(image));
    announcePreview();
}

void Form1::cmdAvvia_Click()
{
    const bool custom = ui->chkPersonalizza->checkState() == Qt::Checked;
    if (m_commandLine.driverName().isEmpty() && !custom) {
        m_platform.messageBox(QStringLiteral("Devi scegliere un driver per giocare"),
                              QStringLiteral("Errore"), MessageIcon::Information, this);
        return;
    }
    const QString text = ui->txtRigaComando->text();
    if (!custom && text.isEmpty()) {
        m_platform.beep();
        return;
    }
    const LaunchPlan plan =
        planLaunch(resolvePath(m_appDir, QStringLiteral("calice.exe")), text, m_appDir,
                   [this](const QString &name) { return m_platform.findProgram(name); });
    if (!plan.refusal.isEmpty()) {
        m_platform.messageBox(plan.refusal, QStringLiteral("Errore"), MessageIcon::Error, this);
        return;
    }
    // The emulator looks for its drv folder and DOSBox for a dosbox.conf in the folder it runs
    // in, whichever folder nerax itself was started from.
    QString reason;
    if (!m_platform.startProgram(plan.program, plan.arguments, m_appDir, &reason))
        m_platform.messageBox(QStringLiteral("Impossibile avviare %1: %2")
                                  .arg(QDir::toNativeSeparators(plan.program), reason),
                              QStringLiteral("Errore"), MessageIcon::Error, this);
}

void Form1::cmdDriver_Click()
{
    openDriverEditor(m_platform, m_appDir, selectedDriverFileName(), ui->cboLingua->currentText());
}

void Form1::cmdAbout_Click()
{
    openAboutWindow(m_platform, ui->cboLingua->currentText());
}
