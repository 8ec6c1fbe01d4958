#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;

struct LaunchCommand
{
    QString program;
    QStringList arguments;
};

// Turns the command string (the emulator's path followed by the command-line text) into a program
// and its arguments, without any shell. Text glued to the path up to the first blank belongs to
// the program's name, as it would on the emulator's home platform; the rest is split at blanks,
// double quotes grouping.
LaunchCommand splitLaunchCommand(const QString &emulatorPath, const QString &commandLine);

// Splits the text after a Windows program's name into the arguments that Microsoft's C runtime
// (2008 and later) gives the program: blanks and tabs separate; double quotes group and may sit
// inside an argument; 2n backslashes before a quote give n backslashes and the quote groups,
// 2n+1 give n backslashes and a literal quote; other backslashes are literal; inside quotes, ""
// is a literal quote and the quotes go on.
QStringList splitWindowsCommandLine(const QString &text);

enum class ExecutableKind { Native, Windows, Dos };

// What a program file is, told from its first bytes alone: ELF or "#!" is native; MZ (or ZM)
// whose header reaches past 0x3F (relocation table offset at 0x18 of at least 0x40) and whose
// 32-bit offset at 0x3C points inside the file at "PE\0\0" or "NE" is Windows; anything else,
// an empty file included, is a DOS program (an MZ executable or a headerless image).
ExecutableKind executableKind(QIODevice &file);

// The largest DOS command tail: its length is one byte and a CR must follow it in 128 bytes.
inline constexpr int maxDosTail = 126;
// DOSBox 0.74 aborts when asked to mount a host folder whose path is longer than this.
inline constexpr int maxDosBoxFolderBytes = 238;

// How to start the emulator: a program and its arguments, or, when refusal is not empty, the
// reason nothing may be started, ready for the user.
struct LaunchPlan
{
    QString program;
    QStringList arguments;
    QString refusal;
};

// Plans the start of the emulator at emulatorPath with the command-line text. A native program
// is started as splitLaunchCommand says; a Windows one through wine, its arguments split as
// splitWindowsCommandLine says; a DOS one through DOSBox, with appDir mounted as drive C: and
// the text as its command tail. findProgram returns the path of a program found on PATH, or an
// empty string. A file that cannot be read is planned as native, so that starting it reports why.
LaunchPlan planLaunch(const QString &emulatorPath, const QString &commandLine,
                      const QString &appDir,
                      const std::function<QString(const QString &)> &findProgram);

// planLaunch for a program already known to be of the given kind; reads no file.
LaunchPlan planLaunchOfKind(ExecutableKind kind, const QString &emulatorPath,
                            const QString &commandLine, const QString &appDir,
                            const std::function<QString(const QString &)> &findProgram);
