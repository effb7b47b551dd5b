#include "editor/KeyRules.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "adapter/Records.h"
#include "crypto/MathFunc.h"
#include "crypto/Wipe.h"
#include "platform/Alert.h"
#include "platform/Translate.h"
#include "profiles/PreferenceFiles.h"

namespace corvane {
namespace {

constexpr size_t kMaxHexKeyDigits = 26;
constexpr size_t kMaxAsciiKeyChars = 13;

const char* const kPskTooShort = QT_TRANSLATE_NOOP(
    "KeyRules",
    "Invalid WPA Pre-Shared key. WPA-PSK/WPA2-PSK key should be more than 8 characters.");
const char* const kPskNotHex = QT_TRANSLATE_NOOP(
    "KeyRules", "Invalid WPA Pre-Shared key. WPA-PSK/WPA2-PSK key should be hexadecimal digital.");
const char* const kPskTooLong = QT_TRANSLATE_NOOP(
    "KeyRules",
    "Invalid WPA Pre-Shared key. WPA-PSK/WPA2-PSK key should be less than 64 characters.");
const char* const kPskNotPrintable =
    QT_TRANSLATE_NOOP("KeyRules",
                      "Invalid WPA Pre-Shared key. WPA-PSK/WPA2-PSK passphrase should be printable "
                      "ASCII characters.");

std::string WepLengthMessage(int key, int32_t type) {
    return FormatText(
        type == kKeyTypeHex
            ? Tr("KeyRules",
                 "Invalid WEP key %1 length. WEP should be 10 or 26 hexadecimal digits.")
            : Tr("KeyRules", "Invalid WEP key %1 length. WEP should be 5 or 13 ASCII characters."),
        {std::to_string(key)});
}

std::string WepCharactersMessage(int key, int32_t type) {
    return FormatText(type == kKeyTypeHex
                          ? Tr("KeyRules",
                               "Invalid WEP key %1 characters. A hexadecimal WEP key should hold "
                               "only 0-9 and A-F.")
                          : Tr("KeyRules",
                               "Invalid WEP key %1 characters. An ASCII WEP key should be "
                               "printable ASCII characters."),
                      {std::to_string(key)});
}

bool IsHexDigit(char c) { return BtoH(c) != 255; }
// A passphrase is hashed as ASCII text, and an ASCII WEP key is sent as its
// bytes; any other byte would give a key no access point derives from what
// the user typed.
bool IsPrintableAscii(char c) { return uint8_t(c) >= 32 && uint8_t(c) <= 126; }

// The rules of one WEP key, its length first, then its characters (the
// live filter keeps them valid only while the type stays as typed): nullopt
// when it passes.
std::optional<std::string> WepKeyViolation(const KeyEntryFields& f, int slot, bool allowEmpty) {
    const std::string& text = f.keyText[size_t(slot)];
    const size_t length = text.size();
    const int32_t type = f.keyType[size_t(slot)];
    if (allowEmpty && length == 0) return std::nullopt;
    if (type == kKeyTypeHex && length != 10 && length != 26)
        return WepLengthMessage(slot + 1, type);
    if (type == kKeyTypeAscii && length != 5 && length != 13)
        return WepLengthMessage(slot + 1, type);
    bool valid = true;
    if (type == kKeyTypeHex) valid = std::all_of(text.begin(), text.end(), IsHexDigit);
    if (type == kKeyTypeAscii) valid = std::all_of(text.begin(), text.end(), IsPrintableAscii);
    if (!valid) return WepCharactersMessage(slot + 1, type);
    return std::nullopt;
}

std::optional<int> WepSlotOf(KeyField field) {
    switch (field) {
        case KeyField::WepKey1:
            return 0;
        case KeyField::WepKey2:
            return 1;
        case KeyField::WepKey3:
            return 2;
        case KeyField::WepKey4:
            return 3;
        default:
            return std::nullopt;
    }
}

// The length of the longest prefix of at most `limit` bytes that does not
// end inside a UTF-8 sequence: only a sequence that starts before the limit
// and runs past it is left out; stray bytes of a text that is not UTF-8 are
// cut like any other.
size_t Utf8Prefix(std::string_view text, size_t limit) {
    if (text.size() <= limit) return text.size();
    auto continuation = [&](size_t i) { return (uint8_t(text[i]) & 0xC0) == 0x80; };
    size_t start = limit;
    while (start > 0 && limit - start < 3 && continuation(start)) --start;
    const uint8_t lead = uint8_t(text[start]);
    if (start == limit || lead < 0xC0) return limit;
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    return start + length > limit ? start : limit;
}

}  // namespace

int KeyEntryFields::DefaultKeyIndex() const {
    for (int i = 0; i < kWepSlotCount; ++i)
        if (radio[size_t(i)]) return i;
    return 0;
}

std::optional<std::string> KeyRuleViolation(const KeyEntryFields& f) {
    if (f.PskInUse()) {
        const std::string& key = f.wpaPreSharedKey;
        if (key.size() < kMinPassphraseLength) return Tr("KeyRules", kPskTooShort);
        if (key.size() == kPskHexLength) {
            if (!std::all_of(key.begin(), key.end(), IsHexDigit)) return Tr("KeyRules", kPskNotHex);
            return std::nullopt;
        }
        if (key.size() > kPskHexLength) return Tr("KeyRules", kPskTooLong);
        if (!std::all_of(key.begin(), key.end(), IsPrintableAscii))
            return Tr("KeyRules", kPskNotPrintable);
        return std::nullopt;
    }
    if (!f.WepInUse()) return std::nullopt;
    // The key sent for transmission must be there; the others may be empty.
    if (auto v = WepKeyViolation(f, f.DefaultKeyIndex(), false)) return v;
    for (int slot = 0; slot < kWepSlotCount; ++slot)
        if (auto v = WepKeyViolation(f, slot, true)) return v;
    return std::nullopt;
}

bool VerifyKey(const KeyEntryFields& fields) {
    auto violation = KeyRuleViolation(fields);
    if (!violation) return true;
    platform::RunAlertPanel(*violation, "", "OK");
    return false;
}

std::optional<FilterEdit> VerifyWEPKey(const KeyEntryFields& f, KeyField notifying) {
    if (f.PskInUse()) {
        if (f.wpaPreSharedKey.size() <= kPskHexLength) return std::nullopt;
        const size_t kept = Utf8Prefix(f.wpaPreSharedKey, kPskHexLength);
        return FilterEdit{KeyField::PreSharedKey, f.wpaPreSharedKey.substr(0, kept), true};
    }
    if (!f.WepInUse()) return std::nullopt;
    auto slot = WepSlotOf(notifying);
    if (!slot) return std::nullopt;
    const std::string& text = f.keyText[size_t(*slot)];
    if (text.empty()) return std::nullopt;

    size_t kept = text.size();
    bool beep = false;
    const int32_t type = f.keyType[size_t(*slot)];
    if (type == kKeyTypeHex) {
        if (text.size() > kMaxHexKeyDigits) {
            kept = Utf8Prefix(text, kMaxHexKeyDigits);
            beep = true;
        } else {
            auto bad = std::find_if_not(text.begin(), text.end(), IsHexDigit);
            if (bad != text.end()) {
                kept = size_t(bad - text.begin());
                beep = true;
            }
        }
    } else if (type == kKeyTypeAscii && text.size() > kMaxAsciiKeyChars) {
        kept = Utf8Prefix(text, kMaxAsciiKeyChars);
        beep = true;
    }
    return FilterEdit{notifying, text.substr(0, kept), beep};
}

TextFilterResult LimitSsidText(std::string_view text) {
    if (text.size() < kSsidMaxLength) return {std::string(text), false};
    return {std::string(text.substr(0, Utf8Prefix(text, kSsidMaxLength))), true};
}

ThresholdFilterResult FilterThresholdText(std::string_view text, int32_t maximum) {
    std::string kept(text.substr(0, Utf8Prefix(text, 4)));
    if (LeadingInteger(kept) > maximum) kept = std::to_string(maximum);
    if (kept.empty()) return {std::string(1, '0'), 0};
    return {kept, LeadingInteger(kept)};
}

void WEPSettingValues::Wipe() {
    for (auto& material : KeyMaterial) detail::SecureWipe(material.data(), material.size());
    detail::SecureWipe(WPAPSK.data(), WPAPSK.size());
    KeyLen = {};
    WPAPSKlen = 0;
}

void ConvertKeyMaterial(const KeyEntryFields& f, WEPSettingValues& v) {
    v.AuthenType = f.nAuthenType;
    v.EncryType = f.nEncryType;
    if (f.WepInUse()) {
        for (size_t slot = 0; slot < kWepSlotCount; ++slot) {
            const std::string& text = f.keyText[slot];
            auto& material = v.KeyMaterial[slot];
            material.fill(0);
            const size_t length = f.keyType[slot] == kKeyTypeHex ? text.size() / 2 : text.size();
            // A key the rules did not size (an unknown key type) never
            // takes more than the 13 bytes a WEP key has: it counts as none.
            if (length == 0 || length > kMaxWepKeyBytes) {
                v.KeyLen[slot] = 0;
                continue;
            }
            if (f.keyType[slot] == kKeyTypeHex)
                AtoH(text.c_str(), material.data(), int(length));
            else
                std::memcpy(material.data(), text.data(), length);
            v.KeyLen[slot] = uint8_t(length);
        }
    }
    v.SelKeyIndex = f.DefaultKeyIndex();
    const size_t pskLength = std::min(f.wpaPreSharedKey.size(), v.WPAPSK.size());
    v.WPAPSK.fill(0);
    std::memcpy(v.WPAPSK.data(), f.wpaPreSharedKey.data(), pskLength);
    v.WPAPSKlen = int32_t(pskLength);
}

}  // namespace corvane
