#include "driver_text.h"

namespace {

QLatin1String lineEndText(LineEnd end)
{
    switch (end) {
    case LineEnd::Lf:
        return QLatin1String("\n");
    case LineEnd::Cr:
        return QLatin1String("\r");
    case LineEnd::CrLf:
        break;
    }
    return QLatin1String("\r\n");
}

} // namespace

QString driverFileName(const QString &selectedFileName)
{
    return selectedFileName.chopped(qMin<qsizetype>(4, selectedFileName.size())) +
           QStringLiteral(".drv");
}

EditorText decodeDriverFile(const QByteArray &bytes)
{
    EditorText result;
    const char *const data = bytes.constData();
    const qsizetype size = bytes.size();
    if (!bytes.contains('\r')) {
        // The common Unix file is taken whole.
        result.usual = bytes.contains('\n') ? LineEnd::Lf : LineEnd::CrLf;
        result.text = QString::fromLatin1(bytes);
        return result;
    }

    std::vector<LineEnd> ends;
    result.text.reserve(size);
    for (qsizetype start = 0;;) {
        qsizetype at = start;
        while (at < size && data[at] != '\r' && data[at] != '\n')
            ++at;
        result.text.append(QLatin1String(data + start, at - start));
        if (at == size)
            break;
        if (data[at] == '\n') {
            ends.push_back(LineEnd::Lf);
        } else if (at + 1 < size && data[at + 1] == '\n') {
            ends.push_back(LineEnd::CrLf);
            ++at;
        } else {
            ends.push_back(LineEnd::Cr);
        }
        result.text.append(QLatin1Char('\n'));
        start = at + 1;
    }

    result.usual = ends.front(); // there is at least the one CR
    bool mixed = false;
    for (const LineEnd end : ends)
        mixed = mixed || end != result.usual;
    if (mixed)
        result.ends = std::move(ends);
    return result;
}

QString joinLineEnds(QStringView text, QChar separator, LineEnd usual,
                     const std::vector<LineEnd> &ends)
{
    QString result;
    result.reserve(text.size() + text.size() / 16);
    std::size_t line = 0;
    qsizetype start = 0;
    for (qsizetype at = text.indexOf(separator); at >= 0;
         start = at + 1, at = text.indexOf(separator, start)) {
        result += text.mid(start, at - start);
        LineEnd end = line < ends.size() ? ends[line] : usual;
        // CR then LF would read back as one line end, losing the empty line between them. A
        // file as loaded never has that pair: only an edit can bring an LF line end there.
        if (end == LineEnd::Lf && result.endsWith(QLatin1Char('\r')))
            end = LineEnd::CrLf;
        result += lineEndText(end);
        ++line;
    }
    result += text.mid(start);
    return result;
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

qsizetype findWholeWord(QStringView text, QStringView word, qsizetype from, qsizetype to)
{
    from = qBound<qsizetype>(0, from, text.size());
    to = qBound(from, to, text.size());
    if (word.isEmpty())
        return -1;
    const QStringView range = text.left(to);
    for (qsizetype at = range.indexOf(word, from); at >= 0; at = range.indexOf(word, at + 1)) {
        const qsizetype after = at + word.size();
        if ((at == 0 || !isWordCharacter(text[at - 1])) &&
            (after == text.size() || !isWordCharacter(text[after])))
            return at;
    }
    return -1;
}

qsizetype firstNonLatin1(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i].unicode() > 0xff)
            return i;
    return -1;
}
