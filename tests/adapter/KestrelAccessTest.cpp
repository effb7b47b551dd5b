#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "adapter/ChannelPlan.h"
#include "adapter/Oids.h"
#include "adapter/ScanList.h"
#include "tests/adapter/AdapterFixture.h"
#include "tests/support/RecordingAlerts.h"

namespace corvane::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

TEST_F(AdapterTest, QueryAnswersInPlaceAndLeavesTheRestOfTheBuffer) {
    driver_.SetAnswer(OID_802_11_BSSID, {0xAA, 0xBB});
    uint8_t buffer[6] = {1, 2, 3, 4, 5, 6};
    uint64_t returned = 0;
    EXPECT_TRUE(adapter_->OidQueryInformation(OID_802_11_BSSID, buffer, sizeof buffer, &returned));
    EXPECT_THAT(buffer, ElementsAre(0xAA, 0xBB, 3, 4, 5, 6));
    EXPECT_EQ(returned, 2u);
    ASSERT_EQ(driver_.Calls().size(), 1u);
    EXPECT_EQ(driver_.Calls()[0].selector, OID_802_11_BSSID);
    EXPECT_THAT(driver_.Calls()[0].input, ElementsAre(1, 2, 3, 4, 5, 6));
    EXPECT_EQ(driver_.Calls()[0].outputCapacity, 6u);
    EXPECT_EQ(platform::LiveHandleCount(), 0u);
}

// Every way a request can fail answers NO, leaves the caller's buffer as it
// was and holds nothing afterwards.
TEST_F(AdapterTest, FailedRequestsLeaveTheBufferAndHoldNothing) {
    const std::function<void()> faults[] = {
        [&] {
            driver_.SetResult(OID_VX_RADIO, platform::kIOReturnError);
            driver_.SetResult(OID_VX_RADIO_SET, platform::kIOReturnError);
        },
        [&] {  // a failure that still carries bytes
            driver_.SetAnswer(OID_VX_RADIO, {1, 2, 3, 4}, platform::kIOReturnError);
            driver_.SetAnswer(OID_VX_RADIO_SET, {1, 2, 3, 4}, platform::kIOReturnError);
        },
        [&] { driver_.SetOpenFails(true); },
        [&] { driver_.Unregister(); },
    };
    for (const auto& fault : faults) {
        fault();
        uint8_t buffer[4] = {9, 9, 9, 9};
        uint64_t returned = 0;
        EXPECT_FALSE(adapter_->OidQueryInformation(OID_VX_RADIO, buffer, 4, &returned));
        EXPECT_FALSE(adapter_->OidSetInformation(OID_VX_RADIO, buffer, 4, &returned, 3));
        EXPECT_THAT(buffer, ElementsAre(9, 9, 9, 9));
        EXPECT_EQ(platform::LiveHandleCount(), 0u);
    }
    EXPECT_EQ(Current_Device, AdapterKind::Merlin)
        << "a search that finds nothing ends on the last kind";
}

// --- InitCard ----------------------------------------------------------

TEST_F(AdapterTest, InitCardWaitsForTheDriverThenReadsRegionAndRadio) {
    for (int i = 0; i < 3; ++i)
        driver_.QueueAnswer(OID_VX_DRIVER_READY, {}, platform::kIOReturnError);
    driver_.SetAnswer(OID_VX_COUNTRY_REGION, Le32(0x0081));
    driver_.SetAnswer(OID_VX_RADIO, {0});
    int flagDuringRegionQuery = -1;
    driver_.SetHook([&](const RecordedCall& call, uint8_t*, size_t*) -> std::optional<int> {
        if (call.selector == OID_VX_COUNTRY_REGION) flagDuringRegionQuery = G_bDialogRunning;
        return std::nullopt;
    });
    EXPECT_TRUE(adapter_->InitCard());
    EXPECT_EQ(flagDuringRegionQuery, 1);
    EXPECT_THAT(clock_.Sleeps(), ElementsAre(3000000u, 3000000u, 3000000u));
    EXPECT_THAT(
        driver_.Selectors(),
        ElementsAre(OID_VX_DRIVER_READY, OID_VX_DRIVER_READY, OID_VX_DRIVER_READY,
                    OID_VX_DRIVER_READY, OID_VX_STA_CONFIG, OID_VX_COUNTRY_REGION, OID_VX_RADIO));
    EXPECT_EQ(driver_.CallsFor(OID_VX_STA_CONFIG)[0].outputCapacity, 32u);
    EXPECT_EQ(driver_.CallsFor(OID_VX_RADIO)[0].outputCapacity, 1u);
    EXPECT_EQ(G_bRadio, 0);
    EXPECT_EQ(G_Channel_Numbers, 13u);
    EXPECT_EQ(G_bDialogRunning, 0);
    EXPECT_TRUE(alerts_.alerts.empty());
}

