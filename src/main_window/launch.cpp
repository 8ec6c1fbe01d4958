#include "launch.h"

#include <QProcess>

LaunchCommand splitLaunchCommand(const QString &emulatorPath, const QString &commandLine)
{
    qsizetype blank = 0;
    while (blank < commandLine.size() && commandLine.at(blank) != QLatin1Char(' ') &&
           commandLine.at(blank) != QLatin1Char('\t'))
        ++blank;
    LaunchCommand command;
    command.program = emulatorPath + commandLine.left(blank);
    command.arguments = QProcess::splitCommand(commandLine.mid(blank));
    return command;
}
