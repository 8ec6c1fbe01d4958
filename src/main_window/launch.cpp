#include "launch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QProcess>
#include <QRegularExpression>
#include <QtEndian>

namespace {

// Where the text glued to the program's name ends: at its first blank or tab.
qsizetype gluedLength(const QString &commandLine)
{
    qsizetype blank = 0;
    while (blank < commandLine.size() && commandLine.at(blank) != QLatin1Char(' ') &&
           commandLine.at(blank) != QLatin1Char('\t'))
        ++blank;
    return blank;
}

LaunchPlan refuse(const QString &reason)
{
    return {QString(), QStringList(), reason};
}

bool isControl(char32_t c)
{
    return c < 0x20 || c == 0x7F;
}

// DOSBox runs its -c commands as lines of a batch file, which expands %-variables.
QString escapePercent(QString line)
{
    return line.replace(QLatin1Char('%'), QStringLiteral("%%"));
}

// Why DOSBox's shell would not hand the tail to the program byte for byte, or an empty string.
QString dosTailProblem(const QString &tail)
{
    for (const char32_t c : tail.toUcs4()) {
        if (isControl(c))
            return QStringLiteral("La riga di comando contiene un carattere di controllo, che un "
                                  "programma DOS non può ricevere");
        if (c > 0x7E)
            return QStringLiteral("La riga di comando contiene il carattere «%1»: un programma "
                                  "DOS riceve solo caratteri ASCII")
                .arg(QString::fromUcs4(&c, 1));
        if (c == U'<' || c == U'>' || c == U'|')
            return QStringLiteral("La riga di comando contiene il carattere «%1», che DOSBox "
                                  "tratterebbe come una redirezione")
                .arg(QString::fromUcs4(&c, 1));
    }
    if (tail.endsWith(QLatin1Char(' ')))
        return QStringLiteral("La riga di comando termina con uno spazio, che DOSBox toglierebbe");
    if (tail.size() > maxDosTail)
        return QStringLiteral("La riga di comando è troppo lunga per un programma DOS: %1 "
                              "caratteri, al massimo %2")
            .arg(tail.size())
            .arg(maxDosTail);
    return QString();
}

// Why MOUNT cannot take the folder, or an empty string.
QString dosFolderProblem(const QString &folder)
{
    const QString shown = QDir::toNativeSeparators(folder);
    for (const char32_t c : folder.toUcs4()) {
        if (c == U'"')
            return QStringLiteral("La cartella %1 contiene le virgolette (\"): DOSBox non può "
                                  "montarla come unità C:")
                .arg(shown);
        if (isControl(c))
            return QStringLiteral("La cartella %1 contiene un carattere di controllo: DOSBox non "
                                  "può montarla come unità C:")
                .arg(shown);
    }
    const qsizetype bytes = QFile::encodeName(folder).size();
    if (bytes > maxDosBoxFolderBytes)
        return QStringLiteral(
                   "Il percorso della cartella %1 è troppo lungo per DOSBox: %2 byte, al "
                   "massimo %3")
            .arg(shown)
            .arg(bytes)
            .arg(maxDosBoxFolderBytes);
    return QString();
}

LaunchPlan planDos(const QString &name, const QString &tail, const QString &appDir,
                   const std::function<QString(const QString &)> &findProgram)
{
    QString dosbox = findProgram(QStringLiteral("dosbox"));
    if (dosbox.isEmpty())
        dosbox = findProgram(QStringLiteral("dosbox-x"));
    if (dosbox.isEmpty())
        return refuse(
            QStringLiteral("%1 è un programma DOS: per avviarlo serve DOSBox (pacchetto dosbox)")
                .arg(name));
    // The shell finds a program only by a short name ending in .exe or .com. \z, not $, which
    // would let a line feed after the name through.
    static const QRegularExpression dosName(
        QStringLiteral("\\A[A-Za-z0-9!#$%&'()@^_`{}~-]{1,8}\\.(exe|com)\\z"),
        QRegularExpression::CaseInsensitiveOption);
    if (!dosName.match(name).hasMatch())
        return refuse(QStringLiteral("%1 è un programma DOS, ma DOSBox lo avvia solo con un nome "
                                     "di al massimo 8 caratteri ed estensione .exe o .com")
                          .arg(name));
    const QString folder = QDir(appDir).absolutePath();
    QString problem = dosFolderProblem(folder);
    if (problem.isEmpty())
        problem = dosTailProblem(tail);
    if (!problem.isEmpty())
        return refuse(problem);
    // -noautoexec: an [autoexec] of the user's own that mounts another drive C: would make our
    // MOUNT fail and leave the program unfound; the other settings still apply.
    return {dosbox,
            {QStringLiteral("-noautoexec"), QStringLiteral("-c"),
             QStringLiteral("MOUNT C \"%1\"").arg(escapePercent(folder)), QStringLiteral("-c"),
             QStringLiteral("C:"), QStringLiteral("-c"), escapePercent(name + tail),
             QStringLiteral("-c"), QStringLiteral("EXIT")},
            QString()};
}

} // namespace

