// The profile drawer's Share…, Export… and Import…, driven through the
// window: the code shown only with "Show key" (and read back by a QR
// reader), and files chosen in the file dialogs.
#include <gmock/gmock.h>

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QTableWidget>
#include <QTest>
#include <fstream>

#include "tests/integration/Processes.h"
#include "tests/pane/PaneFixture.h"

namespace corvane::test {
namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Picks `path` in the file dialog named `name` under `owner`.
void WhenFileChosen(QObject* owner, const char* name, const std::string& path) {
    WhenDialogShown(owner, name, [path](QDialog* dialog) {
        auto* files = static_cast<QFileDialog*>(dialog);
        files->selectFile(QString::fromStdString(path));
        QMetaObject::invokeMethod(files, "accept");
    });
}

PrefDictionary Profile(const char* name, const char* ssid, std::vector<PrefDictionary::Entry> set) {
    PrefDictionary p = {{kKeyProfileName, name},       {kKeySsid, ssid},          {kKeyBssid, ""},
                        {kKeyNetworkType, "1"},        {kKeyChannel, "1"},        {kKeyHidden, "0"},
                        {kKeyAuthenticationType, "0"}, {kKeyEncryptionType, "0"}, {kKeyWpaPsk, ""}};
    for (const auto& [key, value] : set) p.Set(key, value);
    return p;
}
const PrefDictionary kHomeProfile = Profile(
    "Home", "CorvaneHome",
    {{kKeyAuthenticationType, "3"}, {kKeyEncryptionType, "1"}, {kKeyWpaPsk, "correct horse"}});
const PrefDictionary kLanProfile =
    Profile("LAN", "LAN-Party", {{kKeyNetworkType, "0"}, {kKeyChannel, "6"}});

class ProfileExchange : public PageTest {
public:
    ProfileExchange() {
        WritePreferenceArray(kProfileListPath, {kHomeProfile, kLanProfile});
        profiles_->RefreshProfileList();
    }
    QTableWidget* List() { return Find<QTableWidget>(profiles_, "profileList"); }
    QStringList Rows() {
        QStringList rows;
        for (int i = 0; i < List()->rowCount(); ++i) rows << List()->item(i, 0)->text();
        return rows;
    }
    void Trigger(const char* action) { Find<QAction>(profiles_, action)->trigger(); }
    std::string folder_ = MakeTempFolder("exchange-pane");
};

TEST_F(ProfileExchange, ShareShowsTheCodeOnlyWhileShowKeyIsOn) {
    Trigger("Share");  // nothing selected: nothing happens
    EXPECT_EQ(profiles_->findChild<QDialog*>("ShareProfileController"), nullptr);

    const std::string png = folder_ + "/shown.png";
    bool checked = false;
    WhenDialogShown(profiles_, "ShareProfileController", [&](QDialog* share) {
        EXPECT_EQ(Text(share, "NetworkText"), "CorvaneHome (WPA)");
        EXPECT_TRUE(Find<QLabel>(share, "WithheldText")->isVisible());
        EXPECT_FALSE(Find<QLabel>(share, "QrPicture")->isVisible());
        EXPECT_EQ(Text(share, "QrText"), "");
        Find<QCheckBox>(share, "ShowKey")->click();
        EXPECT_FALSE(Find<QLabel>(share, "WithheldText")->isVisible());
        EXPECT_EQ(Text(share, "QrText"), "WIFI:T:WPA;S:CorvaneHome;P:correct horse;;");
        const QPixmap picture = Find<QLabel>(share, "QrPicture")->pixmap();
        EXPECT_TRUE(picture.save(QString::fromStdString(png)));
        Find<QCheckBox>(share, "ShowKey")->click();
        EXPECT_EQ(Text(share, "QrText"), "");
        EXPECT_TRUE(Find<QLabel>(share, "QrPicture")->pixmap().isNull());
        checked = true;
        Click(share, "CloseButton");
    });
    List()->selectRow(0);
    Trigger("Share");
    EXPECT_TRUE(checked);
    if (*CORVANE_ZBARIMG) {
        EXPECT_EQ(test::Run({CORVANE_ZBARIMG, "--raw", "-q", png}).out,
                  "WIFI:T:WPA;S:CorvaneHome;P:correct horse;;\n");
    } else {
        ADD_FAILURE() << "no zbarimg to read the picture (scripts/install-deps.sh --test)";
    }

    // Opened again, the key is withheld again.
    WhenDialogShown(profiles_, "ShareProfileController", [&](QDialog* share) {
        EXPECT_FALSE(Find<QCheckBox>(share, "ShowKey")->isChecked());
        EXPECT_EQ(Text(share, "QrText"), "");
        Click(share, "CloseButton");
    });
    List()->selectRow(0);
    Trigger("Share");

    // An ad hoc profile has no code.
    List()->selectRow(1);
    Trigger("Share");
    ASSERT_EQ(alerts_.alerts.size(), 1u);
    EXPECT_THAT(alerts_.alerts[0].title, ::testing::HasSubstr("ad hoc"));
}

TEST_F(ProfileExchange, ExportAndImportGoThroughTheFileDialogs) {
    const std::string exported = folder_ + "/profiles.plist";
    WhenFileChosen(profiles_, "ExportFileDialog", exported);
    Trigger("Export");
    EXPECT_TRUE(alerts_.alerts.empty());
    PrefArray written;
    ASSERT_EQ(ParsePreferenceArray(ReadText(exported), written), "");
    EXPECT_EQ(written, ReadPreferenceArray(kProfileListPath));

    // Imported back, both names are taken; the list shows the new rows.
    WhenFileChosen(profiles_, "ImportFileDialog", exported);
    Trigger("Import");
    ASSERT_EQ(alerts_.alerts.size(), 1u);
    EXPECT_EQ(alerts_.alerts[0].title, "Imported 2 profiles.");
    EXPECT_EQ(alerts_.alerts[0].message,
              "Imported Home (CorvaneHome) as Home2: the name Home is taken\n"
              "Imported LAN (LAN-Party) as LAN2: the name LAN is taken");
    EXPECT_EQ(Rows(), (QStringList{"CorvaneHome", "LAN-Party", "CorvaneHome", "LAN-Party"}));

    // A file that is none of the formats changes nothing.
    const std::string before = ReadText(ExpandTilde(kProfileListPath));
    const std::string junk = folder_ + "/junk.txt";
    std::ofstream(junk) << "this is no configuration\n";
    WhenFileChosen(profiles_, "ImportFileDialog", junk);
    Trigger("Import");
    ASSERT_EQ(alerts_.alerts.size(), 2u);
    EXPECT_EQ(alerts_.alerts[1].title, "The file could not be imported.");
    EXPECT_THAT(alerts_.alerts[1].message, ::testing::HasSubstr("junk.txt: line 1"));
    EXPECT_EQ(ReadText(ExpandTilde(kProfileListPath)), before);
}

}  // namespace
}  // namespace corvane::test
