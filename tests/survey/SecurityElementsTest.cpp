// The element walk that decides a row's Authentication and Encryption texts:
// on captured beacons against an independent dissector's reading, and on
// hand-built unusual and malformed elements (run these under AddressSanitizer:
// each area sits in a heap block of exactly its size).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>

#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "survey/AccessPoint.h"
#include "survey/SecurityElements.h"
#include "tests/support/ProcessValues.h"
#include "tests/support/ScanEntries.h"

namespace corvane::test {
namespace {

using nlohmann::json;

struct Texts {
    std::string auth, enc;
    bool operator==(const Texts&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Texts& t) {
    return os << t.auth << " / " << t.enc;
}

// --- captured beacons --------------------------------------------------------

// One WPA or RSN element as the dissector read it: suite types only (the
// captures use the standard organisation codes throughout; checked below).
struct Dissected {
    bool rsn = false;
    int group = 0;
    std::vector<int> pairwise, akm;
};

Dissected Dissect(const json& j, bool rsn) {
    const std::string oui = rsn ? "000fac" : "0050f2";
    EXPECT_EQ(j["group_suite"].get<std::string>().substr(0, 6), oui);
    for (const char* list : {"pairwise_suites", "akm_suites"})
        for (const auto& s : j[list]) EXPECT_EQ(s.get<std::string>().substr(0, 6), oui);
    return {rsn, j["group"].get<int>(), j["pairwise"].get<std::vector<int>>(),
            j["akm"].get<std::vector<int>>()};
}

// The kinds of the WPA (false) and RSN (true) elements in frame order.
std::vector<bool> SecurityElementOrder(const ByteVec& ies) {
    std::vector<bool> order;
    for (size_t p = 0; p + 2 <= ies.size(); p += 2 + size_t(ies[p + 1])) {
        const bool wpa = ies[p] == 221 && p + 6 <= ies.size() && ies[p + 2] == 0x00 &&
                         ies[p + 3] == 0x50 && ies[p + 4] == 0xF2 && ies[p + 5] == 0x01;
        if (ies[p] == 48 || wpa) order.push_back(ies[p] == 48);
    }
    return order;
}

// The texts a beacon must show, from the dissector's fields:
// - Encryption: TKIP and CCMP offered anywhere (group or pairwise, in any
//   element) show "TKIP/AES"; one of them alone shows its own name.
// - Authentication: an element decides by the first of its key-management
//   suites that is 802.1X (1) or PSK (2); the last deciding element in the
//   frame wins, except that WPA-PSK and WPA2-PSK together show both. On an
//   ad hoc network PSK reads "WPA-NONE"/"WPA2-NONE" and is never combined.
//   When no element decides, an RSN element names its first suite.
// - Without WPA and RSN elements, the privacy bit alone decides.
Texts ExpectedTexts(const json& b, const ByteVec& ies, bool adhoc) {
    const bool privacy = b["privacy"].get<bool>();
    Texts t{privacy ? "Open/Shared" : "Open", privacy ? "WEP" : "Not Used"};
    bool tkip = false, ccmp = false, wpaPsk = false, wpa2Psk = false;
    std::optional<std::string> decided, named;
    const std::map<int, std::string> rsnNames = {
        {3, "WPA2"}, {4, "FT-PSK"}, {6, "WPA2-PSK-SHA256"}, {8, "WPA3-SAE"}};
    // A frame with two RSN elements gets one reading from the dissector (the
    // first); in these captures the second one agrees with it.
    for (bool rsn : SecurityElementOrder(ies)) {
        const Dissected e = Dissect(b[rsn ? "rsn" : "wpa"], rsn);
        std::vector<int> ciphers = e.pairwise;
        ciphers.push_back(e.group);
        for (int c : ciphers) {
            tkip |= c == 2;
            ccmp |= c == 4;
        }
        auto usable =
            std::find_if(e.akm.begin(), e.akm.end(), [](int a) { return a == 1 || a == 2; });
        if (usable == e.akm.end()) {
            if (rsn && !e.akm.empty()) named = rsnNames.at(e.akm.front());
        } else if (*usable == 1) {
            decided = rsn ? "WPA2" : "WPA";
        } else if (adhoc) {
            decided = rsn ? "WPA2-NONE" : "WPA-NONE";
        } else {
            decided = rsn ? "WPA2-PSK" : "WPA-PSK";
            (rsn ? wpa2Psk : wpaPsk) = true;
        }
    }
    if (tkip || ccmp) t.enc = tkip && ccmp ? "TKIP/AES" : tkip ? "TKIP" : "AES-CCMP";
    if (wpaPsk && wpa2Psk)
        t.auth = "WPA-PSK/WPA2-PSK";
    else if (decided || named)
        t.auth = decided ? *decided : *named;
    return t;
}

uint32_t CentreKhz(uint32_t channel) {
    if (channel == 14) return 2484000;
    return (channel < 14 ? 2407 + 5 * channel : 5000 + 5 * channel) * 1000;
}

// Every captured beacon becomes one entry of one scan list; each row must
// show the dissector's security, name, address, channel and network type.
TEST(ElementWalk, CapturedBeaconsReadAsTheDissectorReadsThem) {
    std::ifstream in(CORVANE_BEACONS_FILE);
    // The captures live beside the checkout, not in it.
    if (!in) GTEST_SKIP() << "no captured beacons at " << CORVANE_BEACONS_FILE;
    std::vector<json> beacons;
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) beacons.push_back(json::parse(line));
    ASSERT_GE(beacons.size(), 100u);

