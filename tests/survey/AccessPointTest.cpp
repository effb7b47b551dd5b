// The site survey rows built from a scan list, and how a row's texts are
// classified for connecting.
#include <gtest/gtest.h>

#include <memory>

#include "adapter/ChannelPlan.h"
#include "survey/AccessPoint.h"
#include "tests/adapter/AdapterFixture.h"
#include "tests/support/ScanEntries.h"

namespace corvane {
void PrintTo(const AccessPoint& row, std::ostream* os) { *os << '"' << row.description() << '"'; }
}  // namespace corvane

namespace corvane::test {
namespace {

using AccessPointRows = AdapterTest;

std::vector<std::string> Names(const std::vector<AccessPoint>& rows) {
    std::vector<std::string> names;
    for (const AccessPoint& r : rows) names.push_back(r.SSID);
    return names;
}

// The rows of a list held in a heap block of exactly its size.
std::vector<AccessPoint> RowsOf(KestrelAccess& adapter, const ByteVec& list) {
    std::unique_ptr<uint8_t[]> exact(new uint8_t[list.size()]);
    std::copy(list.begin(), list.end(), exact.get());
    return BuildAccessPointRows(adapter, {exact.get(), list.size()});
}

ByteVec WithCount(ByteVec list, uint32_t count) {
    WriteLe32(list.data(), count);
    return list;
}

TEST_F(AccessPointRows, TheWalkOverTheList) {
    auto entry = [](const char* ssid, uint32_t khz) {
        ScanEntrySpec s;
        s.ssid = ssid;
        s.dsConfig = khz;
        return ScanEntry(s);
    };
    const ByteVec a = entry("A", 2412000), b = entry("B", 2413000), c = entry("C", 2462000),
                  fiveGHz = entry("5", 5180000);
    struct Row {
        const char* name;
        ByteVec list;
        std::vector<std::string> expected;
        uint32_t chanFreqRows = kChanFreqRows;
    } rows[] = {
        {"a frequency without a channel ends the list", ScanListOf({a, b, c}), {"A"}},
        {"so does one past the rows searched", ScanListOf({a, fiveGHz, c}), {"A"}, 14},
        {"all rows searched", ScanListOf({a, fiveGHz, c}), {"A", "5", "C"}},
        {"NumberOfItems below the entries there", WithCount(ScanListOf({a, c}), 1), {"A"}},
        {"NumberOfItems beyond the entries there", WithCount(ScanListOf({a, c}), 9), {"A", "C"}},
    };
    for (const Row& row : rows) {
        G_nChanFreqCount = row.chanFreqRows;
        EXPECT_EQ(Names(RowsOf(*adapter_, row.list)), row.expected) << row.name;
    }
    G_nChanFreqCount = kChanFreqRows;
}

TEST_F(AccessPointRows, TextsOfOneRow) {
    struct Row {
        const char* name;
        ScanEntrySpec network;
        AccessPoint expected;
        size_t entryLength = 0;  // cut the entry (and its Length) to this many bytes
        uint32_t ieLength = 0;   // IELength claimed instead of the real one
    };
    ScanEntrySpec full32;
    full32.ssid = std::string(32, 'x');
    full32.privacy = 1;  // the field right after the name is not zero
    full32.mac = {0x0A, 0xBC, 0x00, 0xFF, 0x12, 0x9D};
    full32.rssi = -65;
    ScanEntrySpec embeddedZero;
    embeddedZero.ssid = std::string("ab\0cd", 5);
    embeddedZero.infrastructureMode = 0;
    embeddedZero.dsConfig = 5180000;
    embeddedZero.rssi = -95;
    ScanEntrySpec unknownMode;
    unknownMode.infrastructureMode = 7;
    unknownMode.privacy = 1;
    unknownMode.tagged = HexBytes("dd160050f20101000050f20201000050f20201000050f202");
    ScanEntrySpec shortEntry = unknownMode;
    shortEntry.infrastructureMode = 1;
    ScanEntrySpec rsnCut = shortEntry;  // its element 2 bytes short of its length
    rsnCut.tagged = HexBytes(
        "3014"
        "0100"
        "000fac04"
        "0100"
        "000fac04"
        "0100"
        "000fac02");
    const std::string b = "00-11-22-33-44-55";
    const Row rows[] = {
        {"a 32-byte name shows all 32 bytes",
         full32,
         {std::string(32, 'x'), "0A-BC-00-FF-12-9D", "63", "6", "Open/Shared", "WEP",
          "Infrastructure"}},
        {"the name ends at its first zero byte",
         embeddedZero,
         {"ab", b, "0", "36", "Open", "Not Used", "Ad Hoc"}},
        {"a network type the name table lacks",
         unknownMode,
         {"", b, "100", "6", "WPA-PSK", "TKIP", "Unknown"}},
        {"an entry of 104 bytes carries no elements",
         shortEntry,
         {"", b, "100", "6", "Open/Shared", "WEP", "Infrastructure"},
         104},
        {"IELength past the entry: read to the entry's end",
         rsnCut,
         {"", b, "100", "6", "WPA2-PSK", "AES-CCMP", "Infrastructure"},
         bss::kTaggedElements + 20,
         4000},
    };
    for (const Row& row : rows) {
        ByteVec e = ScanEntry(row.network);
        if (row.entryLength) {
            e.resize(row.entryLength);
            WriteLe32(&e[bss::kLength], uint32_t(row.entryLength));
        }
        if (row.ieLength) WriteLe32(&e[bss::kIELength], row.ieLength);
        EXPECT_EQ(RowsOf(*adapter_, ScanListOf({e})), std::vector<AccessPoint>{row.expected})
            << row.name;
    }
}

TEST(AccessPoint, Classification) {
    AccessPoint row;
    const std::pair<const char*, int32_t> classes[] = {
        {"Open", 0},
        {"Open/Shared", 0},
        {"WPA-PSK/WPA2-PSK", 7},
        {"WPA2-PSK", 7},
        {"WPA-PSK", 4},
        {"WPA2", 6},
        {"WPA-NONE", 5},
        {"WPA", 3},
        {"WPA2-NONE", 0},
        {"", 0},
        {"WPA3-SAE", 0},
        {"OWE", 0},
        {"WPA2-PSK-SHA256", 7},
        {"FT-PSK", 0},
    };
    for (auto [text, expected] : classes) EXPECT_EQ(IsItemWPA(text), expected) << text;

    // Rows whose security this adapter cannot join, by name; enterprise and
    // ad hoc WPA-NONE rows have refusals of their own.
    const std::tuple<const char*, const char*, std::optional<std::string>> unsupported[] = {
        {"Open", "Not Used", std::nullopt},
        {"WPA-PSK/WPA2-PSK", "TKIP/AES", std::nullopt},
        {"WPA2", "GCMP-256", std::nullopt},
        {"WPA-NONE", "TKIP", std::nullopt},
        {"WPA2-NONE", "AES-CCMP", "WPA2-NONE"},
        {"WPA3-SAE", "AES-CCMP", "WPA3-SAE"},
        {"WPA2-PSK-SHA256", "AES-CCMP", "WPA2-PSK-SHA256"},
        {"WPA2-PSK", "GCMP", "WPA2-PSK with GCMP"},
        {"Open/Shared", "CCMP-256", "Open/Shared with CCMP-256"},
    };
    for (const auto& [auth, enc, expected] : unsupported) {
        row.Authentication = auth;
        row.Encryption = enc;
        EXPECT_EQ(UnsupportedSecurity(row), expected) << auth << " / " << enc;
    }
}

}  // namespace
}  // namespace corvane::test
