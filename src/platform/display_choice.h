#pragma once

#include <QByteArray>

// The Qt platform plugins to ask for when the user has made no choice of their own, or an empty
// array to leave the choice to Qt. Where an X display is named (XWayland on a Wayland desktop)
// X11 comes first: only there are the windows centred and kept at their size, while Qt on its
// own takes Wayland whenever a compositor is there. Wayland stays the fallback for a named but
// unreachable X display. A QT_QPA_PLATFORM of the user's, or a -platform (or --platform) with
// its value on the command line, always wins.
QByteArray preferredQtPlatform(const QByteArray &qtQpaPlatform, const QByteArray &display,
                               int argc, const char *const *argv);
