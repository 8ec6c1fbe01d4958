// Any bytes in nerax.cfg: reading them never fails, and the values read survive being written
// and read again.
#include "fuzz_check.h"
#include "settings.h"

#include <QByteArray>
#include <QList>
#include <cstddef>
#include <cstdint>

namespace {

QString *stringsOf(Settings *s, int i)
{
    QString *const strings[] = {&s->noCheck, &s->sync,      &s->debug,   &s->sound,
                                &s->swap,    &s->frameskip, &s->profile, &s->language};
    return strings[i];
}

Settings writtenAndRead(const Settings &settings)
{
    Settings again;
    parseSettings(serializeSettings(settings), &again);
    return again;
}

// The shape the program writes: nine CR LF lines, a number 0 to 255 without leading zeros, then
// eight strings between double quotes, with no quote or line feed inside.
bool inOwnShape(const QByteArray &content)
{
    if (!content.endsWith("\r\n"))
        return false;
    const QList<QByteArray> lines = content.chopped(2).split('\n');
    if (lines.size() != 9)
        return false;
    for (qsizetype i = 0; i < lines.size() - 1; ++i)
        if (!lines.at(i).endsWith('\r'))
            return false;
    const QByteArray number = lines.at(0).chopped(1);
    if (number.isEmpty() || number.size() > 3 || (number.size() > 1 && number.startsWith('0')))
        return false;
    for (const char c : number)
        if (c < '0' || c > '9')
            return false;
    if (number.toInt() > 255)
        return false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = i + 1 < lines.size() ? lines.at(i).chopped(1) : lines.at(i);
        if (line.size() < 2 || !line.startsWith('"') || !line.endsWith('"') || line.count('"') != 2)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    Settings read;
    parseSettings(content, &read);
    FUZZ_CHECK(read.resolutionIndex >= 0 && read.resolutionIndex <= 255);

    // Quotes inside a value are not escaped, so a value comes back only up to its first quote;
    // everything else, blanks, CRs and any byte, comes back as it was.
    Settings expected = read;
    for (int i = 0; i < 8; ++i) {
        QString *value = stringsOf(&expected, i);
        const qsizetype quote = value->indexOf(QLatin1Char('"'));
        if (quote >= 0)
            value->truncate(quote);
    }
    FUZZ_CHECK(writtenAndRead(read) == expected);

    // A file in the program's own shape is written back byte for byte.
    if (inOwnShape(content))
        FUZZ_CHECK(serializeSettings(read) == content);
    return 0;
}
