#pragma once

#include <QString>

#include <optional>

class Platform;

// Whether the program in programDir is an installed copy: one that stands beside no emulator,
// told by Nerax's menu entry in the ../share/applications of its folder, whatever the prefix.
bool isInstalledCopy(const QString &programDir);

// Where the user keeps the folder the installed copy opened last.
QString lastFolderFile();

// The emulator folder to run on. namedFolder is the one given on the command line, or empty.
// A copy that is not installed runs on namedFolder or on its own folder and remembers nothing.
// The installed copy runs on namedFolder, or else on the folder it opened last, or else on one
// the user chooses in the folder dialog; a folder that holds calice.exe becomes the last one.
// Returns nothing when the user cancelled the dialog.
std::optional<QString> appFolder(Platform &platform, const QString &programDir,
                                 const QString &namedFolder);
