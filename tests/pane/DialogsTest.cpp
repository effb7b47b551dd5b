// The security key dialog, the hidden SSID dialog and the profile editor on
// screen: what their controls show for the rules behind them, the filters
// as the user types (with beeps), and what OK and Cancel hand back or store.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include "tests/pane/PageFixture.h"

namespace corvane::test {
namespace {

QStringList Entries(QComboBox* combo) {
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i) entries << combo->itemText(i);
    return entries;
}

class Dialogs : public PageFixture {
public:
    QComboBox* Combo(QWidget* root, const char* name) { return Find<QComboBox>(root, name); }
    QLineEdit* Field(QWidget* root, const char* name) { return Find<QLineEdit>(root, name); }
    void Click(QWidget* root, const char* button) { Find<QPushButton>(root, button)->click(); }
    bool WepControlsEnabled() {
        bool all = true, none = true;
        for (const char* kind : {"Radio", "Combo", "Text"})
            for (int n = 1; n <= 4; ++n) {
                const bool on =
                    Find<QWidget>(wep_, ("WEPKey" + std::to_string(n) + kind).c_str())->isEnabled();
                all = all && on;
                none = none && !on;
            }
        EXPECT_TRUE(all || none) << "the twelve WEP controls go together";
        return all;
    }
};

TEST_F(Dialogs, KeyDialogListsFollowTheChoices) {
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
        {Kind, 1, {"Open", "Shared", "WPA-PSK", "WPA2-PSK"}, {"NONE", "WEP"}, "WEP", false, true},
        {Auth, 2, {"Open", "Shared", "WPA-PSK", "WPA2-PSK"}, {"TKIP", "AES"}, "AES", true, false},
        {Auth, 0, {"Open", "Shared", "WPA-PSK", "WPA2-PSK"}, {"NONE", "WEP"}, "WEP", false, true},
        {Auth, 1, {"Open", "Shared", "WPA-PSK", "WPA2-PSK"}, {"WEP"}, "WEP", false, true},
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
        EXPECT_EQ(WepControlsEnabled(), step.wep);
    }
}

TEST_F(Dialogs, KeyDialogFiltersWhatIsTypedWithABeep) {
    const QString hex30 = "0123456789abcdef0123456789ABCD";
    struct Row {
        int auth, enc;
        const char* field;
        int keyType;
        QString typed, pasted, shown;
        int beeps;
    } rows[] = {
        {kAuthOpen, kEncOpenWep, "WEPKey1Text", kKeyTypeHex, "12G", "", "12", 1},
        {kAuthOpen, kEncOpenWep, "WEPKey1Text", kKeyTypeHex, "", hex30, hex30.left(26), 1},
        {kAuthShared, kEncSharedWep, "WEPKey2Text", kKeyTypeAscii, "abcdefghijklmn", "",
         "abcdefghijklm", 1},
        {kAuthWpaPsk, kEncTkip, "WPAPreSharedKey", 0, "b", QString(64, 'a'), QString(64, 'a'), 1},
        {kAuthWpa2Psk, kEncAes, "WPAPreSharedKey", 0, "correct horse", "", "correct horse", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.field + (": " + row.typed + row.pasted).toStdString());
        alerts_.beeps = 0;
        wep_->setAuthenTypeComboText(kAuthListInfrastructure);
        wep_->setAuthenTypeCombo(row.auth);
        wep_->setEncryTypeCombo(row.enc);
        wep_->clearText();
        if (std::string(row.field) == "WEPKey2Text")
            Combo(wep_, "WEPKey2Combo")->setCurrentIndex(row.keyType);
        QLineEdit* field = Field(wep_, row.field);
        if (!row.pasted.isEmpty()) field->insert(row.pasted);
        QTest::keyClicks(field, row.typed);
        EXPECT_EQ(field->text(), row.shown);
        EXPECT_EQ(alerts_.beeps, row.beeps);
    }
}

