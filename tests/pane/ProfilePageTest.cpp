// The profile list: rows from the file, Add and Edit through the editor,
// Delete and Activate with the files and tasks they leave, and the
// active-profile check.
#include <QComboBox>
#include <QTableWidget>
#include <QTest>

#include "survey/SurveyConnect.h"
#include "tests/pane/PaneFixture.h"
#include "tests/support/RecordingAlerts.h"

namespace corvane::test {
namespace {

PrefDictionary Profile(const char* ssid, const char* bssid, const char* active = nullptr) {
    PrefDictionary p = {{kKeySsid, ssid},          {kKeyBssid, bssid},
                        {kKeyNetworkType, "1"},    {kKeyAuthenticationType, "3"},
                        {kKeyEncryptionType, "1"}, {kKeyWpaPsk, "correct horse"},
                        {kKeyHidden, "0"}};
    if (active) p.Set(kKeyActiveProfileFlag, active);
    return p;
}
const PrefArray kThree = {Profile("Alpha", "000C43A10001"), Profile("Beta", "000C43A10002"),
                          Profile("Gamma", "000C43A10003")};

class ProfilePage : public PageTest {
public:
    ProfilePage() { Show(kThree); }
    void Show(const PrefArray& profiles, const PrefArray& active = {}) {
        WritePreferenceArray(kProfileListPath, profiles);
        WritePreferenceArray(kActiveProfilePath, active);
        profiles_->RefreshProfileList();
    }
    QTableWidget* List() { return Find<QTableWidget>(profiles_, "profileList"); }
    QStringList Rows() {
        QStringList rows;
        for (int i = 0; i < List()->rowCount(); ++i) rows << List()->item(i, 0)->text();
        return rows;
    }
    bool NothingSelected() { return List()->selectionModel()->selectedRows().isEmpty(); }
    // A connect of the site survey page's own (to an open network), taken
    // out of the queue.
    void SurveyConnect() {
        ScanEntrySpec open;
        open.ssid = "CafeOpen";
        ShowNetworks({open});
        ApList()->selectRow(0);
        Click(survey_, "Connect");
        ASSERT_EQ(survey_->OwnConnectTarget(), SiteSurveyController::OwnConnect::ByAddress);
        TakeTasks();
    }
};

TEST_F(ProfilePage, RowsShowTheFileAndAddAndEditRunTheEditor) {
    EXPECT_EQ(Rows(), (QStringList{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(List()->horizontalHeaderItem(0)->text(), "SSID");
    QString edited;
    WhenShown(editor_, [&] {
        edited = Find<QComboBox>(editor_, "SSID")->currentText();
        Click(editor_, "CancelButton");
    });
    Click(profiles_, "Edit");  // nothing selected: nothing happens
    List()->selectRow(1);
    Click(profiles_, "Edit");
    EXPECT_EQ(edited, "Beta");
    EXPECT_TRUE(NothingSelected());
    WhenShown(editor_, [&] {
        QTest::keyClicks(Find<QComboBox>(editor_, "SSID")->lineEdit(), "Delta");
        Click(editor_, "OKButton");
    });
    Click(profiles_, "Add");
    EXPECT_EQ(Rows(), (QStringList{"Alpha", "Beta", "Gamma", "Delta"}));
}

TEST_F(ProfilePage, ActivateByButtonEnterOrDoubleClickQueuesTheProfileAndMarksItActive) {
    Click(profiles_, "Activate");  // nothing selected
    EXPECT_EQ(TaskQueue::TaskCount(), 0u);
    for (const char* how : {"button", "Enter", "double click"}) {
        SCOPED_TRACE(how);
        SurveyConnect();  // what the profile's connect replaces
        G_bRescan = 1;
        List()->selectRow(1);
        const QPoint row = List()->visualItemRect(List()->item(1, 0)).center();
        if (how[0] == 'b') Click(profiles_, "Activate");
        if (how[0] == 'E') QTest::keyClick(List(), Qt::Key_Return);
        if (how[0] == 'd') {
            QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, row);
            QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, row);
        }
        auto tasks = TakeTasks();
        ASSERT_EQ(tasks.size(), 1u);
        EXPECT_EQ(tasks[0]->getTaskType(), TASK_CONNECT);
        EXPECT_EQ(tasks[0]->Profile()->PskKeyLength, 71u);
        EXPECT_EQ(G_bRescan, 0);
        EXPECT_EQ(survey_->OwnConnectTarget(), SiteSurveyController::OwnConnect::None);
        const PrefArray active = ReadPreferenceArray(kActiveProfilePath);
        ASSERT_EQ(active.size(), 1u);
        EXPECT_EQ(active[0].Value(kKeyActiveProfileFlag), "YES");
        EXPECT_EQ(active[0].Value(kKeySsid), "Beta");
        EXPECT_TRUE(NothingSelected());
    }
}

TEST_F(ProfilePage, DeleteOfTheActiveProfileDisconnects) {
    Click(profiles_, "Delete");
    EXPECT_EQ(alerts_.alerts, (std::vector<corvane::test::RecordingAlerts::Alert>{
                                  {kAlertNoSelectedItem, kAlertSelectToDelete, "OK"}}));
    // The rules on the files are the profile list's tests: here the active
    // profile's row, whose deletion drops the link.
    Show(kThree, {Profile("Beta", "000C43A10002", "YES")});
    List()->selectRow(1);
    Click(profiles_, "Delete");
    EXPECT_EQ(ReadPreferenceArray(kProfileListPath), (PrefArray{kThree[0], kThree[2]}));
    EXPECT_EQ(Rows(), (QStringList{"Alpha", "Gamma"}));
    EXPECT_TRUE(ReadPreferenceArray(kActiveProfilePath).empty());
    auto tasks = TakeTasks();
    ASSERT_EQ(tasks.size(), 1u);
    const PROFILE_DATA& reset = *tasks[0]->Profile();
    EXPECT_EQ(
        (std::array{reset.NetworkType, reset.EncryptionStatus, int32_t(reset.bDisassociateFirst)}),
        (std::array{1, 1, 1}));
}

TEST_F(ProfilePage, ActiveProfileCheckQueuesOnlyAnActiveProfile) {
    for (const char* flag : {"", "NO", "YES"}) {
        Show(kThree, *flag ? PrefArray{Profile("Gamma", "000C43A10003", flag)} : PrefArray{});
        G_bRescan = 1;
        EXPECT_EQ(profiles_->CheckProfileSettingForConnect(), *flag == 'Y') << flag;
    }
    auto tasks = TakeTasks();
    ASSERT_EQ(tasks.size(), 1u);
    EXPECT_EQ(tasks[0]->Profile()->PskKeyLength, 103u);
    EXPECT_EQ(G_bRescan, 0);

    profiles_->DisabledActivateProfile();
    EXPECT_EQ(ActiveFlag(), "NO");
    EXPECT_FALSE(ReadPreferenceArray(kActiveProfilePath)[0].Contains(kKeyHidden));
}

}  // namespace
}  // namespace corvane::test
