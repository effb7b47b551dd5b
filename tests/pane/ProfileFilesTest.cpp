// The profile drawer beside another program that changes the same files:
// `corvane` run as its own process against the window's HOME. What the
// drawer deletes, activates or renames is the profile the user saw, in the
// file as it is now; failures are told; the active profile keeps its mark
// and its record.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <optional>

#include "profiles/ActiveRecord.h"
#include "tests/integration/Processes.h"
#include "tests/pane/PaneFixture.h"
#include "tests/support/FailingPreferenceWrites.h"
#include "tests/support/RecordingAlerts.h"

namespace corvane::test {
namespace {

using Names = std::vector<std::string>;

PrefDictionary Typed(const std::string& name, const std::string& ssid) {
    return {{kKeyProfileName, name},  {kKeySsid, ssid},       {kKeyBssid, ""},
            {kKeyHidden, "1"},        {kKeyNetworkType, "1"}, {kKeyAuthenticationType, "0"},
            {kKeyEncryptionType, "0"}};
}

class ProfileFiles : public PageTest {
protected:
    ProfileFiles() { drawer_->open(); }
    void Seed(const PrefArray& profiles, const PrefArray& active = {}) {
        WritePreferenceArray(kProfileListPath, profiles);
        WritePreferenceArray(kActiveProfilePath, active);
        profiles_->RefreshProfileList();
    }
    static CommandResult Cli(std::vector<std::string> args) {
        args.insert(args.begin(), BinPath("corvane"));
        return test::Run(args);
    }
    static Names Stored() {
        Names names;
        for (const PrefDictionary& p : ReadPreferenceArray(kProfileListPath))
            names.push_back(p.Value(kKeySsid));
        return names;
    }
    QTableWidget* List() { return Find<QTableWidget>(profiles_, "profileList"); }
    Names Rows() {
        Names rows;
        for (int i = 0; i < List()->rowCount(); ++i)
            rows.push_back(List()->item(i, 0)->text().toStdString());
        return rows;
    }
    QLineEdit* NameEditor() {
        for (QLineEdit* e : List()->viewport()->findChildren<QLineEdit*>())
            if (e->isVisible()) return e;
        return nullptr;
    }
    void Rename(int row, const char* text) {
        List()->selectRow(row);
        QTest::keyClick(List(), Qt::Key_F2);
        ASSERT_NE(NameEditor(), nullptr);
        NameEditor()->selectAll();
        QTest::keyClicks(NameEditor(), text);
        QTest::keyClick(NameEditor(), Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !NameEditor(); }));  // the commit is queued
    }
    void FailWrites(bool fail) {
        if (fail)
            writes_.emplace(failing_);
        else
            writes_.reset();
    }

    TempRegistry registry_;  // the command finds no driver of another test
    FailingPreferenceWrites failing_;
    std::optional<ScopedPreferenceWriter> writes_;
};

TEST_F(ProfileFiles, DeleteChangesTheFileAsItIsNowNotAsItWasShown) {
    Seed({Typed("Alpha", "AlphaNet"), Typed("Beta", "BetaNet")});
    ASSERT_EQ(Cli({"profiles", "add", "--ssid", "GammaNet", "--name", "Gamma"}).status, 0);
    List()->selectRow(0);  // the list still shows Alpha, Beta
    Click(profiles_, "Delete");
    EXPECT_EQ(Stored(), (Names{"BetaNet", "GammaNet"})) << "Gamma kept";

    Seed({Typed("Alpha", "AlphaNet"), Typed("Beta", "BetaNet")});
    ASSERT_EQ(Cli({"profiles", "delete", "Beta"}).status, 0);
    List()->selectRow(0);
    Click(profiles_, "Delete");
    EXPECT_EQ(Stored(), Names{}) << "Beta not brought back";
    EXPECT_TRUE(alerts_.alerts.empty());
}

TEST_F(ProfileFiles, AProfileGoneMeanwhileIsToldAndTheListShowsTheFile) {
    for (const char* button : {"Delete", "Activate", "Edit"}) {
        SCOPED_TRACE(button);
        alerts_.alerts.clear();
        Seed({Typed("Alpha", "AlphaNet"), Typed("Beta", "BetaNet")});
        ASSERT_EQ(Cli({"profiles", "delete", "Beta"}).status, 0);
        List()->selectRow(1);
        Click(profiles_, button);  // Edit would open the editor on nothing
        EXPECT_EQ(
            alerts_.alerts,
            (std::vector<corvane::test::RecordingAlerts::Alert>{{kAlertProfileGone, "", "OK"}}));
        EXPECT_EQ(Stored(), Names{"AlphaNet"});
        EXPECT_EQ(Rows(), Names{"AlphaNet"});
        EXPECT_EQ(TaskQueue::TaskCount(), 0u);
        EXPECT_FALSE(editor_->isVisible());
    }
}

