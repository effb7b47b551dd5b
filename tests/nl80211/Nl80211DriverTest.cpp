// The nl80211 driver behind the system's own request code: the network the
// apply sequence commits, in-process, against nl80211 answers recorded on
// mac80211_hwsim radios and a scripted wpa_supplicant.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "driver/DriverCore.h"
#include "driver/nl80211/Nl80211Backend.h"
#include "platform/Clock.h"
#include "profiles/ConnectEngine.h"
#include "tests/nl80211/RecordedRadio.h"

namespace corvane::nl80211::test {
namespace {

using Commands = std::vector<std::string>;

constexpr const char* kIeeePsk = "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e";
const std::string kSelect = "SELECT_NETWORK 0";

class DriverTest : public ::testing::Test {
protected:
    DriverTest() : clockGuard_(clock_) {
        ResetGlobalsForTest();
        __DEBUG__ = 0;
        adapter_ = std::make_unique<KestrelAccess>();
        registration_ = platform::RegisterInProcessService(driver_.ClassName(), &driver_);
    }
    ~DriverTest() override {
        platform::UnregisterInProcessService(registration_);
        adapter_.reset();
        ResetGlobalsForTest();
    }

    // The network a stored profile becomes when the agent applies it.
    Commands Apply(const PrefDictionary& profile) {
        ConverterKeyBuffers keys;
        ProfileRecordPtr record = ConvertProfile(profile, kAgent.pskKeyRecordLength, keys);
        supplicant_.Take();
        AgentToConnect(*adapter_, *record);
        return supplicant_.Take();
    }

    platform::ManualClock clock_;
    platform::ScopedClock clockGuard_;
    RecordedStack stack_;
    ScriptedSupplicant supplicant_;
    driver::DriverCore driver_{std::make_unique<Nl80211Backend>(stack_, supplicant_, "wlan4")};
    std::unique_ptr<KestrelAccess> adapter_;
    uint32_t registration_ = 0;
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

}  // namespace
}  // namespace corvane::nl80211::test
