// The nl80211 driver behind the system's own request code: the adapter
// access class, the apply sequence and the scan rows, in-process, against
// nl80211 answers recorded on mac80211_hwsim radios and a scripted
// wpa_supplicant.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "adapter/ByteOrder.h"
#include "adapter/ChannelPlan.h"
#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "adapter/Oids.h"
#include "adapter/Records.h"
#include "driver/nl80211/BssScanEntry.h"
#include "driver/nl80211/Nl80211Driver.h"
#include "platform/Clock.h"
#include "profiles/ConnectEngine.h"
#include "survey/AccessPoint.h"
#include "survey/SurveyConnect.h"
#include "tests/nl80211/RecordedRadio.h"

namespace corvane::nl80211::test {
namespace {

using Commands = std::vector<std::string>;

std::vector<uint8_t> Le32Bytes(uint32_t v) {
    std::vector<uint8_t> b(4);
    WriteLe32(b.data(), v);
    return b;
}

constexpr const char* kIeeePsk = "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e";
const std::string kSelect = "SELECT_NETWORK 0";
const Commands kRemoveOwn = {"LIST_NETWORKS"};

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

    std::vector<uint8_t> Query(uint32_t oid, size_t size, bool* ok = nullptr) {
        std::vector<uint8_t> buffer(size, 0);
        uint64_t returned = 0;
        const bool answered = adapter_->OidQueryInformation(oid, buffer.data(), size, &returned);
        if (ok) *ok = answered;
        buffer.resize(answered ? returned : 0);
        return buffer;
    }
    bool SetU32(uint32_t oid, uint32_t value) {
        uint8_t bytes[4];
        WriteLe32(bytes, value);
        uint64_t returned = 0;
        return adapter_->OidSetInformation(oid, bytes, 4, &returned, 3);
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
    Nl80211Driver driver_{stack_, supplicant_, "wlan4"};
    std::unique_ptr<KestrelAccess> adapter_;
    uint32_t registration_ = 0;

    const BssRecord& Bss(const std::string& ssid) {
        for (const BssRecord& b : stack_.bss)
            if (SsidOfElements(b.elements) == ssid) return b;
        ADD_FAILURE() << "no recorded BSS " << ssid;
        return stack_.bss.at(0);
    }
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

TEST_F(DriverTest, TheSiteSurveysConnectByBssidNamesTheBssidAndItsSsid) {
    const std::vector<uint8_t> entry = ScanEntryForBss(Bss("CorvaneOpen"));
    ProfileRecordPtr record = BuildSurveyConnectRecord(BssEntry(entry), nullptr);
    supplicant_.Take();
    ApplyProfile(*adapter_, *record, kPaneTask);
    Commands sent = supplicant_.Take();
    sent.erase(sent.begin(), std::find(sent.begin(), sent.end(), "LIST_NETWORKS"));
    EXPECT_EQ(sent, (Commands{"LIST_NETWORKS", "ADD_NETWORK", "ssid 436f7276616e654f70656e",
                              "scan_ssid 1", "bssid 02:00:00:00:01:00", "scan_freq 2437",
                              "key_mgmt NONE", "id_str \"corvane\"", kSelect}));
    EXPECT_EQ(driver_.Settings().frequencyKhz, 2437000u);
}

TEST_F(DriverTest, OnlyItsOwnEarlierNetworkIsReplacedAndTheResetRecordLeavesItDisconnected) {
    supplicant_.networks =
        "network id / ssid / bssid / "
        "flags\n0\tHome\tany\t[DISABLED]\n3\tCorvaneOpen\tany\t[CURRENT]\n";
    supplicant_.idStrs = {{0, "\"home\""}, {3, "\"corvane\""}};
    const Commands replaced = Apply({{"SSID", "CorvaneOpen"}, {"Network Type", "1"}});
    const Commands expectedHead = {"DISCONNECT",           "LIST_NETWORKS",
                                   "GET_NETWORK 0 id_str", "GET_NETWORK 3 id_str",
                                   "REMOVE_NETWORK 3",     "ADD_NETWORK"};
    EXPECT_EQ(Commands(replaced.begin(), replaced.begin() + 6), expectedHead);

    ProfileRecordPtr reset = MakeResetRecord();
    supplicant_.Take();
    ApplyProfile(*adapter_, *reset, kPaneTask);
    EXPECT_EQ(supplicant_.Take(),
              (Commands{"DISCONNECT", "LIST_NETWORKS", "GET_NETWORK 0 id_str",
                        "GET_NETWORK 3 id_str", "REMOVE_NETWORK 3", "DISCONNECT"}));
}

TEST_F(DriverTest, RefusedNetworksLeaveTheAdapterUnassociated) {
    const struct {
        const char* name;
        PrefDictionary profile;
    } rows[] = {
        {"wpa-none: wpa2-psk in an ad hoc network",
         {{"SSID", "Camp"},
          {"Network Type", "0"},
          {"Channel", "6"},
          {"Authentication Type", "3"},
          {"WPAPSK", "password"}}},
        {"wep without a key for transmission",
         {{"SSID", "Lab"},
          {"Network Type", "1"},
          {"Encryption Type", "1"},
          {"WEPKey2", "0102030405"},
          {"WEPKeyUse", "0"}}},
    };
    for (const auto& row : rows) {
        const Commands sent = Apply(row.profile);
        EXPECT_EQ(std::count(sent.begin(), sent.end(), "ADD_NETWORK"), 0) << row.name;
        EXPECT_EQ(sent.back(), "DISCONNECT") << row.name;
        EXPECT_EQ(Query(OID_GEN_MEDIA_CONNECT_STATUS, 4), Le32Bytes(kMediaDisconnected))
            << row.name;
    }
    // Nothing else breaks: the next network is committed as usual.
    EXPECT_EQ(Apply({{"SSID", "CorvaneOpen"}, {"Network Type", "1"}}).back(), kSelect);
}

TEST_F(DriverTest, ScanRowsComeOutOfTheRecordedBeacons) {
    // A 6 GHz network would end the system's walk over the list: left out.
    BssRecord sixGHz = Bss("CorvaneWPA2");
    sixGHz.frequencyMhz = 5975;
    sixGHz.bssid[5] = 0x66;
    stack_.bss.insert(stack_.bss.begin() + 2, sixGHz);
    // Enough networks for several chunks.
    for (uint8_t i = 0; i < 40; ++i) {
        BssRecord copy = stack_.bss.at(0);
        copy.bssid = {0x02, 0x11, 0x00, 0x00, 0x00, i};
        stack_.bss.push_back(copy);
    }
    adapter_->RescanBssidList();
    adapter_->QueryBssidList();
    ASSERT_EQ(stack_.scans.size(), 1u);
    const std::vector<uint32_t>& scanned = stack_.scans[0];
    EXPECT_EQ(scanned.front(), 2412u);
    EXPECT_TRUE(std::all_of(scanned.begin(), scanned.end(), [](uint32_t mhz) {
        return ChannelForFrequency(mhz * 1000).has_value();
    }));
    EXPECT_NE(std::find(scanned.begin(), scanned.end(), 5180u), scanned.end())
        << "the phy's 5 GHz channels";

    const std::vector<AccessPoint> rows =
        BuildAccessPointRows(*adapter_, {G_pBssidList, kBssidListBufferSize});
    ASSERT_EQ(rows.size(), 44u);
    const struct {
        const char *ssid, *bssid, *channel, *authentication, *encryption;
    } expected[] = {
        {"CorvaneWPA2", "02-00-00-00-00-00", "1", "WPA2-PSK", "AES-CCMP"},
        {"CorvaneOpen", "02-00-00-00-01-00", "6", "Open", "Not Used"},
        {"CorvaneWEP", "02-00-00-00-02-00", "11", "Open/Shared", "WEP"},
        {"CorvaneSAE", "02-00-00-00-03-00", "6", "WPA3-SAE", "AES-CCMP"},
    };
    for (const auto& e : expected) {
        const auto row = std::find_if(rows.begin(), rows.end(),
                                      [&](const AccessPoint& r) { return r.BSSID == e.bssid; });
        ASSERT_NE(row, rows.end()) << e.ssid;
        EXPECT_EQ(row->SSID, e.ssid);
        EXPECT_EQ(row->Channel, e.channel) << e.ssid;
        EXPECT_EQ(row->Authentication, e.authentication) << e.ssid;
        EXPECT_EQ(row->Encryption, e.encryption) << e.ssid;
        EXPECT_EQ(row->NetworkType, "Infrastructure") << e.ssid;
    }
}

TEST_F(DriverTest, QueriesAnswerFromTheRecordedKernelAndStatus) {
    std::ifstream status(std::string(CORVANE_NL80211_ANSWERS)
                             .replace(std::string(CORVANE_NL80211_ANSWERS).rfind('/'),
                                      std::string::npos, "/wpa-status-completed.txt"));
    supplicant_.status.assign(std::istreambuf_iterator<char>(status), {});
    const std::vector<uint8_t> mac = {0x02, 0x00, 0x00, 0x00, 0x04, 0x00};
    const std::vector<uint8_t> ap = {0x02, 0x00, 0x00, 0x00, 0x00, 0x00};
    const struct {
        const char* name;
        uint32_t oid;
        size_t size;
        std::vector<uint8_t> expected;
    } rows[] = {
        {"media: connected", OID_GEN_MEDIA_CONNECT_STATUS, 4, Le32Bytes(kMediaConnected)},
        {"the interface's address", OID_802_3_CURRENT_ADDRESS, 6, mac},
        {"the access point", OID_802_11_BSSID, 6, ap},
        {"infrastructure", OID_802_11_INFRASTRUCTURE_MODE, 4, Le32Bytes(1)},
        {"the world domain: channels 1 to 11", OID_VX_COUNTRY_REGION, 4, Le32Bytes(0x80)},
        {"DS, OFDM 2.4 GHz and 5 GHz", OID_802_11_NETWORK_TYPES_SUPPORTED, 20,
         [] {
             NetworkTypeList l{3, {1, 3, 2, 0}};
             const auto b = EncodeNetworkTypes(l);
             return std::vector<uint8_t>(b.begin(), b.end());
         }()},
        {"radio on", OID_VX_RADIO, 1, {1}},
        {"ready: the interface is there and wpa_supplicant answers", OID_VX_DRIVER_READY, 4,
         Le32Bytes(1)},
        {"no restart", OID_VX_RESTART_PENDING, 4, Le32Bytes(0)},
    };
    for (const auto& row : rows) EXPECT_EQ(Query(row.oid, row.size), row.expected) << row.name;

    const NDIS_802_11_SSID ssid = DecodeSsid(Query(OID_802_11_SSID, 37));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(ssid.Ssid), ssid.SsidLength),
              "CorvaneWPA2");
    EXPECT_EQ(DecodeConfiguration(Query(OID_802_11_CONFIGURATION, 32)).DSConfig, 2412000u);
    const VX_802_11_LINK_STATUS link = DecodeLinkStatus(Query(OID_VX_LINK_STATUS, 20));
    EXPECT_EQ(link.ChannelQuality, 100u) << "hwsim's -30 dBm";
    EXPECT_GT(link.RxCount, 0u);
}

TEST_F(DriverTest, TheRadioSwitchThresholdsAndPowerReachTheKernel) {
    ASSERT_TRUE(SetU32(OID_VX_RADIO_SET, 0));
    EXPECT_TRUE(stack_.radio.softBlocked);
    EXPECT_EQ(Query(OID_VX_RADIO, 1), std::vector<uint8_t>{0});
    ASSERT_TRUE(SetU32(OID_VX_RADIO_SET, 1));
    EXPECT_FALSE(stack_.radio.softBlocked);
    stack_.radio.hardBlocked = true;
    EXPECT_EQ(Query(OID_VX_RADIO, 1), std::vector<uint8_t>{0});
    EXPECT_EQ(DecodeStaConfig(Query(OID_VX_STA_CONFIG, 32)).HwRadioStatus, 0u);

    // RTS and fragmentation: 0 and the maximum mean off; the kernel takes
    // even fragment sizes from 256 on. Transmit power: a share of 100 mW.
    const struct {
        uint32_t oid, value;
        std::optional<uint32_t> rts, frag;
        std::optional<int32_t> power;
    } rows[] = {
        {OID_802_11_RTS_THRESHOLD, 0, UINT32_MAX, {}, {}},
        {OID_802_11_RTS_THRESHOLD, 2347, UINT32_MAX, {}, {}},
        {OID_802_11_RTS_THRESHOLD, 500, 500u, {}, {}},
        {OID_802_11_FRAGMENTATION_THRESHOLD, 0, {}, UINT32_MAX, {}},
        {OID_802_11_FRAGMENTATION_THRESHOLD, 100, {}, 256u, {}},
        {OID_802_11_FRAGMENTATION_THRESHOLD, 1001, {}, 1000u, {}},
        {OID_VX_TX_POWER, 100, {}, {}, 0},
        {OID_VX_TX_POWER, 50, {}, {}, 1699},
        {OID_VX_TX_POWER, 12, {}, {}, 1079},
    };
    for (const auto& row : rows) {
        stack_.wiphySettings.clear();
        ASSERT_TRUE(SetU32(row.oid, row.value)) << row.oid << " " << row.value;
        ASSERT_EQ(stack_.wiphySettings.size(), 1u);
        EXPECT_EQ(stack_.wiphySettings[0].rtsThreshold, row.rts) << row.value;
        EXPECT_EQ(stack_.wiphySettings[0].fragThreshold, row.frag) << row.value;
        EXPECT_EQ(stack_.wiphySettings[0].txPowerLimitMbm, row.power) << row.value;
    }
    ASSERT_TRUE(SetU32(OID_802_11_POWER_MODE, Ndis802_11PowerModeMAX_PSP));
    EXPECT_EQ(stack_.powerSave, true);
}

TEST_F(DriverTest, AnInterfaceThatGoesAndComesBackAsksForARestart) {
    EXPECT_EQ(Query(OID_VX_RESTART_PENDING, 4), Le32Bytes(0));
    stack_.present = false;
    EXPECT_FALSE(adapter_->SearchDevice() && adapter_->OpenConnectToDevice());
    adapter_->CloseConnectToDevice();
    bool ok = true;
    Query(OID_VX_DRIVER_READY, 4, &ok);
    EXPECT_FALSE(ok) << "no interface: no adapter";

    stack_.present = true;
    stack_.interface->ifindex += 1;
    EXPECT_EQ(Query(OID_VX_RESTART_PENDING, 4), Le32Bytes(1));
    EXPECT_EQ(Query(OID_VX_RESTART_DONE, 4), Le32Bytes(1));
    EXPECT_EQ(Query(OID_VX_RESTART_PENDING, 4), Le32Bytes(0));

    supplicant_.reachable = false;
    Query(OID_VX_DRIVER_READY, 4, &ok);
    EXPECT_FALSE(ok) << "no wpa_supplicant: not ready";
    EXPECT_EQ(Query(OID_GEN_MEDIA_CONNECT_STATUS, 4), Le32Bytes(kMediaDisconnected));
}

}  // namespace
}  // namespace corvane::nl80211::test
