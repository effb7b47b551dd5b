// The rules of the key-entry group that the security key dialog and the
// profile editor share: the check on confirm (VerifyKey), the filters run on
// every keystroke, and the conversion of the key texts into the key bytes
// the dialog hands back. Plain functions over the group's values, so the
// dialogs and the command-line tool run exactly the same rules.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "adapter/Oids.h"
#include "adapter/Records.h"
#include "profiles/StoredIndexes.h"

namespace corvane {

// The values of the key-entry group.
struct KeyEntryFields {
    int32_t nAuthenType = kAuthOpen;
    int32_t nEncryType = kEncOpenNone;
    std::array<int32_t, kWepSlotCount> keyType = {};  // nWEPKey1Combo .. nWEPKey4Combo
    std::array<std::string, kWepSlotCount> keyText;   // WEPKey1Text .. WEPKey4Text
    std::array<bool, kWepSlotCount> radio = {true, false, false, false};  // WEPKey1Radio ..
    std::string wpaPreSharedKey;

    bool WepInUse() const { return IsWepInUse(nAuthenType, nEncryType); }
    bool PskInUse() const { return IsPskInUse(nAuthenType); }
    // The first radio that is on, 0..3; 0 when none is.
    int DefaultKeyIndex() const;
};

// The first rule the fields break, as the alert title that reports it;
// nullopt when they pass. Beside the length rules, a passphrase (8 to 63
// characters) must be printable ASCII, as the key derivation expects; a
// hexadecimal WEP key must hold only hexadecimal digits and an ASCII one
// only printable ASCII, so that the bytes sent are the key the user means.
std::optional<std::string> KeyRuleViolation(const KeyEntryFields& fields);
// KeyRuleViolation shown as an alert (the message as title, an empty
// message, "OK"); true when the fields pass.
bool VerifyKey(const KeyEntryFields& fields);

// The fields a keystroke filter can rewrite.
enum class KeyField { WepKey1, WepKey2, WepKey3, WepKey4, PreSharedKey, Other };

struct FilterEdit {
    KeyField field;    // the field whose text is set
    std::string text;  // its new text
    bool beep = false;
};

// The live filter after `notifying` changed: a pre-shared key in use is cut
// to 64 characters whichever field changed; otherwise, with WEP in use, the
// changed key field is cut to 26 hexadecimal digits (at the first other
// character) or 13 ASCII characters; no cut splits a UTF-8 character. nullopt
// when nothing is to be set.
std::optional<FilterEdit> VerifyWEPKey(const KeyEntryFields& fields, KeyField notifying);

// A text kept within a length, and whether the user hears a beep.
struct TextFilterResult {
    std::string text;
    bool beep = false;
};

// SSID fields (the editor's SSID box, the hidden SSID dialog): 32 bytes at
// most; reaching 32 beeps. The cut never splits a UTF-8 character.
TextFilterResult LimitSsidText(std::string_view text);

struct ThresholdFilterResult {
    std::string text;
    int32_t sliderValue = 0;
};
// The editor's RTS and fragmentation texts: at most four bytes, capped
// at `maximum`, "0" when emptied; the slider follows the value.
ThresholdFilterResult FilterThresholdText(std::string_view text, int32_t maximum);

inline constexpr size_t kKeyMaterialSize = kMaxWepKeyBytes + 1;  // 13 key bytes and a zero

// What the key dialog hands back on OK (and what the site survey page keeps).
struct WEPSettingValues {
    int32_t AuthenType = 0;
    int32_t EncryType = 0;
    int32_t SelKeyIndex = 0;
    std::array<uint8_t, kWepSlotCount> KeyLen = {};
    std::array<std::array<uint8_t, kKeyMaterialSize>, kWepSlotCount> KeyMaterial = {};
    int32_t WPAPSKlen = 0;
    std::array<uint8_t, kPskHexLength> WPAPSK = {};

    // Zeroes every key byte (after use).
    void Wipe();
};

// The conversion run after VerifyKey passed: with WEP in use the four keys'
// bytes (hexadecimal digit pairs decoded, ASCII copied; never more than 13
// bytes, a longer key counts as no key), then always the default key index
// and the pre-shared key text. Key slots are left as they were when WEP is
// not in use, as the dialog keeps them between openings.
void ConvertKeyMaterial(const KeyEntryFields& fields, WEPSettingValues& values);

}  // namespace corvane
