#include "driver_text.h"
#include "fake_platform.h"
#include "frm_driver.h"
#include "rich_text_box.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

// An application folder with its driver folder.
struct AppFolder
{
    QTemporaryDir dir;
    QString drv;
    explicit AppFolder(const QString &drvName = QStringLiteral("drv")) : drv(drvName)
    {
        QDir(dir.path()).mkdir(drv);
    }
    QString driver(const QString &name) const { return dir.filePath(drv + u'/' + name); }
    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(driver(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read(const QString &name) const
    {
        QFile file(driver(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
};

// An editor loaded, as the main window's button would, on the file game.drv holding bytes.
struct Editor
{
    AppFolder app;
    FakePlatform platform;
    frmDriver window{platform};
    bool loaded;
    explicit Editor(const QByteArray &bytes, const QString &language = QStringLiteral("Italiano"))
    {
        app.write(QStringLiteral("game.drv"), bytes);
        loaded = window.load(app.dir.path(), QStringLiteral("game.drv"), language);
    }
    template <typename T> T *child(const char *name) const
    {
        return window.findChild<T *>(QLatin1String(name));
    }
    RichTextBox *text() const { return child<RichTextBox>("txtDriver"); }
    QComboBox *find() const { return child<QComboBox>("cboFind"); }
    void save() const { child<QPushButton>("cmdSalva")->click(); }
    QByteArray file() const { return app.read(QStringLiteral("game.drv")); }
    // The arrow key onto the entry, the way a user picks it from the keyboard.
    void choose(const QString &entry) const
    {
        find()->setCurrentIndex(find()->findText(entry) - 1);
        QTest::keyClick(find(), Qt::Key_Down);
    }
};

// "title|text|icon" of a box, for one comparison that shows all of it.
QString describe(const FakePlatform::Message &box)
{
    return box.title + u'|' + box.text + u'|' +
           (box.icon == MessageIcon::Error ? QStringLiteral("error") : QStringLiteral("info"));
}

frmDriver *openEditor()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows)
        if (auto *editor = qobject_cast<frmDriver *>(window))
            return editor;
    return nullptr;
}

} // namespace

class TestDriverEditor : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void findsWholeWordsOnly()
    {
        const struct
        {
            const char *text, *word;
            int from, to, expected;
        } cases[] = {
            {"programRegions\nprogram", "program", 0, 22, 15},
            {"General", "general", 0, 7, -1},
            {"program_x program", "program", 0, 17, 10},
            {"z80a z80", "z80", 0, 8, 5},
            {"program\u00e0 program", "program", 0, 16, 9},
            {"program x program", "program", 2, 17, 10},
            {"x program y", "program", 0, 5, -1},
            {"programRegions", "program", 0, 7, -1}, // the word goes on past the range
        };
        for (const auto &c : cases) {
            const qsizetype found =
                findWholeWord(QString::fromUtf8(c.text), QString::fromUtf8(c.word), c.from, c.to);
            QVERIFY2(found == c.expected, c.text);
        }
    }

    void saveWithoutEditGivesTheFileBack_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray everyByte;
        for (int byte = 0x01; byte <= 0xff; ++byte)
            everyByte.append(static_cast<char>(byte));
        QTest::newRow("CR LF") << QByteArray("[general]\r\nname=x\r\n\r\nprogram\r\n");
        QTest::newRow("LF") << QByteArray("[general]\nname=x\n\nprogram");
        QTest::newRow("CR") << QByteArray("a\rb\r");
        QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd\r\n");
        QTest::newRow("no line end") << QByteArray("general");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("every byte") << everyByte;
    }
    void saveWithoutEditGivesTheFileBack()
    {
        QFETCH(QByteArray, bytes);
        Editor editor(bytes);
        QVERIFY(editor.loaded);
        editor.save();
        QCOMPARE(editor.file(), bytes + "\r\n");
        editor.save();
        QCOMPARE(editor.file(), bytes + "\r\n");
        QVERIFY(editor.platform.messages.isEmpty());
    }

