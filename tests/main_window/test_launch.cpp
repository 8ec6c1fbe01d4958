#include "fake_platform.h"
#include "form1.h"
#include "launch.h"
#include "test_support.h"

#include <QBuffer>
#include <QCheckBox>
#include <QPushButton>
#include <QtEndian>

Q_DECLARE_METATYPE(ExecutableKind)

namespace {

// The 64 bytes of an MZ header whose offset at 0x3C holds newHeader, then what follows. The
// relocation table begins at relocations, past the header as in every Windows program.
QByteArray mz(quint32 newHeader, const QByteArray &rest = QByteArray(), quint16 relocations = 0x40)
{
    QByteArray bytes("MZ");
    bytes.resize(0x3C, '\0');
    qToLittleEndian(relocations, bytes.data() + 0x18);
    char offset[4];
    qToLittleEndian(newHeader, offset);
    return bytes + QByteArray(offset, 4) + rest;
}

// A program with the given first bytes in a folder of its own, and what is found on PATH.
struct Emulator
{
    QTemporaryDir dir;
    QMap<QString, QString> onPath{{QStringLiteral("dosbox"), QStringLiteral("/usr/bin/dosbox")},
                                  {QStringLiteral("wine"), QStringLiteral("/usr/bin/wine")}};
    QString path;
    explicit Emulator(const QByteArray &content, const char *name = "calice.exe")
        : path(dir.filePath(QLatin1String(name)))
    {
        writeFile(path, content);
    }
    LaunchPlan plan(const QString &text, const QString &appDir = QString())
    {
        return planLaunch(path, text, appDir.isEmpty() ? dir.path() : appDir,
                          [this](const QString &name) { return onPath.value(name); });
    }
    QStringList dosArguments(const QString &mounted, const QString &run) const
    {
        return {QStringLiteral("-noautoexec"),
                QStringLiteral("-c"),
                QStringLiteral("MOUNT C \"%1\"").arg(mounted),
                QStringLiteral("-c"),
                QStringLiteral("C:"),
                QStringLiteral("-c"),
                run,
                QStringLiteral("-c"),
                QStringLiteral("EXIT")};
    }
};

const QByteArray headerless("\x0E\x1F\xBA\x2E\x01\xB4\x3C\xCD\x21", 9);

} // namespace

