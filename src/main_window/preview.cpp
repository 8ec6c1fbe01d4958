#include "preview.h"

#include <QFile>
#include <QImageReader>

namespace {

// libjpeg pads a cut-off file with grey and reports success; a whole JPEG ends with the EOI
// marker (entropy-coded data never holds FF D9), so look for it near the end.
bool jpegIsWhole(QFile &file)
{
    const qint64 tail = qMin<qint64>(file.size(), 4096);
    if (!file.seek(file.size() - tail))
        return false;
    return file.read(tail).contains("\xFF\xD9");
}

} // namespace

QImage loadPreview(const QString &path, const QSize &box)
{
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
    scaled.setScaledSize(box);
    QImage image = scaled.read();
    if (image.isNull())
        return {};
    if (image.size() != box)
        image = image.scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}