    void newLinesTakeTheFileLineEnd()
    {
        const auto addLineAndSave = [](const QByteArray &bytes) {
            Editor editor(bytes);
            editor.text()->moveCursor(QTextCursor::End);
            QTest::keyClick(editor.text(), Qt::Key_X);
            QTest::keyClick(editor.text(), Qt::Key_Return);
            editor.save();
            return editor.file();
        };
        QCOMPARE(addLineAndSave("a\r\nb"), QByteArray("a\r\nbx\r\n\r\n"));
        QCOMPARE(addLineAndSave("a\nb"), QByteArray("a\nbx\n\r\n"));
        QCOMPARE(addLineAndSave("a"), QByteArray("ax\r\n\r\n"));
        { // joined lines keep the end of the later one
            Editor editor("a\nb\rc\n");
            editor.text()->setSelStart(1);
            QTest::keyClick(editor.text(), Qt::Key_Delete);
            editor.save();
            QCOMPARE(editor.file(), QByteArray("ab\rc\n\r\n"));
        }
    }

    void reloadShowsWhatWasSaved()
    {
        // Random edits of files with mixed line ends: a reload shows the text that was shown
        // before saving, plus the line break that saving appends.
        QRandomGenerator random(8);
        const char *const pieces[] = {"a", "b", "\r", "\n", "\r\n"};
        const Qt::Key keys[] = {Qt::Key_X, Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Delete};
        AppFolder app;
        for (int round = 0; round < 300; ++round) {
            QByteArray bytes;
            for (int piece = random.bounded(10); piece > 0; --piece)
                bytes += pieces[random.bounded(5)];
            app.write(QStringLiteral("game.drv"), bytes);
            RichTextBox text;
            QVERIFY(text.loadFile(app.driver(QStringLiteral("game.drv"))));
            QString edits;
            for (int edit = random.bounded(1, 5); edit > 0; --edit) {
                const int position = random.bounded(text.document()->characterCount());
                const Qt::Key key = keys[random.bounded(4)];
                text.setSelStart(position);
                QTest::keyClick(&text, key);
                edits += QStringLiteral(" %1@%2").arg(QKeySequence(key).toString()).arg(position);
            }
            // The bytes that Save writes, written plainly (the safe replace would wait for the
            // disk each round), then loaded again as the editor loads a driver.
            app.write(QStringLiteral("saved.drv"),
                      (text.text() + QStringLiteral("\r\n")).toLatin1());
            RichTextBox reloaded;
            QVERIFY(reloaded.loadFile(app.driver(QStringLiteral("saved.drv"))));
            QVERIFY2(reloaded.toPlainText() == text.toPlainText() + u'\n',
                     qPrintable(QString::fromLatin1(bytes.toPercentEncoding()) + edits));
        }
    }