class TestLaunch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tellsTheKindFromTheFirstBytes_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<ExecutableKind>("kind");
        const auto native = ExecutableKind::Native, windows = ExecutableKind::Windows,
                   dos = ExecutableKind::Dos;
        QTest::newRow("ELF") << QByteArray("\177ELF\x02\x01\x01") << native;
        QTest::newRow("script") << QByteArray("#!/bin/sh\nexit 0\n") << native;
        QTest::newRow("empty") << QByteArray() << dos;
        QTest::newRow("headerless image") << headerless << dos;
        QTest::newRow("MZ pointing at PE") << mz(0x40, QByteArray("PE\0\0L\x01", 6)) << windows;
        QTest::newRow("ZM pointing at PE")
            << ("ZM" + mz(0x40, QByteArray("PE\0\0", 4)).mid(2)) << windows;
        QTest::newRow("MZ pointing at NE") << mz(0x80, QByteArray(0x40, 'x') + "NE\x05") << windows;
        QTest::newRow("PE cut short") << mz(0x40, QByteArray("PE\0", 3)) << dos;
        QTest::newRow("MZ DOS executable") << mz(0, headerless) << dos;
        QTest::newRow("MZ pointing at LE (DOS extender)") << mz(0x40, "LE\0\0") << dos;
        QTest::newRow("offset past the end") << mz(0x1000, QByteArray("PE\0\0", 4)) << dos;
        QTest::newRow("MZ cut before 0x40") << mz(0x40).left(0x3E) << dos;
        // An old DOS header ends before 0x3C: whatever lies there is code or data, not an offset.
        QTest::newRow("short header pointing at NE")
            << mz(0x80, QByteArray(0x40, 'x') + "NE\x05", 0x3F) << dos;
        QTest::newRow("short header pointing at PE")
            << mz(0x40, QByteArray("PE\0\0", 4), 0x1C) << dos;
    }
    void tellsTheKindFromTheFirstBytes()
    {
        QFETCH(QByteArray, content);
        QFETCH(ExecutableKind, kind);
        QBuffer buffer(&content);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QCOMPARE(executableKind(buffer), kind);
    }

    void splitsAsWindowsDoes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("arguments");
        // Microsoft's own examples for its C runtime first.
        QTest::newRow("quoted blanks")
            << QStringLiteral("\"a b c\" d e")
            << QStringList{QStringLiteral("a b c"), QStringLiteral("d"), QStringLiteral("e")};
        QTest::newRow("escaped quote, two backslashes")
            << QStringLiteral("\"ab\\\"c\" \"\\\\\" d")
            << QStringList{QStringLiteral("ab\"c"), QStringLiteral("\\"), QStringLiteral("d")};
        QTest::newRow("backslashes before no quote")
            << QStringLiteral("a\\\\\\b d\"e f\"g h")
            << QStringList{QStringLiteral("a\\\\\\b"), QStringLiteral("de fg"),
                           QStringLiteral("h")};
        QTest::newRow("three backslashes and a quote")
            << QStringLiteral("a\\\\\\\"b c d")
            << QStringList{QStringLiteral("a\\\"b"), QStringLiteral("c"), QStringLiteral("d")};
        QTest::newRow("four backslashes and a quote")
            << QStringLiteral("a\\\\\\\\\"b c\" d e")
            << QStringList{QStringLiteral("a\\\\b c"), QStringLiteral("d"), QStringLiteral("e")};
        QTest::newRow("doubled quote inside quotes")
            << QStringLiteral("a\"b\"\" c d") << QStringList{QStringLiteral("ab\" c d")};
        QTest::newRow("what cmd.exe was given")
            << QStringLiteral(" /c echo x\"y z\"w \"\" \"C:\\dir\\\" end")
            << QStringList{QStringLiteral("/c"), QStringLiteral("echo"), QStringLiteral("xy zw"),
                           QString(), QStringLiteral("C:\\dir\" end")};
        QTest::newRow("blanks and tabs only") << QStringLiteral(" \t ") << QStringList();
        QTest::newRow("unclosed quote, trailing backslashes")
            << QStringLiteral("\ta\\ \"b \\\\")
            << QStringList{QStringLiteral("a\\"), QStringLiteral("b \\\\")};
    }
    void splitsAsWindowsDoes()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, arguments);
        QCOMPARE(splitWindowsCommandLine(text), arguments);
    }

    void plansEachKindWithItsRunner()
    {
        const QString text = QStringLiteral(" pacman -400x300VESA2 -sound \"q u\"");
        { // native, exactly as splitLaunchCommand, glued text naming no file included
            Emulator emu("#!/bin/sh\n");
            for (const QString &line : {text, QStringLiteral("x -sound"), QString()}) {
                const LaunchPlan plan = emu.plan(line);
                const LaunchCommand split = splitLaunchCommand(emu.path, line);
                QCOMPARE(plan.program, split.program);
                QCOMPARE(plan.arguments, split.arguments);
                QVERIFY(plan.refusal.isEmpty());
            }
        }
        { // DOS: the tail as typed, leading blank and quotes included
            Emulator emu(headerless);
            const LaunchPlan plan = emu.plan(text);
            QCOMPARE(plan.refusal, QString());
            QCOMPARE(plan.program, QStringLiteral("/usr/bin/dosbox"));
            QCOMPARE(plan.arguments,
                     emu.dosArguments(emu.dir.path(), QStringLiteral("calice.exe") + text));
            QCOMPARE(emu.plan(QString()).arguments,
                     emu.dosArguments(emu.dir.path(), QStringLiteral("calice.exe")));
        }
        { // the name as on disk; dosbox-x when there is no dosbox; a percent sign survives the
          // batch file DOSBox runs its commands from
            Emulator emu(mz(0), "CALICE.EXE");
            emu.onPath.remove(QStringLiteral("dosbox"));
            emu.onPath.insert(QStringLiteral("dosbox-x"), QStringLiteral("/opt/dosbox-x"));
            const LaunchPlan plan = emu.plan(QStringLiteral(" 100% -x"), QStringLiteral("/e%1/"));
            QCOMPARE(plan.program, QStringLiteral("/opt/dosbox-x"));
            QCOMPARE(plan.arguments, emu.dosArguments(QStringLiteral("/e%%1"),
                                                      QStringLiteral("CALICE.EXE 100%% -x")));
        }
        { // Windows: the path, glued text joined, then the arguments split as Windows does
            Emulator emu(mz(0x40, QByteArray("PE\0\0", 4)), "calice.exe.old");
            const QString emulatorPath = emu.dir.filePath(QStringLiteral("calice.exe"));
            const LaunchPlan plan = planLaunch(
                emulatorPath, QStringLiteral(".old pacman \"C:\\dir\\\" x"), emu.dir.path(),
                [&](const QString &name) { return emu.onPath.value(name); });
            QCOMPARE(plan.program, QStringLiteral("/usr/bin/wine"));
            QCOMPARE(plan.arguments, (QStringList{emu.path, QStringLiteral("pacman"),
                                                  QStringLiteral("C:\\dir\" x")}));
        }
        { // no runner: what the file is and what to install, under its own name
            Emulator dos(headerless, "Calice.Exe");
            dos.onPath.clear();
            QCOMPARE(dos.plan(text).refusal,
                     QStringLiteral("Calice.Exe è un programma DOS: per avviarlo serve DOSBox "
                                    "(pacchetto dosbox)"));
            Emulator windows(mz(0x40, "NE"));
            windows.onPath.clear();
            QCOMPARE(windows.plan(text).refusal,
                     QStringLiteral("calice.exe è un programma Windows: per avviarlo serve Wine "
                                    "(pacchetto wine)"));
        }
    }

    void refusesWhatDosCannotReceive_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("appDir");
        QTest::addColumn<QString>("refusal");
        const QString ok;
        const QString tail126 = QLatin1Char(' ') + QString(125, QLatin1Char('a'));
        QTest::newRow("126 characters") << tail126 << ok << QString();
        QTest::newRow("127 characters")
            << tail126 + QLatin1Char('b') << ok
            << QStringLiteral("La riga di comando è troppo lunga per un programma DOS: 127 "
                              "caratteri, al massimo 126");
        QTest::newRow("glued text joins the name")
            << QStringLiteral("x -sound") << ok
            << QStringLiteral("calice.exex è un programma DOS, ma DOSBox lo avvia solo con un "
                              "nome di al massimo 8 caratteri ed estensione .exe o .com");
        QTest::newRow("tab") << QStringLiteral(" a\tb") << ok
                             << QStringLiteral("La riga di comando contiene un carattere di "
                                               "controllo, che un programma DOS non può ricevere");
        QTest::newRow("accented letter")
            << QStringLiteral(" città") << ok
            << QStringLiteral("La riga di comando contiene il carattere «à»: un programma DOS "
                              "riceve solo caratteri ASCII");
        for (const char *c : {"<", ">", "|"})
            QTest::addRow("redirection %s", c)
                << QStringLiteral(" a%1b").arg(QLatin1String(c)) << ok
                << QStringLiteral("La riga di comando contiene il carattere «%1», che DOSBox "
                                  "tratterebbe come una redirezione")
                       .arg(QLatin1String(c));
        QTest::newRow("trailing blank")
            << QStringLiteral(" pacman ") << ok
            << QStringLiteral("La riga di comando termina con uno spazio, che DOSBox toglierebbe");
        QTest::newRow("quote in the folder")
            << QStringLiteral(" pacman") << QStringLiteral("/home/me/\"emu\"")
            << QStringLiteral(
                   "La cartella /home/me/\"emu\" contiene le virgolette (\"): DOSBox non "
                   "può montarla come unità C:");
        // Counted in bytes: each è is two.
        const QString longest = QLatin1Char('/') + QString(119, QChar(u'\u00E8'));
        QTest::newRow("folder of 239 bytes")
            << QStringLiteral(" pacman") << longest
            << QStringLiteral("Il percorso della cartella %1 è troppo lungo "
                              "per DOSBox: 239 byte, al massimo 238")
                   .arg(longest);
        QTest::newRow("folder of 238 bytes")
            << QStringLiteral(" pacman") << QStringLiteral("/a") + longest.mid(2) << QString();
    }
    void refusesWhatDosCannotReceive()
    {
        QFETCH(QString, text);
        QFETCH(QString, appDir);
        QFETCH(QString, refusal);
        Emulator emu(headerless, text.startsWith(QLatin1Char('x')) ? "calice.exex" : "calice.exe");
        const LaunchPlan plan =
            planLaunch(emu.dir.filePath(QStringLiteral("calice.exe")), text,
                       appDir.isEmpty() ? emu.dir.path() : appDir,
                       [&](const QString &name) { return emu.onPath.value(name); });
        QCOMPARE(plan.refusal, refusal);
        QCOMPARE(plan.program.isEmpty(), !refusal.isEmpty());
    }

    void startButtonGoesThroughTheRunner()
    {
        AppFolder app(nullptr);
        writeFile(app.path(QStringLiteral("CALICE.EXE")), headerless);
        app.addDriver(QStringLiteral("pacman.drv"));
        FakePlatform platform;
        Form1 form(platform, app.dir.path());
        QVERIFY(form.load());
        chooseDriver(form, QStringLiteral("pacman.drv"));
        child<QCheckBox>(form, "chkSuono")->setChecked(true);
        auto *start = child<QPushButton>(form, "cmdAvvia");
        { // refused: told in an error box, nothing started
            start->click();
            QCOMPARE(platform.messages.size(), 1);
            QCOMPARE(platform.messages[0].text,
                     QStringLiteral("CALICE.EXE è un programma DOS: per avviarlo serve DOSBox "
                                    "(pacchetto dosbox)"));
            QCOMPARE(platform.messages[0].title, QStringLiteral("Errore"));
            QCOMPARE(platform.messages[0].icon, MessageIcon::Error);
            QVERIFY(platform.starts.isEmpty());
        }
        {
            platform.programsOnPath.insert(QStringLiteral("dosbox"), QStringLiteral("/bin/db"));
            start->click();
            QCOMPARE(platform.messages.size(), 1);
            QCOMPARE(platform.starts.size(), 1);
            QCOMPARE(platform.starts[0].program, QStringLiteral("/bin/db"));
            QCOMPARE(platform.starts[0].workingDirectory, app.dir.path());
            QCOMPARE(platform.starts[0].arguments.at(6),
                     QStringLiteral("CALICE.EXE pacman -sound"));
        }
    }
};

int runLaunchTests(int argc, char **argv)
{
    TestLaunch test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_launch.moc"
