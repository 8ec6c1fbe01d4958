#include "file_listing.h"

#include <QFile>

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>

namespace {

bool endsWithIgnoringCase(std::string_view name, std::string_view suffix)
{
    if (name.size() < suffix.size())
        return false;
    const std::string_view end = name.substr(name.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i)
        if (foldAscii(static_cast<quint8>(end[i])) != foldAscii(static_cast<quint8>(suffix[i])))
            return false;
    return true;
}

// The entry's own type where the file system reports it; only links, and file systems that
// report nothing, cost a stat. A link counts as what it leads to, and a broken one as nothing.
bool isRegularFile(int folder, const dirent &entry)
{
#ifdef _DIRENT_HAVE_D_TYPE
    if (entry.d_type == DT_REG)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
#endif
    struct stat status;
    return fstatat(folder, entry.d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
}

} // namespace

bool listRegularFiles(const QString &folder, std::string_view suffix, FileNameBlock *names)
{
    DIR *dir = opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return false;
    const int fd = dirfd(dir);
    // Offsets are 32 bits; names beyond 4 GiB of them would not fit in memory as a list anyway.
    constexpr std::size_t kMaxBytes = std::numeric_limits<quint32>::max();
    while (const dirent *entry = readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.empty() || name.front() == '.' || !endsWithIgnoringCase(name, suffix) ||
            !isRegularFile(fd, *entry))
            continue;
        if (names->bytes.size() + name.size() + 1 > kMaxBytes)
            break;
        names->starts.push_back(static_cast<quint32>(names->bytes.size()));
        names->bytes.append(name.data(), name.size() + 1);
    }
    closedir(dir);
    return true;
}
