// The Wi-Fi QR text: written as phones read it, read strictly (what is
// malformed and what this adapter cannot join are told apart), and made
// from stored profiles.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exchange/WifiQr.h"
#include "profiles/PreferenceFiles.h"

namespace corvane {
namespace {

using Outcome = WifiQrParse::Outcome;
constexpr auto kOpen = WifiQrSecurity::kOpen;
constexpr auto kWep = WifiQrSecurity::kWep;
constexpr auto kWpa = WifiQrSecurity::kWpa;

TEST(WifiQr, EncodesEachSecurityWithTheFormatsEscapes) {
    struct Row {
        WifiQrNetwork network;
        std::string text;
    };
    const std::vector<Row> rows = {
        {{kWpa, "CorvaneHome", "correct horse battery", false},
         "WIFI:T:WPA;S:CorvaneHome;P:correct horse battery;;"},
        {{kWpa, "SecretLab", "hidden in plain sight", true},
         "WIFI:T:WPA;S:SecretLab;P:hidden in plain sight;H:true;;"},
        {{kWep, "OldRouter-WEP", "abcde", false}, "WIFI:T:WEP;S:OldRouter-WEP;P:abcde;;"},
        {{kOpen, "CafeOpen", "", false}, "WIFI:T:nopass;S:CafeOpen;;"},
        {{kOpen, "Hideout", "", true}, "WIFI:T:nopass;S:Hideout;H:true;;"},
        // Each of \ ; , : " is escaped, in the name and in the key.
        {{kWpa, "a\\b;c,d:e\"f", "p;w,d:\"\\x", false},
         "WIFI:T:WPA;S:a\\\\b\\;c\\,d\\:e\\\"f;P:p\\;w\\,d\\:\\\"\\\\x;;"},
        // Nothing else is: blanks, UTF-8, other punctuation.
        {{kWpa, "Caf\xC3\xA9 24/7 'n' (x)", "!@#$%^&*()_+", false},
         "WIFI:T:WPA;S:Caf\xC3\xA9 24/7 'n' (x);P:!@#$%^&*()_+;;"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(EncodeWifiQr(row.network), row.text);
        const WifiQrParse back = ParseWifiQr(row.text);
        ASSERT_EQ(back.outcome, Outcome::kNetwork) << back.problem;
        EXPECT_EQ(back.network, row.network);
    }
}

TEST(WifiQr, ReadsWhatOtherGeneratorsWrite) {
    struct Row {
        std::string text;
        WifiQrNetwork network;
    };
    const std::vector<Row> rows = {
        // Fields in any order, H false, the end ";;" left off, a line end.
        {"WIFI:S:Home;H:false;P:passphrase1;T:WPA;;\n", {kWpa, "Home", "passphrase1", false}},
        {"WIFI:T:WPA;S:Home;P:passphrase1;", {kWpa, "Home", "passphrase1", false}},
        {"WIFI:T:wpa2;S:Home;P:passphrase1;H:TRUE;;\r\n", {kWpa, "Home", "passphrase1", true}},
        // No T: open; an empty T: open.
        {"WIFI:S:Cafe;;", {kOpen, "Cafe", "", false}},
        {"WIFI:T:;S:Cafe;;", {kOpen, "Cafe", "", false}},
        // The older double quotes around a name that looks hexadecimal.
        {"WIFI:T:WPA;S:\"ABCD\";P:\"12345678\";;", {kWpa, "ABCD", "12345678", false}},
        // An escaped quote at the end is part of the name, not a closing one.
        {"WIFI:T:nopass;S:\"x\\\";;", {kOpen, "\"x\"", "", false}},
        // WPA3's other fields are passed over; R:0 allows WPA2.
        {"WIFI:T:WPA;R:0;S:Home;P:passphrase1;I:user;K:MDkw;;",
         {kWpa, "Home", "passphrase1", false}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const WifiQrParse parsed = ParseWifiQr(row.text);
        ASSERT_EQ(parsed.outcome, Outcome::kNetwork) << parsed.problem;
        EXPECT_EQ(parsed.network, row.network);
    }
}

TEST(WifiQr, RefusesMalformedTextsAndUnsupportedNetworksApart) {
    struct Row {
        std::string text;
        Outcome outcome;
        std::string problem;  // a part of it
    };
    const std::vector<Row> rows = {
        {"", Outcome::kMalformed, "does not begin with \"WIFI:\""},
        {"wifi:T:WPA;S:x;P:12345678;;", Outcome::kMalformed, "does not begin"},
        {"https://example.org/", Outcome::kMalformed, "does not begin"},
        {"WIFI:T:WPA;S:Home;P:12345678", Outcome::kMalformed, "no closing"},
        {"WIFI:T:nopass;S:Home\\;", Outcome::kMalformed, "no closing"},
        {"WIFI:T:WPA;S:Home\\;;", Outcome::kMalformed, "no key (P:) for a WPA"},
        {"WIFI:T:WPA;S:Home;P:1234567\\", Outcome::kMalformed, "no closing"},
        {"WIFI:T:WPA;SHome;;", Outcome::kMalformed, "without a name"},
        {"WIFI:T:WPA;S:a;S:b;P:12345678;;", Outcome::kMalformed, "S twice"},
        {"WIFI:T:WPA;S:Home;P:12345678;;junk", Outcome::kMalformed, "goes on after its end"},
        {"WIFI:T:WPX;S:Home;;", Outcome::kMalformed, "unknown security type (T:WPX)"},
        {"WIFI:T:WPA;P:12345678;;", Outcome::kMalformed, "names no network"},
        {"WIFI:T:WPA;S:;P:12345678;;", Outcome::kMalformed, "names no network"},
        {"WIFI:T:nopass;S:" + std::string(33, 'x') + ";;", Outcome::kMalformed,
         "longer than 32 bytes"},
        {"WIFI:T:WPA;S:Home;;", Outcome::kMalformed, "no key (P:) for a WPA"},
        {"WIFI:T:WEP;S:Home;P:;;", Outcome::kMalformed, "no key (P:) for a WEP"},
        {"WIFI:T:nopass;S:Home;P:secret;;", Outcome::kMalformed, "for an open network"},
        {"WIFI:T:WPA;S:Home;P:12345678;H:yes;;", Outcome::kMalformed, "neither true nor false"},
        {"WIFI:T:WPA;R:x;S:Home;P:12345678;;", Outcome::kMalformed, "not a hexadecimal"},
        {"WIFI:" + std::string(kMaxWifiQrText, 'x'), Outcome::kMalformed, "longer than 4096"},
        {"WIFI:T:SAE;S:Home;P:12345678;;", Outcome::kUnsupported, "WPA3-SAE"},
        {"WIFI:T:WPA3;S:Home;P:12345678;;", Outcome::kUnsupported, "WPA3-SAE"},
        {"WIFI:T:WPA;R:1;S:Home;P:12345678;;", Outcome::kUnsupported, "WPA3-SAE only"},
        {"WIFI:T:WPA;R:3;S:Home;P:12345678;;", Outcome::kUnsupported, "WPA3-SAE only"},
        {"WIFI:T:WPA2-EAP;S:eduroam;E:PEAP;I:me;;", Outcome::kUnsupported, "802.1X"},
        {"WIFI:T:OWE;S:Airport;;", Outcome::kUnsupported, "OWE"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text.substr(0, 60));
        const WifiQrParse parsed = ParseWifiQr(row.text);
        EXPECT_EQ(parsed.outcome, row.outcome);
        EXPECT_NE(parsed.problem.find(row.problem), std::string::npos) << parsed.problem;
    }
}

PrefDictionary Profile(std::initializer_list<PrefDictionary::Entry> entries) {
    PrefDictionary p{{kKeyProfileName, "P"},    {kKeySsid, "Net"},
                     {kKeyNetworkType, "1"},    {kKeyAuthenticationType, "0"},
                     {kKeyEncryptionType, "0"}, {kKeyHidden, "0"}};
    for (const auto& [key, value] : entries) p.Set(key, value);
    return p;
}

TEST(WifiQr, ProfilesBecomeTheTextPhonesRead) {
    struct Row {
        const char* what;
        PrefDictionary profile;
        std::string text;     // empty: refused
        std::string refusal;  // a part of it
    };
    const std::vector<Row> rows = {
        {"open", Profile({}), "WIFI:T:nopass;S:Net;;", ""},
        {"open, hidden", Profile({{kKeyHidden, "1"}}), "WIFI:T:nopass;S:Net;H:true;;", ""},
        {"WPA2-PSK passphrase",
         Profile(
             {{kKeyAuthenticationType, "3"}, {kKeyEncryptionType, "1"}, {kKeyWpaPsk, "pass;word"}}),
         "WIFI:T:WPA;S:Net;P:pass\\;word;;", ""},
        {"WPA-PSK hexadecimal key",
         Profile({{kKeyAuthenticationType, "2"}, {kKeyWpaPsk, std::string(64, 'a')}}),
         "WIFI:T:WPA;S:Net;P:" + std::string(64, 'a') + ";;", ""},
        {"WEP, the default key (key 3)",
         Profile({{kKeyEncryptionType, "1"},
                  {kKeyWepKey[0], "abcde"},
                  {kKeyWepKey[2], "0102030405"},
                  {kKeyWepKeyUse, "2"}}),
         "WIFI:T:WEP;S:Net;P:0102030405;;", ""},
        {"shared WEP", Profile({{kKeyAuthenticationType, "1"}, {kKeyWepKey[0], "Corvane13abcd"}}),
         "WIFI:T:WEP;S:Net;P:Corvane13abcd;;", ""},
        {"WEP, the default key empty",
         Profile({{kKeyEncryptionType, "1"}, {kKeyWepKey[0], "abcde"}, {kKeyWepKeyUse, "1"}}), "",
         "key 2) is empty"},
        {"WPA, no key", Profile({{kKeyAuthenticationType, "3"}}), "", "no pre-shared key"},
        {"ad hoc", Profile({{kKeyNetworkType, "0"}}), "", "ad hoc"},
        {"no SSID", Profile({{kKeySsid, ""}}), "", "network name"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const ProfileQr qr = WifiQrForProfile(row.profile);
        if (row.text.empty()) {
            EXPECT_FALSE(qr.network);
            EXPECT_NE(qr.refusal.find(row.refusal), std::string::npos) << qr.refusal;
            continue;
        }
        ASSERT_TRUE(qr.network) << qr.refusal;
        EXPECT_EQ(EncodeWifiQr(*qr.network), row.text);
        EXPECT_EQ(HoldsKey(*qr.network), row.text.find(";P:") != std::string::npos);
    }
}

}  // namespace
}  // namespace corvane
