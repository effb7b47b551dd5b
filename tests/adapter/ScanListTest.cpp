#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "adapter/Oids.h"
#include "adapter/ScanList.h"
#include "tests/adapter/AdapterFixture.h"

namespace corvane::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// One scan entry of `length` bytes (at least 128) for a network named `ssid`.
std::vector<uint8_t> Entry(const std::string& ssid, uint32_t length = 160, int32_t rssi = -60) {
    std::vector<uint8_t> e(length, 0);
    WriteLe32(e.data() + bss::kLength, length);
    for (int i = 0; i < 6; ++i) e[bss::kMacAddress + i] = uint8_t(0x10 + i);
    WriteLe32(e.data() + bss::kSsidLength, uint32_t(ssid.size()));
    std::memcpy(e.data() + bss::kSsid, ssid.data(), std::min<size_t>(ssid.size(), 32));
    WriteLe32(e.data() + bss::kRssi, uint32_t(rssi));
    WriteLe32(e.data() + bss::kDSConfig, 2437000);
    WriteLe32(e.data() + bss::kInfrastructureMode, 1);
    WriteLe32(e.data() + bss::kIELength, length - uint32_t(bss::kIEs));
    return e;
}

std::vector<uint8_t> Concat(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

std::vector<uint8_t> FirstChunk(uint32_t count,
                                std::initializer_list<std::vector<uint8_t>> entries) {
    auto body = Concat(entries);
    body.insert(body.begin(), {0, 0, 0, 0});
    WriteLe32(body.data(), count);
    return body;
}

std::vector<std::string> ListedSsids() {
    std::vector<std::string> names;
    for (BssEntry entry : BssidList({G_pBssidList, kBssidListBufferSize}))
        names.push_back(entry.Ssid());
    return names;
}

using ScanListTest = AdapterTest;

TEST_F(ScanListTest, AssemblesChunksIntoOneList) {
    driver_.QueueAnswer(OID_802_11_BSSID_LIST, FirstChunk(0, {}));  // scan not done yet
    driver_.QueueAnswer(OID_802_11_BSSID_LIST, FirstChunk(2, {Entry("alpha"), Entry("beta", 200)}));
    driver_.QueueAnswer(OID_VX_BSSID_LIST_NEXT, Concat({Entry("gamma"), Entry("delta", 132)}));
    driver_.QueueAnswer(OID_VX_BSSID_LIST_NEXT, Entry("epsilon"));
    adapter_->QueryBssidList();

    EXPECT_EQ(ReadLe32(G_pBssidList), 5u);
    EXPECT_THAT(ListedSsids(), ElementsAre("alpha", "beta", "gamma", "delta", "epsilon"));
    EXPECT_THAT(clock_.Sleeps(), ElementsAre(5000u, 5000u));
    EXPECT_THAT(driver_.Selectors(),
                ElementsAre(OID_802_11_BSSID_LIST, OID_802_11_BSSID_LIST, OID_VX_BSSID_LIST_NEXT,
                            OID_VX_BSSID_LIST_NEXT, OID_VX_BSSID_LIST_NEXT));
    for (const RecordedCall& call : driver_.Calls()) EXPECT_EQ(call.outputCapacity, 4096u);
}

TEST_F(ScanListTest, EmptyFirstChunkCostsTwelveWaitsThenOneFurtherRequest) {
    adapter_->QueryBssidList();
    EXPECT_EQ(clock_.Sleeps(), std::vector<uint64_t>(12, 5000));
    EXPECT_EQ(driver_.CallsFor(OID_802_11_BSSID_LIST).size(), 12u);
    EXPECT_EQ(driver_.CallsFor(OID_VX_BSSID_LIST_NEXT).size(), 1u);
    EXPECT_EQ(ReadLe32(G_pBssidList), 0u);
}

TEST_F(ScanListTest, ADriverThatNeverEndsTheListIsCutOffWithinTheBuffer) {
    // 4096-byte answers of whole entries, forever.
    std::vector<uint8_t> full;
    for (int i = 0; i < 16; ++i) full = Concat({full, Entry("n" + std::to_string(i), 256)});
    driver_.SetAnswer(
        OID_802_11_BSSID_LIST,
        FirstChunk(15, {std::vector<uint8_t>(full.begin(), full.begin() + 15 * 256)}));
    driver_.SetAnswer(OID_VX_BSSID_LIST_NEXT, full);
    adapter_->QueryBssidList();

    const size_t requests = driver_.CallsFor(OID_VX_BSSID_LIST_NEXT).size();
    EXPECT_EQ(requests, 11u);
    EXPECT_EQ(ReadLe32(G_pBssidList), 15u + 16u * requests);
    EXPECT_EQ(ListedSsids().size(), 15u + 16u * requests);
}

TEST_F(ScanListTest, MalformedEntriesEndTheList) {
    struct Case {
        const char* name;
        std::vector<uint8_t> first;
        std::vector<uint8_t> next;
        std::vector<std::string> expected;
    };
    auto zeroLength = Entry("zero");
    WriteLe32(zeroLength.data(), 0);
    auto overlong = Entry("long");
    WriteLe32(overlong.data(), 5000);
    const Case cases[] = {
        {"count larger than the entries received",
         FirstChunk(5, {Entry("a"), Entry("b")}),
         {},
         {"a", "b"}},
        {"zero length in the first chunk",
         FirstChunk(3, {Entry("a"), zeroLength, Entry("c")}),
         {},
         {"a"}},
        {"zero length in a further chunk",
         FirstChunk(1, {Entry("a")}),
         Concat({Entry("b"), zeroLength, Entry("c")}),
         {"a", "b"}},
        {"entry running past the answer",
         FirstChunk(1, {Entry("a")}),
         Concat({Entry("b"), overlong}),
         {"a", "b"}},
        {"truncated tail of a further chunk",
         FirstChunk(1, {Entry("a")}),
         Concat({Entry("b"), {0x40, 0, 0}}),
         {"a", "b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        driver_.QueueAnswer(OID_802_11_BSSID_LIST, c.first);
        if (!c.next.empty()) driver_.QueueAnswer(OID_VX_BSSID_LIST_NEXT, c.next);
        adapter_->QueryBssidList();
        EXPECT_EQ(ReadLe32(G_pBssidList), c.expected.size());
        EXPECT_THAT(ListedSsids(), ElementsAreArray(c.expected));
    }
}

// The rest of an entry's reading is the survey rows' tests.
TEST(BssEntryTest, FieldsBeyondATruncatedEntryReadAsZero) {
    auto e = Entry(std::string(32, 'S'), 160, -71);
    BssEntry truncated(std::span<const uint8_t>(e).first(50));
    EXPECT_EQ(truncated.Rssi(), 0);
    EXPECT_EQ(truncated.Ssid(), std::string(32, 'S'));
    EXPECT_EQ(BssEntry(std::span<const uint8_t>(e).first(20)).Ssid(), "SSSS");
    WriteLe32(e.data() + bss::kIELength, 12);
    EXPECT_TRUE(BssEntry(e).TaggedElements().empty());
}

}  // namespace
}  // namespace corvane::test
