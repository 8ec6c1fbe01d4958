// Any emulator path and command line: splitting them never fails, the program is the path with
// the text glued to it, and the arguments hold every character typed other than blanks and
// quotes. Input: the path, a NUL byte, the command line (UTF-8); without a NUL, all of it is the
// command line.
#include "fuzz_check.h"
#include "launch.h"

#include <QByteArray>
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
    return 0;
}
