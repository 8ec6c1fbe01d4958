#include "about_window.h"

void openAboutWindow(Platform &, const QString &)
{
}
