#include "driver_list.h"

#include "file_listing.h"

#include <QFile>
#include <QLatin1StringView>
#include <QStringView>
#include <algorithm>
#include <cstring>

namespace {

struct SortKey
{
    // The first eight bytes folded to lower case, the first one on top, 0 past the end.
    quint64 head;
    quint32 start;
    quint32 length;
};

SortKey sortKey(const std::string &bytes, quint32 start, quint32 length)
{
    const auto *name = reinterpret_cast<const quint8 *>(bytes.data() + start);
    quint64 head = 0;
    for (quint32 i = 0; i < 8; ++i)
        head = (head << 8) | (i < length ? foldAscii(name[i]) : 0u);
    return {head, start, length};
}

// For ASCII names QString::compare without regard to case folds exactly A-Z, and QString's <
// compares code units that are the bytes themselves, so bytes sort the same way. Most pairs part
// within their heads; a name holds no NUL, so a shorter head sorts first, as a prefix does.
bool asciiLess(const char *bytes, const SortKey &a, const SortKey &b)
{
    if (a.head != b.head)
        return a.head < b.head;
    const auto *x = reinterpret_cast<const quint8 *>(bytes + a.start);
    const auto *y = reinterpret_cast<const quint8 *>(bytes + b.start);
    const quint32 common = std::min(a.length, b.length);
    for (quint32 i = std::min(common, 8u); i < common; ++i) {
        const quint8 fx = foldAscii(x[i]);
        const quint8 fy = foldAscii(y[i]);
        if (fx != fy)
            return fx < fy;
    }
    if (a.length != b.length)
        return a.length < b.length;
    return std::memcmp(x, y, common) < 0;
}

template <typename A, typename B> bool qtLess(A a, B b)
{
    const int order = a.compare(b, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a.compare(b, Qt::CaseSensitive) < 0;
}

// Beyond ASCII, QString folds case per code unit with Unicode's tables, which no byte order
// matches: such names are compared decoded. ASCII ones are still compared as bytes.
struct MixedKey
{
    SortKey key;
    QString decoded; // null for an ASCII name
};

bool mixedLess(const char *bytes, const MixedKey &a, const MixedKey &b)
{
    const bool asciiA = a.decoded.isNull();
    const bool asciiB = b.decoded.isNull();
    if (asciiA && asciiB)
        return asciiLess(bytes, a.key, b.key);
    const QLatin1StringView latinA(bytes + a.key.start, static_cast<qsizetype>(a.key.length));
    const QLatin1StringView latinB(bytes + b.key.start, static_cast<qsizetype>(b.key.length));
    if (asciiA)
        return qtLess(latinA, QStringView(b.decoded));
    if (asciiB)
        return qtLess(QStringView(a.decoded), latinB);
    return qtLess(QStringView(a.decoded), QStringView(b.decoded));
}

bool isAscii(const char *bytes, std::size_t length)
{
    quint8 any = 0;
    for (std::size_t i = 0; i < length; ++i)
        any |= static_cast<quint8>(bytes[i]);
    return any < 0x80;
}

} // namespace

QString DriverNames::at(qsizetype index) const
{
    const char *name = m_bytes.data() + m_starts[static_cast<std::size_t>(index)];
    return QFile::decodeName(
        QByteArray::fromRawData(name, static_cast<qsizetype>(std::strlen(name))));
}

DriverNames scanDrivers(const QString &folder)
{
    FileNameBlock block;
    listRegularFiles(folder, ".drv", &block);
    const std::size_t count = block.starts.size();
    const auto lengthOf = [&](std::size_t i) {
        const std::size_t end = i + 1 < count ? block.starts[i + 1] : block.bytes.size();
        return static_cast<quint32>(end - block.starts[i] - 1);
    };
    const char *bytes = block.bytes.data();

    DriverNames names;
    names.m_starts.reserve(count);
    if (isAscii(bytes, block.bytes.size())) {
        std::vector<SortKey> keys;
        keys.reserve(count);
        for (std::size_t i = 0; i < count; ++i)
            keys.push_back(sortKey(block.bytes, block.starts[i], lengthOf(i)));
        std::sort(keys.begin(), keys.end(),
                  [bytes](const SortKey &a, const SortKey &b) { return asciiLess(bytes, a, b); });
        for (const SortKey &key : keys)
            names.m_starts.push_back(key.start);
    } else {
        std::vector<MixedKey> keys;
        keys.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            const quint32 start = block.starts[i];
            const quint32 length = lengthOf(i);
            QString decoded;
            if (!isAscii(bytes + start, length)) {
                const QByteArray raw = QByteArray::fromRawData(bytes + start, length);
                decoded = QFile::decodeName(raw);
                // A name that is not valid UTF-8 comes back from its decoded form as another
                // name: the editor, the preview and the emulator would all look for a file that
                // does not exist.
                if (QFile::encodeName(decoded) != raw)
                    continue;
            }
            keys.push_back({sortKey(block.bytes, start, length), std::move(decoded)});
        }
        std::sort(keys.begin(), keys.end(),
                  [bytes](const MixedKey &a, const MixedKey &b) { return mixedLess(bytes, a, b); });
        for (const MixedKey &key : keys)
            names.m_starts.push_back(key.key.start);
    }
    names.m_bytes = std::move(block.bytes);
    return names;
}

void DriverListModel::setNames(DriverNames names)
{
    beginResetModel();
    m_names = std::move(names);
    endResetModel();
}

int DriverListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_names.size());
}

QVariant DriverListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_names.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_names.at(index.row());
    return {};
}

void KeepChosenSelectionModel::select(const QItemSelection &selection, SelectionFlags command)
{
    // A command that chooses nothing can only take the chosen entry away.
    const bool chooses = (command & Select) && !selection.isEmpty();
    if (hasSelection() && !chooses)
        return;
    QItemSelectionModel::select(selection, command);
}
