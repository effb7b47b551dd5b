#include <gtest/gtest.h>

#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "platform/Clock.h"
#include "profiles/ConnectEngine.h"
#include "tests/profiles/ProfileFixtures.h"
#include "tests/support/RecordingUserClientProvider.h"
#include "tests/support/TempFolders.h"

namespace corvane {
namespace {

using namespace test;
using Call = std::pair<uint32_t, std::vector<uint8_t>>;
using Calls = std::vector<Call>;

constexpr uint32_t kConfigQuery = 0x0D010211;
// What the driver answers for its configuration: only DSConfig may change.
std::vector<uint8_t> Config(uint32_t dsConfig) {
    std::vector<uint8_t> c;
    for (uint32_t w : {32u, 100u, 0u, dsConfig, 0u, 0u, 0u, 0u}) {
        auto b = U32(w);
        c.insert(c.end(), b.begin(), b.end());
    }
    return c;
}

std::vector<uint8_t> SsidRecord(const std::string& name) {
    std::vector<uint8_t> r(36, 0);
    r[0] = uint8_t(name.size());
    std::copy(name.begin(), name.end(), r.begin() + 4);
    return r;
}

std::vector<uint8_t> RemoveKey(uint32_t slot) {
    std::vector<uint8_t> r = U32(16);
    auto i = U32(slot);
    r.insert(r.end(), i.begin(), i.end());
    r.insert(r.end(), 6, 0xFF);
    r.insert(r.end(), 2, 0);
    return r;
}

// Client width through transmit power.
Calls Head(uint32_t mode, uint32_t auth, uint32_t enc, uint32_t txPercent = 100) {
    return {{0x0DF101F2, {1}},       {0x0D810115, U32(0)},    {0x0D810108, U32(mode)},
            {0x0DF10101, U32(1)},    {0x0D81020A, U32(2347)}, {0x0D810209, U32(2346)},
            {0x0D810118, U32(auth)}, {0x0D81011B, U32(enc)},  {0x0DF10118, U32(txPercent)}};
}

Calls Join(std::initializer_list<Calls> parts) {
    Calls all;
    for (const Calls& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

const Calls kInfraTail = {{0x0D810216, U32(0)}, {0x0D810102, SsidRecord("Corvane")}};
const Calls kNoWepKeys = {{0x0D81011E, RemoveKey(0)},
                          {0x0D81011E, RemoveKey(1)},
                          {0x0D81011E, RemoveKey(2)},
                          {0x0D81011E, RemoveKey(3)}};
Calls AdhocTail(uint32_t frequency, bool powerMode) {
    Calls t = {{kConfigQuery, std::vector<uint8_t>(32, 0)}, {0x0D810211, Config(frequency)}};
    if (powerMode) t.push_back({0x0D810216, U32(0)});
    t.push_back({0x0D810102, SsidRecord("Corvane")});
    return t;
}

class ApplySequence : public ::testing::Test {
protected:
    void SetUp() override {
        __DEBUG__ = 0;
        driver.SetAnswer(kConfigQuery, Config(2462000));
    }

    Calls Recorded() const {
        Calls calls;
        for (const auto& c : driver.Calls()) calls.push_back({c.selector, c.input});
        return calls;
    }

    GlobalsAtStart globals;  // before the adapter, which marks the client width
    RecordingUserClientProvider driver;
    platform::ManualClock clock;
    platform::ScopedClock scopedClock{clock};
    KestrelAccess adapter;
};

TEST_F(ApplySequence, ProfilesBytesExact) {
    const auto wpaKey = [](uint32_t length) { return KeyBlock(length, 0x80000000, Hex(kIeeePmk)); };
    const PrefDictionary wpa = With(BaseProfile(), {{"SSID", "IEEE"}, {"WPAPSK", "password"}});
    const auto ieeeTail = Calls{{0x0D810216, U32(0)}, {0x0D810102, SsidRecord("IEEE")}};
    const struct {
        const char* name;
        PrefDictionary profile;
        ConnectVariant variant;
        Calls expected;
    } rows[] = {
        {"open", BaseProfile(), kPaneActiveProfileCheck, Join({Head(1, 0, 1), kInfraTail})},
        {"open wep, all slots empty", With(BaseProfile(), {{"Encryption Type", "1"}}),
         kPaneActivate, Join({Head(1, 0, 0), kNoWepKeys, kInfraTail})},
        {"shared wep, slots 1 and 3 filled, key 3 transmits",
         With(BaseProfile(), {{"Authentication Type", "1"},
                              {"Encryption Type", "1"},
                              {"WEPKeyUse", "2"},
                              {"WEPKey1", "abcde"},
                              {"WEPKey1 Type", "1"},
                              {"WEPKey3", "00112233445566778899aabbcc"}}),
         kAgent,
         Join({Head(1, 1, 0),
               {{0x0DF101F4, KeyBlock(44, 0, Bytes("abcde"))},
                {0x0D81011E, RemoveKey(1)},
                {0x0DF101F4, KeyBlock(52, 0x80000002, Hex("00112233445566778899aabbcc"))},
                {0x0D81011E, RemoveKey(3)}},
               kInfraTail})},
        {"wpa-psk, pane check", With(wpa, {{"Authentication Type", "2"}}), kPaneActiveProfileCheck,
         Join({Head(1, 4, 4), {{0x0DF101F3, wpaKey(103)}}, ieeeTail})},
        {"wpa2-psk aes, activate",
         With(wpa, {{"Authentication Type", "3"}, {"Encryption Type", "1"}}), kPaneActivate,
         Join({Head(1, 7, 6), {{0x0DF101F3, wpaKey(71)}}, ieeeTail})},
        {"wpa2-psk, agent", With(wpa, {{"Authentication Type", "3"}}), kAgent,
         Join({Head(1, 7, 4), {{0x0DF101F3, wpaKey(104)}}, ieeeTail})},
        {"64 hex digits", With(BaseProfile(), {{"Authentication Type", "2"}, {"WPAPSK", kIeeePmk}}),
         kAgent, Join({Head(1, 4, 4), {{0x0DF101F3, wpaKey(104)}}, kInfraTail})},
        {"wpa-none ad hoc, agent: no power mode",
         With(BaseProfile(), {{"Authentication Type", "3"},
                              {"Network Type", "0"},
                              {"Channel", "6"},
                              {"WPAPSK", kIeeePmk}}),
         kAgent, Join({Head(0, 5, 4), {{0x0DF101F4, wpaKey(104)}}, AdhocTail(2437000, false)})},
        {"open ad hoc, pane: power mode sent",
         With(BaseProfile(), {{"Network Type", "0"}, {"Channel", "11"}, {"Tx Power", "7"}}),
         kPaneActivate, Join({Head(0, 0, 1, 100), AdhocTail(2462000, true)})},
        {"tx power 12 percent", With(BaseProfile(), {{"Tx Power", "4"}}), kAgent,
         Join({Head(1, 0, 1, 12), kInfraTail})},
    };
    for (const auto& row : rows) {
        driver.ClearCalls();
        clock.ClearSleeps();
        ConverterKeyBuffers keys;
        auto record = ConvertProfile(row.profile, row.variant.pskKeyRecordLength, keys);
        ApplyProfile(adapter, *record, row.variant);
        EXPECT_EQ(Recorded(), row.expected) << row.name;
        // Only the pane pauses, for 10 ms, after the disassociate.
        EXPECT_EQ(clock.Sleeps(), row.variant.waitAfterDisassociate ? std::vector<uint64_t>{10000}
                                                                    : std::vector<uint64_t>{})
            << row.name;
    }
}

TEST_F(ApplySequence, PauseFollowsTheDisassociate) {
    size_t callsAtPause = 0;
    clock.SetSleepHook([&](uint64_t) { callsAtPause = driver.Calls().size(); });
    ApplyProfile(adapter, *MakeResetRecord(), kPaneTask);
    EXPECT_EQ(callsAtPause, 2u);
}

TEST_F(ApplySequence, ResetRecord) {
    ApplyProfile(adapter, *MakeResetRecord(), kPaneTask);
    const Calls expected = {
        {0x0DF101F2, {1}},    {0x0D810115, U32(0)},        {0x0D810108, U32(1)},
        {0x0DF10101, U32(0)}, {0x0D81020A, U32(0)},        {0x0D810209, U32(0)},
        {0x0D810118, U32(0)}, {0x0D81011B, U32(1)},        {0x0DF10118, U32(100)},
        {0x0D810216, U32(0)}, {0x0D810102, SsidRecord("")}};
    EXPECT_EQ(Recorded(), expected);
}

TEST_F(ApplySequence, ConnectByBssidSetsConfigurationThenBssid) {
    auto record = MakeResetRecord();
    record->bDisassociateFirst = 0;
    record->bConnectByBssid = 1;
    record->ChannelFrequency = 2437000;
    const uint8_t bssid[6] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
    std::copy(bssid, bssid + 6, record->Bssid);
    ApplyProfile(adapter, *record, kPaneTask);
    Calls recorded = Recorded();
    ASSERT_EQ(recorded.size(), 12u);
    EXPECT_EQ(recorded[1].first, 0x0D810108u);  // no disassociate
    EXPECT_TRUE(clock.Sleeps().empty());
    const Calls tail = {{0x0D810216, U32(0)},
                        {kConfigQuery, std::vector<uint8_t>(32, 0)},
                        {0x0D810211, Config(2437000)},
                        {0x0D810101, {bssid, bssid + 6}}};
    EXPECT_EQ(Calls(recorded.end() - 4, recorded.end()), tail);
}



}  // namespace
}  // namespace corvane
