#pragma once

#include <QString>

class Platform;

// Opens the driver editor on the selected driver file of the application folder, with the texts
// of the language shown in the main window. At most one editor exists; opening it again only
// brings it to the front. Nothing happens when no driver is selected.
void openDriverEditor(Platform &platform, const QString &appDir, const QString &selectedFileName,
                      const QString &language);
