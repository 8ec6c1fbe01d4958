#include "command_line.h"

QString CommandLine::switchOf(Check check)
{
    switch (check) {
    case NoCheck:
        return QStringLiteral(" -nocheck");
    case Sync:
        return QStringLiteral(" -sync");
    case Swap:
        return QStringLiteral(" -swap");
    case Sound:
        return QStringLiteral(" -sound");
    case Debug:
        return QStringLiteral(" -debug");
    case Profile:
        return QStringLiteral(" -profile");
    }
    return {};
}

QString CommandLine::resolutionSwitch(int index)
{
    // Buttons 1 and 5 send a switch that differs from their caption; the emulator expects it so.
    switch (index) {
    case 1:
        return QStringLiteral(" -320x320");
    case 2:
        return QStringLiteral(" -400x256");
    case 3:
        return QStringLiteral(" -400x300VESA2");
    case 4:
        return QStringLiteral(" -800x600VESA2");
    case 5:
        return QStringLiteral(" -600x400");
    case 6:
        return QStringLiteral(" -256x256");
    default:
        return {};
    }
}

void CommandLine::setDriverBaseName(const QString &baseName)
{
    m_driverName = QLatin1Char(' ') + baseName;
}

void CommandLine::setCheck(Check check, bool ticked)
{
    m_checks.at(check) = ticked ? switchOf(check) : QString();
}

void CommandLine::setResolution(int index)
{
    m_resolutionIndex = index;
    const QString token = resolutionSwitch(index);
    if (!token.isEmpty())
        m_resolutionToken = token;
}

void CommandLine::setFrameskip(const QString &value)
{
    m_frameskipValue = value;
    m_frameskipToken = QStringLiteral(" -frameskip ") + value;
}

QString CommandLine::compose() const
{
    return m_driverName + m_resolutionToken + m_frameskipToken + m_checks[NoCheck] +
           m_checks[Sync] + m_checks[Swap] + m_checks[Sound] + m_checks[Debug] + m_checks[Profile];
}

QString driverBaseName(const QString &fileName)
{
    if (fileName.size() < 2)
        return fileName;
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'), fileName.size() - 2);
    return dot < 0 ? fileName : fileName.left(dot);
}