    corvane::test::ResetGlobals();
    __DEBUG__ = 0;
    KestrelAccess adapter;
    std::vector<ByteVec> entries;
    for (const json& b : beacons) {
        ScanEntrySpec s;
        const ByteVec name = HexBytes(b["ssid_hex"]);
        s.ssid.assign(name.begin(), name.end());
        s.privacy = b["privacy"].get<bool>() ? 1 : 0;
        s.infrastructureMode = b["ibss"].get<bool>() ? 0 : 1;
        ASSERT_TRUE(b["channel"].is_number()) << b["file"];
        s.dsConfig = CentreKhz(b["channel"].get<uint32_t>());
        s.tagged = HexBytes(b["ies_hex"]);
        std::string mac = b["bssid"];
        std::erase(mac, ':');
        const ByteVec macBytes = HexBytes(mac);
        std::copy(macBytes.begin(), macBytes.end(), s.mac.begin());
        entries.push_back(ScanEntry(s));
    }
    const ByteVec list = ScanListOf(entries);
    const std::vector<AccessPoint> rows = BuildAccessPointRows(adapter, list);
    ASSERT_EQ(rows.size(), beacons.size());

    std::set<std::string> shown;
    for (size_t i = 0; i < beacons.size(); ++i) {
        const json& b = beacons[i];
        SCOPED_TRACE(testing::Message()
                     << "beacon " << i << " from " << b["file"].get<std::string>());
        const bool adhoc = b["ibss"].get<bool>();
        const Texts expected = ExpectedTexts(b, HexBytes(b["ies_hex"]), adhoc);
        EXPECT_EQ((Texts{rows[i].Authentication, rows[i].Encryption}), expected);
        shown.insert(expected.auth + " / " + expected.enc);

        const ByteVec name = HexBytes(b["ssid_hex"]);
        EXPECT_EQ(rows[i].SSID, std::string(name.begin(), std::find(name.begin(), name.end(), 0)));
        std::string bssid = b["bssid"];
        for (char& c : bssid) c = c == ':' ? '-' : char(std::toupper(c));
        EXPECT_EQ(rows[i].BSSID, bssid);
        EXPECT_EQ(rows[i].Channel, std::to_string(b["channel"].get<int>()));
        EXPECT_EQ(rows[i].NetworkType, adhoc ? "Ad Hoc" : "Infrastructure");
    }
    // The captures exercise more than one kind of network.
    EXPECT_GE(shown.size(), 10u);
}

// --- hand-built elements -------------------------------------------------------

const std::string kSsidAbc = "0003616263";

// Hex with blanks for readability.
ByteVec Hex(std::string text) {
    std::erase(text, ' ');
    return HexBytes(text);
}

// What the captured beacons hold (PSK, 802.1X, SAE, PSK-SHA256 and
// transition suites, WPA beside RSN, ad hoc) is their test's; these rows are
// what they lack, and malformed elements (random damaged ones are the scan
// list fuzz target's).
TEST(ElementWalk, UnusualAndMalformedElements) {
    struct Row {
        const char* name;
        std::string elements;  // hex
        Texts expected;
        uint32_t mode = 1;
        uint32_t privacy = 1;
    };
    const std::string dpp = "0100 000fac04" + Suites("000fac", {4}) + "0100 506f9a02";
    const std::string dppThenPsk =
        "0100 000fac04" + Suites("000fac", {4}) + "0200 506f9a02 000fac02";
    // clang-format off
    const Row rows[] = {
        {"no elements, privacy off", "", {"Open", "Not Used"}, 1, 0},
        {"no security element, privacy on", kSsidAbc, {"Open/Shared", "WEP"}},
        {"WPA legacy key-management code 00 00 42",
         "dd16 0050f201 0100 0050f202 0100 0050f202 0100 00004202", {"WPA-PSK", "TKIP"}},
        {"WPA cipher code with 00 03 in its middle bytes",
         "dd16 0050f201 0100 12000302 0100 12000304 0100 0050f202", {"WPA-PSK", "TKIP/AES"}},
        {"WPA element of length 15 is not read",
         "dd0f 0050f201 0100 0050f202 0100 0050f2", {"Open/Shared", "WEP"}},
        {"RSN element of length 11 is not read",
         "300b 0100 000fac04 0100 000fac", {"Open/Shared", "WEP"}},
        {"RSN without key management",
         "300e 0100 000fac04 0100 000fac04 0000", {"Open/Shared", "AES-CCMP"}},
        {"WPA then RSN, both 802.1X: the later names it",
         Wpa(2, {2}, {1}) + Rsn(4, {4}, {1}), {"WPA2", "TKIP/AES"}},
        {"ad hoc WPA key management 0", Wpa(2, {2}, {0}), {"WPA-NONE", "TKIP"}, 0},
        {"ad hoc WPA then RSN: the later, never combined",
         Wpa(2, {2}, {2}) + Rsn(4, {4}, {2}), {"WPA2-NONE", "TKIP/AES"}, 0},
        {"OWE", Rsn(4, {4}, {18}), {"OWE", "AES-CCMP"}},
        {"DPP only", Element(48, dpp), {"DPP", "AES-CCMP"}},
        {"foreign key management before PSK", Element(48, dppThenPsk), {"WPA2-PSK", "AES-CCMP"}},
        {"CCMP group, GCMP-256 then CCMP pairwise", Rsn(4, {9, 4}, {2}), {"WPA2-PSK", "AES-CCMP"}},
        {"invalid RSN group code ends the walk",
         Wpa(2, {2}, {2}) + "3012 0100 00112204 0100 000fac04 0100 000fac02" + Rsn(4, {4}, {2}),
         {"WPA-PSK", "TKIP"}},
        {"invalid WPA group code ends the walk",
         "dd16 0050f201 0100 00112202 0100 0050f202 0100 0050f202" + Rsn(4, {4}, {2}),
         {"Open/Shared", "WEP"}},
        {"invalid RSN pairwise code ends only the list",
         "3016 0100 000fac02 0200 00112204 000fac04 0100 000fac02", {"WPA2-PSK", "TKIP"}},
        {"zero-length element after the first stops the walk",
         kSsidAbc + "dd00" + Rsn(4, {4}, {2}), {"Open/Shared", "WEP"}},
        {"zero-length first element (hidden name) does not",
         "0000" + Rsn(4, {4}, {2}), {"WPA2-PSK", "AES-CCMP"}},
        {"element running past the area: what is there counts",
         "3014 0100 000fac04 0100 000f", {"Open/Shared", "AES-CCMP"}},
        {"WPA element cut after its header keeps earlier texts",
         Rsn(4, {4}, {2}) + "dd16 0050f201 0100", {"WPA2-PSK", "AES-CCMP"}},
        {"pairwise count past the element ends it, the walk goes on",
         "300c 0100 000fac04 0500 000fac02" + Wpa(2, {2}, {2}), {"WPA-PSK", "TKIP/AES"}},
        {"key-management count past the element: the suites there decide",
         "3012 0100 000fac04 0100 000fac04 0300 000fac02", {"WPA2-PSK", "AES-CCMP"}},
        {"three bytes left are not looked at",
         Rsn(4, {4}, {2}) + "30ff01", {"WPA2-PSK", "AES-CCMP"}},
    };
    // clang-format on
    for (const Row& row : rows) {
        const ByteVec bytes = Hex(row.elements);
        // Exactly the area's bytes on the heap, so a read past it is caught.
        std::unique_ptr<uint8_t[]> area(new uint8_t[bytes.size()]);
        std::copy(bytes.begin(), bytes.end(), area.get());
        const SecurityTexts texts =
            DecodeSecurity({area.get(), bytes.size()}, row.privacy, row.mode);
        EXPECT_EQ((Texts{texts.authentication, texts.encryption}), row.expected) << row.name;
    }
}

}  // namespace
}  // namespace corvane::test