TEST_F(Dialogs, KeyDialogHandsBackOnOkAndNothingOnCancel) {
    using Bytes = std::vector<uint8_t>;
    struct Row {
        const char* name;
        KeyDialogPreset preset;
        std::function<void(Dialogs&)> type;
        bool ok;
        int result;
        std::vector<std::string> alerts;
        int32_t auth, enc, keyIndex;
        std::array<uint8_t, 4> keyLen;
        Bytes key2, psk;
    } rows[] = {
        {"WEP key 2 sends",
         {kAuthListInfrastructure, kAuthOpen, kEncOpenWep, 0},
         [](Dialogs& t) {
             t.Find<QRadioButton>(t.wep_, "WEPKey2Radio")->click();
             QTest::keyClicks(t.Field(t.wep_, "WEPKey2Text"), "0123456789");
         },
         true,
         1,
         {},
         kAuthOpen,
         kEncOpenWep,
         1,
         {0, 5, 0, 0},
         {0x01, 0x23, 0x45, 0x67, 0x89},
         {}},
        {"passphrase",
         {kAuthListInfrastructure, kAuthWpaPsk, kEncTkip, 1},
         [](Dialogs& t) { QTest::keyClicks(t.Field(t.wep_, "WPAPreSharedKey"), "twelve chars"); },
         // The WEP keys are the ones the dialog kept from the row before.
         true,
         1,
         {},
         kAuthWpaPsk,
         kEncTkip,
         0,
         {0, 5, 0, 0},
         {0x01, 0x23, 0x45, 0x67, 0x89},
         Bytes{'t', 'w', 'e', 'l', 'v', 'e', ' ', 'c', 'h', 'a', 'r', 's'}},
        {"empty default key: alert, the dialog stays",
         {kAuthListAdhoc, kAuthOpen, kEncOpenWep, 0},
         [](Dialogs&) {},
         true,
         0,
         {"Invalid WEP key 1 length. WEP should be 10 or 26 hexadecimal digits."},
         9,
         9,
         9,
         {},
         {},
         {}},
        {"cancel",
         {kAuthListInfrastructure, kAuthWpa2Psk, kEncAes, 1},
         [](Dialogs& t) { QTest::keyClicks(t.Field(t.wep_, "WPAPreSharedKey"), "correct horse"); },
         false,
         0,
         {},
         9,
         9,
         9,
         {},
         {},
         {}},
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
            row.type(*this);
            if (row.ok) Click(wep_, "OKButton");
            if (!row.ok || !row.alerts.empty()) {
                EXPECT_TRUE(wep_->isVisible());
                Click(wep_, "CancelButton");
            }
        });
        EXPECT_EQ(wep_->RunFor(row.preset), row.result);
        std::vector<std::string> titles;
        for (const auto& alert : alerts_.alerts) titles.push_back(alert.title);
        EXPECT_EQ(titles, row.alerts);

        const WEPSettingValues& got = survey_->keys;
        EXPECT_EQ(got.AuthenType, row.auth);
        EXPECT_EQ(got.EncryType, row.enc);
        EXPECT_EQ(got.SelKeyIndex, row.keyIndex);
        if (row.result == 0) continue;
        EXPECT_EQ(got.KeyLen, row.keyLen);
        EXPECT_EQ(Bytes(got.KeyMaterial[1].begin(), got.KeyMaterial[1].begin() + got.KeyLen[1]),
                  row.key2);
        EXPECT_EQ(Bytes(got.WPAPSK.begin(), got.WPAPSK.begin() + got.WPAPSKlen), row.psk);
    }
}

