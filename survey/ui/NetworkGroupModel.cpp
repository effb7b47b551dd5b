#include "survey/ui/NetworkGroupModel.h"

#include <QCoreApplication>

namespace corvane {
namespace {

// An index's internal id: 0 for a network's row, else 1 + its network.
constexpr quintptr kTopLevel = 0;

// The table column shown in a column other than the count.
int TableColumn(int column) {
    return column < NetworkGroupModel::kAccessPointsColumn ? column : column - 1;
}

}  // namespace

NetworkGroupModel::NetworkGroupModel(AccessPointModel* rows, QObject* parent)
    : QAbstractItemModel(parent), rows_(rows) {
    connect(rows_, &QAbstractItemModel::modelReset, this, &NetworkGroupModel::Regroup);
    Regroup();
}

void NetworkGroupModel::Regroup() {
    beginResetModel();
    groups_ = GroupNetworks(rows_->rows());
    endResetModel();
}

int NetworkGroupModel::TableRow(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this) return -1;
    if (index.internalId() == kTopLevel) {
        if (size_t(index.row()) >= groups_.size()) return -1;
        return int(groups_[size_t(index.row())].Strongest());
    }
    const size_t group = index.internalId() - 1;
    if (group >= groups_.size() || size_t(index.row()) >= groups_[group].rows.size()) return -1;
    return int(groups_[group].rows[size_t(index.row())]);
}

QModelIndex NetworkGroupModel::IndexOfTableRow(int row) const {
    for (size_t g = 0; g < groups_.size(); ++g) {
        const std::vector<size_t>& members = groups_[g].rows;
        for (size_t m = 0; m < members.size(); ++m) {
            if (members[m] != size_t(row)) continue;
            if (m == 0) return index(int(g), 0);
            return createIndex(int(m), 0, quintptr(g + 1));
        }
    }
    return {};
}

QModelIndex NetworkGroupModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column < 0 || column >= kColumnCount) return {};
    if (!parent.isValid()) {
        if (size_t(row) >= groups_.size()) return {};
        return createIndex(row, column, kTopLevel);
    }
    if (parent.internalId() != kTopLevel || size_t(parent.row()) >= groups_.size()) return {};
    if (size_t(row) >= groups_[size_t(parent.row())].rows.size()) return {};
    return createIndex(row, column, quintptr(parent.row() + 1));
}

QModelIndex NetworkGroupModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kTopLevel) return {};
    return createIndex(int(child.internalId() - 1), 0, kTopLevel);
}

int NetworkGroupModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return int(groups_.size());
    if (parent.column() != 0 || parent.internalId() != kTopLevel ||
        size_t(parent.row()) >= groups_.size())
        return 0;
    return int(groups_[size_t(parent.row())].rows.size());
}

int NetworkGroupModel::columnCount(const QModelIndex&) const { return kColumnCount; }

QVariant NetworkGroupModel::data(const QModelIndex& index, int role) const {
    const int row = TableRow(index);
    if (row < 0) return {};
    const bool network = index.internalId() == kTopLevel;
    if (index.column() == kAccessPointsColumn) {
        if (!network) return {};
        const qlonglong count = qlonglong(groups_[size_t(index.row())].rows.size());
        switch (role) {
            case Qt::DisplayRole:
            case Qt::ToolTipRole:
            case Qt::AccessibleTextRole:
                return QString::number(count);
            case Qt::TextAlignmentRole:
                return int(Qt::AlignRight | Qt::AlignVCenter);
            case AccessPointModel::kSortRole:
                return count;
            default:
                return {};
        }
    }
    const int column = TableColumn(index.column());
    // A network is no one access point: its row leaves the address out.
    if (network && column == AccessPointModel::kBssid) return {};
    return rows_->index(row, column).data(role);
}

QVariant NetworkGroupModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section == kAccessPointsColumn) {
        if (role == Qt::DisplayRole)
            return QCoreApplication::translate("NetworkGroupModel", "Access Points");
        if (role == Qt::InitialSortOrderRole) return int(Qt::AscendingOrder);
        return {};
    }
    return rows_->headerData(TableColumn(section), orientation, role);
}

}  // namespace corvane