TEST_F(AdapterTest, InitCardGoesOnAfterThirtySecondsWithoutDriver) {
    driver_.SetResult(OID_VX_DRIVER_READY, platform::kIOReturnError);
    EXPECT_TRUE(adapter_->InitCard());
    EXPECT_EQ(driver_.CallsFor(OID_VX_DRIVER_READY).size(), 10u);
    EXPECT_EQ(clock_.TotalSlept(), 30000000u);
}

TEST_F(AdapterTest, InitCardStopsAtTheEepromErrorWithItsAlert) {
    std::vector<uint8_t> sta(32, 0);
    WriteLe32(sta.data() + 28, 0x1);
    driver_.SetAnswer(OID_VX_STA_CONFIG, sta);
    driver_.SetAnswer(OID_VX_RADIO, {0});
    G_bRadio = 1;
    EXPECT_FALSE(adapter_->InitCard());
    ASSERT_EQ(alerts_.alerts.size(), 1u);
    EXPECT_EQ(alerts_.alerts[0],
              (corvane::test::RecordingAlerts::Alert{
                  "EEPRON error!!", "EEPROM Version error. Please update EEPROM contents.", "OK"}));
    EXPECT_TRUE(driver_.CallsFor(OID_VX_COUNTRY_REGION).empty());
    EXPECT_TRUE(driver_.CallsFor(OID_VX_RADIO).empty());
    EXPECT_EQ(G_bRadio, 1);
    EXPECT_EQ(G_bDialogRunning, 0);
}

struct RegionCase {
    bool answered;
    uint32_t code;
    uint32_t acceptedRegion;
    std::vector<uint8_t> plan;
};

TEST_F(AdapterTest, CountryRegionSelectsThePlan) {
    const std::vector<uint8_t> ch1to11 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    const std::vector<uint8_t> ch1to13 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    const std::vector<uint8_t> ch1to14 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    const RegionCase cases[] = {
        {true, 0x0001, 0, ch1to11},       // no bit of the mask: not taken
        {true, 0x0081, 0x0081, ch1to13},  // region 1
        {true, 0x0285, 0x0285, ch1to14},  // region 5, 5 GHz number alongside
        {true, 0x0089, 0x0089, ch1to11},  // region 9 falls back to 1..11
        {true, 0x0090, 0x0090, ch1to11},  // bit 4 is in the mask and in the region number (16)
        {true, 0x0083, 0x0083, {10, 11, 12, 13}},
        {true, 0x0086, 0x0086, {3, 4, 5, 6, 7, 8, 9}},
        {true, 0x1087, 0x1087, {5, 6, 7, 8, 9, 10, 11, 12, 13}},
        {false, 0x0081, 0, ch1to11},  // failed query
    };
    for (const RegionCase& c : cases) {
        SCOPED_TRACE(c.code);
        driver_.SetAnswer(OID_VX_COUNTRY_REGION, Le32(c.code),
                          c.answered ? platform::KERN_SUCCESS : platform::kIOReturnError);
        std::memset(G_Channel_List, 0xEE, sizeof G_Channel_List);
        EXPECT_TRUE(adapter_->CheckCountryRegion());
        EXPECT_EQ(G_nCountryRegion, c.acceptedRegion);
        ASSERT_EQ(G_Channel_Numbers, c.plan.size());
        EXPECT_THAT(std::vector<uint8_t>(G_Channel_List, G_Channel_List + c.plan.size()),
                    ElementsAreArray(c.plan));
        EXPECT_TRUE(std::all_of(G_Channel_List + c.plan.size(), G_Channel_List + 48,
                                [](uint8_t b) { return b == 0; }));
        EXPECT_THAT(CurrentChannelPlan(), ElementsAreArray(c.plan));
    }
}

