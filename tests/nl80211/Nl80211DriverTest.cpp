// The nl80211 driver behind the system's own request code: the network the
// apply sequence commits, in-process, against nl80211 answers recorded on
// mac80211_hwsim radios and a scripted wpa_supplicant.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "adapter/ByteOrder.h"
#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "adapter/Oids.h"
#include "driver/DriverCore.h"
#include "driver/nl80211/Nl80211Backend.h"
#include "platform/Clock.h"
#include "profiles/ConnectEngine.h"
#include "tests/nl80211/RecordedRadio.h"
#include "tests/support/ManualClock.h"
#include "tests/support/ProcessValues.h"

namespace corvane::nl80211::test {
namespace {

using Commands = std::vector<std::string>;

constexpr const char* kIeeePsk = "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e";
const std::string kSelect = "SELECT_NETWORK 0";

class DriverTest : public ::testing::Test {
protected:
    DriverTest() : clockGuard_(clock_) {
        corvane::test::ResetGlobals();
        __DEBUG__ = 0;
        adapter_ = std::make_unique<KestrelAccess>();
        registration_ = platform::RegisterInProcessService(driver_.ClassName(), &driver_);
        driver_.SetLog(&log_, "corvane-nl80211d");
    }
    ~DriverTest() override {
        platform::UnregisterInProcessService(registration_);
        adapter_.reset();
        corvane::test::ResetGlobals();
    }

    // One request on a client of its own: the result and the answer.
    std::pair<platform::kern_return_t, uint32_t> Request(uint32_t selector, uint32_t value = 0) {
        uint8_t bytes[64] = {};
        WriteLe32(bytes, value);
        size_t size = (selector & OID_SET_FLAG) ? 64 : 4;
        const platform::kern_return_t result =
            driver_.OpenUserClient(0)->CallStructMethod(selector, bytes, 4, bytes, &size);
        return {result, ReadLe32(bytes)};
    }
    uint32_t Query(uint32_t oid) { return Request(oid & ~OID_SET_FLAG).second; }
    platform::kern_return_t Set(uint32_t oid, uint32_t value) {
        return Request(oid | OID_SET_FLAG, value).first;
    }

    // The network a stored profile becomes when the agent applies it.
    Commands Apply(const PrefDictionary& profile) {
        ConverterKeyBuffers keys;
        ProfileRecordPtr record = ConvertProfile(profile, kAgent.pskKeyRecordLength, keys);
        supplicant_.Take();
        AgentToConnect(*adapter_, *record);
        return supplicant_.Take();
    }