TEST_F(Dialogs, HiddenNameIsLimitedTo32BytesAndHandedBackOnOk) {
    QLineEdit* name = Field(hidden_, "HiddenSSIDText");
    const QString forty = "0123456789abcdefghijklmnopqrstuvwxyzABCD";
    struct Row {
        QString pasted, typed;
        int beeps;
        bool ok;
    } rows[] = {
        {forty.left(30), "ab", 1, false},  // the 32nd character beeps already
        {forty.left(31), "xy", 2, true},
        {forty, "", 1, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE((row.pasted + row.typed).toStdString());
        alerts_.beeps = 0;
        survey_->ReceiveHiddenSSID(3, reinterpret_cast<const uint8_t*>("old"));
        WhenShown(hidden_, [&] {
            EXPECT_TRUE(name->text().isEmpty());
            name->insert(row.pasted);
            QTest::keyClicks(name, row.typed);
            EXPECT_EQ(name->text(), (row.pasted + row.typed).left(32));
            Click(hidden_, row.ok ? "OKButton" : "CancelButton");
        });
        EXPECT_EQ(hidden_->Run(), row.ok ? 1 : 0);
        EXPECT_EQ(alerts_.beeps, row.beeps);
        const std::string expected =
            row.ok ? (row.pasted + row.typed).left(32).toStdString() : "old";
        EXPECT_EQ(std::string(survey_->HiddenSSIDtext.begin(),
                              survey_->HiddenSSIDtext.begin() + survey_->HiddenSSIDlen),
                  expected);
    }
}

class Editor : public Dialogs {
protected:
    Editor() {
        ShowNetworks({Named("CafeOpen", 1), Named("Home", 2),
                      Named(std::string("\xff\xfe"
                                        "AB",
                                        4),
                            3)});
        WriteProfiles({{{kKeyProfileName, "PROF2"}, {kKeySsid, "First"}},
                       {{kKeyProfileName, "Office"},
                        {kKeySsid, "Home"},
                        {kKeyNetworkType, "0"},
                        {kKeyChannel, "11"},
                        {kKeyAuthenticationType, "0"},
                        {kKeyEncryptionType, "1"},
                        {kKeyWepKey[0], "abcde"},
                        {kKeyWepKeyType[0], "1"},
                        {kKeyWepKeyUse, "0"}},
                       {{kKeyProfileName, "Third"}, {kKeySsid, "Third"}}});
    }
    static ScanEntrySpec Named(const std::string& ssid, uint8_t last) {
        ScanEntrySpec s;
        s.ssid = ssid;
        s.mac = {0x00, 0x0C, 0x43, 0xA1, 0x00, last};
        return s;
    }
    // Runs the editor; `act` types into it, then OK or Cancel.
    int Run(std::function<void()> act, bool ok) {
        WhenShown(editor_, [this, act, ok] {
            act();
            Click(editor_, ok ? "OKButton" : "CancelButton");
        });
        return editor_->Run();
    }
};

TEST_F(Editor, AddShowsANewProfileAndStoresWhatWasTyped) {
    editor_->AddInit();
    EXPECT_EQ(Find<QTabWidget>(editor_, "TabView")->currentIndex(), 0);
    EXPECT_EQ(Field(editor_, "ProfileName")->text(), "PROF3");
    QComboBox* ssid = Combo(editor_, "SSID");
    ASSERT_EQ(ssid->count(), 3);
    EXPECT_EQ(ssid->itemData(2).toByteArray(), QByteArray("\xff\xfe"
                                                          "AB",
                                                          4))
        << "the item carries the raw bytes";
    EXPECT_EQ(ssid->currentText(), "");
    EXPECT_EQ(Combo(editor_, "NetworkType")->currentText(), "Infrastructure");
    EXPECT_FALSE(Combo(editor_, "Channel")->isEnabled());
    EXPECT_FALSE(Combo(editor_, "PreambleType")->isEnabled());
    EXPECT_EQ(Entries(Combo(editor_, "TxPower")),
              (QStringList{"100%", "75%", "50%", "25%", "12%"}));

    EXPECT_EQ(Run([&] { QTest::keyClicks(ssid->lineEdit(), "Typed"); }, true), 1);
    const PrefArray stored = Profiles();
    ASSERT_EQ(stored.size(), 4u);
    for (auto [key, value] : {std::pair{kKeyProfileName, "PROF3"},
                              {kKeySsid, "Typed"},
                              {kKeyNetworkType, "1"},
                              {kKeyChannel, "1"},
                              {kKeyHidden, "1"},
                              {kKeyAuthenticationType, "0"},
                              {kKeyEncryptionType, "0"},
                              {kKeyTxPower, "0"},
                              {kKeyPowerSaveMode, "0"}})
        EXPECT_EQ(stored[3].Value(key), value) << key;
}

TEST_F(Editor, PickedNameKeepsItsBytesAndAccessPoint) {
    editor_->AddInit();
    EXPECT_EQ(Run([&] { Combo(editor_, "SSID")->setCurrentIndex(2); }, true), 1);
    const PrefArray stored = Profiles();
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(stored[3].Value(kKeySsid), std::string("\xff\xfe"
                                                     "AB",
                                                     4));
    EXPECT_EQ(stored[3].Value(kKeyBssid), "000C43A10003");
    EXPECT_EQ(stored[3].Value(kKeyHidden), "0");
}

TEST_F(Editor, EditShowsTheStoredProfileAndReplacesOnlyIt) {
    const PrefArray before = Profiles();
    ASSERT_TRUE(editor_->EditInit(1));
    EXPECT_EQ(Field(editor_, "ProfileName")->text(), "Office");
    EXPECT_EQ(Combo(editor_, "SSID")->currentText(), "Home");
    EXPECT_EQ(Combo(editor_, "SSID")->currentIndex(), 1);
    EXPECT_EQ(Combo(editor_, "NetworkType")->currentText(), "Ad Hoc");
    EXPECT_TRUE(Combo(editor_, "Channel")->isEnabled());
    EXPECT_EQ(Combo(editor_, "Channel")->currentText(), "11");
    EXPECT_EQ(Entries(Combo(editor_, "AuthenType")), QStringList{"Open"});
    EXPECT_EQ(Combo(editor_, "EncryType")->currentText(), "WEP");
    EXPECT_EQ(Combo(editor_, "WEPKey1Combo")->currentText(), "ASCII");
    EXPECT_EQ(Field(editor_, "WEPKey1Text")->text(), "abcde");
    EXPECT_TRUE(Find<QRadioButton>(editor_, "WEPKey1Radio")->isChecked());

    EXPECT_EQ(Run([&] { Combo(editor_, "Channel")->setCurrentIndex(2); }, true), 1);
    const PrefArray after = Profiles();
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[2], before[2]);
    EXPECT_EQ(after[1].Value(kKeyChannel), "3");
    EXPECT_EQ(after[1].Value(kKeyWepKey[0]), "abcde");

    ASSERT_TRUE(editor_->EditInit(1));
    EXPECT_EQ(Run([&] { QTest::keyClicks(Field(editor_, "ProfileName"), "X"); }, false), 0);
    EXPECT_EQ(Profiles(), after) << "Cancel writes nothing";
}