// --- scans ---------------------------------------------------------------

TEST_F(AdapterTest, RescanStartsTheScanAndWaitsByBand) {
    adapter_->RescanBssidList();
    EXPECT_EQ(driver_.Calls()[0].selector, 0x0D81011Au) << "passed through the query call as is";
    EXPECT_EQ(driver_.Calls()[0].outputCapacity, 4u);
    EXPECT_THAT(clock_.Sleeps(), ElementsAre(5000000u));

    std::vector<uint8_t> types(20, 0);
    WriteLe32(types.data(), 2);
    WriteLe32(types.data() + 4, 1);
    WriteLe32(types.data() + 8, 2);
    driver_.SetAnswer(OID_802_11_NETWORK_TYPES_SUPPORTED, types);
    clock_.ClearSleeps();
    adapter_->RescanBssidList();
    EXPECT_THAT(clock_.Sleeps(), ElementsAre(10000000u));
}

// The scan buffers belong to the process: an instance that comes and goes
// leaves the others' scans working, whichever of them is destroyed.
TEST_F(AdapterTest, ScanBuffersOutliveEveryInstance) {
    std::vector<uint8_t> chunk(4 + 128, 0);
    WriteLe32(chunk.data(), 1);
    WriteLe32(chunk.data() + 4 + bss::kLength, 128);
    WriteLe32(chunk.data() + 4 + bss::kSsidLength, 3);
    std::memcpy(chunk.data() + 4 + bss::kSsid, "net", 3);
    driver_.SetAnswer(OID_802_11_BSSID_LIST, chunk);
    uint8_t* const buffers = G_pBssidList;
    ASSERT_NE(buffers, nullptr);
    std::unique_ptr<KestrelAccess> first = std::move(adapter_);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        auto second = std::make_unique<KestrelAccess>();
        (round == 0 ? second : first).reset();  // a short-lived one, then the first
        KestrelAccess& survivor = round == 0 ? *first : *second;
        std::memset(G_pBssidList, 0, kBssidListBufferSize);
        survivor.QueryBssidList();
        ASSERT_EQ(G_pBssidList, buffers);
        ASSERT_NE(G_pRepositBssidList, nullptr);
        EXPECT_EQ(ReadLe32(G_pBssidList), 1u);
        EXPECT_EQ((*BssidList({G_pBssidList, kBssidListBufferSize}).begin()).Ssid(), "net");
        if (round == 1) adapter_ = std::move(second);
    }
}

TEST_F(AdapterTest, FiveGigahertzSupportLooksOnlyAtTheListedTypes) {
    struct Case {
        uint32_t count;
        std::vector<uint32_t> types;
        bool expected;
    };
    const Case cases[] = {
        // {99, ...}: an over-large count reads at most four.
        {0, {2, 2, 2, 2}, false}, {1, {1, 2, 0, 0}, false}, {2, {1, 2, 0, 0}, true},
        {4, {0, 1, 3, 2}, true},  {99, {0, 1, 3, 2}, true}, {3, {0, 1, 3, 4}, false},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes(20, 0);
        WriteLe32(bytes.data(), c.count);
        for (size_t i = 0; i < 4; ++i) WriteLe32(bytes.data() + 4 + 4 * i, c.types[i]);
        driver_.SetAnswer(OID_802_11_NETWORK_TYPES_SUPPORTED, bytes);
        EXPECT_EQ(adapter_->Is80211aSupport(), c.expected) << c.count;
    }
}

TEST_F(AdapterTest, RssiConversion) {
    const std::pair<int, uint32_t> cases[] = {{0, 100},  {-50, 100}, {-51, 99}, {-60, 76},
                                              {-75, 37}, {-80, 24},  {-81, 23}, {-85, 13},
                                              {-90, 0},  {-91, 0},   {-200, 0}};
    for (auto [rssi, percent] : cases)
        EXPECT_EQ(adapter_->ConvertRssiToSignalQuality(rssi), percent) << rssi;
}

}  // namespace
}  // namespace corvane::test
