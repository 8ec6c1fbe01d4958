#pragma once

#include <QByteArray>
#include <QString>

// What nerax.cfg remembers: nine CR LF records, a bare number and eight quoted strings, in this
// order. Only the emptiness of the six option tokens matters when they are read back.
struct Settings
{
    int resolutionIndex = 0; // 0 to 255
    QString noCheck;
    QString sync;
    QString debug;
    QString sound;
    QString swap;
    QString frameskip;
    QString profile;
    QString language;

    bool operator==(const Settings &other) const;
};

// Reads what it can: a record that is missing or unreadable keeps its value in *settings.
// Bytes are taken as Latin-1, so whatever was read is written back byte for byte.
void parseSettings(const QByteArray &content, Settings *settings);
QByteArray serializeSettings(const Settings &settings);

// Silent on any failure, as the settings are optional data.
void readSettingsFile(const QString &path, Settings *settings);
bool writeSettingsFile(const QString &path, const Settings &settings);
