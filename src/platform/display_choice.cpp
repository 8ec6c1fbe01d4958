#include "display_choice.h"

#include <cstring>

QByteArray preferredQtPlatform(const QByteArray &qtQpaPlatform, const QByteArray &display,
                               int argc, const char *const *argv)
{
    if (!qtQpaPlatform.isEmpty() || display.isEmpty())
        return {};
    // Read as Qt reads it: one or two dashes, and the name in the next argument; a -platform
    // without one changes nothing there either.
    for (int i = 1; i + 1 < argc; ++i) {
        const char *argument = argv[i];
        if (!argument || argument[0] != '-')
            continue;
        if (argument[1] == '-')
            ++argument;
        if (std::strcmp(argument, "-platform") == 0)
            return {};
    }
    return QByteArrayLiteral("xcb;wayland");
}