    corvane::test::ManualClock clock_;
    platform::ScopedClock clockGuard_;
    RecordedStack stack_;
    ScriptedSupplicant supplicant_;
    driver::DriverCore driver_{std::make_unique<Nl80211Backend>(stack_, supplicant_, "wlan4")};
    std::unique_ptr<KestrelAccess> adapter_;
    uint32_t registration_ = 0;
    std::ostringstream log_;
};

// The agent's sequence: the disassociate, for an ad hoc network the
// configuration query (which reads STATUS), then the commit.
Commands Network(std::initializer_list<std::string> variables, bool adHoc = false) {
    Commands c = {"DISCONNECT"};
    if (adHoc) c.push_back("STATUS");
    c.insert(c.end(), {"LIST_NETWORKS", "ADD_NETWORK"});
    c.insert(c.end(), variables.begin(), variables.end());
    c.push_back("id_str \"corvane\"");
    c.push_back(kSelect);
    return c;
}

TEST_F(DriverTest, EachSecurityKindCommitsOneNetwork) {
    const std::string wpa2 = "ssid 436f7276616e6557504132";  // CorvaneWPA2, heard on channel 1
    const struct {
        const char* name;
        PrefDictionary profile;
        Commands expected;
    } rows[] = {
        {"open",
         {{"SSID", "CorvaneOpen"}},
         Network(
             {"ssid 436f7276616e654f70656e", "scan_ssid 1", "scan_freq 2437", "key_mgmt NONE"})},
        {"wep-104, shared, key 1",
         {{"SSID", "CorvaneWEP"},
          {"Authentication Type", "1"},
          {"WEPKey1", "CorvaneWEP104"},
          {"WEPKey1 Type", "1"},
          {"WEPKeyUse", "0"}},
         Network({"ssid 436f7276616e65574550", "scan_ssid 1", "scan_freq 2462", "key_mgmt NONE",
                  "auth_alg SHARED", "wep_key0 436f7276616e65574550313034", "wep_tx_keyidx 0"})},
        {"wep-40, open, keys 1 and 3, key 3 sent",
         {{"SSID", "Lab"},
          {"Encryption Type", "1"},
          {"WEPKey1", "0102030405"},
          {"WEPKey3", "a1b2c3d4e5"},
          {"WEPKeyUse", "2"}},
         Network({"ssid 4c6162", "scan_ssid 1", "key_mgmt NONE", "auth_alg OPEN",
                  "wep_key0 0102030405", "wep_key2 a1b2c3d4e5", "wep_tx_keyidx 2"})},
        {"wpa-psk tkip",
         {{"SSID", "IEEE"}, {"Authentication Type", "2"}, {"WPAPSK", "password"}},
         Network({"ssid 49454545", "scan_ssid 1", "key_mgmt WPA-PSK", "proto WPA", "pairwise TKIP",
                  "group TKIP", std::string("psk ") + kIeeePsk})},
        {"wpa2-psk aes, the 64 hex digits as given",
         {{"SSID", "CorvaneWPA2"},
          {"Authentication Type", "3"},
          {"Encryption Type", "1"},
          {"WPAPSK", kIeeePsk}},
         Network({wpa2, "scan_ssid 1", "scan_freq 2412", "key_mgmt WPA-PSK", "proto RSN",
                  "pairwise CCMP", "group CCMP TKIP", std::string("psk ") + kIeeePsk})},
        {"open ad hoc on channel 11",
         {{"SSID", "Camp"}, {"Network Type", "0"}, {"Channel", "11"}},
         Network({"ssid 43616d70", "mode 1", "frequency 2462", "key_mgmt NONE"}, true)},
    };
    for (const auto& row : rows) {
        PrefDictionary profile = row.profile;
        if (!profile.Contains("Network Type")) profile.Set("Network Type", "1");
        EXPECT_EQ(Apply(profile), row.expected) << row.name;
    }
}

// The thresholds and the transmit power read back as the phy has them: as
// set while the phy keeps what they became there, else the phy's own value.
TEST_F(DriverTest, ThresholdsAndPowerReadBackAsThePhyHasThem) {
    const uint32_t rts = OID_802_11_RTS_THRESHOLD, frag = OID_802_11_FRAGMENTATION_THRESHOLD,
                   power = OID_VX_TX_POWER;
    struct Row {
        const char* what;
        uint32_t oid, set;
        void (*elsewhere)(RecordedStack&);  // another program changes the phy
        uint32_t answered;
    } rows[] = {
        {"RTS as set", rts, 500, nullptr, 500},
        {"RTS off as 0", rts, 0, nullptr, 0},
        {"RTS changed by iw", rts, 500, [](RecordedStack& s) { s.phy.rtsThreshold = 1000; }, 1000},
        {"RTS switched off by iw", rts, 500,
         [](RecordedStack& s) { s.phy.rtsThreshold = UINT32_MAX; }, 2347},
        {"fragmentation rounded to even by the kernel", frag, 257, nullptr, 257},
        {"fragmentation changed by iw", frag, 1000,
         [](RecordedStack& s) { s.phy.fragThreshold = 512; }, 512},
        {"power 25 % (14 dBm)", power, 25, nullptr, 25},
        {"power 12 % (11 dBm)", power, 12, nullptr, 12},
        {"power automatic", power, 100, nullptr, 100},
        {"power capped at 10 dBm elsewhere", power, 25,
         [](RecordedStack& s) { s.interface->txPowerMbm = 1000; }, 10},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_EQ(Set(row.oid, row.set), platform::KERN_SUCCESS);
        if (row.elsewhere) row.elsewhere(stack_);
        EXPECT_EQ(Query(row.oid), row.answered);
    }
    // mac80211 takes a power limit only in whole dBm.
    ASSERT_EQ(Set(power, 50), platform::KERN_SUCCESS);
    EXPECT_EQ(stack_.interface->txPowerMbm, 1700);
}

// A setting the kernel refuses fails, is logged and is not kept.
TEST_F(DriverTest, AKernelRefusalIsLoggedAndNotKept) {
    stack_.interface->txPowerMbm.reset();  // the phy does not say: the kept value answers
    stack_.refusal = -EINVAL;
    EXPECT_EQ(Set(OID_VX_TX_POWER, 25), platform::kIOReturnError);
    EXPECT_EQ(Set(OID_802_11_POWER_MODE, Ndis802_11PowerModeMAX_PSP), platform::kIOReturnError);
    EXPECT_EQ(Query(OID_VX_TX_POWER), 100u);
    EXPECT_EQ(Query(OID_802_11_POWER_MODE), uint32_t(Ndis802_11PowerModeCAM));
    EXPECT_EQ(
        log_.str(),
        "corvane-nl80211d: transmit power 25 not taken: the kernel refused it: Invalid "
        "argument\n"
        "corvane-nl80211d: power mode 1 not taken: the kernel refused it: Invalid argument\n");
}

}  // namespace
}  // namespace corvane::nl80211::test
