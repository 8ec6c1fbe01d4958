#include "wrap_check_box.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
constexpr int kSpacing = 4;
constexpr int kTextFlags =
    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
} // namespace

QRect WrapCheckBox::captionRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const int indicator = style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this);
    return rect().adjusted(indicator + kSpacing, 0, 0, 0);
}

bool WrapCheckBox::captionFits() const
{
    const QRect caption = captionRect();
    const QRect needed = fontMetrics().boundingRect(caption, kTextFlags, text());
    return needed.width() <= caption.width() && needed.height() <= caption.height();
}

bool WrapCheckBox::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

void WrapCheckBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    QStyleOptionButton indicatorOption = option;
    indicatorOption.rect =
        QRect(0, (height() - indicator.height()) / 2, indicator.width(), indicator.height());
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicatorOption);

    const QRect textRect = captionRect();
    int flags = kTextFlags;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this))
        flags |= Qt::TextHideMnemonic;
    painter.drawItemText(textRect, flags, option.palette, isEnabled(), text(),
                         QPalette::WindowText);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = painter.boundingRect(textRect, flags, text()).adjusted(-1, 0, 1, 0) & rect();
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}