TEST_F(Editor, TypedValuesAreFilteredAndTheSlidersFollow) {
    editor_->AddInit();
    QLineEdit* ssid = Combo(editor_, "SSID")->lineEdit();
    QTest::keyClicks(ssid, QString(33, 'n'));
    EXPECT_EQ(ssid->text(), QString(32, 'n'));
    EXPECT_EQ(alerts_.beeps, 2) << "at 32 and at 33";

    QLineEdit* rts = Field(editor_, "RtsThresholdText");
    QSlider* rtsSlider = Find<QSlider>(editor_, "RtsThresholdSlider");
    EXPECT_FALSE(rts->isEnabled());
    Find<QCheckBox>(editor_, "RtsThresholdCheck")->click();
    EXPECT_TRUE(rts->isEnabled() && rtsSlider->isEnabled());
    rts->clear();
    QTest::keyClicks(rts, "9999");
    EXPECT_EQ(rts->text(), "2347");
    EXPECT_EQ(rtsSlider->value(), 2347);
    rtsSlider->setValue(1000);
    EXPECT_EQ(rts->text(), "1000");

    QLineEdit* frag = Field(editor_, "FragThresholdText");
    Find<QCheckBox>(editor_, "FragThresholdCheck")->click();
    frag->selectAll();
    QTest::keyClick(frag, Qt::Key_Backspace);
    EXPECT_EQ(frag->text(), "0");
    EXPECT_EQ(Find<QSlider>(editor_, "FragThresholdSlider")->value(), 0);
}

}  // namespace
}  // namespace corvane::test
