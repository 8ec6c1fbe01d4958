#pragma once

#include <QAbstractListModel>
#include <QItemSelectionModel>
#include <QString>
#include <string>
#include <vector>

// The driver files of one folder, in the order the list shows them. The names stay the file
// system's bytes in one block and are decoded, as Qt decodes file names, only when asked for:
// huge folders are the common case, and a QString per name would double the memory and time.
class DriverNames
{
public:
    qsizetype size() const { return static_cast<qsizetype>(m_starts.size()); }
    QString at(qsizetype index) const;

private:
    friend DriverNames scanDrivers(const QString &folder);
    std::string m_bytes;           // every name followed by a NUL, in the file system's order
    std::vector<quint32> m_starts; // where each listed name begins in m_bytes, in list order
};

// The names of the driver files of one folder: regular files and links to them, not hidden,
// ending in ".drv" in any case, sorted as QString::compare without regard to case sorts them,
// equal ones as QString's < does. Scanned once.
DriverNames scanDrivers(const QString &folder);

// A read-only list of names for the driver list view.
class DriverListModel final : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setNames(DriverNames names);
    const DriverNames &names() const { return m_names; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    DriverNames m_names;
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
