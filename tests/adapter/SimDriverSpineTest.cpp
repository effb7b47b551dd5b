// KestrelAccess against the simulated driver in-process, with the bundled
// sample environment: card initialisation, a scan and the list read over
// several chunks, all on the test clock.
#include <gtest/gtest.h>

#include "adapter/ChannelPlan.h"
#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "adapter/ScanList.h"
#include "driver/SimDriver.h"
#include "platform/Alert.h"
#include "platform/Clock.h"

namespace corvane {
namespace {

class SimDriverSpineTest : public ::testing::Test {
protected:
    SimDriverSpineTest()
        : clockGuard_(clock_),
          alertGuard_(alerts_),
          driver_(*sim::ParseEnvironment(sim::BundledSampleEnvironment(), nullptr)),
          registration_(platform::RegisterInProcessService(driver_.ClassName(), &driver_)) {
        ResetGlobalsForTest();
        __DEBUG__ = 0;
    }
    ~SimDriverSpineTest() override { platform::UnregisterInProcessService(registration_); }

    platform::ManualClock clock_;
    platform::ScopedClock clockGuard_;
    platform::RecordingAlerts alerts_;
    platform::ScopedAlerts alertGuard_;
    sim::SimDriver driver_;
    uint32_t registration_;
    KestrelAccess adapter_;
};

TEST_F(SimDriverSpineTest, InitCardThenScanListInDriverOrder) {
    ASSERT_TRUE(adapter_.InitCard());
    EXPECT_EQ(G_nCountryRegion, driver_.environment().adapter.countryRegion);
    EXPECT_EQ(G_Channel_Numbers, ChannelPlanForRegion(G_nCountryRegion & 0x7F).size());
    EXPECT_EQ(G_bRadio, 1);
    EXPECT_TRUE(alerts_.alerts.empty());

    adapter_.RescanBssidList();
    EXPECT_EQ(clock_.TotalSlept(), 10000000u) << "a 5 GHz adapter waits 10 s for its scan";
    adapter_.QueryBssidList();

    std::vector<std::string> listed;
    size_t bytes = 4;
    for (BssEntry entry : BssidList({G_pBssidList, kBssidListBufferSize})) {
        listed.push_back(FormatMac(entry.MacAddress()));
        bytes += entry.Length();
    }
    std::vector<std::string> expected;
    for (const sim::NetworkSpec& n : driver_.environment().networks)
        if (n.rssi >= sim::SimDriver::kOutOfRangeDbm) expected.push_back(FormatMac(n.bssid));
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(ReadLe32(G_pBssidList), expected.size());
    EXPECT_GT(bytes, 2 * kBssidListChunkSize) << "the sample needs several chunks";
    EXPECT_EQ(platform::LiveHandleCount(), 0u);
}

TEST_F(SimDriverSpineTest, EepromErrorAndRadioSwitchReachInitCard) {
    driver_.SetHardwareRadio(false);
    ASSERT_TRUE(adapter_.InitCard());
    EXPECT_EQ(G_bRadio, 0);

    driver_.SetEepromError(true);
    EXPECT_FALSE(adapter_.InitCard());
    ASSERT_EQ(alerts_.alerts.size(), 1u);
    EXPECT_EQ(alerts_.alerts[0].title, "EEPRON error!!");
}

}  // namespace
}  // namespace corvane
