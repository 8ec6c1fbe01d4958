#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The preview picture decoded straight at the size of the box in device pixels (box times the
// screen's device pixel ratio), stretched to fill it, and marked with that ratio. A missing,
// unreadable, truncated or non-picture file gives a null image.
QImage loadPreview(const QString &path, const QSize &box, qreal devicePixelRatio = 1);
