// The site survey page's "Group by network": the grouped view, and that
// Connect and Add to Profile reach the access point the user picked there
// (a network's row: its strongest), through a switch, a sort and a rescan.
#include <QCheckBox>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>

#include "survey/ui/AccessPointModel.h"
#include "survey/ui/NetworkGroupModel.h"
#include "tests/pane/PaneFixture.h"

namespace corvane::test {
namespace {

using Mac = std::array<uint8_t, 6>;

ScanEntrySpec Ap(const std::string& ssid, uint8_t last, int32_t rssi, uint32_t khz,
                 const std::string& tagged = "") {
    ScanEntrySpec s;
    s.ssid = ssid;
    s.mac = {0x00, 0x0C, 0x43, 0xB2, 0x00, last};
    s.rssi = rssi;
    s.tagged = HexBytes(tagged);
    s.privacy = tagged.empty() ? 0 : 1;
    s.infrastructureMode = 1;
    s.dsConfig = khz;
    return s;
}
// "Cafe" (open) on three access points, a secured "Cafe" and "Home".
const ScanEntrySpec kCafeWeak = Ap("Cafe", 0x21, -80, 2412000);
const ScanEntrySpec kCafeStrong = Ap("Cafe", 0x22, -52, 2462000);
const ScanEntrySpec kCafeMid = Ap("Cafe", 0x23, -65, 2437000);
const ScanEntrySpec kCafeSecure = Ap("Cafe", 0x24, -58, 2437000, Rsn(4, {4}, {2}));
const ScanEntrySpec kHome = Ap("Home", 0x25, -55, 2437000, Rsn(4, {4}, {2}));

std::string MacText(const ScanEntrySpec& n) { return FormatMac(n.mac); }

class GroupByNetwork : public PageTest {
protected:
    GroupByNetwork() { ShowNetworks({kCafeWeak, kHome, kCafeStrong, kCafeSecure, kCafeMid}); }

    QCheckBox* Toggle() { return Find<QCheckBox>(survey_, "groupByNetwork"); }
    QTreeView* Tree() { return Find<QTreeView>(survey_, "networkGroups"); }
    QModelIndex At(int row, int column = 0, QModelIndex parent = {}) {
        return Tree()->model()->index(row, column, parent);
    }
    QString Cell(int row, int column, QModelIndex parent = {}) {
        return At(row, column, parent).data().toString();
    }
    // What a network row and its access points show: SSID, BSSID, signal
    // column's text, channel, authentication, count.
    QStringList Shown(int row, QModelIndex parent = {}) {
        QStringList cells;
        for (int column : {AccessPointModel::kSsid, AccessPointModel::kBssid,
                           AccessPointModel::kChannel, AccessPointModel::kAuthentication})
            cells << Cell(row, NetworkGroupModel::ColumnOf(column), parent);
        cells << Cell(row, NetworkGroupModel::kAccessPointsColumn, parent);
        return cells;
    }
    QPoint Centre(const QModelIndex& index) { return Tree()->visualRect(index).center(); }
    Mac Joined() {
        std::vector<Mac> macs;
        for (const auto& task : TakeTasks())
            if (task->getTaskType() == TASK_CONNECT)
                macs.push_back(std::to_array(task->Profile()->Bssid));
        EXPECT_EQ(macs.size(), 1u);
        return macs.empty() ? Mac{} : macs.front();
    }
};

TEST_F(GroupByNetwork, OffByDefaultThenOneRowPerNetworkExpandingToItsAccessPoints) {
    EXPECT_FALSE(Toggle()->isChecked());
    EXPECT_EQ(Toggle()->text(), "&Group by network");
    EXPECT_TRUE(ApList()->isVisible());
    EXPECT_FALSE(Tree()->isVisible());
    EXPECT_EQ(ApList()->model()->rowCount(), 5) << "the table as it is";

    Toggle()->click();
    EXPECT_FALSE(ApList()->isVisible());
    ASSERT_TRUE(Tree()->isVisible());
    ASSERT_EQ(Tree()->model()->rowCount(), 3);
    EXPECT_EQ(Shown(0), (QStringList{"Cafe", "", "11", "Open", "3"}));
    EXPECT_EQ(Shown(1), (QStringList{"Home", "", "6", "WPA2-PSK", "1"}));
    EXPECT_EQ(Shown(2), (QStringList{"Cafe", "", "6", "WPA2-PSK", "1"}));
    EXPECT_EQ(Cell(0, NetworkGroupModel::ColumnOf(AccessPointModel::kSignal)),
              ApList()->model()->index(2, AccessPointModel::kSignal).data().toString())
        << "the strongest access point's signal";
    EXPECT_EQ(Tree()->model()->headerData(NetworkGroupModel::kAccessPointsColumn, Qt::Horizontal),
              "Access Points");

    Tree()->expand(At(0));
    EXPECT_TRUE(Tree()->isExpanded(At(0)));
    ASSERT_EQ(Tree()->model()->rowCount(At(0)), 3);
    const QString strong = QString::fromStdString(MacText(kCafeStrong));
    EXPECT_EQ(Shown(0, At(0)), (QStringList{"Cafe", strong, "11", "Open", ""}));
    EXPECT_EQ(Cell(1, NetworkGroupModel::ColumnOf(AccessPointModel::kBssid), At(0)),
              QString::fromStdString(MacText(kCafeMid)));
    EXPECT_EQ(Cell(2, NetworkGroupModel::ColumnOf(AccessPointModel::kBssid), At(0)),
              QString::fromStdString(MacText(kCafeWeak)));
    EXPECT_EQ(Tree()->model()->rowCount(At(1)), 1) << "one access point is expandable too";

    Toggle()->click();
    EXPECT_TRUE(ApList()->isVisible());
    EXPECT_FALSE(Tree()->isVisible());
}

TEST_F(GroupByNetwork, ConnectAndAddToProfileUseThePickedAccessPointANetworkRowItsStrongest) {
    Toggle()->click();
    Tree()->expand(At(0));

    // Connect on the network's row, by button, double click and Enter.
    Tree()->setCurrentIndex(At(0));
    EXPECT_TRUE(Find<QAbstractButton>(survey_, "Connect")->isEnabled());
    Click(survey_, "Connect");
    EXPECT_EQ(Joined(), kCafeStrong.mac);
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, Centre(At(0)));
    QTest::mouseDClick(Tree()->viewport(), Qt::LeftButton, {}, Centre(At(0)));
    EXPECT_EQ(Joined(), kCafeStrong.mac);
    EXPECT_TRUE(Tree()->isExpanded(At(0))) << "a double click connects, it does not fold";
    QTest::keyClick(Tree(), Qt::Key_Return);
    EXPECT_EQ(Joined(), kCafeStrong.mac);

