#pragma once

#include <QString>
#include <QtGlobal>
#include <string>
#include <string_view>
#include <vector>

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
