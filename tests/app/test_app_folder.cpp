#include "app_folder.h"
#include "fake_platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

void touch(const QString &path)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

QString emulatorFolder(const QString &path)
{
    touch(path + QStringLiteral("/CALICE.EXE")); // a copy from DOS keeps its upper case
    return path;
}

} // namespace

class TestAppFolder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void installedCopyAsksOnceAndRemembers()
    {
        QTemporaryDir dir;
        const QString root = dir.path();
        // Each run remembers into its own configuration folder, never the user's.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + QStringLiteral("/config")));
        qputenv("HOME", QFile::encodeName(root + QStringLiteral("/home")));
        QVERIFY(QDir().mkpath(root + QStringLiteral("/home")));
        const QString installed = root + QStringLiteral("/prefix/bin");
        touch(root + QStringLiteral("/prefix/share/applications/" NERAX_APP_ID ".desktop"));
        QVERIFY(QDir().mkpath(installed));
        const QString first = emulatorFolder(root + QStringLiteral("/first"));
        const QString second = emulatorFolder(root + QStringLiteral("/second"));
        const QString empty = root + QStringLiteral("/empty");
        QVERIFY(QDir().mkpath(empty));

        { // any other copy: its own folder or the named one, no dialog, nothing remembered
            FakePlatform platform;
            const QString own = emulatorFolder(root + QStringLiteral("/portable"));
            QCOMPARE(appFolder(platform, own, QString()), std::optional<QString>(own));
            QCOMPARE(appFolder(platform, root + QStringLiteral("/elsewhere"), QString()),
                     std::optional<QString>(root + QStringLiteral("/elsewhere")));
            QCOMPARE(appFolder(platform, own, first), std::optional<QString>(first));
            // Other programs' menu entries beside it do not make it an installed copy.
            const QString usrBin = emulatorFolder(root + QStringLiteral("/usr/bin"));
            touch(root + QStringLiteral("/usr/share/applications/other.desktop"));
            QCOMPARE(appFolder(platform, usrBin, QString()), std::optional<QString>(usrBin));
            QVERIFY(platform.folderDialogs.isEmpty());
            QVERIFY(!QFile::exists(lastFolderFile()));
        }
        { // the first start asks, from the home folder, in Italian
            FakePlatform platform;
            platform.chosenFolder = first + QStringLiteral("/drv/.."); // the dialog's own spelling
            QCOMPARE(appFolder(platform, installed, QString()), std::optional<QString>(first));
            QCOMPARE(platform.folderDialogs.size(), 1);
            QCOMPARE(platform.folderDialogs[0].title,
                     QStringLiteral("Scegli la cartella del Calice"));
            QCOMPARE(platform.folderDialogs[0].start, root + QStringLiteral("/home"));
        }
        { // the next start opens it without asking
            FakePlatform platform;
            QCOMPARE(appFolder(platform, installed + QStringLiteral("/"), QString()),
                     std::optional<QString>(first));
            QVERIFY(platform.folderDialogs.isEmpty());
        }
        { // a folder opened by name becomes the last one; one without calice.exe does not
            FakePlatform platform;
            QCOMPARE(appFolder(platform, installed, second), std::optional<QString>(second));
            QCOMPARE(appFolder(platform, installed, empty), std::optional<QString>(empty));
            QCOMPARE(appFolder(platform, installed, QString()), std::optional<QString>(second));
            QVERIFY(platform.folderDialogs.isEmpty());
        }
        { // cancelled: nothing to run on, and the last folder is kept
            QFile::remove(second + QStringLiteral("/CALICE.EXE"));
            FakePlatform platform;
            QCOMPARE(appFolder(platform, installed, QString()), std::nullopt);
            QCOMPARE(platform.folderDialogs.size(), 1);
            QCOMPARE(platform.folderDialogs[0].start, second); // still there, so it starts there
        }
        { // a chosen folder without calice.exe is run on (the window then says so), not kept
            FakePlatform platform;
            platform.chosenFolder = empty;
            QCOMPARE(appFolder(platform, installed, QString()), std::optional<QString>(empty));
            emulatorFolder(second);
            platform.chosenFolder.clear();
            QCOMPARE(appFolder(platform, installed, QString()), std::optional<QString>(second));
            QCOMPARE(platform.folderDialogs.size(), 1);
        }
        { // the last folder gone: asked again, from the home folder
            QVERIFY(QDir(second).removeRecursively());
            FakePlatform platform;
            platform.chosenFolder = first;
            QCOMPARE(appFolder(platform, installed, QString()), std::optional<QString>(first));
            QCOMPARE(platform.folderDialogs.size(), 1);
            QCOMPARE(platform.folderDialogs[0].start, root + QStringLiteral("/home"));
            QCOMPARE(appFolder(platform, installed, QString()), std::optional<QString>(first));
            QCOMPARE(platform.folderDialogs.size(), 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestAppFolder)
#include "test_app_folder.moc"
