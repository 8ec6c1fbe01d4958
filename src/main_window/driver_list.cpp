#include "driver_list.h"

#include <QDirIterator>
#include <algorithm>

QStringList scanDrivers(const QString &folder)
{
    QStringList names;
    // The name filter is matched without regard to case; QDir::Files keeps folders named x.drv
    // out, and without QDir::Hidden dot files stay out too.
    QDirIterator it(folder, {QStringLiteral("*.drv")}, QDir::Files);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

void DriverListModel::setNames(QStringList names)
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
