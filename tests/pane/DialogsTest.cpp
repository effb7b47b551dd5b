// The security key dialog and the profile editor on screen: what their
// controls show for the rules behind them, the filters as the user types,
// and what OK and Cancel hand back or store.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <set>

#include "tests/pane/PaneFixture.h"

namespace corvane::test {
namespace {

QStringList Entries(QComboBox* combo) {
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i) entries << combo->itemText(i);
    return entries;
}

class Dialogs : public PageTest {
public:
    QComboBox* Combo(QWidget* root, const char* name) { return Find<QComboBox>(root, name); }
    QLineEdit* Field(QWidget* root, const char* name) { return Find<QLineEdit>(root, name); }
    // The twelve WEP controls go on and off together.
    bool WepEnabled() {
        std::set<bool> states;
        for (const char* kind : {"Radio", "Combo", "Text"})
            for (char n : {'1', '2', '3', '4'})
                states.insert(
                    Find<QWidget>(wep_, (std::string("WEPKey") + n + kind).c_str())->isEnabled());
        EXPECT_EQ(states.size(), 1u);
        return *states.begin();
    }
};

TEST_F(Dialogs, KeyDialogListsAndEnablingFollowTheChoices) {
    const QStringList all = {"Open", "Shared", "WPA-PSK", "WPA2-PSK"};
    enum What { Kind, Auth, Enc };
    struct Step {
        What what;
        int value;
        QStringList auth, enc;
        QString encShown;
        bool psk, wep;
    } steps[] = {
        {Kind, 0, {"Open"}, {"NONE", "WEP"}, "NONE", false, false},
        {Enc, 1, {"Open"}, {"NONE", "WEP"}, "WEP", false, true},
        {Kind, 1, all, {"NONE", "WEP"}, "WEP", false, true},
        {Auth, 2, all, {"TKIP", "AES"}, "AES", true, false},  // the remembered index 1
        {Auth, 1, all, {"WEP"}, "WEP", false, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << step.what << " " << step.value);
        if (step.what == Kind) wep_->setAuthenTypeComboText(step.value);
        if (step.what == Auth) Combo(wep_, "AuthenType")->setCurrentIndex(step.value);
        if (step.what == Enc) Combo(wep_, "EncryType")->setCurrentIndex(step.value);
        EXPECT_EQ(Entries(Combo(wep_, "AuthenType")), step.auth);
        EXPECT_EQ(Entries(Combo(wep_, "EncryType")), step.enc);
        EXPECT_EQ(Combo(wep_, "EncryType")->currentText(), step.encShown);
        EXPECT_EQ(Field(wep_, "WPAPreSharedKey")->isEnabled(), step.psk);
        EXPECT_EQ(WepEnabled(), step.wep);
    }
}

TEST_F(Dialogs, KeyDialogCutsWhatIsTypedWithABeep) {
    struct Row {
        int auth, enc;
        const char* field;
        int key2Type;
        QString pasted, typed, shown;
        int beeps;
    } rows[] = {
        {kAuthOpen, kEncOpenWep, "WEPKey1Text", 0, "", "12G", "12", 1},
        {kAuthShared, kEncSharedWep, "WEPKey2Text", kKeyTypeAscii, "", "abcdefghijklmn",
         "abcdefghijklm", 1},
        {kAuthWpaPsk, kEncTkip, "WPAPreSharedKey", 0, QString(64, 'a'), "b", QString(64, 'a'), 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE((row.pasted + row.typed).toStdString());
        alerts_.beeps = 0;
        wep_->setAuthenTypeComboText(kAuthListInfrastructure);
        wep_->setAuthenTypeCombo(row.auth);
        wep_->setEncryTypeCombo(row.enc);
        wep_->clearText();
        Combo(wep_, "WEPKey2Combo")->setCurrentIndex(row.key2Type);
        QLineEdit* field = Field(wep_, row.field);
        field->insert(row.pasted);
        QTest::keyClicks(field, row.typed);
        EXPECT_EQ(field->text(), row.shown);
        EXPECT_EQ(alerts_.beeps, row.beeps);
    }
}

TEST_F(Dialogs, KeyDialogHandsBackOnOkAndNothingOnCancel) {
    enum Action { WepKey2, Passphrase, Nothing };
    const Bytes key2 = {0x01, 0x23, 0x45, 0x67, 0x89},
                twelve = {'t', 'w', 'e', 'l', 'v', 'e', ' ', 'c', 'h', 'a', 'r', 's'};
    struct Row {
        const char* name;
        KeyDialogPreset preset;
        Action action;
        bool ok;
        std::string alert;
        std::array<int32_t, 3> values;  // auth, enc, key index; 9: the opener's values stay
        std::array<uint8_t, 4> keyLen = {};
        Bytes key2 = {}, psk = {};
    } rows[] = {
        {"WEP key 2 sends",
         {1, kAuthOpen, kEncOpenWep, 0},
         WepKey2,
         true,
         "",
         {0, 1, 1},
         {0, 5, 0, 0},
         key2},
        // The dialog keeps the WEP key bytes of its last confirmation.
        {"passphrase",
         {1, kAuthWpaPsk, kEncTkip, 1},
         Passphrase,
         true,
         "",
         {2, 0, 0},
         {0, 5, 0, 0},
         key2,
         twelve},
        {"empty default key",
         {0, kAuthOpen, kEncOpenWep, 0},
         Nothing,
         true,
         "Invalid WEP key 1 length. WEP should be 10 or 26 hexadecimal digits.",
         {9, 9, 9}},
        {"cancel", {1, kAuthWpa2Psk, kEncAes, 1}, Passphrase, false, "", {9, 9, 9}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        alerts_.alerts.clear();
        WEPSettingValues before;
        before.AuthenType = before.EncryType = before.SelKeyIndex = 9;
        survey_->ReceiveWEPsetting(before);
        WhenShown(wep_, [&] {
            EXPECT_EQ(wep_->focusWidget(),
                      Field(wep_, row.preset.focus ? "WPAPreSharedKey" : "WEPKey1Text"));
            if (row.action == WepKey2) {
                Click(wep_, "WEPKey2Radio");
                QTest::keyClicks(Field(wep_, "WEPKey2Text"), "0123456789");
            }
            if (row.action == Passphrase) QTest::keyClicks(wep_->focusWidget(), "twelve chars");
            if (row.ok) Click(wep_, "OKButton");
            if (wep_->isVisible()) Click(wep_, "CancelButton");
        });
        EXPECT_EQ(wep_->RunFor(row.preset), row.ok && row.alert.empty() ? 1 : 0);
        if (!row.alert.empty()) {
            EXPECT_EQ(alerts_.alerts.at(0).title, row.alert);
        }

        const WEPSettingValues& got = survey_->keys;
        EXPECT_EQ((std::array{got.AuthenType, got.EncryType, got.SelKeyIndex}), row.values);
        EXPECT_EQ(got.KeyLen, row.keyLen);
        EXPECT_EQ(Bytes(got.KeyMaterial[1].begin(), got.KeyMaterial[1].begin() + got.KeyLen[1]),
                  row.key2);
        EXPECT_EQ(Bytes(got.WPAPSK.begin(), got.WPAPSK.begin() + got.WPAPSKlen), row.psk);
    }
}

// Not UTF-8: the list item carries the bytes.
const std::string kOddName = std::string("\xff\xfe") + "AB";

class Editor : public Dialogs {
public:
    Editor() {
        ShowNetworks({Named("CafeOpen", 1), Named("Home", 2), Named(kOddName, 3)});
        WritePreferenceArray(kProfileListPath, kStored);
    }
    static ScanEntrySpec Named(const std::string& ssid, uint8_t last) {
        ScanEntrySpec s;
        s.ssid = ssid;
        s.mac = {0x00, 0x0C, 0x43, 0xA1, 0x00, last};
        return s;
    }
    // Runs the editor: `act` inside it, then OK or Cancel.
    int Run(std::function<void()> act, bool ok = true) {
        WhenShown(editor_, [this, act, ok] {
            act();
            Click(editor_, ok ? "OKButton" : "CancelButton");
        });
        return editor_->Run();
    }
    PrefArray Stored() { return ReadPreferenceArray(kProfileListPath); }

    const PrefArray kStored = {{{kKeyProfileName, "PROF2"}, {kKeySsid, "First"}},
                               {{kKeyProfileName, "Office"},
                                {kKeySsid, "Home"},
                                {kKeyNetworkType, "0"},
                                {kKeyChannel, "11"},
                                {kKeyEncryptionType, "1"},
                                {kKeyWepKey[0], "abcde"},
                                {kKeyWepKeyType[0], "1"}},
                               {{kKeyProfileName, "Third"}, {kKeySsid, "Third"}}};
};

// Add with a typed name and with one picked from the scan; every key of
// the stored dictionary is the model's tests'.
TEST_F(Editor, AddShowsANewProfileAndStoresATypedOrAPickedName) {
    editor_->AddInit();
    EXPECT_EQ(Find<QTabWidget>(editor_, "TabView")->currentIndex(), 0);
    EXPECT_EQ(Field(editor_, "ProfileName")->text(), "PROF3");
    QComboBox* ssid = Combo(editor_, "SSID");
    EXPECT_EQ(ssid->itemData(2).toByteArray().toStdString(), kOddName);
    EXPECT_EQ(ssid->currentText(), "");
    EXPECT_EQ(Combo(editor_, "NetworkType")->currentText(), "Infrastructure");
    EXPECT_FALSE(Combo(editor_, "Channel")->isEnabled());
    EXPECT_EQ(Entries(Combo(editor_, "TxPower")),
              (QStringList{"100%", "75%", "50%", "25%", "12%"}));

    EXPECT_EQ(Run([&] { QTest::keyClicks(ssid->lineEdit(), "Typed"); }), 1);
    editor_->AddInit();
    EXPECT_EQ(Run([&] { ssid->setCurrentIndex(2); }), 1);
    const PrefArray stored = Stored();
    ASSERT_EQ(stored.size(), 5u);
    const struct {
        const char* key;
        std::string typed, picked;
    } expected[] = {{kKeyProfileName, "PROF3", "PROF4"},
                    {kKeySsid, "Typed", kOddName},
                    {kKeyBssid, "", "000C43A10003"},
                    {kKeyHidden, "1", "0"}};
    for (const auto& e : expected) {
        EXPECT_EQ(stored[3].Value(e.key), e.typed) << e.key;
        EXPECT_EQ(stored[4].Value(e.key), e.picked) << e.key;
    }
}

TEST_F(Editor, EditShowsTheStoredProfileAndOkReplacesOnlyIt) {
    ASSERT_TRUE(editor_->EditInit(1));
    EXPECT_EQ(Field(editor_, "ProfileName")->text(), "Office");
    EXPECT_EQ(Combo(editor_, "SSID")->currentIndex(), 1);
    EXPECT_EQ(Combo(editor_, "NetworkType")->currentText(), "Ad Hoc");
    EXPECT_TRUE(Combo(editor_, "Channel")->isEnabled());
    EXPECT_EQ(Combo(editor_, "Channel")->currentText(), "11");
    EXPECT_EQ(Entries(Combo(editor_, "AuthenType")), QStringList{"Open"});
    EXPECT_EQ(Combo(editor_, "EncryType")->currentText(), "WEP");
    EXPECT_EQ(Combo(editor_, "WEPKey1Combo")->currentText(), "ASCII");
    EXPECT_EQ(Field(editor_, "WEPKey1Text")->text(), "abcde");

    EXPECT_EQ(Run([&] { Combo(editor_, "Channel")->setCurrentIndex(2); }), 1);
    PrefArray expected = kStored;
    expected[1] = Stored()[1];
    EXPECT_EQ(Stored(), expected) << "the other profiles stay in place";
    EXPECT_EQ(expected[1].Value(kKeyChannel), "3");
    EXPECT_EQ(expected[1].Value(kKeyWepKey[0]), "abcde");

    ASSERT_TRUE(editor_->EditInit(1));
    EXPECT_EQ(Run([&] { QTest::keyClicks(Field(editor_, "ProfileName"), "X"); }, false), 0);
    EXPECT_EQ(Stored(), expected) << "Cancel writes nothing";
}

TEST_F(Editor, TypedValuesAreFilteredAndTheSlidersFollow) {
    editor_->AddInit();
    QLineEdit* ssid = Combo(editor_, "SSID")->lineEdit();
    QTest::keyClicks(ssid, QString(33, 'n'));
    EXPECT_EQ(ssid->text(), QString(32, 'n'));
    EXPECT_EQ(alerts_.beeps, 2) << "at 32 and at 33";

    QLineEdit* rts = Field(editor_, "RtsThresholdText");
    QSlider* rtsSlider = Find<QSlider>(editor_, "RtsThresholdSlider");
    EXPECT_FALSE(rts->isEnabled() || rtsSlider->isEnabled());
    Click(editor_, "RtsThresholdCheck");
    EXPECT_TRUE(rts->isEnabled() && rtsSlider->isEnabled());
    rts->clear();
    QTest::keyClicks(rts, "9999");
    EXPECT_EQ(rts->text(), "2347");
    EXPECT_EQ(rtsSlider->value(), 2347);
    rtsSlider->setValue(1000);
    EXPECT_EQ(rts->text(), "1000");
}

}  // namespace
}  // namespace corvane::test
