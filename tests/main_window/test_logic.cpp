#include "command_line.h"
#include "driver_list.h"
#include "launch.h"
#include "preview.h"
#include "settings.h"
#include "test_support.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

QStringList listed(const DriverNames &names)
{
    QStringList result;
    for (qsizetype i = 0; i < names.size(); ++i)
        result.append(names.at(i));
    return result;
}

// What the list showed when it was Qt's own file iterator and a QString sort: the entries and
// the order the byte-level scan must reproduce. A name that is not UTF-8 comes back from Qt as
// another name, of a file that does not exist; Qt 6.4's iterator drops it, and so does the list.
QStringList qtDriverList(const QString &folder)
{
    QStringList names;
    QDirIterator it(folder, {QStringLiteral("*.drv")}, QDir::Files);
    while (it.hasNext()) {
        it.next();
        if (QFileInfo::exists(it.filePath()))
            names.append(it.fileName());
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

// A folder entry named by raw bytes, which need not be valid UTF-8.
enum class Entry { File, Folder, LinkToFile, LinkToFolder, BrokenLink, Fifo };

bool makeEntry(const QByteArray &folder, const QByteArray &name, Entry kind)
{
    const QByteArray path = folder + '/' + name;
    switch (kind) {
    case Entry::File: {
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        return fd >= 0 && ::close(fd) == 0;
    }
    case Entry::Folder:
        return ::mkdir(path.constData(), 0755) == 0;
    case Entry::LinkToFile: {
        const QByteArray target = "target " + name;
        return makeEntry(folder, target, Entry::File) &&
               ::symlink(target.constData(), path.constData()) == 0;
    }
    case Entry::LinkToFolder:
        return ::symlink(".", path.constData()) == 0;
    case Entry::BrokenLink:
        return ::symlink("nowhere", path.constData()) == 0;
    case Entry::Fifo:
        return ::mkfifo(path.constData(), 0644) == 0;
    }
    return false;
}

// QTemporaryDir cannot remove what it cannot name, so the raw names go by their bytes.
void removeEntries(const QByteArray &folder)
{
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != ".." && ::unlinkat(dirfd(dir), name.constData(), 0) != 0)
            ::unlinkat(dirfd(dir), name.constData(), AT_REMOVEDIR);
    }
    ::closedir(dir);
}

} // namespace

