#pragma once

#include <QString>

class Platform;

// Opens the About window of the language shown in the main window's language list: "English"
// opens the English variant, anything else the Italian one. Each variant exists at most once.
void openAboutWindow(Platform &platform, const QString &language);
