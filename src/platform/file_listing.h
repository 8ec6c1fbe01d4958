#pragma once

#include <QString>
#include <QtGlobal>
#include <string>
#include <string_view>
#include <vector>

// A-Z to a-z and nothing else: the case folding that file-name suffixes and ASCII names need.
constexpr quint8 foldAscii(quint8 c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<quint8>(c - 'A' + 'a') : c;
}

// File names as the file system gives them, one after another in one block, each ended by a
// NUL: a folder of a hundred thousand names costs two allocations rather than one per name.
struct FileNameBlock
{
    std::string bytes;
    std::vector<quint32> starts; // where each name begins in bytes
};

// Adds to *names the regular files of folder, and the links that lead to one, whose names do not
// begin with "." and end in suffix (ASCII letters matched without regard to case). Returns false,
// adding nothing, when the folder cannot be opened.
bool listRegularFiles(const QString &folder, std::string_view suffix, FileNameBlock *names);
