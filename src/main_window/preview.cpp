#include "preview.h"

#include <QFile>
#include <QImageReader>
#include <cstring>

namespace {

// libjpeg pads a cut-off file with grey and reports success, so a JPEG counts as whole only when
// its end-of-image marker is reached. The segments are walked by their lengths, since an EXIF
// thumbnail inside one has an end marker of its own; entropy-coded data is skipped up to the
// next marker, passing stuffed bytes (FF 00), restart markers and fill bytes, and so is any
// stray byte between segments, as libjpeg does. Whatever follows the end is not looked at.
bool jpegEndsWithin(const uchar *data, qint64 size)
{
    if (size < 2 || data[0] != 0xFF || data[1] != 0xD8)
        return false;
    for (qint64 at = 2;;) {
        const void *found = std::memchr(data + at, 0xFF, static_cast<size_t>(size - at));
        if (!found)
            return false;
        at = static_cast<const uchar *>(found) - data;
        while (at < size && data[at] == 0xFF)
            ++at;
        if (at == size)
            return false;
        const uchar marker = data[at++];
        if (marker == 0xD9)
            return true;
        const bool standalone = marker == 0x00 || marker == 0x01 || marker == 0xD8 ||
                                (marker >= 0xD0 && marker <= 0xD7);
        if (standalone)
            continue;
        if (size - at < 2)
            return false;
        const qint64 length = data[at] << 8 | data[at + 1];
        if (length < 2 || size - at < length)
            return false;
        at += length;
    }
}

bool jpegIsWhole(QFile &file)
{
    const qint64 size = file.size();
    if (uchar *mapped = file.map(0, size)) {
        const bool whole = jpegEndsWithin(mapped, size);
        file.unmap(mapped);
        return whole;
    }
    if (!file.seek(0))
        return false;
    const QByteArray bytes = file.readAll();
    return jpegEndsWithin(reinterpret_cast<const uchar *>(bytes.constData()), bytes.size());
}

} // namespace

QImage loadPreview(const QString &path, const QSize &box, qreal devicePixelRatio)
{
    const QSize pixels = (QSizeF(box) * devicePixelRatio).toSize();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    const QByteArray format = reader.format();
    if (format.isEmpty())
        return {};
    if (format == "jpeg" && !jpegIsWhole(file))
        return {};
    if (!file.seek(0))
        return {};
    QImageReader scaled(&file, format);
    scaled.setAutoTransform(true);
    scaled.setScaledSize(pixels);
    QImage image = scaled.read();
    if (image.isNull())
        return {};
    if (image.size() != pixels)
        image = image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}
