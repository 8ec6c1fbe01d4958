#pragma once

#include <QLabel>

// A label that works as a link from the keyboard: it takes the focus, shows it with a focus
// frame, and Enter or Space (or a screen reader's press) activates it. The mouse is left to
// the window, which decides what a click and a hover are.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    explicit LinkLabel(QWidget *parent = nullptr);

Q_SIGNALS:
    void activated();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
