// The key-entry rules shared by the security key dialog and the profile
// editor: the check on OK, the keystroke filters, the conversion of key texts
// into key bytes, and the lists and enabling of the key-entry group.
#include <gtest/gtest.h>

#include <functional>

#include "adapter/Globals.h"
#include "editor/KeyEntryGroup.h"
#include "editor/KeyRules.h"
#include "platform/Alert.h"
#include "tests/support/RecordingAlerts.h"

namespace corvane {
namespace {

using Alert = corvane::test::RecordingAlerts::Alert;

std::string Psk(size_t length, char c = 'p') { return std::string(length, c); }
const std::string kHex26 = "00112233445566778899aAbBcC";

KeyEntryFields Wep(std::array<int32_t, 4> types, std::array<std::string, 4> texts, int radio = 0,
                   int32_t auth = kAuthOpen, int32_t enc = kEncOpenWep) {
    KeyEntryFields f;
    f.nAuthenType = auth;
    f.nEncryType = enc;
    f.keyType = types;
    f.keyText = texts;
    f.radio = {};
    if (radio >= 0) f.radio[size_t(radio)] = true;
    return f;
}
KeyEntryFields PskFields(const std::string& key, int32_t auth = kAuthWpaPsk) {
    KeyEntryFields f;
    f.nAuthenType = auth;
    f.nEncryType = kEncTkip;
    f.wpaPreSharedKey = key;
    return f;
}

std::string WepHex(int n) {
    return "Invalid WEP key " + std::to_string(n) +
           " length. WEP should be 10 or 26 hexadecimal digits.";
}
std::string WepAscii(int n) {
    return "Invalid WEP key " + std::to_string(n) +
           " length. WEP should be 5 or 13 ASCII characters.";
}
std::string WepCharacters(int n, bool hex) {
    return "Invalid WEP key " + std::to_string(n) + " characters. " +
           (hex ? "A hexadecimal WEP key should hold only 0-9 and A-F."
                : "An ASCII WEP key should be printable ASCII characters.");
}

TEST(VerifyKey, EveryRuleAndItsAlert) {
    const std::string shortPsk =
        "Invalid WPA Pre-Shared key. WPA-PSK/WPA2-PSK key should be more than 8 characters.";
    const std::string notHex =
        "Invalid WPA Pre-Shared key. WPA-PSK/WPA2-PSK key should be hexadecimal digital.";
    const std::string longPsk =
        "Invalid WPA Pre-Shared key. WPA-PSK/WPA2-PSK key should be less than 64 characters.";
    const std::string unprintable =
        "Invalid WPA Pre-Shared key. WPA-PSK/WPA2-PSK passphrase should be printable ASCII "
        "characters.";
    std::string lowerHex64, mixedHex64, badHex64;
    for (int i = 0; i < 64; ++i) lowerHex64 += "0123456789abcdef"[i % 16];
    for (int i = 0; i < 64; ++i) mixedHex64 += "0123456789aBcDeF"[i % 16];
    badHex64 = lowerHex64;
    badHex64[40] = 'g';

    struct Row {
        const char* name;
        KeyEntryFields fields;
        std::string alert;  // empty: accepted
    } rows[] = {
        {"passphrase of 7", PskFields(Psk(7)), shortPsk},
        {"empty passphrase", PskFields(""), shortPsk},
        {"passphrase of 8", PskFields(Psk(8)), ""},
        {"passphrase of 63 with blanks and symbols", PskFields(" ~!pass word{}" + Psk(49)), ""},
        {"64 lower-case hexadecimal digits", PskFields(lowerHex64), ""},
        {"64 mixed-case hexadecimal digits", PskFields(mixedHex64), ""},
        {"64 characters with a g", PskFields(badHex64), notHex},
        {"65 characters", PskFields(Psk(65)), longPsk},
        {"passphrase with a DEL byte", PskFields("password\x7f"), unprintable},
        {"passphrase with UTF-8 letters", PskFields("passw\xc3\xb6rd"), unprintable},
        {"authentication index 4 counts as a pre-shared key", PskFields(Psk(5), 4), shortPsk},
        {"open, no encryption: keys not looked at",
         Wep({0, 0, 0, 0}, {"x", "y", "z", "w"}, 0, kAuthOpen, kEncOpenNone), ""},
        {"radio 3, 26 digits, other keys empty", Wep({0, 0, 0, 0}, {"", "", kHex26, ""}, 2), ""},
        {"shared: 5 ASCII characters",
         Wep({1, 0, 0, 0}, {"abcde", "", "", ""}, 0, kAuthShared, kEncSharedWep), ""},
        {"radio 1 on, key 1 empty, hexadecimal", Wep({0, 0, 0, 0}, {"", "", "", ""}), WepHex(1)},
        {"radio 1 on, key 1 of 6 ASCII characters", Wep({1, 0, 0, 0}, {"abcdef", "", "", ""}),
         WepAscii(1)},
        {"valid key 1, key 2 of 11 digits",
         Wep({0, 0, 0, 0}, {"0123456789", "01234567890", "", ""}), WepHex(2)},
        {"valid key 1, key 2 of 6 ASCII characters",
         Wep({0, 1, 0, 0}, {"0123456789", "abcdef", "", ""}), WepAscii(2)},
        {"key 3 of 9 digits", Wep({0, 0, 0, 0}, {"0123456789", "", "012345678", ""}), WepHex(3)},
        {"key 3 of 14 ASCII characters", Wep({0, 0, 1, 0}, {"0123456789", "", Psk(14), ""}),
         WepAscii(3)},
        {"key 4 of 25 digits", Wep({0, 0, 0, 0}, {"0123456789", "", "", kHex26.substr(1)}),
         WepHex(4)},
        {"key 4 of 12 ASCII characters", Wep({0, 0, 0, 1}, {"0123456789", "", "", Psk(12)}),
         WepAscii(4)},
        {"the transmit key is checked before the others", Wep({0, 0, 0, 0}, {"012", "", "", ""}, 3),
         WepHex(4)},
        {"no radio on: key 1 is the transmit key",
         Wep({0, 0, 0, 0}, {"", "0123456789", "", ""}, -1), WepHex(1)},
        {"a key of an unknown type is not checked", Wep({2, 0, 0, 0}, {"abc", "", "", ""}), ""},
        {"hexadecimal key of letters", Wep({0, 0, 0, 0}, {"ghijklmnop", "", "", ""}),
         WepCharacters(1, true)},
        {"ASCII key with a UTF-8 letter", Wep({1, 0, 0, 0}, {"abc\xc3\xa9", "", "", ""}),
         WepCharacters(1, false)},
        {"ASCII key 4 with a control byte", Wep({0, 0, 0, 1}, {"0123456789", "", "", "abcd\x01"}),
         WepCharacters(4, false)},
    };
    for (const Row& row : rows) {
        corvane::test::RecordingAlerts alerts;
        platform::ScopedAlerts scoped(alerts);
        EXPECT_EQ(VerifyKey(row.fields), row.alert.empty()) << row.name;
        const std::vector<Alert> expected =
            row.alert.empty() ? std::vector<Alert>{} : std::vector<Alert>{{row.alert, "", "OK"}};
        EXPECT_EQ(alerts.alerts, expected) << row.name;
        EXPECT_EQ(alerts.beeps, 0) << row.name;
    }
}

TEST(KeyFilters, LiveFilterOfTheKeyFields) {
    using F = KeyField;
    struct Row {
        const char* name;
        KeyEntryFields fields;
        KeyField notifying;
        std::optional<FilterEdit> expected;
    };
    auto edit = [](KeyField f, std::string text, bool beep) {
        return FilterEdit{f, std::move(text), beep};
    };
    const std::string hex30 = kHex26 + "dEaD";
    const Row rows[] = {
        {"65th pre-shared key character", PskFields(Psk(65)), F::PreSharedKey,
         edit(F::PreSharedKey, Psk(64), true)},
        {"64 pre-shared key characters stay", PskFields(Psk(64)), F::PreSharedKey, std::nullopt},
        {"no key in use", Wep({0, 0, 0, 0}, {"zz", "", "", ""}, 0, kAuthOpen, kEncOpenNone),
         F::WepKey1, std::nullopt},
        {"1, 2 and G typed", Wep({0, 0, 0, 0}, {"12G", "", "", ""}), F::WepKey1,
         edit(F::WepKey1, "12", true)},
        {"30 digits pasted", Wep({0, 0, 0, 0}, {"", "", hex30, ""}), F::WepKey3,
         edit(F::WepKey3, kHex26, true)},
        {"over 26: cut without looking", Wep({0, 0, 0, 0}, {"", "", "", "0G" + kHex26}), F::WepKey4,
         edit(F::WepKey4, "0G" + kHex26.substr(0, 24), true)},
        {"valid digits set back unchanged", Wep({0, 0, 0, 0}, {"aB09", "", "", ""}), F::WepKey1,
         edit(F::WepKey1, "aB09", false)},
        {"14th ASCII character", Wep({1, 0, 0, 0}, {Psk(14), "", "", ""}), F::WepKey1,
         edit(F::WepKey1, Psk(13), true)},
        {"a two-byte 13th character is not split",
         Wep({1, 0, 0, 0}, {Psk(12) + "\xc3\xa9", "", "", ""}), F::WepKey1,
         edit(F::WepKey1, Psk(12), true)},
        {"nor one at the 64th pre-shared key byte", PskFields(Psk(63) + "\xc3\xa9"),
         F::PreSharedKey, edit(F::PreSharedKey, Psk(63), true)},
        {"unknown key type: not cut", Wep({3, 0, 0, 0}, {Psk(40), "", "", ""}), F::WepKey1,
         edit(F::WepKey1, Psk(40), false)},
        {"another field changed", Wep({0, 0, 0, 0}, {"12G", "", "", ""}), F::Other, std::nullopt},
        {"shared uses WEP", Wep({0, 0, 0, 0}, {"", "", "", "G"}, 0, kAuthShared, kEncSharedWep),
         F::WepKey4, edit(F::WepKey4, "", true)},
    };
    for (const Row& row : rows) {
        const auto result = VerifyWEPKey(row.fields, row.notifying);
        ASSERT_EQ(result.has_value(), row.expected.has_value()) << row.name;
        if (!result) continue;
        EXPECT_EQ(result->field, row.expected->field) << row.name;
        EXPECT_EQ(result->text, row.expected->text) << row.name;
        EXPECT_EQ(result->beep, row.expected->beep) << row.name;
    }
}

TEST(KeyFilters, SsidAndThresholdTexts) {
    const std::string e = "\xc3\xa9";  // one two-byte character
    const std::tuple<std::string, std::string, bool> ssids[] = {
        {Psk(31), Psk(31), false},
        {Psk(32), Psk(32), true},  // reaching 32 beeps too
        {Psk(33), Psk(32), true},
        {Psk(31) + e, Psk(31), true},                    // the character is not split
        {Psk(31) + "\x80\x80", Psk(31) + "\x80", true},  // stray bytes are cut like any
        {"ab" + std::string(40, '\x80'), "ab" + std::string(30, '\x80'), true},
        {"", "", false},
    };
    for (const auto& [text, kept, beep] : ssids) {
        const TextFilterResult r = LimitSsidText(text);
        EXPECT_EQ(r.text, kept) << text;
        EXPECT_EQ(r.beep, beep) << text;
    }

    const std::tuple<std::string, int32_t, std::string, int32_t> thresholds[] = {
        {"2400", 2347, "2347", 2347},
        {"2347", 2347, "2347", 2347},
        {"12345", 2347, "1234", 1234},
        {"99999", 2346, "2346", 2346},
        {"", 2346, "0", 0},
        {"abc", 2347, "abc", 0},
        {"-5", 2347, "-5", -5},
        {"123\xc3\xa9", 2347, "123", 123},  // a character is not split
    };
    for (const auto& [text, maximum, kept, slider] : thresholds) {
        const ThresholdFilterResult r = FilterThresholdText(text, maximum);
        EXPECT_EQ(r.text, kept) << text << " max " << maximum;
        EXPECT_EQ(r.sliderValue, slider) << text << " max " << maximum;
    }
}

TEST(KeyMaterial, ConversionOfTheKeyTexts) {
    using Material = std::array<uint8_t, kKeyMaterialSize>;
    auto material = [](std::initializer_list<uint8_t> bytes) {
        Material m{};
        std::copy(bytes.begin(), bytes.end(), m.begin());
        return m;
    };
    Material ascii13{};
    std::copy_n("Corvane13abcd", 13, ascii13.begin());
    const Material old = material({0xEE, 0xEE, 0xEE});

    struct Row {
        const char* name;
        KeyEntryFields fields;
        std::array<uint8_t, 4> lengths;
        std::array<Material, 4> keys;
        int32_t selKeyIndex;
    } rows[] = {
        // clang-format off
        {"hexadecimal, ASCII, empty, unknown type",
         Wep({0, 1, 0, 7}, {"0123456789", "Corvane13abcd", "", "abcde"}, 1), {5, 13, 0, 5},
         {material({0x01, 0x23, 0x45, 0x67, 0x89}), ascii13, {}, material({'a', 'b', 'c', 'd', 'e'})
         }, 1},
        {"26 digits give 13 bytes", Wep({0, 0, 0, 0}, {"", "", "", kHex26}, 3), {0, 0, 0, 13},
         {Material{}, {}, {}, material({0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99,
                                        0xaa, 0xbb, 0xcc})}, 3},
        {"never more than 13 bytes: such a key is none",
         Wep({0, 1, 5, 0}, {kHex26 + "dd", Psk(14), Psk(14), ""}, -1), {0, 0, 0, 0}, {}, 0},
        {"no WEP: the key slots are left alone", PskFields("twelve chars"), {9, 9, 9, 9},
         {old, old, old, old}, 0},
        // clang-format on
    };
    for (const Row& row : rows) {
        WEPSettingValues v;
        v.KeyLen = {9, 9, 9, 9};
        v.KeyMaterial = {old, old, old, old};
        v.WPAPSK.fill(0xEE);
        ConvertKeyMaterial(row.fields, v);
        EXPECT_EQ(v.KeyLen, row.lengths) << row.name;
        EXPECT_EQ(v.KeyMaterial, row.keys) << row.name;
        EXPECT_EQ(v.SelKeyIndex, row.selKeyIndex) << row.name;
        EXPECT_EQ(v.AuthenType, row.fields.nAuthenType) << row.name;
        EXPECT_EQ(v.EncryType, row.fields.nEncryType) << row.name;
        // The pre-shared key text is always handed on, without a terminator.
        const std::string& psk = row.fields.wpaPreSharedKey;
        EXPECT_EQ(v.WPAPSKlen, int32_t(psk.size())) << row.name;
        std::array<uint8_t, kPskHexLength> expectedPsk{};
        std::copy(psk.begin(), psk.end(), expectedPsk.begin());
        EXPECT_EQ(v.WPAPSK, expectedPsk) << row.name;
    }
}

// --- the key-entry group ---------------------------------------------------------

// Authentication and encryption entries, the selected encryption entry, and
// whether the pre-shared key field and the WEP controls are enabled.
using GroupState = std::tuple<std::vector<std::string>, std::vector<std::string>, int, bool, bool>;
GroupState StateOf(const KeyEntryGroup& g) {
    return {g.authEntries, g.encEntries, g.encSelected, g.pskEnabled, g.wepEnabled};
}

TEST(KeyEntryGroup, ListsSelectionsAndEnabling) {
    const std::vector<std::string> all = {"Open", "Shared", "WPA-PSK", "WPA2-PSK"}, open = {"Open"};
    const std::vector<std::string> noneWep = {"NONE", "WEP"}, wep = {"WEP"}, wpa = {"TKIP", "AES"};
    using Step = std::function<void(KeyEntryGroup&)>;
    struct Row {
        const char* name;
        SecurityListOwner owner;
        std::vector<Step> steps;
        GroupState expected;
        int32_t capability = 6;
    };
    auto kind = [](int32_t k) {
        return Step([k](KeyEntryGroup& g) { g.setAuthenTypeComboText(k); });
    };
    auto auth = [](int i) { return Step([i](KeyEntryGroup& g) { g.setAuthenTypeCombo(i); }); };
    auto enc = [](int i) { return Step([i](KeyEntryGroup& g) { g.setEncryTypeCombo(i); }); };
    const auto dialog = SecurityListOwner::KeyDialog, editor = SecurityListOwner::ProfileEditor;
    // clang-format off
    const Row rows[] = {
        {"ad hoc list: Open only, no key", dialog, {kind(0)}, {open, noneWep, 0, false, false}},
        {"ad hoc, WEP chosen", dialog, {kind(0), enc(1)}, {open, noneWep, 1, false, true}},
        {"infrastructure list", dialog, {kind(1)}, {all, noneWep, 0, false, false}},
        {"Shared: one WEP entry, selected", dialog, {kind(1), auth(1)}, {all, wep, 0, false, true}},
        {"WPA2-PSK: TKIP selected first", dialog, {kind(1), auth(3)}, {all, wpa, 0, true, false}},
        {"WEP under Open, then WPA-PSK: AES remembered", dialog, {kind(1), enc(1), auth(2)},
         {all, wpa, 1, true, false}},
        {"and back to Open: WEP again", dialog, {kind(1), enc(1), auth(2), auth(0)},
         {all, noneWep, 1, false, true}},
        {"Shared resets the remembered index", dialog, {kind(1), enc(1), auth(1), auth(0)},
         {all, noneWep, 0, false, false}},
        {"TKIP-only capability", dialog, {kind(1), auth(2)}, {all, {"TKIP"}, 0, true, false}, 4},
        {"TKIP-only: a remembered AES selects nothing", dialog, {kind(1), enc(1), auth(3)},
         {all, {"TKIP"}, -1, true, false}, 4},
        {"other capability: the dialog offers both", dialog, {kind(1), auth(2)},
         {all, wpa, 0, true, false}, 5},
        {"other capability: the editor offers none", editor, {kind(1), auth(2)},
         {all, {}, -1, true, false}, 5},
        {"an index the list lacks: the dialog shows Open's", dialog, {kind(0), enc(1), auth(3)},
         {open, noneWep, 1, false, true}},
        {"an index the list lacks: the editor's stays empty", editor, {kind(0), enc(1), auth(3)},
         {open, {}, -1, false, true}},
    };
    // clang-format on
    for (const Row& row : rows) {
        G_encryCapa = row.capability;
        KeyEntryGroup g(row.owner);
        for (const Step& step : row.steps) step(g);
        EXPECT_EQ(StateOf(g), row.expected) << row.name;
    }
    G_encryCapa = 6;
}

}  // namespace
}  // namespace corvane
