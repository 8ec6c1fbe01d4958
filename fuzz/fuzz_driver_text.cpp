// Any driver file: the editor's text holds each line break as one '\n', and putting the line
// ends back gives the file's bytes exactly.
#include "driver_text.h"
#include "fuzz_check.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const EditorText decoded = decodeDriverFile(bytes);
    FUZZ_CHECK(!decoded.text.contains(QLatin1Char('\r')));
    FUZZ_CHECK(decoded.ends.empty() ||
               decoded.ends.size() == static_cast<std::size_t>(decoded.text.count(u'\n')));

    const QString joined =
        joinLineEnds(decoded.text, QLatin1Char('\n'), decoded.usual, decoded.ends);
    FUZZ_CHECK(firstNonLatin1(joined) < 0);
    FUZZ_CHECK(joined.toLatin1() == bytes);

    // The editor's own paragraph separator: a Latin-1 text never holds it, so it works the same.
    QString paragraphs = decoded.text;
    paragraphs.replace(QLatin1Char('\n'), QChar::ParagraphSeparator);
    FUZZ_CHECK(joinLineEnds(paragraphs, QChar::ParagraphSeparator, decoded.usual, decoded.ends) ==
               joined);
    return 0;
}
