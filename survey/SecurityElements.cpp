#include "survey/SecurityElements.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace corvane {
namespace {

constexpr size_t kMinWpaLength = 16;
constexpr size_t kMinRsnLength = 12;

bool SameOui(const uint8_t* a, const Oui& b) {
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

CipherSuite SuiteAt(std::span<const uint8_t> e, size_t at) {
    CipherSuite s;
    std::copy_n(e.data() + at, 3, s.oui);
    s.type = e[at + 3];
    return s;
}

// A WPA element's cipher code: the WPA organisation, or the form some old
// drivers report with 00 03 in the middle bytes.
bool WpaCipherValid(const CipherSuite& s) {
    return SameOui(s.oui, kOuiWpa) || (s.oui[1] == 0x00 && s.oui[2] == 0x03);
}
bool WpaAkmValid(const CipherSuite& s) {
    return SameOui(s.oui, kOuiWpa) || SameOui(s.oui, kOuiLegacyAkm);
}
bool RsnSuiteValid(const CipherSuite& s) { return SameOui(s.oui, kOuiRsn); }

// Reads group, pairwise and key-management suites starting at `group`
// (offset of the group suite in the element, header included).
ParsedSecurityElement ParseSuites(std::span<const uint8_t> e, size_t group, bool rsn,
                                  bool (*cipherValid)(const CipherSuite&)) {
    ParsedSecurityElement parsed;
    parsed.rsn = rsn;
    auto fits = [&](size_t at, size_t size) { return at <= e.size() && e.size() - at >= size; };

    if (!fits(group, kSuiteSize)) {
        parsed.complete = false;
        return parsed;
    }
    const CipherSuite groupSuite = SuiteAt(e, group);
    parsed.groupValid = cipherValid(groupSuite);
    parsed.groupType = groupSuite.type;
    if (!parsed.groupValid) return parsed;

    const size_t pairwiseCount = group + kSuiteSize;
    if (!fits(pairwiseCount, 2)) {
        parsed.complete = false;
        return parsed;
    }
    const size_t n = size_t(e[pairwiseCount] | e[pairwiseCount + 1] << 8);
    for (size_t k = 0; k < n; ++k) {
        const size_t at = pairwiseCount + 2 + kSuiteSize * k;
        if (!fits(at, kSuiteSize)) break;
        const CipherSuite s = SuiteAt(e, at);
        if (!cipherValid(s)) break;  // a foreign code ends the list, not the element
        parsed.pairwise.push_back(s.type);
    }

    // The key-management count sits after all n pairwise suites, wherever
    // the list of valid ones ended.
    const size_t akmCount = pairwiseCount + 2 + kSuiteSize * n;
    if (!fits(akmCount, 2)) {
        parsed.complete = false;
        return parsed;
    }
    const size_t m = size_t(e[akmCount] | e[akmCount + 1] << 8);
    for (size_t k = 0; k < m; ++k) {
        const size_t at = akmCount + 2 + kSuiteSize * k;
        if (!fits(at, kSuiteSize)) {
            parsed.complete = false;
            break;
        }
        parsed.akm.push_back(SuiteAt(e, at));
    }
    return parsed;
}

// The element as far as its own length allows.
std::span<const uint8_t> Bounded(std::span<const uint8_t> element) {
    if (element.size() < 2) return {};
    return element.first(std::min(element.size(), size_t(element[1]) + 2));
}

struct CipherName {
    uint8_t type;
    const char* text;
    bool usable;
};
constexpr std::array<CipherName, 6> kCipherNames = {{
    {kCipherTkip, "TKIP", true},
    {kCipherWrap, "AES-WRAP", true},
    {kCipherCcmp, "AES-CCMP", true},
    {kCipherGcmp, "GCMP", false},
    {kCipherGcmp256, "GCMP-256", false},
    {kCipherCcmp256, "CCMP-256", false},
}};

struct AkmName {
    uint8_t type;
    const char* text;
};
// RSN key-management suites this adapter cannot use. The 802.1X kinds read
// "WPA2", so the site survey treats them as the enterprise networks they are.
constexpr std::array<AkmName, 20> kRsnAkmNames = {{
    {3, "WPA2"},  // FT over 802.1X
    {4, "FT-PSK"},
    {5, "WPA2"},  // 802.1X with SHA-256
    {6, "WPA2-PSK-SHA256"},
    {7, "TDLS"},
    {8, "WPA3-SAE"},
    {9, "WPA3-SAE"},  // FT over SAE
    {10, "AP-PeerKey"},
    {11, "WPA2"},  // Suite B
    {12, "WPA2"},  // Suite B 192-bit
    {13, "WPA2"},  // FT over 802.1X, SHA-384
    {14, "FILS"},
    {15, "FILS"},
    {16, "FT-FILS"},
    {17, "FT-FILS"},
    {18, "OWE"},
    {19, "FT-PSK-SHA384"},
    {20, "WPA2-PSK-SHA384"},
    {24, "WPA3-SAE"},  // SAE with extended key
    {25, "WPA3-SAE"},  // FT over SAE with extended key
}};

// The state of one entry's walk: the two texts and what has been seen.
struct EntryState {
    SecurityTexts texts;
    uint32_t infrastructureMode = 1;
    bool wpaPskSeen = false;
    bool wpa2PskSeen = false;
    bool tkipSeen = false;
    bool wrapSeen = false;
    bool ccmpSeen = false;
    bool usableAkmSeen = false;

    void MapCipher(uint8_t type) {
        for (const CipherName& c : kCipherNames) {
            if (c.type != type) continue;
            if (!c.usable && (tkipSeen || wrapSeen || ccmpSeen)) return;
            texts.encryption = c.text;
            if (type == kCipherTkip) tkipSeen = true;
            if (type == kCipherWrap) wrapSeen = true;
            if (type == kCipherCcmp) ccmpSeen = true;
            return;
        }
    }

    void MapAkm(const ParsedSecurityElement& e) {
        bool (*valid)(const CipherSuite&) = e.rsn ? RsnSuiteValid : WpaAkmValid;
        const CipherSuite* unusable = nullptr;
        for (const CipherSuite& s : e.akm) {
            const bool usable =
                valid(s) && (s.type == kAkmNone || s.type == kAkm8021X || s.type == kAkmPsk);
            if (usable) {
                DecideUsable(e.rsn, s.type);
                return;
            }
            if (!unusable) unusable = &s;
        }
        if (unusable && !usableAkmSeen) texts.authentication = UnusableAkmName(*unusable);
    }

    void DecideUsable(bool rsn, uint8_t type) {
        usableAkmSeen = true;
        if (type == kAkm8021X) {
            texts.authentication = rsn ? "WPA2" : "WPA";
        } else if (infrastructureMode == 0) {
            texts.authentication = rsn ? "WPA2-NONE" : "WPA-NONE";
        } else {
            texts.authentication = rsn ? "WPA2-PSK" : "WPA-PSK";
            (rsn ? wpa2PskSeen : wpaPskSeen) = true;
        }
    }

    // False when the walk over the entry must end.
    bool Apply(const ParsedSecurityElement& e) {
        if (!e.groupValid) return false;
        MapCipher(e.groupType);
        for (uint8_t type : e.pairwise) MapCipher(type);
        MapAkm(e);
        return true;
    }

    void Combine() {
        if (wpaPskSeen && wpa2PskSeen) texts.authentication = "WPA-PSK/WPA2-PSK";
        if (tkipSeen && (ccmpSeen || wrapSeen)) texts.encryption = "TKIP/AES";
    }
};

}  // namespace

std::optional<ParsedSecurityElement> ParseWpaElement(std::span<const uint8_t> element) {
    auto e = Bounded(element);
    if (e.size() < 6 || e[0] != kElementVendor || e[1] < kMinWpaLength) return std::nullopt;
    if (!SameOui(e.data() + 2, kOuiWpa) || e[5] != kWpaOuiType) return std::nullopt;
    // Version (2 bytes) follows the vendor header; the group suite is at 8.
    return ParseSuites(e, 8, false, WpaCipherValid);
}

std::optional<ParsedSecurityElement> ParseRsnElement(std::span<const uint8_t> element) {
    auto e = Bounded(element);
    if (e.size() < 2 || e[0] != kElementRsn || e[1] < kMinRsnLength) return std::nullopt;
    // Version (2 bytes), then the group suite at 4.
    return ParseSuites(e, 4, true, RsnSuiteValid);
}

std::string UnusableAkmName(const CipherSuite& s) {
    if (SameOui(s.oui, kOuiRsn)) {
        for (const AkmName& a : kRsnAkmNames)
            if (a.type == s.type) return a.text;
    }
    if (SameOui(s.oui, kOuiWfa)) {
        if (s.type == 1) return "OSEN";
        if (s.type == 2) return "DPP";
    }
    char text[32];
    std::snprintf(text, sizeof text, "AKM %02X-%02X-%02X:%u", s.oui[0], s.oui[1], s.oui[2],
                  unsigned(s.type));
    return text;
}

SecurityTexts DecodeSecurity(std::span<const uint8_t> tagged, uint32_t privacy,
                             uint32_t infrastructureMode) {
    EntryState state;
    state.infrastructureMode = infrastructureMode;
    state.texts.encryption = privacy ? "WEP" : "Not Used";
    state.texts.authentication = privacy ? "Open/Shared" : "Open";

    WalkTaggedElements(tagged, [&](std::span<const uint8_t> element) {
        auto parsed = ParseWpaElement(element);
        if (!parsed) parsed = ParseRsnElement(element);
        if (parsed && !state.Apply(*parsed)) return false;
        state.Combine();
        return true;
    });
    return state.texts;
}

}  // namespace corvane
