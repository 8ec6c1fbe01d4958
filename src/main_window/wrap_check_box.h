#pragma once

#include <QCheckBox>

// A check box whose caption wraps at word boundaries inside its box, as two-line options need.
// The caption keeps its access key, and a click anywhere in the box ticks it.
class WrapCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

    // Whether the whole caption shows inside the box.
    bool captionFits() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    QRect captionRect() const;
};
