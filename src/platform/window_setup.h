#pragma once

class QIcon;
class QWidget;

// The program's own 48 x 48 icon, carried by every window.
QIcon neraxIcon();

// Places a top-level window at the centre of its screen. Done by hand because under a bare X
// server no window manager would place it.
void centreOnScreen(QWidget *window);

// The program's icon and font for every window. The windows were drawn for a small dialog font;
// a 10-pixel Liberation Sans (metrics of Arial) lets every caption fit its box.
void setUpApplicationLook();
