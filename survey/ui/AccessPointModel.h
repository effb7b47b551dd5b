// The site survey table's data: the AccessPoint rows in the driver's order,
// one column per row text. The page shows them through AccessPointSortProxy,
// so a header click sorts the view while the rows (and the scan-list entries
// behind them) keep their order.
#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <vector>

#include "survey/AccessPoint.h"

namespace corvane {

class AccessPointModel : public QAbstractTableModel {
public:
    // Column order; the identifiers are the AccessPoint member names.
    enum Column {
        kSsid,
        kBssid,
        kSignal,
        kChannel,
        kAuthentication,
        kEncryption,
        kNetworkType,
        kColumnCount
    };
    // The value a column sorts by: numbers for Signal and Channel, else the text.
    static constexpr int kSortRole = Qt::UserRole + 1;

    explicit AccessPointModel(QObject* parent = nullptr);

    void setRows(std::vector<AccessPoint> rows);
    void clear();
    const std::vector<AccessPoint>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<AccessPoint> rows_;
};

// Sorts by AccessPointModel::kSortRole; column -1 is the driver's order.
class AccessPointSortProxy : public QSortFilterProxyModel {
public:
    explicit AccessPointSortProxy(QObject* parent = nullptr);

    // The row of the model behind a row of the view; -1 for none.
    int SourceRow(int viewRow) const;
    int ViewRow(int sourceRow) const;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

}  // namespace corvane
