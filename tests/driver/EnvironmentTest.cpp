// Environment files: what the bundled sample holds, and the field checks
// that turn a bad file into one clear message.
#include <gtest/gtest.h>

#include <set>

#include "driver/Environment.h"

namespace corvane::sim {
namespace {

TEST(Environment, PmkFollowsThePassphraseRule) {
    // IEEE 802.11i test vector: "password" on SSID "IEEE".
    const auto pmk = DerivePmk("password", "IEEE");
    const uint8_t expected[] = {0xf4, 0x2c, 0x6f, 0xc5, 0x2d, 0xf0, 0xeb, 0xef, 0x9e, 0xbb, 0x4b,
                                0x90, 0xb3, 0x8a, 0x5f, 0x90, 0x2e, 0x83, 0xfe, 0x1b, 0x13, 0x5a,
                                0x70, 0xe2, 0x3a, 0xed, 0x76, 0x2e, 0x97, 0x10, 0xa1, 0x2e};
    EXPECT_TRUE(std::equal(pmk.begin(), pmk.end(), expected));
}

TEST(Environment, SampleHoldsEveryKindOfNetwork) {
    std::string error;
    auto env = ParseEnvironment(BundledSampleEnvironment(), &error);
    ASSERT_TRUE(env) << error;
    EXPECT_GE(env->networks.size(), 45u);
    std::set<Security> kinds;
    bool hidden = false, adhoc = false, fiveGHz = false, replayed = false;
    const NetworkSpec* home = nullptr;
    const NetworkSpec* cafe = nullptr;
    for (const NetworkSpec& n : env->networks) {
        kinds.insert(n.security);
        hidden |= n.hidden;
        adhoc |= n.mode == NetworkMode::AdHoc;
        fiveGHz |= n.frequencyKhz > 5000000;
        replayed |= n.ies.has_value();
        if (n.ssid == "CorvaneHome") home = &n;
        if (n.ssid == "CafeOpen") cafe = &n;
    }
    EXPECT_EQ(kinds.size(), 8u);
    EXPECT_TRUE(hidden && adhoc && fiveGHz && replayed);
    ASSERT_TRUE(home && cafe);
    EXPECT_EQ(home->security, Security::Wpa2Psk);
    EXPECT_EQ(home->pmk, DerivePmk("correct horse battery", "CorvaneHome"));
    EXPECT_EQ(cafe->security, Security::Open);
    EXPECT_TRUE(env->adapter.supports5GHz);
    EXPECT_STREQ(DriverClassName(env->adapter.kind), "OspreyUSBWirelessDriver");
}

TEST(Environment, FieldsAndDefaults) {
    std::string error;
    auto env = ParseEnvironment(R"({
        "adapter": {"kind": "merlin", "mac": "02-00-00-aa-bb-cc", "country_region": 645,
                    "eeprom_version": [3, 9], "hw_radio": false, "eeprom_error": true},
        "networks": [
            {"ssid": "A", "bssid": "00:00:00:00:00:01", "channel": 14},
            {"ssid_hex": "ff00", "bssid": "00:00:00:00:00:02", "frequency_khz": 2400000,
             "security": "wep", "wep_keys": ["", "0102030405"], "wep_auth": "shared"},
            {"ssid": "W", "bssid": "00:00:00:00:00:03", "channel": 165,
             "security": "wpa-psk/wpa2-psk", "psk_hex": "00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff"}
        ]})",
                                &error);
    ASSERT_TRUE(env) << error;
    EXPECT_EQ(env->adapter.kind, AdapterKind::Merlin);
    EXPECT_EQ(FormatMacColons(env->adapter.mac), "02:00:00:AA:BB:CC");
    EXPECT_EQ(env->adapter.countryRegion, 645u);
    EXPECT_FALSE(env->adapter.hwRadio);
    EXPECT_TRUE(env->adapter.eepromError);
    const auto& n = env->networks;
    EXPECT_EQ(n[0].frequencyKhz, 2484000u);
    EXPECT_EQ(n[0].rssi, -60);
    EXPECT_FALSE(n[0].privacy);
    EXPECT_EQ(n[1].ssid, std::string("\xff\x00", 2));
    EXPECT_EQ(n[1].frequencyKhz, 2400000u);
    EXPECT_TRUE(n[1].wepKeys[0].empty());
    EXPECT_EQ(n[1].wepKeys[1], (std::vector<uint8_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(n[1].wepAuth, WepAuth::Shared);
    EXPECT_EQ(n[2].frequencyKhz, 5825000u);
    EXPECT_TRUE(n[2].tkip && n[2].ccmp);
    ASSERT_TRUE(n[2].pmk);
    EXPECT_EQ((*n[2].pmk)[31], 0xFF);
}

TEST(Environment, BadFilesAreRefusedWithTheFieldNamed) {
    struct Row {
        const char* json;
        const char* mentions;
    };
    const Row rows[] = {
        {R"({"networks": [)", "not valid JSON"},
        {R"([1, 2])", "must be a JSON object"},
        {R"({"adaptor": {}})", "unknown field \"adaptor\""},
        {R"({"adapter": {"kind": "falcon"}})", "adapter.kind"},
        {R"({"adapter": {"mac": "00:11:22:33:44"}})", "adapter.mac"},
        {R"({"adapter": {"eeprom_version": [1]}})", "adapter.eeprom_version"},
        {R"({"adapter": {"ready_delay_ms": -1}})", "adapter.ready_delay_ms"},
        {R"({"adapter": {"hw_radio": "yes"}})", "adapter.hw_radio"},
        {R"({"networks": {}})", "networks: must be a list"},
        {R"({"networks": [{"bssid": "00:00:00:00:00:01", "channel": 1}]})", "ssid"},
        {R"({"networks": [{"ssid": "x", "channel": 1}]})", "bssid"},
        {R"({"networks": [{"ssid": "x", "bssid": "00:00:00:00:00:01"}]})", "channel"},
        {R"({"networks": [{"ssid": "x", "bssid": "00:00:00:00:00:01", "channel": 15}]})",
         "networks[0].channel"},
        {R"({"networks": [{"ssid": "123456789012345678901234567890123",
             "bssid": "00:00:00:00:00:01", "channel": 1}]})", "longer than 32"},
        {R"({"networks": [{"ssid": "x", "bssid": "00:00:00:00:00:01", "channel": 1,
             "security": "wpa3"}]})", "unknown security"},
        {R"({"networks": [{"ssid": "x", "bssid": "00:00:00:00:00:01", "channel": 1,
             "security": "wpa2-psk"}]})", "passphrase"},
        {R"({"networks": [{"ssid": "x", "bssid": "00:00:00:00:00:01", "channel": 1,
             "security": "wpa2-psk", "passphrase": "short"}]})", "passphrase"},
        {R"({"networks": [{"ssid": "x", "bssid": "00:00:00:00:00:01", "channel": 1,
             "security": "wpa2-psk", "psk_hex": "abcd"}]})", "psk_hex"},
        {R"({"networks": [{"ssid": "x", "bssid": "00:00:00:00:00:01", "channel": 1,
             "security": "wpa2-psk", "passphrase": "longenough", "ciphers": ["wep"]}]})",
         "ciphers"},
        {R"({"networks": [{"ssid": "x", "bssid": "00:00:00:00:00:01", "channel": 1,
             "security": "wep", "wep_keys": ["abcdef"]}]})", "wep_keys[0]"},
        {R"({"networks": [{"ssid": "x", "bssid": "00:00:00:00:00:01", "channel": 1,
             "security": "wep"}]})", "wep_keys"},
        {R"({"networks": [{"ssid": "x", "bssid": "00:00:00:00:00:01", "channel": 1,
             "mode": "adhoc", "security": "wpa2-psk", "passphrase": "longenough"}]})",
         "ad hoc"},
        {R"({"networks": [{"ssid": "x", "bssid": "00:00:00:00:00:01", "channel": 1,
             "security": "wpa-none", "passphrase": "longenough"}]})", "ad hoc"},
        {R"({"networks": [{"ssid": "x", "bssid": "00:00:00:00:00:01", "channel": 1,
             "ies_hex": "0g"}]})", "ies_hex"},
        {R"({"networks": [{"ssid": "x", "bssid": "00:00:00:00:00:01", "channel": 1},
                          {"ssid": "y", "bssid": "00:00:00:00:00:01", "channel": 2}]})",
         "networks[1].bssid"},
        {R"({"networks": [{"ssid": "x", "bssid": "00:00:00:00:00:01", "channel": 1,
             "rssi": 5}]})", "rssi"},
        {R"({"networks": [{"ssid": "x", "bssid": "00:00:00:00:00:01", "channel": 1,
             "colour": "red"}]})", "unknown field \"colour\""},
    };
    for (const Row& row : rows) {
        std::string error;
        EXPECT_FALSE(ParseEnvironment(row.json, &error)) << row.json;
        EXPECT_NE(error.find(row.mentions), std::string::npos)
            << "message \"" << error << "\" should mention " << row.mentions;
    }
}

}  // namespace
}  // namespace corvane::sim
