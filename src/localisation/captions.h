#pragma once

#include <array>

// The main window's fifteen captions in both languages, in the order they are applied. Texts
// are UTF-8; they are the program's own spellings and are kept as they are.
struct CaptionRow
{
    const char *objectName;
    const char *italian;
    const char *english;
};

extern const std::array<CaptionRow, 15> kMainWindowCaptions;
