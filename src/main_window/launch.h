#pragma once

#include <QString>
#include <QStringList>

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
