#pragma once

class QIcon;
class QSize;
class QWidget;

// The program's own 48 x 48 icon, carried by every window.
QIcon neraxIcon();

// Places a top-level window at the centre of its screen. Done by hand because under a bare X
// server no window manager would place it.
void centreOnScreen(QWidget *window);

// Whether the compositor decides the windows' sizes. Under Wayland, Qt draws a title bar of its
// own that always offers maximize, and the compositor disconnects, and so ends, a program whose
// window keeps another size than the one it was asked to take.
bool compositorSizesWindows();

// Gives a window of fixed design its size: fixed where the window system lets it be, and only a
// smallest size where the compositor decides. The controls keep their places either way.
void setDesignSize(QWidget *window, const QSize &size);

// The program's icon and font for every window. The windows were drawn for a small dialog font;
// a 10-pixel Liberation Sans (metrics of Arial) lets every caption fit its box.
void setUpApplicationLook();
