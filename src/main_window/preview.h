#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The preview picture decoded straight at the size of the box, stretched to fill it. A missing,
// unreadable, truncated or non-picture file gives a null image.
QImage loadPreview(const QString &path, const QSize &box);