    void typedAndPastedBreaksAreLineBreaks()
    {
        Editor editor("a\r\nb");
        RichTextBox *text = editor.text();
        text->moveCursor(QTextCursor::End);
        QTest::keyClick(text, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClick(text, Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier);
        QApplication::clipboard()->setText(QStringLiteral("x\u2028y\r\nz\rw"));
        text->paste();
        editor.save();
        QCOMPARE(editor.file(), QByteArray("a\r\nb\r\n\r\nx\r\ny\r\nz\r\nw\r\n"));
    }

    void goToPlacesTheCaretOnTheWholeWord()
    {
        Editor editor("programRegions 0 1\r\nGeneral\r\nprogram\r\nprogram\r\nsamples");
        editor.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor.window));
        RichTextBox *text = editor.text();
        const QList<FakePlatform::Message> &messages = editor.platform.messages;
        for (int time = 1; time <= 2; ++time) { // the first one both times
            editor.choose(QStringLiteral("program"));
            QCOMPARE(text->textCursor().position(), 27);
            QVERIFY(!text->textCursor().hasSelection());
            QCOMPARE(QApplication::focusWidget(), text);
        }
        { // not found: told, caret stays, the text takes the focus all the same
            editor.find()->setFocus();
            editor.choose(QStringLiteral("general"));
            QCOMPARE(messages.size(), 1);
            QCOMPARE(describe(messages[0]),
                     QStringLiteral(" Nerax-Attenzione|Stringa non trovata|error"));
            QCOMPARE(messages[0].parent, static_cast<QWidget *>(&editor.window));
            QCOMPARE(text->textCursor().position(), 27);
            QCOMPARE(QApplication::focusWidget(), text);
        }
        { // a selection limits the search to itself
            QTextCursor cursor = text->textCursor();
            cursor.setPosition(0);
            cursor.setPosition(30, QTextCursor::KeepAnchor);
            text->setTextCursor(cursor);
            editor.choose(QStringLiteral("samples"));
            QCOMPARE(messages.size(), 2);
        }
        { // typing an entry searches neither on Enter nor on leaving the field
            text->setSelStart(0);
            editor.find()->setFocus();
            editor.find()->setEditText(QString());
            QTest::keyClicks(editor.find(), QStringLiteral("program"));
            QTest::keyClick(editor.find(), Qt::Key_Return);
            QTest::keyClick(editor.find(), Qt::Key_Tab);
            QCOMPARE(text->textCursor().position(), 0);
            QCOMPARE(messages.size(), 2);
            QCOMPARE(editor.find()->count(), 13);
        }
        { // a choice with the mouse
            editor.find()->showPopup();
            QAbstractItemView *list = editor.find()->view();
            QVERIFY(QTest::qWaitFor([&] { return list->isVisible(); }));
            const QRect item = list->visualRect(list->model()->index(12, 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
            static_cast<void>(QTest::qWaitFor([&] { return text->textCursor().position() == 43; }));
            QCOMPARE(text->textCursor().position(), 43);
        }
        { // the search sees the edits
            text->setSelStart(0);
            QTest::keyClicks(text, QStringLiteral("samples "));
            editor.choose(QStringLiteral("samples"));
            QCOMPARE(text->textCursor().position(), 0);
        }
    }

    void keyboardLeavesTheTextWithCtrlTab()
    {
        const QByteArray bytes("general\r\nz80\r\n");
        Editor editor(bytes, QStringLiteral("English"));
        QVERIFY(editor.loaded);
        editor.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor.window));
        const auto name = [](QWidget *control) {
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control);
            return iface ? iface->text(QAccessible::Name) : QString();
        };
        QCOMPARE(name(editor.text()), QStringLiteral("game.drv"));
        QCOMPARE(name(editor.find()), QStringLiteral("Go to..."));
        const QString before = editor.text()->text();
        const auto focusAfter = [&](int key, Qt::KeyboardModifiers modifiers) {
            editor.text()->setFocus();
            QTest::keyClick(editor.text(), static_cast<Qt::Key>(key), modifiers);
            return QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                               : QString();
        };
        // On to the go-to list, back to the button before the text; X11 sends Shift+Tab as
        // Backtab, other systems as Tab with Shift.
        QCOMPARE(focusAfter(Qt::Key_Tab, Qt::ControlModifier), QStringLiteral("cboFind"));
        QCOMPARE(focusAfter(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier),
                 QStringLiteral("cmdAnnulla"));
        QCOMPARE(focusAfter(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier),
                 QStringLiteral("cmdAnnulla"));
        QCOMPARE(editor.text()->text(), before);
        QCOMPARE(focusAfter(Qt::Key_Tab, Qt::NoModifier), QStringLiteral("txtDriver"));
        QCOMPARE(editor.text()->text(), QLatin1Char('\t') + before); // Tab is still typed
        QCOMPARE(editor.file(), bytes);
    }

    void failedSaveIsToldAndKeepsTheText()
    {
        Editor editor("general\r\n");
        const QList<FakePlatform::Message> &messages = editor.platform.messages;
        { // a character that one byte cannot hold would be lost
            editor.text()->setPlainText(QStringLiteral("prezzo 5 \u20ac"));
            editor.save();
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages[0].text.contains(u'\u20ac'), qPrintable(messages[0].text));
            QCOMPARE(editor.file(), QByteArray("general\r\n"));
        }
        {
            editor.text()->setPlainText(QStringLiteral("changed"));
            const QString path = editor.app.driver(QStringLiteral("game.drv"));
            QFile::setPermissions(path, QFile::ReadOwner);
            editor.save();
            QCOMPARE(messages.size(), 2);
            QCOMPARE(
                describe(messages[1]),
                QStringLiteral("Errore|Impossibile salvare %1: il file è di sola lettura|error")
                    .arg(QDir::toNativeSeparators(path)));
            QCOMPARE(editor.file(), QByteArray("general\r\n"));
            QCOMPARE(editor.text()->toPlainText(), QStringLiteral("changed"));
        }
    }

    void openLoadsOnceAndCloseDropsTheWindow()
    {
        AppFolder app(QStringLiteral("DRV"));
        app.write(QStringLiteral("GAME1.DRV"), "first");
        app.write(QStringLiteral("game2.drv"), "second");
        FakePlatform platform;
        const auto open = [&](const char *name, const char *language) {
            openDriverEditor(platform, app.dir.path(), QString::fromLatin1(name),
                             QString::fromLatin1(language));
            return QPointer<frmDriver>(openEditor());
        };
        const auto text = [](frmDriver *editor) {
            return editor->findChild<RichTextBox *>(QStringLiteral("txtDriver"));
        };
        // The three texts of the language, without access keys; the list shows none of its entries.
        const auto texts = [](frmDriver *editor) -> QString {
            const auto *find = editor->findChild<QComboBox *>(QStringLiteral("cboFind"));
            return QString::number(find->currentIndex()) + u'|' + find->currentText() + u'|' +
                   editor->findChild<QPushButton *>(QStringLiteral("cmdSalva"))->text() + u'|' +
                   editor->findChild<QPushButton *>(QStringLiteral("cmdAnnulla"))->text();
        };
        {
            QVERIFY(!open("", "Italiano"));
            QVERIFY(!open("none.drv", "Italiano"));
            QCOMPARE(platform.messages.size(), 1);
            QCOMPARE(describe(platform.messages[0]),
                     QStringLiteral("Errore|Il driver non esiste|error"));
            QVERIFY2(!platform.messages[0].parent, "the editor goes without being shown");
        }
        // A selected GAME1.DRV is found whatever the case of the file and the folder.
        QCOMPARE(driverFileName(QStringLiteral("GAME1.DRV")), QStringLiteral("GAME1.drv"));
        QPointer<frmDriver> editor = open("GAME1.DRV", "Italiano");
        QVERIFY(editor);
        QVERIFY(editor->isVisible());
        QVERIFY(!editor->parentWidget());
        { // sizable, with a minimize box and no maximize box
            const Qt::WindowFlags flags = editor->windowFlags();
            QVERIFY(flags & Qt::WindowMinimizeButtonHint);
            QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
            QCOMPARE(editor->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        }
        QCOMPARE(editor->driverPath(), app.driver(QStringLiteral("GAME1.DRV")));
        QCOMPARE(texts(editor), QStringLiteral("-1|Vai a...|Salva|Annulla"));
        { // opening again neither reloads nor follows the new selection, but shows the window
            text(editor)->setPlainText(QStringLiteral("edited"));
            editor->setWindowState(Qt::WindowMinimized);
            QCOMPARE(open("game2.drv", "English").data(), editor.data());
            QCOMPARE(text(editor)->toPlainText(), QStringLiteral("edited"));
            QVERIFY(!editor->isMinimized());
        }
        // Esc from any control, or the button, closes at once and the next open loads afresh.
        for (const char *control : {"txtDriver", "cboFind", "cmdAnnulla"}) {
            QWidget *widget = editor->findChild<QWidget *>(QLatin1String(control));
            if (auto *button = qobject_cast<QPushButton *>(widget))
                button->click();
            else
                QTest::keyClick(widget, Qt::Key_Escape);
            QVERIFY(QTest::qWaitFor([&] { return !editor; }));
            editor = open("game2.drv", "English");
            QVERIFY(editor);
            QCOMPARE(text(editor)->toPlainText(), QStringLiteral("second"));
            QCOMPARE(texts(editor), QStringLiteral("-1|Go to...|Save|Cancel"));
            text(editor)->setPlainText(QStringLiteral("unsaved"));
        }
        editor->close();
        QVERIFY(QTest::qWaitFor([&] { return !editor; }));
        QCOMPARE(app.read(QStringLiteral("GAME1.DRV")), QByteArray("first"));
        QCOMPARE(app.read(QStringLiteral("game2.drv")), QByteArray("second"));
        QCOMPARE(platform.messages.size(), 1);
    }
};

QTEST_MAIN(TestDriverEditor)
#include "test_driver_editor.moc"
