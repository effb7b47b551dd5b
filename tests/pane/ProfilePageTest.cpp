// The profile list in the window: rows from the file, Add and Edit through
// the editor, Delete and Activate with the files and tasks they leave, a
// network name renamed in place, and the active-profile check.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "survey/SurveyConnect.h"
#include "tests/pane/PageFixture.h"

namespace corvane::test {
namespace {

PrefDictionary Profile(const char* name, const char* ssid, const char* bssid) {
    return {{kKeyProfileName, name},   {kKeySsid, ssid},
            {kKeyBssid, bssid},        {kKeyNetworkType, "1"},
            {kKeyChannel, "1"},        {kKeyAuthenticationType, "3"},
            {kKeyEncryptionType, "1"}, {kKeyWpaPsk, "correct horse"},
            {kKeyHidden, "0"}};
}
const PrefArray kThree = {Profile("PROF1", "Alpha", "000C43A10001"),
                          Profile("PROF2", "Beta", "000C43A10002"),
                          Profile("PROF3", "Gamma", "000C43A10003")};

class ProfilePage : public PageFixture {
public:
    ProfilePage() {
        WriteProfiles(kThree);
        profiles_->RefreshProfileList();
    }
    QTableWidget* List() { return Find<QTableWidget>(profiles_, "profileList"); }
    QStringList Rows() {
        QStringList rows;
        for (int i = 0; i < List()->rowCount(); ++i) rows << List()->item(i, 0)->text();
        return rows;
    }
    bool NothingSelected() { return List()->selectionModel()->selectedRows().isEmpty(); }
    void Press(const char* button) { Find<QPushButton>(profiles_, button)->click(); }
    QPoint RowCentre(int row) { return List()->visualItemRect(List()->item(row, 0)).center(); }
};

TEST_F(ProfilePage, RowsComeFromTheFileAndActionsWithoutSelectionDoLittle) {
    EXPECT_EQ(Rows(), (QStringList{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(List()->horizontalHeaderItem(0)->text(), "SSID");
    EXPECT_TRUE(NothingSelected());
    bool editorShown = false;
    WhenShown(editor_, [&] {
        editorShown = true;
        editor_->reject();
    });
    for (const char* button : {"Edit", "Activate", "Delete"}) Press(button);
    ASSERT_EQ(alerts_.alerts.size(), 1u);
    EXPECT_EQ(alerts_.alerts[0],
              (platform::RecordingAlerts::Alert{kAlertNoSelectedItem, kAlertSelectToDelete, "OK"}));
    EXPECT_FALSE(editorShown);
    EXPECT_EQ(TaskQueue::TaskCount(), 0u);
    EXPECT_EQ(Profiles(), kThree);
}

TEST_F(ProfilePage, AddAndEditRunTheEditorThenShowTheFile) {
    WhenShown(editor_, [&] {
        QTest::keyClicks(Find<QComboBox>(editor_, "SSID")->lineEdit(), "Delta");
        Find<QPushButton>(editor_, "OKButton")->click();
    });
    Press("Add");
    EXPECT_EQ(Rows(), (QStringList{"Alpha", "Beta", "Gamma", "Delta"}));

    List()->selectRow(1);
    QString shownName;
    WhenShown(editor_, [&] {
        shownName = Find<QLineEdit>(editor_, "ProfileName")->text();
        Find<QPushButton>(editor_, "CancelButton")->click();
    });
    Press("Edit");
    EXPECT_EQ(shownName, "PROF2");
    EXPECT_TRUE(NothingSelected());
}

TEST_F(ProfilePage, ActivateQueuesTheProfileAndMarksItActive) {
    struct Row {
        const char* how;
        std::function<void(ProfilePage&)> activate;
    } rows[] = {
        {"button", [](ProfilePage& t) { t.Press("Activate"); }},
        {"Enter", [](ProfilePage& t) { QTest::keyClick(t.List(), Qt::Key_Return); }},
        {"double click",
         [](ProfilePage& t) {
             QTest::mouseClick(t.List()->viewport(), Qt::LeftButton, {}, t.RowCentre(1));
             QTest::mouseDClick(t.List()->viewport(), Qt::LeftButton, {}, t.RowCentre(1));
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.how);
        G_bRescan = 1;
        survey_->SetSsid = 1;
        List()->selectRow(1);
        row.activate(*this);
        auto tasks = TakeTasks();
        ASSERT_EQ(tasks.size(), 1u);
        EXPECT_EQ(tasks[0]->getTaskType(), TASK_CONNECT);
        EXPECT_EQ(tasks[0]->Profile()->PskKeyLength, 71u);
        EXPECT_EQ(G_bRescan, 0);
        EXPECT_EQ(survey_->SetSsid, 0);
        const PrefArray active = ReadPreferenceArray(kActiveProfilePath);
        ASSERT_EQ(active.size(), 1u);
        EXPECT_EQ(active[0].Value(kKeyActiveProfileFlag), "YES");
        EXPECT_EQ(active[0].Value(kKeySsid), "Beta");
        EXPECT_TRUE(NothingSelected());
    }
}

TEST_F(ProfilePage, DeleteDropsTheActiveMarkByBssidAndDisconnectsOnlyWhenActive) {
    struct Row {
        const char* name;
        const char* flag;
        int row;
        bool activeRemains, resetQueued;
    } rows[] = {
        {"the active profile", "YES", 1, false, true},
        {"a profile matching an inactive record", "NO", 1, false, false},
        {"another profile", "YES", 0, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteProfiles(kThree);
        PrefDictionary active = Profile("PROF2", "Beta", "000C43A10002");
        active.Set(kKeyActiveProfileFlag, row.flag);
        WriteActive({active});
        profiles_->RefreshProfileList();
        List()->selectRow(row.row);
        Press("Delete");
        PrefArray expected = kThree;
        expected.erase(expected.begin() + row.row);
        EXPECT_EQ(Profiles(), expected);
        EXPECT_EQ(Rows().size(), 2);
        EXPECT_EQ(ReadPreferenceArray(kActiveProfilePath).size(), row.activeRemains ? 1u : 0u);
        auto tasks = TakeTasks();
        ASSERT_EQ(tasks.size(), row.resetQueued ? 1u : 0u);
        if (!row.resetQueued) continue;
        const PROFILE_DATA& reset = *tasks[0]->Profile();
        EXPECT_EQ(reset.NetworkType, 1);
        EXPECT_EQ(reset.EncryptionStatus, 1);
        EXPECT_EQ(reset.bDisassociateFirst, 1);
        EXPECT_EQ(reset.SsidRecord.SsidLength, 0u);
    }
}

TEST_F(ProfilePage, NetworkNameEditedInPlaceIsWrittenToTheFile) {
    struct Row {
        QString typed, shown;
        std::string stored;
        int beeps;
    } rows[] = {
        {"Renamed", "Renamed", "Renamed", 0},
        {"", "Renamed", "Renamed", 1},  // a profile keeps a name
        {QString(40, 'x'), QString(32, 'x'), std::string(32, 'x'), 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed.toStdString());
        alerts_.beeps = 0;
        List()->setCurrentCell(0, 0);
        QTest::keyClick(List(), Qt::Key_F2);
        auto* editor = List()->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, row.typed);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // the view commits the edit after the key
        EXPECT_EQ(List()->item(0, 0)->text(), row.shown);
        const PrefArray stored = Profiles();
        EXPECT_EQ(stored[0].Value(kKeySsid), row.stored);
        EXPECT_EQ(stored[0].Value(kKeyWpaPsk), "correct horse") << "the rest of the profile stays";
        EXPECT_EQ(stored[1], kThree[1]);
        EXPECT_EQ(alerts_.beeps, row.beeps);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the closed editor
    }
    profiles_->RefreshProfileList();
    EXPECT_EQ(Rows().front().size(), 32);
}

TEST_F(ProfilePage, ActiveProfileCheckQueuesTheActiveProfileOnly) {
    EXPECT_FALSE(profiles_->CheckProfileSettingForConnect());
    PrefDictionary active = Profile("PROF3", "Gamma", "000C43A10003");
    for (const char* flag : {"NO", "YES"}) {
        active.Set(kKeyActiveProfileFlag, flag);
        WriteActive({active});
        profiles_->RefreshProfileList();
        G_bRescan = 1;
        EXPECT_EQ(profiles_->CheckProfileSettingForConnect(), std::string(flag) == "YES") << flag;
    }
    auto tasks = TakeTasks();
    ASSERT_EQ(tasks.size(), 1u);
    EXPECT_EQ(tasks[0]->Profile()->PskKeyLength, 103u);
    EXPECT_EQ(G_bRescan, 0);

    profiles_->DisabledActivateProfile();
    const PrefArray after = ReadPreferenceArray(kActiveProfilePath);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].Value(kKeyActiveProfileFlag), "NO");
    EXPECT_FALSE(after[0].Contains(kKeyHidden));
}

}  // namespace
}  // namespace corvane::test
