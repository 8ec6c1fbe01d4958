#pragma once

#include <QAbstractListModel>
#include <QItemSelectionModel>
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

// The driver list's selection: once a driver is chosen an entry stays chosen, as in any file
// list. A Ctrl+click or Ctrl+Space on the chosen entry would otherwise leave the command line
// and the editor button with a driver that the list no longer shows.
class KeepChosenSelectionModel final : public QItemSelectionModel
{
    Q_OBJECT
public:
    using QItemSelectionModel::QItemSelectionModel;
    using QItemSelectionModel::select;

    void select(const QItemSelection &selection, SelectionFlags command) override;
};
