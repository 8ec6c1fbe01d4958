#pragma once

#include <QAbstractListModel>
#include <QStringList>

// The names of the driver files of one folder: regular, not hidden, ending in ".drv" in any
// case, sorted without regard to case. Scanned once; huge folders are the common case.
QStringList scanDrivers(const QString &folder);

// A read-only list of names for the driver list view.
class DriverListModel final : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setNames(QStringList names);
    const QStringList &names() const { return m_names; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QStringList m_names;
};
