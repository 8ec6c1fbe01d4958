#include "settings.h"

#include "paths.h"

#include <QFile>
#include <QList>

namespace {

// No file the program writes is anywhere near this; a huge or binary file is only sampled.
constexpr qint64 kMaxRead = 64 * 1024;
constexpr int kRecords = 9;

bool parseIndex(const QByteArray &line, int *index)
{
    const QByteArray digits = line.trimmed();
    if (digits.isEmpty() || digits.size() > 3)
        return false;
    for (const char c : digits)
        if (c < '0' || c > '9')
            return false;
    const int value = digits.toInt();
    if (value > 255)
        return false;
    *index = value;
    return true;
}

// The text between the quotes; lenient with shapes the program never writes (no quotes, or no
// closing quote: the rest of the line).
QString parseString(const QByteArray &line)
{
    const QByteArray trimmed = line.trimmed();
    if (!trimmed.startsWith('"'))
        return QString::fromLatin1(trimmed);
    const qsizetype close = trimmed.indexOf('"', 1);
    return QString::fromLatin1(close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1));
}

} // namespace

bool Settings::operator==(const Settings &other) const
{
    return resolutionIndex == other.resolutionIndex && noCheck == other.noCheck &&
           sync == other.sync && debug == other.debug && sound == other.sound &&
           swap == other.swap && frameskip == other.frameskip && profile == other.profile &&
           language == other.language;
}

void parseSettings(const QByteArray &content, Settings *settings)
{
    QList<QByteArray> lines = content.split('\n');
    // A final line end does not start another record.
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    QString *const strings[] = {&settings->noCheck, &settings->sync,    &settings->debug,
                                &settings->sound,   &settings->swap,    &settings->frameskip,
                                &settings->profile, &settings->language};
    for (qsizetype i = 0; i < lines.size() && i < kRecords; ++i) {
        QByteArray line = lines.at(i);
        if (line.endsWith('\r'))
            line.chop(1);
        if (i == 0)
            parseIndex(line, &settings->resolutionIndex);
        else
            *strings[i - 1] = parseString(line);
    }
}

QByteArray serializeSettings(const Settings &s)
{
    QByteArray out = QByteArray::number(s.resolutionIndex) + "\r\n";
    for (const QString *value :
         {&s.noCheck, &s.sync, &s.debug, &s.sound, &s.swap, &s.frameskip, &s.profile, &s.language})
        out += '"' + value->toLatin1() + "\"\r\n";
    return out;
}

void readSettingsFile(const QString &path, Settings *settings)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    parseSettings(file.read(kMaxRead), settings);
}

bool writeSettingsFile(const QString &path, const Settings &settings)
{
    QString reason;
    return saveFileSafely(path, serializeSettings(settings), &reason);
}