LaunchCommand splitLaunchCommand(const QString &emulatorPath, const QString &commandLine)
{
    const qsizetype glued = gluedLength(commandLine);
    LaunchCommand command;
    command.program = emulatorPath + commandLine.left(glued);
    command.arguments = QProcess::splitCommand(commandLine.mid(glued));
    return command;
}

QStringList splitWindowsCommandLine(const QString &text)
{
    const QChar backslash(QLatin1Char('\\')), quote(QLatin1Char('"'));
    const qsizetype size = text.size();
    const auto isBlank = [&](qsizetype i) {
        return i < size && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t'));
    };
    const auto isQuote = [&](qsizetype i) { return i < size && text.at(i) == quote; };
    QStringList arguments;
    qsizetype at = 0;
    for (;;) {
        while (isBlank(at))
            ++at;
        if (at == size)
            return arguments;
        QString argument;
        bool quoted = false;
        while (at < size && (quoted || !isBlank(at))) {
            if (text.at(at) == backslash) {
                qsizetype backslashes = 0;
                for (; at < size && text.at(at) == backslash; ++at)
                    ++backslashes;
                if (!isQuote(at)) {
                    argument += QString(backslashes, backslash);
                    continue;
                }
                argument += QString(backslashes / 2, backslash);
                if (backslashes % 2 == 1) {
                    argument += quote;
                    ++at;
                    continue;
                }
            }
            if (isQuote(at)) {
                // Since 2008 a doubled quote inside quotes is one literal quote, and the quoted
                // run goes on.
                if (quoted && isQuote(at + 1)) {
                    argument += quote;
                    at += 2;
                } else {
                    quoted = !quoted;
                    ++at;
                }
                continue;
            }
            argument += text.at(at);
            ++at;
        }
        arguments.append(argument);
    }
}

ExecutableKind executableKind(QIODevice &file)
{
    const QByteArray head = file.read(64);
    if (head.startsWith("\177ELF") || head.startsWith("#!"))
        return ExecutableKind::Native;
    // The field at 0x3C belongs to the header only when the relocation table, whose offset is at
    // 0x18, starts past it; in an old DOS program those bytes may be anything.
    if ((head.startsWith("MZ") || head.startsWith("ZM")) && head.size() == 64 &&
        qFromLittleEndian<quint16>(head.constData() + 0x18) >= 0x40) {
        const quint32 offset = qFromLittleEndian<quint32>(head.constData() + 0x3C);
        if (offset < quint64(file.size()) && file.seek(offset)) {
            const QByteArray signature = file.read(4);
            if (signature == QByteArray("PE\0\0", 4) || signature.startsWith("NE"))
                return ExecutableKind::Windows;
        }
    }
    return ExecutableKind::Dos;
}

LaunchPlan planLaunch(const QString &emulatorPath, const QString &commandLine,
                      const QString &appDir,
                      const std::function<QString(const QString &)> &findProgram)
{
    const LaunchCommand native = splitLaunchCommand(emulatorPath, commandLine);
    QFile file(native.program);
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return {native.program, native.arguments, QString()};
    const ExecutableKind kind = executableKind(file);
    file.close();
    return planLaunchOfKind(kind, emulatorPath, commandLine, appDir, findProgram);
}

LaunchPlan planLaunchOfKind(ExecutableKind kind, const QString &emulatorPath,
                            const QString &commandLine, const QString &appDir,
                            const std::function<QString(const QString &)> &findProgram)
{
    const qsizetype glued = gluedLength(commandLine);
    const QString program = emulatorPath + commandLine.left(glued);
    const QString tail = commandLine.mid(glued);
    const QString name = QFileInfo(emulatorPath).fileName() + commandLine.left(glued);
    switch (kind) {
    case ExecutableKind::Native: {
        const LaunchCommand native = splitLaunchCommand(emulatorPath, commandLine);
        return {native.program, native.arguments, QString()};
    }
    case ExecutableKind::Windows: {
        const QString wine = findProgram(QStringLiteral("wine"));
        if (wine.isEmpty())
            return refuse(QStringLiteral(
                              "%1 è un programma Windows: per avviarlo serve Wine (pacchetto wine)")
                              .arg(name));
        // Wine quotes each argument again so that the program's own C runtime gets it back.
        return {wine, QStringList{program} + splitWindowsCommandLine(tail), QString()};
    }
    case ExecutableKind::Dos:
        break;
    }
    return planDos(name, tail, appDir, findProgram);
}
