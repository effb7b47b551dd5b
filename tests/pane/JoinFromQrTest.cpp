// The site survey's "Join from QR text…", driven through the window: the
// text typed into its dialog, the scan it asks for, and the network of that
// name in the new list joined as Connect joins it, or refused with the alert
// Connect or the key rules give.
#include <gmock/gmock.h>

#include <QPlainTextEdit>

#include "crypto/MathFunc.h"
#include "tests/pane/PaneFixture.h"

namespace corvane::test {
namespace {

ScanEntrySpec Net(const std::string& ssid, uint8_t last, int32_t rssi, const std::string& tagged) {
    ScanEntrySpec s;
    s.ssid = ssid;
    s.mac = {0x00, 0x0C, 0x43, 0xA1, 0x00, last};
    s.rssi = rssi;
    s.tagged = HexBytes(tagged);
    s.privacy = tagged.empty() ? 0 : 1;
    s.infrastructureMode = 1;
    s.dsConfig = 2437000;
    return s;
}

class JoinFromQr : public PageTest {
public:
    // Types the text into the dialog and joins; the page asks for a scan.
    void Join(const std::string& text) {
        WhenDialogShown(survey_, "JoinQrController", [text](QDialog* dialog) {
            dialog->findChild<QPlainTextEdit*>("QrText")->setPlainText(
                QString::fromStdString(text));
            dialog->findChild<QAbstractButton*>("OKButton")->click();
        });
        Click(survey_, "JoinQr");
    }
    // The scan the page asked for comes back with `networks`; the probe
    // shows the list.
    void ScanBrings(const std::vector<ScanEntrySpec>& networks) {
        ASSERT_EQ(DrainTasks(), std::vector<int32_t>{TASK_RESCAN});
        ScanFinds(networks);
        G_bRescan = 1;
        survey_->ProbeConnectStatus();
    }
    std::vector<std::shared_ptr<ProfileData>> Connects() {
        auto tasks = TakeTasks();
        std::erase_if(tasks, [](auto& t) { return t->getTaskType() != TASK_CONNECT; });
        return tasks;
    }
};

TEST_F(JoinFromQr, TheNetworkIsLookedUpInTheNewListAndJoinedAsConnectJoinsIt) {
    const ScanEntrySpec weak = Net("Home", 1, -80, Rsn(4, {4}, {2}));
    const ScanEntrySpec strong = Net("Home", 2, -40, Rsn(4, {4}, {2}));
    ShowNetworks({Net("Other", 9, -50, "")});
    Join("WIFI:T:WPA;S:Home;P:correct horse;;");
    EXPECT_EQ(TaskQueue::TaskCount(), 1u) << "the scan, and nothing else before it";
    ScanBrings({weak, strong});
    EXPECT_TRUE(alerts_.alerts.empty());
    auto connects = Connects();
    ASSERT_EQ(connects.size(), 1u);
    const PROFILE_DATA& r = *connects[0]->Profile();
    EXPECT_EQ(std::to_array(r.Bssid), strong.mac) << "the strongest of the name";
    EXPECT_EQ(r.bConnectByBssid, 1);
    EXPECT_EQ(
        (std::array{r.AuthMode, r.EncryptionStatus}),
        (std::array{int32_t(Ndis802_11AuthModeWPA2PSK), int32_t(Ndis802_11Encryption3Enabled)}));
    std::vector<uint8_t> pmk(kPasswordHashOutputLen);
    PasswordHash("correct horse", reinterpret_cast<const unsigned char*>("Home"), 4, pmk.data());
    EXPECT_TRUE(std::equal(pmk.begin(), pmk.begin() + 32, r.PskKey.get() + kKeyMaterialOffset));
    EXPECT_EQ(survey_->OwnConnectTarget(), SiteSurveyController::OwnConnect::ByAddress);
}

TEST_F(JoinFromQr, RefusalsAreTheAlertsConnectAndTheKeyRulesGive) {
    const ScanEntrySpec home = Net("Home", 2, -40, Rsn(4, {4}, {2}));
    const ScanEntrySpec cafe = Net("Cafe", 3, -50, "");
    struct Row {
        std::string text;
        bool scans;
        std::string alert;
    };
    const std::vector<Row> rows = {
        {"WIFI:T:SAE;S:Home;P:correct horse;;", false, "WPA3-SAE"},
        {"WIFI:T:WPA;S:Home;P:correct horse", false, "no closing"},
        {"WIFI:T:nopass;S:Nowhere;;", true, "No network named Nowhere is in range."},
        {"WIFI:T:WPA;S:Cafe;P:correct horse;;", true, "Cafe is an open network"},
        {"WIFI:T:WPA;S:Home;P:short;;", true,
         "Invalid WPA Pre-Shared key. WPA-PSK/WPA2-PSK key should be more than 8 characters."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        alerts_.alerts.clear();
        Join(row.text);
        if (row.scans) ScanBrings({home, cafe});
        EXPECT_TRUE(DrainTasks().empty());
        ASSERT_EQ(alerts_.alerts.size(), 1u);
        EXPECT_THAT(alerts_.alerts[0].title, ::testing::HasSubstr(row.alert));
    }
}

}  // namespace
}  // namespace corvane::test
