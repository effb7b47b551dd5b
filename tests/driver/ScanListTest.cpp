// The scan list as the system reads it (whole entries in several chunks, an
// empty chunk at the end), and the beacon elements built from each kind of
// security.
#include <map>

#include "SimDriverTestSupport.h"
#include "driver/sim/ScanEntry.h"
#include "tests/support/ScanEntries.h"

namespace corvane::sim::test {
namespace {

// Splits back-to-back entries; fails the test on a torn one.
std::vector<ByteVec> SplitEntries(const ByteVec& chunk, size_t from) {
    std::vector<ByteVec> out;
    for (size_t pos = from; pos < chunk.size();) {
        const size_t left = chunk.size() - pos;
        const uint32_t length = left >= bss::kTaggedElements ? ReadLe32(&chunk[pos]) : 0;
        EXPECT_TRUE(length >= bss::kTaggedElements && length <= left && length % 4 == 0 &&
                    length >= bss::kIEs + ReadLe32(&chunk[pos + bss::kIELength]))
            << "torn entry at " << pos;
        if (length < bss::kTaggedElements || length > left) break;
        out.emplace_back(chunk.begin() + pos, chunk.begin() + pos + length);
        pos += length;
    }
    return out;
}

// Element id -> body, over a bounded walk of the entry's tagged elements.
std::multimap<int, ByteVec> Elements(const ByteVec& entry) {
    const size_t end = bss::kIEs + ReadLe32(&entry[bss::kIELength]);
    std::multimap<int, ByteVec> found;
    size_t p = bss::kTaggedElements;
    for (; end - p >= 2 && entry[p + 1] <= end - p - 2; p += 2 + entry[p + 1])
        found.emplace(entry[p], ByteVec(&entry[p + 2], &entry[p + 2] + entry[p + 1]));
    EXPECT_EQ(p, end) << "element runs past the area";
    return found;
}

using ScanList = SimDriverTest;

TEST_F(ScanList, WholeEntriesInSeveralChunksThenAnEmptyOne) {
    ASSERT_EQ(Query(OID_802_11_BSSID_LIST_SCAN_PASSED, 4).result, 0);
    Advance(1500);
    const Reply first = Query(OID_802_11_BSSID_LIST, kBssidListChunkSize);
    ASSERT_EQ(first.result, 0);
    ASSERT_GE(first.bytes.size(), 4u);
    std::vector<ByteVec> entries = SplitEntries(first.bytes, 4);
    EXPECT_EQ(entries.size(), ReadLe32(first.bytes.data())) << "count of the first chunk";
    EXPECT_GT(first.bytes.size(), kBssidListChunkSize - 600) << "filled up to one entry";
    size_t chunks = 1;
    for (;; ++chunks) {
        const Reply next = Query(OID_VX_BSSID_LIST_NEXT, kBssidListChunkSize);
        ASSERT_EQ(next.result, 0);
        if (next.bytes.empty()) break;
        ASSERT_LT(chunks, 10u) << "the list must end within the chunks the system reads";
        for (ByteVec& e : SplitEntries(next.bytes, 0)) entries.push_back(std::move(e));
    }
    EXPECT_GE(chunks, 3u);
    size_t inRange = 0;
    for (const auto& n : Sample().networks) inRange += n.rssi >= SimAir::kOutOfRangeDbm;
    EXPECT_EQ(entries.size(), inRange);
}

TEST(ScanEntryElements, FollowTheSecurityKind) {
    struct Row {
        const char* fields;
        uint16_t capability;  // ESS 0x01, IBSS 0x02, privacy 0x10
        const char* rsn;      // "" when absent
        const char* wpa;
    };
    const Row rows[] = {
        {R"("security":"open")", 0x01, "", ""},
        {R"("security":"wep","wep_keys":["abcde"])", 0x11, "", ""},
        {R"("security":"wpa2-psk","ciphers":["ccmp"],"passphrase":"longenough")", 0x11,
         "0100000fac040100000fac040100000fac020000", ""},
        {R"("security":"wpa2-enterprise","ciphers":["ccmp"])", 0x11,
         "0100000fac040100000fac040100000fac010000", ""},
        {R"("security":"wpa-psk","ciphers":["tkip"],"passphrase":"longenough")", 0x11, "",
         "0050f20101000050f20201000050f20201000050f202"},
        {R"("security":"wpa-psk/wpa2-psk","ciphers":["tkip","ccmp"],"passphrase":"longenough")",
         0x11, "0100000fac020200000fac02000fac040100000fac020000",
         "0050f20101000050f20202000050f2020050f20401000050f202"},
        {R"("security":"wpa-none","mode":"adhoc","ciphers":["tkip"],"passphrase":"longenough")",
         0x12, "", "0050f20101000050f20201000050f20201000050f200"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fields);
        const std::string json = R"({"ssid":"Net","bssid":"00:00:00:00:00:01","channel":6,)";
        std::string error;
        const auto network = ParseNetwork(json + row.fields + "}", &error);
        ASSERT_TRUE(network) << error;
        const ByteVec entry = BuildScanEntry(*network, 0);
        EXPECT_EQ(ReadLe16(&entry[bss::kIEs + 10]), row.capability);
        EXPECT_EQ(ReadLe32(&entry[bss::kPrivacy]), row.capability >> 4);
        const auto elements = Elements(entry);
        EXPECT_EQ(elements.find(0)->second, Bytes("Net"));
        EXPECT_EQ(elements.find(3)->second, ByteVec{6});
        for (auto [id, body] : {std::pair{48, row.rsn}, {221, row.wpa}}) {
            EXPECT_EQ(elements.count(id), *body ? 1u : 0u) << id;
            EXPECT_EQ(elements.count(id) ? elements.find(id)->second : ByteVec{},
                      corvane::test::HexBytes(body))
                << id;
        }
    }
}

}  // namespace
}  // namespace corvane::sim::test
