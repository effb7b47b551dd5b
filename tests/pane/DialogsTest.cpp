// The security key dialog and the profile editor on screen: what OK and
// Cancel hand back or store (the rules behind them, their lists and filters
// are the key rule and editor model tests').
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <array>
#include <tuple>

#include "tests/pane/PaneFixture.h"

namespace corvane::test {
namespace {

class Dialogs : public PageTest {
public:
    QComboBox* Combo(QWidget* root, const char* name) { return Find<QComboBox>(root, name); }
    QLineEdit* Field(QWidget* root, const char* name) { return Find<QLineEdit>(root, name); }
};

TEST_F(Dialogs, KeyDialogHandsBackOnOkAndNothingOnCancel) {
    enum Action { WepKey2, Passphrase, Nothing, HexAfterAscii, NonAscii };
    const Bytes key2 = {0x01, 0x23, 0x45, 0x67, 0x89},
                twelve = {'t', 'w', 'e', 'l', 'v', 'e', ' ', 'c', 'h', 'a', 'r', 's'};
    struct Row {
        const char* name;
        KeyDialogPreset preset;
        Action action;
        bool ok;
        std::string alert;
        std::array<int32_t, 3> values;  // auth, enc, key index; 9: nothing handed back
        std::array<uint8_t, 4> keyLen = {};
        Bytes key2 = {}, psk = {};
    } rows[] = {
        // clang-format off
        {"WEP key 2 sends, a G typed is cut with a beep", {1, kAuthOpen, kEncOpenWep, 0}, WepKey2,
         true, "", {0, 1, 1}, {0, 5, 0, 0}, key2},
        // The dialog keeps the WEP key bytes of its last confirmation.
        {"passphrase", {1, kAuthWpaPsk, kEncTkip, 1}, Passphrase, true, "", {2, 0, 0}, {0, 5, 0, 0},
         key2, twelve},
        {"empty default key", {0, kAuthOpen, kEncOpenWep, 0}, Nothing, true,
         "Invalid WEP key 1 length. WEP should be 10 or 26 hexadecimal digits.", {9, 9, 9}},
        {"cancel", {1, kAuthWpa2Psk, kEncAes, 1}, Passphrase, false, "", {9, 9, 9}},
        // The letters typed as ASCII go, with a beep, when the key turns hexadecimal.
        {"ASCII letters, then hexadecimal", {1, kAuthOpen, kEncOpenWep, 0}, HexAfterAscii, true,
         "Invalid WEP key 1 length. WEP should be 10 or 26 hexadecimal digits.", {9, 9, 9}},
        {"ASCII key with an accented letter", {1, kAuthOpen, kEncOpenWep, 0}, NonAscii, true,
         "Invalid WEP key 1 characters. An ASCII WEP key should be printable ASCII characters.",
         {9, 9, 9}},
        // clang-format on
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        alerts_.alerts.clear();
        alerts_.beeps = 0;
        WEPSettingValues before;
        before.AuthenType = before.EncryType = before.SelKeyIndex = 9;
        WhenShown(wep_, [&] {
            EXPECT_EQ(wep_->focusWidget(),
                      Field(wep_, row.preset.focus ? "WPAPreSharedKey" : "WEPKey1Text"));
            if (row.action == WepKey2) {
                Click(wep_, "WEPKey2Radio");
                QTest::keyClicks(Field(wep_, "WEPKey2Text"), "01234G56789");
            }
            if (row.action == Passphrase) QTest::keyClicks(wep_->focusWidget(), "twelve chars");
            if (row.action == HexAfterAscii || row.action == NonAscii) {
                Combo(wep_, "WEPKey1Combo")->setCurrentIndex(kKeyTypeAscii);
                Field(wep_, "WEPKey1Text")  // typed (keyClicks knows no accented letters)
                    ->insert(
                        QString::fromUtf8(row.action == NonAscii ? "abc\xc3\xa9" : "ghijklmnop"));
                Combo(wep_, "WEPKey1Combo")
                    ->setCurrentIndex(row.action == NonAscii ? kKeyTypeAscii : kKeyTypeHex);
            }
            if (row.ok) Click(wep_, "OKButton");
            if (wep_->isVisible()) Click(wep_, "CancelButton");
        });
        const std::optional<WEPSettingValues> entered = wep_->RunFor(row.preset);
        EXPECT_EQ(entered.has_value(), row.ok && row.alert.empty());
        EXPECT_EQ(alerts_.beeps, row.action == WepKey2 || row.action == HexAfterAscii ? 1 : 0);
        if (!row.alert.empty()) {
            EXPECT_EQ(alerts_.alerts.at(0).title, row.alert);
        }

        const WEPSettingValues& got = entered ? *entered : before;
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
    // The thresholds are off, at their largest, where their sliders end.
    for (auto [slider, text, largest] : {std::tuple{"RtsThresholdSlider", "RtsThresholdText", 2347},
                                         {"FragThresholdSlider", "FragThresholdText", 2346}}) {
        const QSlider* s = Find<QSlider>(editor_, slider);
        EXPECT_EQ((std::array{s->maximum(), s->value()}), (std::array{largest, largest})) << slider;
        EXPECT_EQ(Field(editor_, text)->text(), QString::number(largest));
        EXPECT_FALSE(s->isEnabled());
    }
    QComboBox* ssid = Combo(editor_, "SSID");
    EXPECT_EQ(ssid->itemData(2).toByteArray().toStdString(), kOddName);
    EXPECT_EQ(ssid->currentText(), "");

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
    EXPECT_EQ(Combo(editor_, "Channel")->currentText(), "11");
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

TEST_F(Editor, SsidBoxKeepsTheCursorWhereTheUserTypes) {
    editor_->AddInit();
    QLineEdit* box = Combo(editor_, "SSID")->lineEdit();
    Run([&] {
        QTest::keyClicks(box, "abc");
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClicks(box, "XY");
    });
    EXPECT_EQ(Stored().back().Value(kKeySsid), "XYabc");
}

}  // namespace
}  // namespace corvane::test
