#include "app_folder.h"

#include "paths.h"
#include "platform.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString kLastFolderKey = QStringLiteral("lastFolder");

bool holdsCalice(const QString &folder)
{
    return !folder.isEmpty() &&
           QFileInfo(resolvePath(folder, QStringLiteral("calice.exe"))).isFile();
}

QString recallLastFolder()
{
    return QSettings(lastFolderFile(), QSettings::IniFormat).value(kLastFolderKey).toString();
}

// A folder without calice.exe is not remembered: it would only push out a good one.
void rememberIfEmulatorFolder(const QString &folder)
{
    if (!holdsCalice(folder))
        return;
    QSettings settings(lastFolderFile(), QSettings::IniFormat);
    settings.setValue(kLastFolderKey, folder);
    settings.sync(); // a failure to remember costs only the question next time
}

} // namespace

bool isInstalledCopy(const QString &programDir)
{
    return QFileInfo(programDir + QStringLiteral("/../share/applications/" NERAX_APP_ID ".desktop"))
        .isFile();
}

QString lastFolderFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/nerax/nerax.conf");
}

std::optional<QString> appFolder(Platform &platform, const QString &programDir,
                                 const QString &namedFolder)
{
    if (!isInstalledCopy(programDir))
        return namedFolder.isEmpty() ? programDir : namedFolder;
    if (!namedFolder.isEmpty()) {
        rememberIfEmulatorFolder(namedFolder);
        return namedFolder;
    }
    const QString last = recallLastFolder();
    if (holdsCalice(last))
        return last;
    const QString start = !last.isEmpty() && QFileInfo(last).isDir() ? last : QDir::homePath();
    const QString chosen =
        platform.chooseFolder(QStringLiteral("Scegli la cartella del Calice"), start);
    if (chosen.isEmpty())
        return std::nullopt;
    const QString folder = QDir::cleanPath(QFileInfo(chosen).absoluteFilePath());
    rememberIfEmulatorFolder(folder);
    return folder;
}
