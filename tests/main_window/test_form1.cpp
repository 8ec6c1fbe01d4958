#include "fake_platform.h"
#include "form1.h"
#include "test_support.h"
#include "window_setup.h"
#include "wrap_check_box.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSessionManager>
#include <QSignalSpy>
#include <QTemporaryDir>

class TestForm1 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startStateBeforeAndAfterLoad()
    {
        AppFolder app;
        FakePlatform platform;
        Form1 form(platform, app.dir.path());
        const char *options[] = {"optRisoluzione1", "optRisoluzione2", "optRisoluzione3",
                                 "optRisoluzione4", "optRisoluzione5", "optRisoluzione6",
                                 "cboSkip",         "chkNoCheck",      "chkSwap",
                                 "chkSuono",        "chkSincro",       "chkDebug",
                                 "chkProfile",      "chkPersonalizza"};
        for (const char *name : options)
            QVERIFY2(!child<QWidget>(form, name)->isEnabled(), name);
        for (const char *name : {"cboLingua", "filRoms", "cmdAvvia", "cmdAbout"})
            QVERIFY2(child<QWidget>(form, name)->isEnabled(), name);
        QVERIFY(child<QLabel>(form, "Label1")->isHidden());
        QCOMPARE(form.size(), QSize(592, 329));

        auto *group = child<QButtonGroup>(form, "optRisoluzione");
        QCOMPARE(group->buttons().size(), 6);
        QVERIFY(!group->button(0));
        QCOMPARE(group->button(6)->text(), QStringLiteral("256 x 256 Linear"));
        for (QAbstractButton *button : group->buttons())
            QVERIFY(button->y() >= group->button(6)->y());

        QVERIFY(form.load());
        for (const char *name : options)
            QVERIFY2(child<QWidget>(form, name)->isEnabled(), name);
        QVERIFY(!child<QWidget>(form, "cmdDriver")->isEnabled());
        QVERIFY(!child<QWidget>(form, "txtRigaComando")->isEnabled());
        QVERIFY(platform.messages.isEmpty());

        // The keyboard reaches the check boxes in the form's tab order, not the order on screen.
        QStringList chain;
        for (QWidget *w = form.nextInFocusChain(); w != &form; w = w->nextInFocusChain())
            if (qobject_cast<QCheckBox *>(w))
                chain << w->objectName();
        QCOMPARE(chain, (QStringList{QStringLiteral("chkNoCheck"), QStringLiteral("chkSwap"),
                                     QStringLiteral("chkSuono"), QStringLiteral("chkSincro"),
                                     QStringLiteral("chkDebug"), QStringLiteral("chkProfile"),
                                     QStringLiteral("chkPersonalizza")}));
    }

    void everyCaptionReadsWholeInBothLanguages()
    {
        setUpApplicationLook();
        AppFolder app;
        FakePlatform platform;
        Form1 form(platform, app.dir.path());
        QVERIFY(form.load());
        for (const bool english : {false, true}) {
            english ? form.inglese() : form.italiano();
            for (auto *box : form.findChildren<WrapCheckBox *>())
                QVERIFY2(box->captionFits(), qPrintable(box->text()));
            for (auto *label : form.findChildren<QLabel *>()) {
                const int needed = label->fontMetrics().horizontalAdvance(label->text());
                QVERIFY2(needed <= label->width(), qPrintable(label->text()));
            }
            for (auto *radio : form.findChildren<QRadioButton *>())
                QVERIFY2(radio->sizeHint().width() <= radio->width(), qPrintable(radio->text()));
            for (auto *button : form.findChildren<QPushButton *>())
                QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) <
                             button->width() - 8,
                         qPrintable(button->text()));
        }
    }

    void handlersRecomposeOnEveryChange()
    {
        AppFolder app;
        FakePlatform platform;
        Form1 form(platform, app.dir.path());
        QVERIFY(form.load());
        auto *sound = child<QCheckBox>(form, "chkSuono");
        { // a user's click, by mouse and by access key
            QTest::mouseClick(sound, Qt::LeftButton, {},
                              QPoint(sound->width() - 2, sound->height() / 2));
            QCOMPARE(commandText(form), QStringLiteral(" -sound"));
            child<QRadioButton>(form, "optRisoluzione2")->click();
            QCOMPARE(commandText(form), QStringLiteral(" -400x256 -sound"));
        }
        { // ticking and unticking leaves no trace; the partly checked state is not a tick
            auto *debug = child<QCheckBox>(form, "chkDebug");
            debug->setChecked(true);
            debug->setChecked(false);
            QCOMPARE(commandText(form), QStringLiteral(" -400x256 -sound"));
            sound->setCheckState(Qt::PartiallyChecked);
            QCOMPARE(commandText(form), QStringLiteral(" -400x256"));
        }
        { // a hand edit lives until the next recomposition
            child<QCheckBox>(form, "chkPersonalizza")->setChecked(true);
            auto *text = child<QLineEdit>(form, "txtRigaComando");
            QVERIFY(text->isEnabled());
            text->setText(QStringLiteral("mine"));
            child<QCheckBox>(form, "chkPersonalizza")->setChecked(false);
            QVERIFY(!text->isEnabled());
            QCOMPARE(text->text(), QStringLiteral("mine"));
            child<QCheckBox>(form, "chkSwap")->setChecked(true);
            QCOMPARE(text->text(), QStringLiteral(" -400x256 -swap"));
        }
        { // choosing a frameskip item by keyboard runs the handler
            auto *skip = child<QComboBox>(form, "cboSkip");
            skip->setFocus();
            QTest::keyClick(skip, Qt::Key_Down);
            QCOMPARE(commandText(form), QStringLiteral(" -400x256 -frameskip 0 -swap"));
        }
    }

    void startupRestoresAndClosingWritesTheSettings()
    {
        { // no settings file: nothing chosen, and the nine empty records on closing
            AppFolder app;
            FakePlatform platform;
            {
                Form1 form(platform, app.dir.path());
                QVERIFY(form.load());
                QCOMPARE(commandText(form), QString());
                QCOMPARE(child<QLabel>(form, "lblRigaComando")->text(),
                         QStringLiteral("Riga di comando:"));
                QCOMPARE(child<QComboBox>(form, "cboLingua")->currentText(), QString());
                form.close();
            }
            QCOMPARE(readFile(app.path(QStringLiteral("nerax.cfg"))),
                     QByteArray(
                         "0\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n"));
        }
        { // a saved choice comes back through the controls and is written back as it was
            AppFolder app;
            writeFile(app.path(QStringLiteral("nerax.cfg")), exampleSettings());
            FakePlatform platform;
            Form1 form(platform, app.dir.path());
            QVERIFY(form.load());
            QVERIFY(child<QRadioButton>(form, "optRisoluzione3")->isChecked());
            QVERIFY(child<QCheckBox>(form, "chkNoCheck")->isChecked());
            QVERIFY(child<QCheckBox>(form, "chkSuono")->isChecked());
            QCOMPARE(child<QComboBox>(form, "cboSkip")->currentText(), QStringLiteral("2"));
            QCOMPARE(commandText(form),
                     QStringLiteral(" -400x300VESA2 -frameskip 2 -nocheck -sound"));
            QCOMPARE(child<QLabel>(form, "lblRigaComando")->text(),
                     QStringLiteral("Riga di comando"));
            form.close();
            QCOMPARE(readFile(app.path(QStringLiteral("nerax.cfg"))), exampleSettings());
        }
        { // odd values: any token text ticks, unknown index, frameskip and keyword are kept
            AppFolder app("CALICE.EXE");
            const QByteArray odd(
                "9\r\n\"x\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"12\"\r\n\"\"\r\n\"klingon\"\r\n");
            writeFile(app.path(QStringLiteral("NERAX.CFG")), odd);
            FakePlatform platform;
            Form1 form(platform, app.dir.path());
            QVERIFY(form.load());
            QVERIFY(child<QCheckBox>(form, "chkNoCheck")->isChecked());
            QCOMPARE(child<QButtonGroup>(form, "optRisoluzione")->checkedId(), -1);
            QCOMPARE(child<QComboBox>(form, "cboSkip")->currentIndex(), -1);
            QCOMPARE(commandText(form), QStringLiteral(" -nocheck"));
            child<QCheckBox>(form, "chkSincro")->setChecked(true);
            QCOMPARE(commandText(form), QStringLiteral(" -frameskip 12 -nocheck -sync"));
            child<QCheckBox>(form, "chkSincro")->setChecked(false);
            form.close();
            QCOMPARE(readFile(app.path(QStringLiteral("NERAX.CFG"))),
                     QByteArray("9\r\n\" "
                                "-nocheck\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"12\"\r\n\"\"\r\n\""
                                "klingon\"\r\n"));
            QVERIFY2(!QFile::exists(app.path(QStringLiteral("nerax.cfg"))),
                     "the upper-case file is reused");
        }
        { // a read-only settings file is the user's choice to keep: never replaced
            AppFolder app;
            const QString cfg = app.path(QStringLiteral("nerax.cfg"));
            writeFile(cfg, exampleSettings());
            QFile::setPermissions(cfg, QFile::ReadOwner | QFile::ReadGroup);
            FakePlatform platform;
            Form1 form(platform, app.dir.path());
            QVERIFY(form.load());
            child<QCheckBox>(form, "chkDebug")->setChecked(true);
            form.close();
            QCOMPARE(readFile(cfg), exampleSettings());
            QVERIFY(platform.messages.isEmpty());
        }
    }

    void everyRememberedChangeIsWrittenAtOnce()
    {
        AppFolder app;
        const QString cfg = app.path(QStringLiteral("nerax.cfg"));
        // Records that a rewrite would change: "x" comes back as " -nocheck".
        const QByteArray stored(
            "1\r\n\"x\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"3\"\r\n\"\"\r\n\"italiano\"\r\n");
        writeFile(cfg, stored);
        FakePlatform platform;
        Form1 form(platform, app.dir.path());
        { // restoring the options leaves the file as it was
            QVERIFY(form.load());
            QVERIFY(child<QCheckBox>(form, "chkNoCheck")->isChecked());
            QCOMPARE(readFile(cfg), stored);
        }
        const auto record = [&](int line) { return readFile(cfg).split('\n').value(line - 1); };
        { // each remembered option is in the file as soon as it changes, with the window open
            child<QCheckBox>(form, "chkSuono")->setChecked(true);
            QCOMPARE(record(2), QByteArray("\" -nocheck\"\r"));
            QCOMPARE(record(5), QByteArray("\" -sound\"\r"));
            child<QRadioButton>(form, "optRisoluzione5")->click();
            QCOMPARE(record(1), QByteArray("5\r"));
            auto *skip = child<QComboBox>(form, "cboSkip");
            skip->setFocus();
            QTest::keyClick(skip, Qt::Key_Down);
            QCOMPARE(record(7), QByteArray("\"4\"\r"));
            auto *lingua = child<QComboBox>(form, "cboLingua");
            lingua->setFocus();
            QTest::keyClick(lingua, Qt::Key_Down);
            QCOMPARE(record(9), QByteArray("\"inglese\"\r"));
            child<QCheckBox>(form, "chkNoCheck")->setChecked(false);
            QCOMPARE(readFile(cfg), QByteArray("5\r\n\"\"\r\n\"\"\r\n\"\"\r\n\" -sound\"\r\n\"\"\r\n\"4\"\r\n\"\""
                                               "\r\n\"inglese\"\r\n"));
        }
        { // the session manager asking for the data writes it too
            QFile::remove(cfg);
            auto *session = qApp->findChild<QSessionManager *>();
            QVERIFY(session);
            Q_EMIT qApp->commitDataRequest(*session);
            QCOMPARE(record(9), QByteArray("\"inglese\"\r"));
        }
    }

    void refusesToStartWithoutTheEmulator()
    {
        AppFolder app(nullptr);
        FakePlatform platform;
        {
            Form1 form(platform, app.dir.path());
            QVERIFY(!form.load());
            child<QCheckBox>(form, "chkSuono")->setChecked(true);
            form.close();
        }
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages[0].text, QStringLiteral("Calice.exe non trovato"));
        QCOMPARE(platform.messages[0].title, QStringLiteral("Errore!"));
        QCOMPARE(platform.messages[0].icon, MessageIcon::Error);
        QVERIFY2(!platform.messages[0].parent, "no window is shown yet");
        QCOMPARE(QDir(app.dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }

    void choosingADriverShowsItsPreview()
    {
        AppFolder app;
        for (const char *name : {"PACMAN.DRV", "neo.geo.drv", "nopic.drv"})
            app.addDriver(QLatin1String(name));
        app.addPicture(QStringLiteral("pacman.JPG"));
        app.addPicture(QStringLiteral("neo.geo.jpg"));
        FakePlatform platform;
        Form1 form(platform, app.dir.path());
        QVERIFY(form.load());
        auto *list = child<QAbstractItemView>(form, "filRoms");
        QCOMPARE(list->model()->rowCount(), 3);
        auto *image = child<QLabel>(form, "Image1");
        auto *missing = child<QLabel>(form, "Label1");
        { // the list framing its first row when it takes the focus is not a choice
            form.show();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            list->setFocus();
            QVERIFY(QTest::qWaitFor([&] { return list->hasFocus(); }));
            QVERIFY(!child<QWidget>(form, "cmdDriver")->isEnabled());
            QCOMPARE(form.selectedDriverFileName(), QString());
            QCOMPARE(commandText(form), QString());
        }
        {
            chooseDriver(form, QStringLiteral("PACMAN.DRV"));
            QCOMPARE(commandText(form), QStringLiteral(" PACMAN"));
            QVERIFY(child<QWidget>(form, "cmdDriver")->isEnabled());
            QVERIFY2(!image->pixmap().isNull(), "PACMAN finds images/pacman.JPG");
            QVERIFY(missing->isHidden());
            // One picture pixel per screen pixel, also where the screen scales the window.
            const qreal ratio = image->devicePixelRatio();
            QCOMPARE(image->pixmap().devicePixelRatio(), ratio);
            QCOMPARE(image->pixmap().size(),
                     (QSizeF(image->contentsRect().size()) * ratio).toSize());
        }
        {
            chooseDriver(form, QStringLiteral("nopic.drv"));
            QVERIFY(image->pixmap().isNull());
            QVERIFY(!missing->isHidden());
            QCOMPARE(form.selectedDriverFileName(), QStringLiteral("nopic.drv"));
        }
        { // typing a name's first letters chooses it, as in any file list
            list->setFocus();
            QTest::keyClicks(list, QStringLiteral("pa"));
            QCOMPARE(form.selectedDriverFileName(), QStringLiteral("PACMAN.DRV"));
            QCOMPARE(commandText(form), QStringLiteral(" PACMAN"));
        }
        { // Ctrl+click or Ctrl+Space on the chosen entry neither drops nor chooses it again
            QSignalSpy changes(list->selectionModel(), &QItemSelectionModel::selectionChanged);
            const QPoint row = list->visualRect(list->currentIndex()).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, row);
            QCOMPARE(form.selectedDriverFileName(), QStringLiteral("PACMAN.DRV"));
            QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
            QCOMPARE(changes.count(), 0);
        }
        { // a custom text is overwritten by a choice
            child<QCheckBox>(form, "chkPersonalizza")->setChecked(true);
            child<QLineEdit>(form, "txtRigaComando")->setText(QStringLiteral("typed"));
            child<QCheckBox>(form, "chkSuono")->setChecked(true);
            chooseDriver(form, QStringLiteral("neo.geo.drv"));
            QCOMPARE(commandText(form), QStringLiteral(" neo.geo -sound"));
            QVERIFY(!image->pixmap().isNull());
            QVERIFY(missing->isHidden());
        }
    }

    void withoutADriverFolderListsTheWorkingFolder()
    {
        AppFolder app;
        QTemporaryDir working;
        writeFile(working.filePath(QStringLiteral("here.drv")), "x");
        const QString previous = QDir::currentPath();
        QDir::setCurrent(working.path());
        FakePlatform platform;
        Form1 form(platform, app.dir.path());
        const bool loaded = form.load();
        QDir::setCurrent(previous);
        QVERIFY(loaded);
        auto *list = child<QAbstractItemView>(form, "filRoms");
        QCOMPARE(list->model()->rowCount(), 1);
        QCOMPARE(list->model()->index(0, 0).data().toString(), QStringLiteral("here.drv"));
        QVERIFY(platform.messages.isEmpty());
    }

    void startButtonBranches()
    {
        AppFolder app("Calice.Exe");
        app.addDriver(QStringLiteral("pacman.drv"));
        FakePlatform platform;
        Form1 form(platform, app.dir.path());
        QVERIFY(form.load());
        auto *start = child<QPushButton>(form, "cmdAvvia");
        auto *custom = child<QCheckBox>(form, "chkPersonalizza");
        auto *text = child<QLineEdit>(form, "txtRigaComando");
        const QString exe = app.path(QStringLiteral("Calice.Exe"));
        { // no driver, no custom line
            child<QCheckBox>(form, "chkSuono")->setChecked(true);
            start->click();
            QCOMPARE(platform.messages.size(), 1);
            QCOMPARE(platform.messages[0].text,
                     QStringLiteral("Devi scegliere un driver per giocare"));
            QCOMPARE(platform.messages[0].title, QStringLiteral("Errore"));
            QCOMPARE(platform.messages[0].icon, MessageIcon::Information);
            QCOMPARE(platform.messages[0].parent, static_cast<QWidget *>(&form));
            QVERIFY(platform.starts.isEmpty());
        }
        { // custom line emptied: started with no arguments at all
            custom->setChecked(true);
            text->clear();
            start->click();
            QCOMPARE(platform.starts.size(), 1);
            QCOMPARE(platform.starts[0].program, exe);
            QCOMPARE(platform.starts[0].arguments, QStringList());
            // in the emulator's folder, not the one the test runs in
            QCOMPARE(platform.starts[0].workingDirectory, app.dir.path());
        }
        { // a driver and the composed line; the real name of calice.exe is used
            custom->setChecked(false);
            chooseDriver(form, QStringLiteral("pacman.drv"));
            child<QRadioButton>(form, "optRisoluzione1")->setChecked(true);
            start->click();
            QCOMPARE(platform.starts.size(), 2);
            QCOMPARE(platform.starts[1].arguments,
                     (QStringList{QStringLiteral("pacman"), QStringLiteral("-320x320"),
                                  QStringLiteral("-sound")}));
        }
        { // emptied by hand, then custom line off: only a beep
            custom->setChecked(true);
            text->clear();
            custom->setChecked(false);
            start->click();
            QCOMPARE(platform.beeps, 1);
            QCOMPARE(platform.starts.size(), 2);
        }
        { // a start that fails is told, naming the program
            custom->setChecked(true);
            text->setText(QStringLiteral(" pacman"));
            platform.startFailure = QStringLiteral("permesso negato");
            start->click();
            QCOMPARE(platform.messages.size(), 2);
            QVERIFY(platform.messages[1].text.contains(QStringLiteral("Calice.Exe")));
            QVERIFY(platform.messages[1].text.contains(QStringLiteral("permesso negato")));
            QCOMPARE(platform.messages[1].icon, MessageIcon::Error);
            QCOMPARE(platform.messages[1].parent, static_cast<QWidget *>(&form));
        }
    }

    void screenReaderNamesFollowTheLanguage()
    {
        AppFolder app;
        app.addDriver(QStringLiteral("pacman.drv"));
        app.addDriver(QStringLiteral("nopic.drv"));
        app.addPicture(QStringLiteral("pacman.jpg"));
        FakePlatform platform;
        Form1 form(platform, app.dir.path());
        // What the desktop's accessibility bridge reads and a screen reader speaks.
        const auto spoken = [&](QWidget *control, QAccessible::Text what) {
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control);
            return iface ? iface->text(what) : QStringLiteral("<no interface>");
        };
        const auto spokenOf = [&](const char *name, QAccessible::Text what) {
            return spoken(child<QWidget>(form, name), what);
        };
        { // before a language is applied the designed headings name the controls
            QCOMPARE(spokenOf("filRoms", QAccessible::Name), QStringLiteral("Driver della ROM:"));
            QCOMPARE(spokenOf("txtRigaComando", QAccessible::Name),
                     QStringLiteral("Riga di comando:"));
            QCOMPARE(spokenOf("Image1", QAccessible::Description), QString());
        }
        QVERIFY(form.load());
        auto *lingua = child<QComboBox>(form, "cboLingua");
        auto *skip = child<QComboBox>(form, "cboSkip");
        const auto choose = [&](QComboBox *combo, int entry) {
            combo->setCurrentIndex(entry);
            Q_EMIT combo->activated(entry);
        };
        const struct
        {
            int entry;
            const char *roms, *command, *language, *preview, *missing;
        } languages[] = {
            {1, "ROM's Driver:", "Command line", "Language...", "Prewiev", "Prewiev missing"},
            {0, "Driver della ROM:", "Riga di comando", "Lingua...", "Anteprima",
             "Anteprima non disponibile"},
        };
        for (const auto &language : languages) {
            // The notice shown before the switch is described in the new language at once.
            choose(lingua, language.entry);
            QCOMPARE(spokenOf("Image1", QAccessible::Description),
                     QString::fromUtf8(language.entry == 1 ? "" : language.missing));
            QCOMPARE(spokenOf("filRoms", QAccessible::Name), QString::fromUtf8(language.roms));
            QCOMPARE(spokenOf("txtRigaComando", QAccessible::Name),
                     QString::fromUtf8(language.command));
            QCOMPARE(spokenOf("cboLingua", QAccessible::Description),
                     QString::fromUtf8(language.language));
            choose(skip, 2); // described, so the chosen value is still what is spoken
            QCOMPARE(spokenOf("cboSkip", QAccessible::Description), QStringLiteral("Frameskip..."));
            QCOMPARE(spokenOf("cboSkip", QAccessible::Value), QStringLiteral("2"));
            QCOMPARE(spokenOf("Image1", QAccessible::Name), QString::fromUtf8(language.preview));
            chooseDriver(form, QStringLiteral("pacman.drv"));
            QCOMPARE(spokenOf("Image1", QAccessible::Description),
                     QString::fromUtf8(language.preview) + QStringLiteral(" pacman"));
            chooseDriver(form, QStringLiteral("nopic.drv"));
            QCOMPARE(spokenOf("Image1", QAccessible::Description),
                     QString::fromUtf8(language.missing));
            // Every control that takes the focus is named, or described where a name would hide
            // its value, and no access-key marker is spoken.
            for (QWidget *control : form.findChildren<QWidget *>()) {
                if (!(control->focusPolicy() & Qt::TabFocus) || control->focusProxy() ||
                    !control->isVisibleTo(&form))
                    continue;
                const QString said = spoken(control, QAccessible::Name) +
                                     spoken(control, QAccessible::Description);
                QVERIFY2(!said.trimmed().isEmpty() && !said.contains(QLatin1Char('&')),
                         qPrintable(control->objectName() + QLatin1String(": ") + said));
            }
        }
    }

    void enterStartsFromAnyControl()
    {
        AppFolder app;
        app.addDriver(QStringLiteral("pacman.drv"));
        FakePlatform platform;
        Form1 form(platform, app.dir.path());
        QVERIFY(form.load());
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        chooseDriver(form, QStringLiteral("pacman.drv"));
        for (const char *name : {"filRoms", "chkSuono", "cboSkip"}) {
            const qsizetype before = platform.starts.size();
            QWidget *focus = child<QWidget>(form, name);
            focus->setFocus();
            QTest::keyClick(focus, Qt::Key_Return);
            static_cast<void>(
                QTest::qWaitFor([&] { return platform.starts.size() == before + 1; }));
            QCOMPARE(platform.starts.size(), before + 1);
        }
        { // Enter on another button presses that button, not the start button
            const qsizetype before = platform.starts.size();
            auto *about = child<QPushButton>(form, "cmdAbout");
            int pressed = 0;
            connect(about, &QPushButton::clicked, this, [&] { ++pressed; });
            about->setFocus();
            QTest::keyClick(about, Qt::Key_Return);
            QCOMPARE(pressed, 1);
            QCOMPARE(platform.starts.size(), before);
        }
    }
};

int runForm1Tests(int argc, char **argv)
{
    TestForm1 test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_form1.moc"