    // An access point picked below it.
    const QModelIndex weak = At(2, 0, At(0));
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, Centre(weak));
    Click(survey_, "Connect");
    EXPECT_EQ(Joined(), kCafeWeak.mac);
    QTest::mouseDClick(Tree()->viewport(), Qt::LeftButton, {}, Centre(weak));
    EXPECT_EQ(Joined(), kCafeWeak.mac);

    // Add to Profile prefills from the picked access point.
    Tree()->setCurrentIndex(At(1, 0, At(0)));
    WhenShown(editor_, [&] { Click(editor_, "OKButton"); });
    Click(survey_, "AddToProfile");
    const PrefArray stored = ReadPreferenceArray(kProfileListPath);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].Value(kKeySsid) + " " + stored[0].Value(kKeyBssid), "Cafe 000C43B20023");
}

TEST_F(GroupByNetwork, SelectionGoesWithTheSwitchSortingWorksARescanKeepsOpenNetworksOpen) {
    // The weak access point picked in the table is picked in the groups,
    // and back.
    ApList()->selectRow(0);
    Toggle()->click();
    EXPECT_TRUE(Tree()->isExpanded(At(0)));
    EXPECT_EQ(Tree()->currentIndex(), At(2, 0, At(0)));
    Click(survey_, "Connect");
    EXPECT_EQ(Joined(), kCafeWeak.mac);
    Tree()->setCurrentIndex(At(1));  // Home
    Toggle()->click();
    const QModelIndexList picked = ApList()->selectionModel()->selectedRows();
    ASSERT_EQ(picked.size(), 1);
    EXPECT_EQ(picked[0].data().toString(), "Home");
    Toggle()->click();

    // A click on the SSID header sorts the networks by name; a network's
    // row still means its strongest access point.
    QHeaderView* header = Tree()->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
    EXPECT_EQ((QStringList{Cell(0, 0), Cell(1, 0), Cell(2, 0)}),
              (QStringList{"Cafe", "Cafe", "Home"}));
    const int open =
        Cell(0, NetworkGroupModel::ColumnOf(AccessPointModel::kAuthentication)) == "Open" ? 0 : 1;
    Tree()->setCurrentIndex(At(open));
    Click(survey_, "Connect");
    EXPECT_EQ(Joined(), kCafeStrong.mac);

    // A rescan: strongest first again, nothing selected, "Cafe" still open
    // though its strongest access point changed.
    const QModelIndex cafe = At(open);
    Tree()->expand(cafe);
    ShowNetworks({kCafeWeak, kHome, kCafeSecure, kCafeMid});
    EXPECT_EQ(header->sortIndicatorSection(), -1);
    EXPECT_TRUE(Tree()->selectionModel()->selectedRows().isEmpty());
    EXPECT_EQ(Shown(0), (QStringList{"Home", "", "6", "WPA2-PSK", "1"}));
    EXPECT_EQ(Shown(2), (QStringList{"Cafe", "", "6", "Open", "2"}));
    EXPECT_TRUE(Tree()->isExpanded(At(2)));
    EXPECT_FALSE(Tree()->isExpanded(At(0)));
    Tree()->setCurrentIndex(At(2));
    Click(survey_, "Connect");
    EXPECT_EQ(Joined(), kCafeMid.mac);
}

}  // namespace
}  // namespace corvane::test
