#pragma once

#include <QString>

// Fixed names of the application folder ("calice.exe", "nerax.cfg", "drv", "images/x.jpg")
// match whatever case they were copied with, as they would on Windows. Each part of
// relativePath ("/"-separated) is looked up in turn; a name that exists exactly wins, otherwise
// the first case-insensitive match in name order. Parts that match nothing are kept as written,
// so the result is always a usable path (of a file that may not exist).
QString resolvePath(const QString &folder, const QString &relativePath);

// True when the file exists and its owner may not write it. Checked from the permission bits
// rather than with access(), so a read-only file stays protected when the program runs as root.
bool isReadOnlyFile(const QString &path);

// Replaces the file's content as a whole: a temporary file in the same folder renamed over the
// old one, so a full disk or a crash never leaves it half written. Where the folder cannot take
// a temporary file, or is read-only, an existing file is written over in place instead. A
// read-only file is never written, and no file is made in a read-only folder (both decided by
// the permission bits). On failure returns false and puts a readable reason into *reason.
bool saveFileSafely(const QString &path, const QByteArray &content, QString *reason);