TEST_F(ProfileFiles, EditorOkAndRenameKeepWhatAnotherProgramAdded) {
    Seed({Typed("Alpha", "AlphaNet"), Typed("Beta", "BetaNet")});
    WhenShown(editor_, [&] {
        ASSERT_EQ(Cli({"profiles", "add", "--ssid", "GammaNet", "--name", "Gamma"}).status, 0);
        QLineEdit* ssid = Find<QComboBox>(editor_, "SSID")->lineEdit();
        ssid->selectAll();
        QTest::keyClicks(ssid, "BetaNet2");
        Click(editor_, "OKButton");
    });
    List()->selectRow(1);
    Click(profiles_, "Edit");
    EXPECT_EQ(Stored(), (Names{"AlphaNet", "BetaNet2", "GammaNet"}));

    ASSERT_EQ(Cli({"profiles", "add", "--ssid", "DeltaNet", "--name", "Delta"}).status, 0);
    Rename(0, "AlphaNet2");
    EXPECT_EQ(Stored(), (Names{"AlphaNet2", "BetaNet2", "GammaNet", "DeltaNet"}));
}

TEST_F(ProfileFiles, TheListFollowsTheFileAndKeepsTheSelectedProfile) {
    Seed({Typed("Alpha", "AlphaNet"), Typed("Beta", "BetaNet")});
    List()->selectRow(1);
    ASSERT_EQ(Cli({"profiles", "add", "--ssid", "GammaNet", "--name", "Gamma"}).status, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return Rows() == Names{"AlphaNet", "BetaNet", "GammaNet"};
    }));
    ASSERT_EQ(Cli({"profiles", "delete", "Alpha"}).status, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Rows() == Names{"BetaNet", "GammaNet"}; }));
    EXPECT_EQ(List()->selectionModel()->selectedRows().value(0).row(), 0) << "Beta still selected";
}

TEST_F(ProfileFiles, WritesThatFailAreToldAndNothingIsClaimed) {
    Seed({Typed("Alpha", "AlphaNet"), Typed("Beta", "BetaNet")});
    FailWrites(true);
    List()->selectRow(0);
    Click(profiles_, "Delete");
    List()->selectRow(0);
    Click(profiles_, "Activate");
    Rename(1, "Other");
    EXPECT_TRUE(QTest::qWaitFor([&] { return alerts_.alerts.size() == 3; }));
    const std::string folder = home_.PreferencesFolder();
    EXPECT_EQ(alerts_.alerts,
              (std::vector<corvane::test::RecordingAlerts::Alert>{
                  {kAlertProfilesNotSaved, folder + "/Profile.plist", "OK"},
                  {kAlertActiveNotSaved, folder + "/ActiveProfileSetting.plist", "OK"},
                  {kAlertProfilesNotSaved, folder + "/Profile.plist", "OK"}}));
    EXPECT_EQ(TaskQueue::TaskCount(), 0u) << "no connect to a profile the file does not name";
    EXPECT_EQ(Stored(), (Names{"AlphaNet", "BetaNet"}));
    EXPECT_EQ(Rows(), (Names{"AlphaNet", "BetaNet"}));
}

// Two profiles typed in by name (no BSSID): deleting one leaves the other's
// active mark and link alone; the mark is on the active profile's row.
TEST_F(ProfileFiles, DeletingAnUnrelatedProfileKeepsTheActiveOne) {
    const PrefDictionary cafe = Typed("Cafe", "CafeOpen");
    Seed({Typed("Home", "CorvaneHome"), cafe}, {BuildActiveRecord(cafe)});
    EXPECT_FALSE(List()->item(0, 0)->font().bold());
    EXPECT_TRUE(List()->item(1, 0)->font().bold());
    List()->selectRow(0);
    Click(profiles_, "Delete");
    EXPECT_EQ(TaskQueue::TaskCount(), 0u) << "no reset record";
    EXPECT_EQ(ReadPreferenceArray(kActiveProfilePath), PrefArray{BuildActiveRecord(cafe)});
    EXPECT_EQ(Rows(), Names{"CafeOpen"});
    EXPECT_TRUE(List()->item(0, 0)->font().bold());
}

TEST_F(ProfileFiles, RenameOnlyOnRequestAndTheActiveRecordFollows) {
    const PrefDictionary home = Typed("Home", "CorvaneHome");
    Seed({home, Typed("Cafe", "CafeOpen")}, {BuildActiveRecord(home)});
    List()->selectRow(0);
    const QPoint row = List()->visualItemRect(List()->item(0, 0)).center();
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, row);
    QTest::qWait(QApplication::doubleClickInterval() + 200);
    EXPECT_EQ(NameEditor(), nullptr) << "a click on the selected row edits nothing";

    Rename(0, "HomeNet");
    const PrefArray active = ReadPreferenceArray(kActiveProfilePath);
    ASSERT_EQ(active.size(), 1u);
    EXPECT_EQ(active[0].Value(kKeySsid), "HomeNet");
    EXPECT_EQ(active[0].Value(kKeyActiveProfileFlag), "YES");
    EXPECT_TRUE(List()->item(0, 0)->font().bold()) << "still the active profile";

    List()->selectRow(1);
    Find<QAction>(profiles_, "Rename")->trigger();
    EXPECT_NE(NameEditor(), nullptr);
}

}  // namespace
}  // namespace corvane::test
