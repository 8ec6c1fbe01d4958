// Any emulator path and command line: splitting them never fails, the program is the path with
// the text glued to it, and the arguments hold every character typed other than blanks and
// quotes. Split as Windows does, the text keeps every character but blanks, quotes and
// backslashes, in order. Planned for DOSBox, a line that is not refused reaches the DOS program
// whole, as the program's name and the tail, with nothing the shell would take as a redirection
// or a control character. Input: the path, a NUL byte, the command line (UTF-8); without a NUL,
// all of it is the command line.
#include "fuzz_check.h"
#include "launch.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <cstddef>
#include <cstdint>

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString withoutSpacesAndQuotes(const QString &text)
{
    QString kept;
    for (const QChar c : text)
        if (!c.isSpace() && c != QLatin1Char('"'))
            kept += c;
    return kept;
}

QStringList words(const QString &text)
{
    QStringList result;
    QString word;
    for (const QChar c : text) {
        if (!c.isSpace()) {
            word += c;
        } else if (!word.isEmpty()) {
            result += word;
            word.clear();
        }
    }
    if (!word.isEmpty())
        result += word;
    return result;
}

QString withoutWindowsSyntax(const QString &text)
{
    QString kept;
    for (const QChar c : text)
        if (!isBlank(c) && c != QLatin1Char('"') && c != QLatin1Char('\\'))
            kept += c;
    return kept;
}

// What DOSBox's batch file gives back of a line in which we doubled each percent sign.
QString unescapePercent(QString line)
{
    return line.replace(QStringLiteral("%%"), QStringLiteral("%"));
}

void checkDosPlan(const QString &emulatorPath, const QString &commandLine, const QString &glued,
                  const QString &tail)
{
    const QString appDir = QFileInfo(emulatorPath).path();
    const LaunchPlan plan =
        planLaunchOfKind(ExecutableKind::Dos, emulatorPath, commandLine, appDir,
                         [](const QString &) { return QStringLiteral("/usr/bin/dosbox"); });
    FUZZ_CHECK(plan.program.isEmpty() != plan.refusal.isEmpty());
    if (!plan.refusal.isEmpty())
        return;
    const QStringList &arguments = plan.arguments;
    FUZZ_CHECK(arguments.size() == 9);
    FUZZ_CHECK(arguments.at(0) == QStringLiteral("-noautoexec"));
    for (const int i : {1, 3, 5, 7})
        FUZZ_CHECK(arguments.at(i) == QStringLiteral("-c"));
    FUZZ_CHECK(unescapePercent(arguments.at(2)) ==
               QStringLiteral("MOUNT C \"%1\"").arg(QDir(appDir).absolutePath()));
    FUZZ_CHECK(arguments.at(4) == QStringLiteral("C:"));
    FUZZ_CHECK(arguments.at(8) == QStringLiteral("EXIT"));
    const QString run = arguments.at(6);
    FUZZ_CHECK(unescapePercent(run) == QFileInfo(emulatorPath).fileName() + glued + tail);
    for (const QChar c : run)
        FUZZ_CHECK(c.unicode() >= 0x20 && c.unicode() != 0x7F && c != QLatin1Char('<') &&
                   c != QLatin1Char('>') && c != QLatin1Char('|'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const qsizetype nul = bytes.indexOf('\0');
    const QString emulatorPath =
        nul < 0 ? QStringLiteral("/emu/calice.exe") : QString::fromUtf8(bytes.left(nul));
    const QString commandLine = QString::fromUtf8(nul < 0 ? bytes : bytes.mid(nul + 1));

    const LaunchCommand command = splitLaunchCommand(emulatorPath, commandLine);

    FUZZ_CHECK(command.program.startsWith(emulatorPath));
    const QString glued = command.program.mid(emulatorPath.size());
    FUZZ_CHECK(commandLine.startsWith(glued));
    for (const QChar c : glued)
        FUZZ_CHECK(!isBlank(c));
    const QString rest = commandLine.mid(glued.size());
    FUZZ_CHECK(rest.isEmpty() || isBlank(rest.front()));

    for (const QString &argument : command.arguments)
        FUZZ_CHECK(!argument.isEmpty());
    FUZZ_CHECK(withoutSpacesAndQuotes(command.arguments.join(QString())) ==
               withoutSpacesAndQuotes(rest));
    if (!rest.contains(QLatin1Char('"')))
        FUZZ_CHECK(command.arguments == words(rest));

    FUZZ_CHECK(withoutWindowsSyntax(splitWindowsCommandLine(rest).join(QString())) ==
               withoutWindowsSyntax(rest));
    checkDosPlan(emulatorPath, commandLine, glued, rest);
    return 0;
}
