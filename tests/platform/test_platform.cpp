#include "display_choice.h"
#include "paths.h"
#include "platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>

namespace {

void touch(const QString &path, const QByteArray &content = {})
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

ino_t inodeOf(const QString &path)
{
    struct stat status = {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

} // namespace

class TestPlatform : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void resolvesFixedNamesWhateverTheirCase()
    {
        QTemporaryDir dir;
        const QString root = dir.path();
        { // an upper-case copy from DOS is found
            touch(root + QStringLiteral("/CALICE.EXE"));
            QCOMPARE(resolvePath(root, QStringLiteral("calice.exe")),
                     root + QStringLiteral("/CALICE.EXE"));
        }
        { // the exact name wins over another case
            touch(root + QStringLiteral("/nerax.cfg"));
            touch(root + QStringLiteral("/NERAX.CFG"));
            QCOMPARE(resolvePath(root, QStringLiteral("nerax.cfg")),
                     root + QStringLiteral("/nerax.cfg"));
        }
        { // each part of a nested path is resolved
            QVERIFY(QDir(root).mkdir(QStringLiteral("IMAGES")));
            touch(root + QStringLiteral("/IMAGES/pacman.JPG"));
            QCOMPARE(resolvePath(root, QStringLiteral("images/pacman.jpg")),
                     root + QStringLiteral("/IMAGES/pacman.JPG"));
        }
        { // nothing matches: the path as written
            QCOMPARE(resolvePath(root, QStringLiteral("drv/x.drv")),
                     root + QStringLiteral("/drv/x.drv"));
        }
    }

    void saveReplacesWholeAndKeepsReadOnlyFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("nerax.cfg"));
        QString reason;
        {
            QVERIFY(saveFileSafely(path, "first", &reason));
            QVERIFY(saveFileSafely(path, "second", &reason));
            QCOMPARE(readAll(path), QByteArray("second"));
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary left
        }
        { // read-only even for root: the permission bits decide
            QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
            QVERIFY(!saveFileSafely(path, "third", &reason));
            QVERIFY(!reason.isEmpty());
            QCOMPARE(readAll(path), QByteArray("second"));
        }
        { // a read-only folder gains no name, but its writable file is written over in place
            const QString sub = dir.filePath(QStringLiteral("locked"));
            QVERIFY(QDir().mkdir(sub));
            const QString kept = sub + QStringLiteral("/kept.cfg");
            touch(kept, "old content");
            const ino_t inode = inodeOf(kept);
            QFile::setPermissions(sub, QFile::ReadOwner | QFile::ExeOwner);
            QVERIFY(!saveFileSafely(sub + QStringLiteral("/new.cfg"), "x", &reason));
            QVERIFY(!QFile::exists(sub + QStringLiteral("/new.cfg")));
            QVERIFY2(saveFileSafely(kept, "new", &reason), qPrintable(reason));
            QCOMPARE(readAll(kept), QByteArray("new"));
            QCOMPARE(inodeOf(kept), inode);
            QCOMPARE(QDir(sub).entryList(QDir::Files | QDir::Hidden),
                     QStringList{QStringLiteral("kept.cfg")});
            QFile::setPermissions(sub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }

    void realMessageBoxShowsTitleTextAndIcon()
    {
        QtPlatform platform;
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->windowTitle(), QStringLiteral("Errore!"));
            QCOMPARE(box->text(), QStringLiteral("Calice.exe non trovato"));
            QCOMPARE(box->icon(), QMessageBox::Critical);
            QCOMPARE(box->standardButtons(), QMessageBox::Ok);
            seen = true;
            box->accept();
        });
        platform.messageBox(QStringLiteral("Calice.exe non trovato"), QStringLiteral("Errore!"),
                            MessageIcon::Error, nullptr);
        QVERIFY(seen);
    }

    void bothBoxesStandOverTheirWindowAndWaitForOk()
    {
        QWidget window;
        window.resize(400, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (const bool sizable : {false, true}) {
            const QString text = QStringLiteral("Stringa non trovata");
            QDialog *box = newMessageBox(text, QStringLiteral(" Nerax-Attenzione"),
                                         MessageIcon::Error, &window, sizable);
            bool seen = false;
            QTimer::singleShot(0, this, [&] {
                QCOMPARE(QApplication::activeModalWidget(), box);
                QCOMPARE(box->parentWidget(), &window);
                QVERIFY(box->isWindow());
                QCOMPARE(box->windowModality(), Qt::ApplicationModal);
                QCOMPARE(box->windowTitle(), QStringLiteral(" Nerax-Attenzione"));
                const auto buttons = box->findChildren<QAbstractButton *>();
                QCOMPARE(buttons.size(), 1);
                QCOMPARE(qobject_cast<QDialogButtonBox *>(buttons[0]->parentWidget())
                             ->standardButton(buttons[0]),
                         QDialogButtonBox::Ok);
                if (auto *message = qobject_cast<QMessageBox *>(box)) {
                    QVERIFY(!sizable);
                    QCOMPARE(message->text(), text);
                    QCOMPARE(message->icon(), QMessageBox::Critical);
                } else {
                    QVERIFY(sizable);
                    QCOMPARE(box->findChild<QLabel *>(QStringLiteral("text"))->text(), text);
                    const QImage shown =
                        box->findChild<QLabel *>(QStringLiteral("icon"))->pixmap().toImage();
                    const QIcon error = box->style()->standardIcon(QStyle::SP_MessageBoxCritical);
                    QCOMPARE(shown, error.pixmap(shown.size()).toImage());
                    // A compositor's maximize is taken, not refused.
                    box->resize(900, 700);
                    QCOMPARE(box->size(), QSize(900, 700));
                }
                seen = true;
                buttons[0]->click();
            });
            box->exec();
            QVERIFY(seen);
            delete box;
        }
    }

    void x11IsPreferredUnlessTheUserChose_data()
    {
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("chosen");
        const QByteArray preferred("xcb;wayland");
        // WAYLAND_DISPLAY plays no part: an X display named is reason enough to try it first.
        QTest::newRow("X and Wayland") << QByteArray() << QByteArray(":0")
                                       << QStringList{QStringLiteral("/emu")} << preferred;
        QTest::newRow("Wayland only: Qt's choice")
            << QByteArray() << QByteArray() << QStringList() << QByteArray();
        QTest::newRow("QT_QPA_PLATFORM") << QByteArray("wayland") << QByteArray(":0")
                                         << QStringList() << QByteArray();
        QTest::newRow("-platform") << QByteArray() << QByteArray(":0")
                                   << QStringList{QStringLiteral("-platform"),
                                                  QStringLiteral("wayland")}
                                   << QByteArray();
        QTest::newRow("--platform after the folder")
            << QByteArray() << QByteArray(":1")
            << QStringList{QStringLiteral("/emu"), QStringLiteral("--platform"),
                           QStringLiteral("wayland")}
            << QByteArray();
        // Qt takes a last -platform without a name as no choice at all.
        QTest::newRow("-platform without a name") << QByteArray() << QByteArray(":0")
                                                  << QStringList{QStringLiteral("-platform")}
                                                  << preferred;
        QTest::newRow("-platformtheme") << QByteArray() << QByteArray(":0")
                                        << QStringList{QStringLiteral("-platformtheme"),
                                                       QStringLiteral("gtk3")}
                                        << preferred;
    }

    void x11IsPreferredUnlessTheUserChose()
    {
        QFETCH(QByteArray, variable);
        QFETCH(QByteArray, display);
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, chosen);
        QList<QByteArray> bytes{QByteArrayLiteral("nerax")};
        for (const QString &argument : arguments)
            bytes.append(argument.toLocal8Bit());
        QList<const char *> argv;
        for (const QByteArray &argument : bytes)
            argv.append(argument.constData());
        QCOMPARE(preferredQtPlatform(variable, display, int(argv.size()), argv.constData()),
                 chosen);
    }

    void startReportsWhyItFailed()
    {
        QtPlatform platform;
        QTemporaryDir dir;
        QString reason;
        QVERIFY(!platform.startProgram(dir.filePath(QStringLiteral("calice.exe")), {}, dir.path(),
                                       &reason));
        QVERIFY(!reason.isEmpty());
        reason.clear();
        const QString notProgram = dir.filePath(QStringLiteral("text.exe"));
        touch(notProgram, "just text\n");
        QVERIFY(!platform.startProgram(notProgram, {}, dir.path(), &reason));
        QVERIFY2(!reason.isEmpty(), "a file that is not a program is reported with a reason");
    }
};

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
