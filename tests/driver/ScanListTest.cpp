// The scan list as the system reads it: a first chunk with a count and whole
// entries, further chunks until an empty answer, entry fields and the
// beacon elements built from each network's security, or replayed exactly.
#include <fstream>
#include <map>

#include "SimDriverTestSupport.h"
#include "driver/ScanEntry.h"

namespace corvane::sim::test {
namespace {


struct Entry {
    std::vector<uint8_t> bytes;
    std::string Ssid() const {
        const uint32_t n = std::min<uint32_t>(ReadLe32(&bytes[bss::kSsidLength]), 32);
        return {reinterpret_cast<const char*>(&bytes[bss::kSsid]), n};
    }
    std::vector<uint8_t> Elements() const {
        const uint32_t ieLength = ReadLe32(&bytes[bss::kIELength]);
        return {bytes.begin() + bss::kTaggedElements, bytes.begin() + bss::kIEs + ieLength};
    }
};

// Splits a chunk of back-to-back entries; fails the test on a torn entry.
std::vector<Entry> SplitEntries(const uint8_t* p, size_t size) {
    std::vector<Entry> out;
    size_t pos = 0;
    while (pos < size) {
        EXPECT_GE(size - pos, bss::kTaggedElements);
        if (size - pos < bss::kTaggedElements) break;
        const uint32_t length = ReadLe32(p + pos);
        EXPECT_EQ(length % 4, 0u);
        EXPECT_LE(length, size - pos) << "entry runs past its chunk";
        EXPECT_GE(length, bss::kIEs + ReadLe32(p + pos + bss::kIELength));
        if (length > size - pos || length < bss::kTaggedElements) break;
        out.push_back({{p + pos, p + pos + length}});
        pos += length;
    }
    return out;
}

// Bounded walk over tagged elements: id -> body of the first such element
// (vendor elements keyed by 221 and their 4-byte OUI+type).
std::multimap<int, std::vector<uint8_t>> WalkElements(const std::vector<uint8_t>& ies) {
    std::multimap<int, std::vector<uint8_t>> found;
    size_t p = 0;
    while (ies.size() - p >= 2) {
        const size_t len = ies[p + 1];
        EXPECT_LE(len, ies.size() - p - 2) << "element runs past the area";
        if (len > ies.size() - p - 2) break;
        found.emplace(ies[p], std::vector<uint8_t>(ies.begin() + p + 2, ies.begin() + p + 2 + len));
        p += 2 + len;
    }
    EXPECT_EQ(p, ies.size());
    return found;
}

class ScanListRead : public SimDriverTest {
protected:
    // Reads the list the way the system does; returns the entries and the
    // chunk sizes seen.
    std::vector<Entry> ReadList(std::vector<size_t>* chunks = nullptr) {
        Reply first = Query(OID_802_11_BSSID_LIST, kBssidListChunkSize);
        EXPECT_EQ(first.result, 0);
        if (first.bytes.size() < 4) return {};
        std::vector<Entry> all = SplitEntries(first.bytes.data() + 4, first.bytes.size() - 4);
        EXPECT_EQ(all.size(), ReadLe32(first.bytes.data()));
        if (chunks) chunks->push_back(first.bytes.size());
        for (int i = 0; i < 100; ++i) {
            Reply next = Query(OID_VX_BSSID_LIST_NEXT, kBssidListChunkSize);
            EXPECT_EQ(next.result, 0);
            if (next.bytes.empty()) return all;
            if (chunks) chunks->push_back(next.bytes.size());
            auto more = SplitEntries(next.bytes.data(), next.bytes.size());
            all.insert(all.end(), more.begin(), more.end());
        }
        ADD_FAILURE() << "the list never ended";
        return all;
    }
    void Scan() {
        ASSERT_EQ(Query(OID_802_11_BSSID_LIST_SCAN_PASSED, 4).result, 0);
        Advance(1500);
    }
};

TEST_F(ScanListRead, EmptyWhileScanningThenWholeEntriesInSeveralChunks) {
    ASSERT_EQ(Query(OID_802_11_BSSID_LIST_SCAN_PASSED, 4).result, 0);
    Advance(1499);
    Reply during = Query(OID_802_11_BSSID_LIST, kBssidListChunkSize);
    EXPECT_EQ(during.bytes.size(), 4u);
    EXPECT_EQ(ReadLe32(during.bytes.data()), 0u);
    EXPECT_TRUE(Query(OID_VX_BSSID_LIST_NEXT, kBssidListChunkSize).bytes.empty());
    Advance(1);

    std::vector<size_t> chunks;
    std::vector<Entry> entries = ReadList(&chunks);
    EXPECT_EQ(entries.size(), driver_->environment().networks.size());
    EXPECT_GE(chunks.size(), 3u);
    // The system takes at most about ten further chunks: the list must end before.
    EXPECT_LE(chunks.size(), 10u);
    for (size_t c : chunks) EXPECT_LE(c, kBssidListChunkSize);
    // Each chunk is full up to less than one more entry.
    EXPECT_GT(chunks[0], kBssidListChunkSize - 600);
    // A new first chunk starts the list over.
    std::vector<Entry> again = ReadList();
    ASSERT_EQ(again.size(), entries.size());
    for (size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(again[i].bytes, entries[i].bytes);
    // The whole list fits the system's 64 KiB list buffer.
    size_t total = 4;
    for (const Entry& e : entries) total += e.bytes.size();
    EXPECT_LE(total, kBssidListBufferSize);
}

TEST_F(ScanListRead, SmallerCapacityGetsFewerWholeEntries) {
    Scan();
    Reply first = Query(OID_802_11_BSSID_LIST, 600);
    ASSERT_EQ(first.result, 0);
    ASSERT_LE(first.bytes.size(), 600u);
    const auto entries = SplitEntries(first.bytes.data() + 4, first.bytes.size() - 4);
    EXPECT_EQ(entries.size(), ReadLe32(first.bytes.data()));
    EXPECT_GE(entries.size(), 1u);
    Reply next = Query(OID_VX_BSSID_LIST_NEXT, 300);
    ASSERT_EQ(next.result, 0);
    EXPECT_LE(next.bytes.size(), 300u);
}

TEST_F(ScanListRead, OutOfRangeAndRadioOffNetworksAreNotListed) {
    Scan();
    const size_t all = ReadList().size();
    const MacAddress cafe = *ParseMac("00:0C:43:A1:00:02");
    ASSERT_TRUE(driver_->SetRssi(cafe, -99));
    EXPECT_EQ(ReadList().size(), all) << "the list changes with the next scan only";
    Scan();
    EXPECT_EQ(ReadList().size(), all - 1);
    driver_->SetHardwareRadio(false);
    Scan();
    EXPECT_TRUE(ReadList().empty());
}

TEST_F(ScanListRead, EntryFieldsAndElementsFollowTheNetwork) {
    Scan();
    std::map<std::string, Entry> bySsid;
    std::map<MacAddress, Entry> byBssid;
    for (const Entry& e : ReadList()) {
        bySsid[e.Ssid()] = e;
        MacAddress m{};
        std::copy(&e.bytes[4], &e.bytes[10], m.begin());
        byBssid[m] = e;
    }
    const Entry& home = bySsid.at("CorvaneHome");
    EXPECT_EQ(ReadLe32(&home.bytes[bss::kPrivacy]), 1u);
    EXPECT_EQ(int32_t(ReadLe32(&home.bytes[bss::kRssi])), -42);
    EXPECT_EQ(ReadLe32(&home.bytes[bss::kDSConfig]), 2437000u);
    EXPECT_EQ(ReadLe32(&home.bytes[bss::kInfrastructureMode]), 1u);
    EXPECT_EQ(ReadLe16(&home.bytes[bss::kIEs + 8]), 100);          // beacon interval
    EXPECT_EQ(ReadLe16(&home.bytes[bss::kIEs + 10]) & 0x13, 0x11);  // ESS + privacy
    auto elements = WalkElements(home.Elements());
    EXPECT_EQ(elements.find(0)->second, Bytes("CorvaneHome"));
    EXPECT_EQ(elements.find(3)->second, std::vector<uint8_t>{6});
    ASSERT_EQ(elements.count(48), 1u);
    EXPECT_EQ(elements.find(48)->second,
              (std::vector<uint8_t>{1, 0, 0x00, 0x0F, 0xAC, 4, 1, 0, 0x00, 0x0F, 0xAC, 4, 1, 0,
                                    0x00, 0x0F, 0xAC, 2, 0, 0}));
    EXPECT_EQ(elements.count(221), 0u);

    const Entry& cafe = bySsid.at("CafeOpen");
    EXPECT_EQ(ReadLe32(&cafe.bytes[bss::kPrivacy]), 0u);
    EXPECT_EQ(ReadLe16(&cafe.bytes[bss::kIEs + 10]) & 0x10, 0);

    const Entry& mixed = bySsid.at("NETGEAR42");
    elements = WalkElements(mixed.Elements());
    EXPECT_EQ(elements.count(48), 1u);
    ASSERT_EQ(elements.count(221), 1u);
    EXPECT_EQ(elements.find(221)->second,
              (std::vector<uint8_t>{0x00, 0x50, 0xF2, 1, 1, 0, 0x00, 0x50, 0xF2, 2, 2, 0, 0x00,
                                    0x50, 0xF2, 2, 0x00, 0x50, 0xF2, 4, 1, 0, 0x00, 0x50, 0xF2,
                                    2}));

    const Entry& none = bySsid.at("GameLAN-WPA-None");
    EXPECT_EQ(ReadLe32(&none.bytes[bss::kInfrastructureMode]), 0u);
    EXPECT_EQ(ReadLe16(&none.bytes[bss::kIEs + 10]) & 0x03, 0x02);  // IBSS
    elements = WalkElements(none.Elements());
    ASSERT_EQ(elements.count(221), 1u);
    const auto& wpa = elements.find(221)->second;
    EXPECT_EQ(std::vector<uint8_t>(wpa.end() - 4, wpa.end()),
              (std::vector<uint8_t>{0x00, 0x50, 0xF2, 0}));  // AKM none

    const Entry& corp = bySsid.at("eduroam");
    const auto corpElements = WalkElements(corp.Elements());
    ASSERT_EQ(corpElements.count(48), 1u);
    const auto& rsn = corpElements.find(48)->second;
    EXPECT_EQ(rsn[rsn.size() - 3], 1) << "802.1X key management";

    const Entry& hidden = byBssid.at(*ParseMac("00:0C:43:A1:00:0B"));
    EXPECT_EQ(ReadLe32(&hidden.bytes[bss::kSsidLength]), 0u);
    EXPECT_TRUE(WalkElements(hidden.Elements()).find(0)->second.empty());

    const Entry& fiveGHz = bySsid.at("CorvaneHome-5G");
    EXPECT_EQ(ReadLe32(&fiveGHz.bytes[bss::kDSConfig]), 5180000u);
    EXPECT_EQ(ReadLe32(&fiveGHz.bytes[bss::kNetworkTypeInUse]), 2u);
}

// Real beacons replayed through `ies_hex` come out byte for byte.
TEST(ScanEntryReplay, CapturedElementsAreReplayedExactly) {
    std::ifstream in(CORVANE_BEACONS_FILE);
    if (!in) in.open("/work/shared/testdata/beacons.jsonl");
    ASSERT_TRUE(in) << "beacons.jsonl not found";
    std::vector<nlohmann::json> beacons;
    for (std::string line; std::getline(in, line) && beacons.size() < 60;)
        beacons.push_back(nlohmann::json::parse(line));
    ASSERT_GE(beacons.size(), 60u);
    for (size_t index : {0u, 1u, 35u, 56u}) {
        const nlohmann::json& b = beacons[index];
        nlohmann::json network = {{"ssid_hex", b["ssid_hex"]},
                                  {"bssid", b["bssid"]},
                                  {"security", "open"},
                                  {"ies_hex", b["ies_hex"]}};
        if (b["channel"].is_number()) network["channel"] = b["channel"];
        else network["frequency_khz"] = 5180000;
        std::string error;
        auto n = ParseNetwork(network.dump(), &error);
        ASSERT_TRUE(n) << error;
        const std::vector<uint8_t> entry = BuildScanEntry(*n, 0);
        const std::string hex = b["ies_hex"];
        const size_t ieBytes = hex.size() / 2;
        ASSERT_EQ(ReadLe32(&entry[bss::kIELength]), 12 + ieBytes) << index;
        EXPECT_EQ(entry.size() % 4, 0u);
        std::string got;
        for (size_t i = 0; i < ieBytes; ++i) {
            char pair[3];
            std::snprintf(pair, sizeof pair, "%02x", entry[bss::kTaggedElements + i]);
            got += pair;
        }
        EXPECT_EQ(got, hex) << index;
    }
}

}  // namespace
}  // namespace corvane::sim::test
