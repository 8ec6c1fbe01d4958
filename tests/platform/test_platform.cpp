#include "paths.h"
#include "platform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
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
                            MessageIcon::Error);
        QVERIFY(seen);
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