class TestLogic : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void composesInFixedOrderWhateverTheClickOrder()
    {
        {
            CommandLine line;
            line.setCheck(CommandLine::Sound, true);
            line.setCheck(CommandLine::NoCheck, true);
            line.setFrameskip(QStringLiteral("2"));
            line.setResolution(3);
            line.setDriverBaseName(QStringLiteral("pacman"));
            QCOMPARE(line.compose(),
                     QStringLiteral(" pacman -400x300VESA2 -frameskip 2 -nocheck -sound"));
        }
        {
            CommandLine line;
            line.setCheck(CommandLine::Swap, true);
            line.setResolution(1);
            QCOMPARE(line.compose(), QStringLiteral(" -320x320 -swap"));
        }
        {
            CommandLine line;
            QCOMPARE(line.compose(), QString());
            line.setFrameskip(QStringLiteral("0"));
            QCOMPARE(line.compose(), QStringLiteral(" -frameskip 0"));
        }
        { // everything, set in reverse order, and a tick taken back
            CommandLine line;
            for (int check = CommandLine::Profile; check >= CommandLine::NoCheck; --check)
                line.setCheck(static_cast<CommandLine::Check>(check), true);
            line.setCheck(CommandLine::Sync, false);
            line.setFrameskip(QStringLiteral("9"));
            line.setResolution(5);
            line.setDriverBaseName(QStringLiteral("neo.geo"));
            QCOMPARE(line.compose(), QStringLiteral(" neo.geo -600x400 -frameskip 9 -nocheck -swap "
                                                    "-sound -debug -profile"));
        }
        { // an index without a button is stored but keeps the switch
            CommandLine line;
            line.setResolution(6);
            line.setResolution(9);
            QCOMPARE(line.resolutionIndex(), 9);
            QCOMPARE(line.compose(), QStringLiteral(" -256x256"));
        }
    }

    void namesDriversLikeTheList_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("baseName");
        QTest::newRow("plain") << QStringLiteral("pacman.drv") << QStringLiteral("pacman");
        QTest::newRow("several dots") << QStringLiteral("neo.geo.drv") << QStringLiteral("neo.geo");
        QTest::newRow("upper case kept")
            << QStringLiteral("PACMAN.DRV") << QStringLiteral("PACMAN");
        QTest::newRow("no dot") << QStringLiteral("pacman") << QStringLiteral("pacman");
        QTest::newRow("last character never the dot")
            << QStringLiteral("odd.") << QStringLiteral("odd.");
        QTest::newRow("empty") << QStringLiteral("") << QStringLiteral("");
    }
    void namesDriversLikeTheList()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, baseName);
        QCOMPARE(driverBaseName(fileName), baseName);
    }

    void splitsTheCommandStringWithoutAShell_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        const QString exe = QStringLiteral("/home/me/my emu/calice.exe");
        QTest::newRow("options") << QStringLiteral(" pacman -320x320 -sound") << exe
                                 << QStringList{QStringLiteral("pacman"),
                                                QStringLiteral("-320x320"),
                                                QStringLiteral("-sound")};
        QTest::newRow("empty: no arguments") << QStringLiteral("") << exe << QStringList{};
        QTest::newRow("glued text joins the name")
            << QStringLiteral("x -sound") << exe + QLatin1Char('x')
            << QStringList{QStringLiteral("-sound")};
        QTest::newRow("quotes group")
            << QStringLiteral(" \"my game\" -sync") << exe
            << QStringList{QStringLiteral("my game"), QStringLiteral("-sync")};
        QTest::newRow("shell text stays literal")
            << QStringLiteral(" $(touch PWNED) a;b `x` a|b") << exe
            << QStringList{QStringLiteral("$(touch"), QStringLiteral("PWNED)"),
                           QStringLiteral("a;b"), QStringLiteral("`x`"), QStringLiteral("a|b")};
    }
    void splitsTheCommandStringWithoutAShell()
    {
        QFETCH(QString, text);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        const LaunchCommand command =
            splitLaunchCommand(QStringLiteral("/home/me/my emu/calice.exe"), text);
        QCOMPARE(command.program, program);
        QCOMPARE(command.arguments, arguments);
    }

    void writesTheSettingsFileByteForByte()
    {
        {
            const QByteArray empty = serializeSettings(Settings());
            QCOMPARE(empty,
                     QByteArray(
                         "0\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n"));
            QCOMPARE(empty.size(), 35);
        }
        {
            Settings s;
            s.resolutionIndex = 3;
            s.noCheck = QStringLiteral(" -nocheck");
            s.sound = QStringLiteral(" -sound");
            s.frameskip = QStringLiteral("2");
            s.language = QStringLiteral("italiano");
            QCOMPARE(serializeSettings(s), exampleSettings());
            QCOMPARE(serializeSettings(s).size(), 60);
            Settings back;
            parseSettings(serializeSettings(s), &back);
            QVERIFY(back == s);
        }
        { // values the program never writes itself still come back unchanged, bytes included
            Settings s;
            s.resolutionIndex = 255;
            s.frameskip = QStringLiteral("12");
            s.language = QString::fromLatin1("klingon \xE0\xF9");
            Settings back;
            parseSettings(serializeSettings(s), &back);
            QVERIFY(back == s);
        }
    }

    void readsMalformedSettingsLeniently_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("noCheck");
        QTest::addColumn<QString>("frameskip");
        QTest::addColumn<QString>("language");
        QTest::newRow("LF line ends")
            << QByteArray("3\n\" -nocheck\"\n\"\"\n\"\"\n\"\"\n\"\"\n\"2\"\n\"\"\n\"inglese\"\n")
            << 3 << QStringLiteral(" -nocheck") << QStringLiteral("2") << QStringLiteral("inglese");
        QTest::newRow("no quotes")
            << QByteArray("2\r\nx\r\n\r\n\r\n\r\n\r\n7\r\n\r\ninglese\r\n") << 2
            << QStringLiteral("x") << QStringLiteral("7") << QStringLiteral("inglese");
        QTest::newRow("missing closing quote")
            << QByteArray("1\r\n\"x\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"4\r\n") << 1
            << QStringLiteral("x") << QStringLiteral("4") << QStringLiteral("");
        QTest::newRow("three lines")
            << QByteArray("4\r\n\"a\"\r\n\"b\"\r\n") << 4 << QStringLiteral("a")
            << QStringLiteral("") << QStringLiteral("");
        QTest::newRow("index not a number")
            << QByteArray("three\r\n\"y\"\r\n") << 0 << QStringLiteral("y") << QStringLiteral("")
            << QStringLiteral("");
        QTest::newRow("index too large")
            << QByteArray("256\r\n\"y\"\r\n") << 0 << QStringLiteral("y") << QStringLiteral("")
            << QStringLiteral("");
        QTest::newRow("index negative") << QByteArray("-1\r\n") << 0 << QStringLiteral("")
                                        << QStringLiteral("") << QStringLiteral("");
        QTest::newRow("extra lines")
            << (exampleSettings() + "\"more\"\r\n9\r\n") << 3 << QStringLiteral(" -nocheck")
            << QStringLiteral("2") << QStringLiteral("italiano");
        QTest::newRow("binary") << QByteArray("\x00\xFF\xFE\r\n\x01\x02", 7) << 0
                                << QString::fromLatin1("\x01\x02") << QStringLiteral("")
                                << QStringLiteral("");
        QTest::newRow("empty") << QByteArray() << 0 << QStringLiteral("") << QStringLiteral("")
                               << QStringLiteral("");
    }
    void readsMalformedSettingsLeniently()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, index);
        QFETCH(QString, noCheck);
        QFETCH(QString, frameskip);
        QFETCH(QString, language);
        Settings s;
        parseSettings(content, &s);
        QCOMPARE(s.resolutionIndex, index);
        QCOMPARE(s.noCheck, noCheck);
        QCOMPARE(s.frameskip, frameskip);
        QCOMPARE(s.language, language);
    }

    void readsOnlyTheHeadOfAHugeSettingsFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("nerax.cfg"));
        writeFile(path, exampleSettings() + QByteArray(8 * 1024 * 1024, '\xAB'));
        Settings s;
        readSettingsFile(path, &s);
        QCOMPARE(s.resolutionIndex, 3);
        QCOMPARE(s.language, QStringLiteral("italiano"));
        Settings missing;
        readSettingsFile(dir.filePath(QStringLiteral("absent.cfg")), &missing);
        QVERIFY(missing == Settings());
    }

    void listsDriverFilesOnly()
    {
        QTemporaryDir dir;
        for (const char *name : {"zeta.drv", "Alpha.DRV", "beta.Drv", "readme.txt", "drv",
                                 ".hidden.drv", "gamma.drv.bak", "$(touch PWNED).drv"})
            writeFile(dir.filePath(QLatin1String(name)), "x");
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.drv")));
        QCOMPARE(listed(scanDrivers(dir.path())),
                 (QStringList{QStringLiteral("$(touch PWNED).drv"), QStringLiteral("Alpha.DRV"),
                              QStringLiteral("beta.Drv"), QStringLiteral("zeta.drv")}));
        QCOMPARE(listed(scanDrivers(dir.filePath(QStringLiteral("missing")))), QStringList());
    }

    // Names are sorted as bytes when they are ASCII and decoded only for display, so any folder
    // must list exactly what Qt's iterator and a QString sort listed, in the same order.
    void listsAndOrdersDriversAsQtDoes()
    {
        // Pieces chosen where byte and QString orders could part: the signs between 'Z' and 'a',
        // letters whose case folds beyond ASCII (Kelvin sign, long s, dotless i, final sigma,
        // Deseret letters beyond UTF-16's first plane), and bytes that are not UTF-8.
        const QByteArrayList ascii =
            QByteArray("a|B|c|Z|z|0|9|_|[|^|`|{|~|@|-| |.|'|pac|PAC|Man|neo.geo|street fighter ")
                .split('|');
        const QByteArrayList wide = {
            "\xc3\xa9",         "\xc3\x89",         "\xc3\x9f",         "\xe1\xba\x9e",
            "\xc4\xb1",         "\xc4\xb0",         "\xcf\x83",         "\xcf\x82",
            "\xce\xa3",         "\xe2\x84\xaa",     "\xc5\xbf",         "\xc2\xb5",
            "\xf0\x90\x90\x80", "\xf0\x90\x90\xa8", "\xf0\x9f\x98\x80", "\xc7\x85"};
        const QByteArrayList broken = {"\xff",         "\xfe",     "\xc3", "\xe2\x82",
                                       "\xed\xa0\x80", "\xc0\xaf", "\x80"};
        const QByteArrayList endings =
            QByteArray(".drv|.DRV|.Drv|.dRV|.drv.bak|.txt|.drvx|drv|.dr").split('|');
        for (unsigned seed = 1; seed <= 60; ++seed) {
            std::mt19937 random(seed);
            const auto below = [&](qsizetype size) {
                return std::uniform_int_distribution<qsizetype>(0, size - 1)(random);
            };
            const auto pick = [&](const QByteArrayList &from) { return from[below(from.size())]; };
            const auto chance = [&](int percent) {
                return std::uniform_int_distribution<int>(0, 99)(random) < percent;
            };
            // A third of the folders are all ASCII, the common case; the rest mix in more.
            const int widePercent = seed % 3 == 0 ? 0 : 15;
            const int brokenPercent = seed % 3 == 0 ? 0 : 6;
            QTemporaryDir dir;
            const QByteArray folder = QFile::encodeName(dir.path());
            const auto cleanUp = qScopeGuard([&] { removeEntries(folder); });
            QByteArrayList made;
            QList<std::pair<QByteArray, Entry>> undecodable;
            for (int n = 0; n < 80; ++n) {
                QByteArray name;
                if (!made.empty() && chance(20)) {
                    // The same name in another case, or a longer one sharing its start.
                    name = made[below(made.size())];
                    name = chance(50) ? name.toUpper() : name.chopped(4) + pick(ascii);
                } else {
                    const int pieces = std::uniform_int_distribution<int>(1, 6)(random);
                    for (int p = 0; p < pieces; ++p)
                        name += chance(widePercent)     ? pick(wide)
                                : chance(brokenPercent) ? pick(broken)
                                                        : pick(ascii);
                }
                name += chance(80) ? pick(endings).left(4) : pick(endings);
                if (chance(3))
                    name.prepend('.');
                const int kind = std::uniform_int_distribution<int>(0, 99)(random);
                const Entry entry = kind < 85   ? Entry::File
                                    : kind < 89 ? Entry::Folder
                                    : kind < 93 ? Entry::LinkToFile
                                    : kind < 95 ? Entry::LinkToFolder
                                    : kind < 97 ? Entry::BrokenLink
                                                : Entry::Fifo;
                if (made.contains(name) || name.startsWith("target ") || name.contains('/'))
                    continue;
                made.push_back(name);
                if (QFile::encodeName(QFile::decodeName(name)) != name)
                    undecodable.push_back({name, entry});
                else
                    QVERIFY2(makeEntry(folder, name, entry), name.toHex().constData());
            }
            // Qt 6.8's iterator stops at the first name that is not UTF-8, so the list is
            // compared with Qt's list of the folder before those names are added: they are left
            // out and must not disturb the others.
            const QStringList expected = qtDriverList(dir.path());
            QVERIFY2(expected.size() > 20, "too few drivers to say anything");
            for (const auto &[name, entry] : undecodable)
                QVERIFY2(makeEntry(folder, name, entry), name.toHex().constData());
            const QStringList actual = listed(scanDrivers(dir.path()));
            QVERIFY2(actual == expected, qPrintable(QStringLiteral("seed %1:\n%2\nexpected:\n%3")
                                                        .arg(seed)
                                                        .arg(actual.join(QLatin1Char('|')),
                                                             expected.join(QLatin1Char('|')))));
        }
    }

    void decodesPreviewsAtTheBoxSizeOrNotAtAll()
    {
        QTemporaryDir dir;
        const QSize box(167, 135);
        QImage picture(800, 600, QImage::Format_RGB32);
        picture.fill(Qt::darkRed);
        const QString jpeg = dir.filePath(QStringLiteral("whole.jpg"));
        QVERIFY(picture.save(jpeg, "JPEG"));
        {
            QCOMPARE(loadPreview(jpeg, box).size(), box);
            const QImage sharp = loadPreview(jpeg, box, 1.5);
            QCOMPARE(sharp.size(), QSize(251, 203));
            QCOMPARE(sharp.devicePixelRatio(), 1.5);
        }
        { // a picture of another format under the .jpg name is recognised by its content
            const QString png = dir.filePath(QStringLiteral("really-png.jpg"));
            QVERIFY(picture.save(png, "PNG"));
            QCOMPARE(loadPreview(png, box).size(), box);
        }
        { // cut off half-way
            const QByteArray whole = readFile(jpeg);
            const QString cut = dir.filePath(QStringLiteral("cut.jpg"));
            writeFile(cut, whole.left(whole.size() / 2));
            QVERIFY(loadPreview(cut, box).isNull());
        }
        { // whatever follows the end of a picture, even of one in several scans, is not looked at
            QImage noise(160, 120, QImage::Format_RGB32);
            QRandomGenerator random(5);
            for (int y = 0; y < noise.height(); ++y)
                random.fillRange(reinterpret_cast<quint32 *>(noise.scanLine(y)), noise.width());
            QBuffer buffer;
            QImageWriter writer(&buffer, "jpeg");
            writer.setProgressiveScanWrite(true);
            QVERIFY(writer.write(noise));
            // A thumbnail in the header ends with the same marker as the picture.
            const QByteArray exif = QByteArray::fromHex("FFE10012") + QByteArray("Exif\0\0", 6) +
                                    QByteArray::fromHex("FFD8FFDB0004FFD9FFD9");
            const QByteArray whole = buffer.data().left(2) + exif + buffer.data().mid(2);
            const QString padded = dir.filePath(QStringLiteral("padded.jpg"));
            writeFile(padded, whole + QByteArray(8192, '\xFF') + "\xFF\xD8 more");
            QCOMPARE(loadPreview(padded, box).size(), box);
            const QString cut = dir.filePath(QStringLiteral("cut-with-thumbnail.jpg"));
            writeFile(cut, whole.left(whole.size() / 2));
            QVERIFY(loadPreview(cut, box).isNull());
        }
        {
            const QString text = dir.filePath(QStringLiteral("text.jpg"));
            writeFile(text, "not a picture\n");
            QVERIFY(loadPreview(text, box).isNull());
            QVERIFY(loadPreview(dir.filePath(QStringLiteral("missing.jpg")), box).isNull());
            writeFile(dir.filePath(QStringLiteral("empty.jpg")), QByteArray());
            QVERIFY(loadPreview(dir.filePath(QStringLiteral("empty.jpg")), box).isNull());
        }
    }
};

int runLogicTests(int argc, char **argv)
{
    TestLogic test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_logic.moc"
