// The site survey's "Group by network" view: one top-level row per network
// (NetworkGroups), its access points below it. Fed from the table's own
// AccessPointModel, whose cells (texts, alignment, sort values) it shows
// unchanged: a network's row shows its strongest access point's, with an
// empty BSSID, and the number of access points in a column of its own
// (after the SSID, where it is seen first).
// Every row stands for one table row (a network's: its strongest), which is
// what Connect and Add to Profile use.
#pragma once

#include <QAbstractItemModel>
#include <vector>

#include "survey/NetworkGroups.h"
#include "survey/ui/AccessPointModel.h"

namespace corvane {

class NetworkGroupModel : public QAbstractItemModel {
public:
    // The table's columns with the number of access points after the SSID.
    static constexpr int kAccessPointsColumn = AccessPointModel::kSsid + 1;
    static constexpr int kColumnCount = AccessPointModel::kColumnCount + 1;
    // This view's column of a table column.
    static constexpr int ColumnOf(int tableColumn) {
        return tableColumn < kAccessPointsColumn ? tableColumn : tableColumn + 1;
    }

    // Follows `rows` (each reset of it regroups).
    explicit NetworkGroupModel(AccessPointModel* rows, QObject* parent = nullptr);

    const std::vector<NetworkGroup>& groups() const { return groups_; }
    // The table row an index (of any column) stands for; -1 for none.
    int TableRow(const QModelIndex& index) const;
    // The index (column 0) showing table row `row`: its network's row when
    // it is that network's strongest, else its own row below it.
    QModelIndex IndexOfTableRow(int row) const;

    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void Regroup();

    AccessPointModel* rows_;
    std::vector<NetworkGroup> groups_;
};

}  // namespace corvane
