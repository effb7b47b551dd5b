#include "survey/ui/AccessPointModel.h"

#include <QCoreApplication>
#include <array>

#include "adapter/SsidText.h"

namespace corvane {
namespace {

constexpr std::array<const char*, AccessPointModel::kColumnCount> kTitles = {
    QT_TRANSLATE_NOOP("AccessPointModel", "SSID"),
    QT_TRANSLATE_NOOP("AccessPointModel", "BSSID"),
    QT_TRANSLATE_NOOP("AccessPointModel", "Signal"),
    QT_TRANSLATE_NOOP("AccessPointModel", "Channel"),
    QT_TRANSLATE_NOOP("AccessPointModel", "Authentication"),
    QT_TRANSLATE_NOOP("AccessPointModel", "Encryption"),
    QT_TRANSLATE_NOOP("AccessPointModel", "Network Type")};

const std::string& Text(const AccessPoint& row, int column) {
    return *AccessPointMember(row, kAccessPointMembers[size_t(column)]);
}

}  // namespace

AccessPointModel::AccessPointModel(QObject* parent) : QAbstractTableModel(parent) {}

void AccessPointModel::setRows(std::vector<AccessPoint> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void AccessPointModel::clear() { setRows({}); }

int AccessPointModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int AccessPointModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant AccessPointModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(rows_.size()) || index.column() >= kColumnCount)
        return {};
    const std::string& text = Text(rows_[size_t(index.row())], index.column());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
        case Qt::AccessibleTextRole: {
            // A name that is not UTF-8 (or holds controls) shows its bytes;
            // the security and type words are the rows' own, translated.
            if (index.column() >= kAuthentication)
                return QCoreApplication::translate("AccessPoint", text.c_str());
            const std::string shown = index.column() == 0 ? PrintableText(text) : text;
            return QString::fromUtf8(shown.data(), qsizetype(shown.size()));
        }
        case Qt::TextAlignmentRole:
            if (index.column() == kSignal || index.column() == kChannel)
                return int(Qt::AlignRight | Qt::AlignVCenter);
            return {};
        case kSortRole:
            if (index.column() == kSignal || index.column() == kChannel)
                return QString::fromStdString(text).toLongLong();
            return QString::fromUtf8(text.data(), qsizetype(text.size()));
        default:
            return {};
    }
}

QVariant AccessPointModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
    if (role == Qt::DisplayRole)
        return QCoreApplication::translate("AccessPointModel", kTitles[size_t(section)]);
    // A column sorts ascending on its first click.
    if (role == Qt::InitialSortOrderRole) return int(Qt::AscendingOrder);
    return {};
}

AccessPointSortProxy::AccessPointSortProxy(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(AccessPointModel::kSortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
    setDynamicSortFilter(false);
}

int AccessPointSortProxy::SourceRow(int viewRow) const {
    if (viewRow < 0 || viewRow >= rowCount()) return -1;
    return mapToSource(index(viewRow, 0)).row();
}

int AccessPointSortProxy::ViewRow(int sourceRow) const {
    if (!sourceModel() || sourceRow < 0 || sourceRow >= sourceModel()->rowCount()) return -1;
    return mapFromSource(sourceModel()->index(sourceRow, 0)).row();
}

bool AccessPointSortProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const QVariant a = left.data(sortRole());
    const QVariant b = right.data(sortRole());
    if (a.typeId() == QMetaType::LongLong && b.typeId() == QMetaType::LongLong) {
        if (a.toLongLong() != b.toLongLong()) return a.toLongLong() < b.toLongLong();
    } else {
        const int order = QString::compare(a.toString(), b.toString(), sortCaseSensitivity());
        if (order != 0) return order < 0;
    }
    // Equal keys keep the driver's order.
    return left.row() < right.row();
}

}  // namespace corvane
