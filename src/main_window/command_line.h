#pragma once

#include <QString>
#include <array>

// The emulator's command line: the driver name and eight option tokens, each empty or a switch
// with its own leading blank, always joined in the same fixed order.
class CommandLine
{
public:
    enum Check { NoCheck, Sync, Swap, Sound, Debug, Profile };

    // The switch each check box sends.
    static QString switchOf(Check check);
    // The switch of resolution button 1 to 6; empty for any other index.
    static QString resolutionSwitch(int index);

    // A blank and the base name, or empty while no driver is chosen.
    void setDriverBaseName(const QString &baseName);
    void setCheck(Check check, bool ticked);
    // Stores the index; a known index also sets the resolution token, an unknown one keeps it.
    void setResolution(int index);
    // Every value, "0" and unknown ones included, gives a token.
    void setFrameskip(const QString &value);

    QString compose() const;

    const QString &driverName() const { return m_driverName; }
    const QString &token(Check check) const { return m_checks.at(check); }
    int resolutionIndex() const { return m_resolutionIndex; }
    const QString &frameskipValue() const { return m_frameskipValue; }

private:
    QString m_driverName;
    QString m_resolutionToken;
    QString m_frameskipToken;
    std::array<QString, 6> m_checks;
    int m_resolutionIndex = 0;
    QString m_frameskipValue;
};

// The base name of a listed driver file: everything before its last dot, keeping the case. The
// last character is never taken for that dot, and a name without one is kept whole.
QString driverBaseName(const QString &fileName);
