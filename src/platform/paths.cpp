#include "paths.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString resolveOne(const QString &folder, const QString &name)
{
    const QString exact = folder + QLatin1Char('/') + name;
    if (QFileInfo::exists(exact))
        return exact;
    QString best;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString candidate = it.fileName();
        if (candidate.compare(name, Qt::CaseInsensitive) == 0 &&
            (best.isEmpty() || candidate < best))
            best = candidate;
    }
    return folder + QLatin1Char('/') + (best.isEmpty() ? name : best);
}

} // namespace

QString resolvePath(const QString &folder, const QString &relativePath)
{
    QString path = folder;
    const auto parts = relativePath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts)
        path = resolveOne(path, part);
    return path;
}

bool isReadOnlyFile(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !(info.permissions() & QFileDevice::WriteOwner);
}

bool saveFileSafely(const QString &path, const QByteArray &content, QString *reason)
{
    const QFileInfo info(path);
    if (isReadOnlyFile(path)) {
        *reason = QStringLiteral("il file è di sola lettura");
        return false;
    }
    if (isReadOnlyFile(info.absolutePath())) {
        // No name may appear in a read-only folder, not even a temporary one for a moment: an
        // existing file is written over in place, and a new one cannot be made.
        if (!info.exists()) {
            *reason = QStringLiteral("la cartella è di sola lettura");
            return false;
        }
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::ExistingOnly) ||
            file.write(content) != content.size() || !file.flush()) {
            *reason = file.errorString();
            return false;
        }
        return true;
    }
    QSaveFile file(path);
    // A folder that takes no temporary file (another user's, for one) still lets its writable
    // file be written in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        *reason = file.errorString();
        return false;
    }
    if (file.write(content) != content.size() || !file.commit()) {
        *reason = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}
