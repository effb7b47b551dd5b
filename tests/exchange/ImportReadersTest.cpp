// The readers of other programs' Wi-Fi settings, on fixture files written
// from the formats' documentation (tests/exchange/data): what each network
// becomes, or why it is left out; and the files they refuse whole.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "exchange/NmKeyfile.h"
#include "exchange/ProfileImport.h"
#include "exchange/WpaSupplicantConfig.h"

namespace corvane {
namespace {

using ::testing::HasSubstr;

std::string Fixture(const std::string& name) {
    std::ifstream in(std::string(CORVANE_EXCHANGE_DATA) + "/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// What a profile read from a file should hold (only the keys given).
struct Expected {
    std::string ssid;
    std::map<std::string, std::string> values;  // empty with `skipped`
    std::string skipped;                        // a part of the reason
};

void ExpectEntries(const ImportFile& file, const std::vector<Expected>& expected) {
    ASSERT_EQ(file.problem, "");
    ASSERT_EQ(file.entries.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const ImportEntry& entry = file.entries[i];
        const Expected& want = expected[i];
        SCOPED_TRACE(entry.origin + " " + want.ssid);
        EXPECT_EQ(entry.ssid, want.ssid);
        if (!want.skipped.empty()) {
            EXPECT_FALSE(entry.profile);
            EXPECT_THAT(entry.skipped, HasSubstr(want.skipped));
            continue;
        }
        ASSERT_TRUE(entry.profile) << entry.skipped;
        PrefDictionary profile = *entry.profile;
        const auto problem = ImportedProfileProblem(profile);
        for (const auto& [key, value] : want.values) {
            if (key == "problem") continue;
            EXPECT_EQ(profile.Value(key), value) << key;
        }
        if (want.values.count("problem"))
            EXPECT_THAT(problem.value_or(""), HasSubstr(want.values.at("problem")));
        else
            EXPECT_EQ(problem, std::nullopt);
    }
}

using V = std::map<std::string, std::string>;

TEST(ImportReaders, WpaSupplicantNetworkBlocks) {
    ExpectEntries(
        ReadWpaSupplicantConfig(Fixture("wpa_supplicant.conf")),
        {
            {"CorvaneHome",
             V{{kKeyProfileName, "Home"},
               {kKeyAuthenticationType, "3"},
               {kKeyEncryptionType, "1"},
               {kKeyWpaPsk, "correct horse # battery"},
               {kKeyNetworkType, "1"},
               {kKeyHidden, "0"}},
             ""},
            {"Linksys-WPA",
             V{{kKeyProfileName, ""},
               {kKeyAuthenticationType, "2"},
               {kKeyEncryptionType, "0"},
               {kKeyWpaPsk, "3f1e6a5b9c2d4e7f8a0b1c2d3e4f5a6b7c8d9e0f1a2b3c4d5e6f708192a3b4c5"}},
             ""},
            {"NETGEAR42",
             V{{kKeyAuthenticationType, "3"},
               {kKeyEncryptionType, "1"},
               {kKeyBssid, "000C43A10006"}},
             ""},
            {"OldRouter-WEP",
             V{{kKeyAuthenticationType, "0"},
               {kKeyEncryptionType, "1"},
               {kKeyWepKey[0], "abcde"},
               {kKeyWepKeyType[0], "1"},
               {kKeyWepKey[1], "Corvane13abcd"},
               {kKeyWepKeyType[1], "1"},
               {kKeyWepKeyUse, "1"}},
             ""},
            {"Warehouse-Shared",
             V{{kKeyAuthenticationType, "1"},
               {kKeyEncryptionType, "0"},
               {kKeyWepKey[0], "0A1B2C3D4E5F60718293A4B5C6"},
               {kKeyWepKeyType[0], "0"},
               {kKeyWepKeyUse, "0"}},
             ""},
            {"Hideout",
             V{{kKeyAuthenticationType, "0"}, {kKeyEncryptionType, "0"}, {kKeyHidden, "1"}}, ""},
            {"LAN-Party", V{{kKeyNetworkType, "0"}, {kKeyChannel, "6"}, {kKeyHidden, "0"}}, ""},
            {"GameLAN-WPA-None", {}, "WPA-NONE"},
            {"eduroam", {}, "802.1X"},
            {"Modern-SAE", {}, "WPA3-SAE"},
            {"Airport-OWE", {}, "OWE"},
            {"Transition", V{{kKeyAuthenticationType, "3"}, {kKeyWpaPsk, "transition-pass"}}, ""},
            {"Caf\xC3\xA9 \"Mocca\"", V{{kKeyAuthenticationType, "0"}}, ""},
            {"ShortKey",
             V{{"problem",
                "Invalid WPA Pre-Shared key. WPA-PSK/WPA2-PSK key should be more than 8 "
                "characters."}},
             ""},
            {"External", {}, "kept outside the file"},
        });
}

TEST(ImportReaders, WpaSupplicantBrokenBlocksAreSkippedWithTheirLine) {
    ExpectEntries(ReadWpaSupplicantConfig(Fixture("wpa_supplicant-malformed.conf")),
                  {
                      {"Good", V{{kKeyWpaPsk, "good passphrase"}}, ""},
                      {"", {}, "line 11 has a malformed quoted value"},
                      {"", {}, "line 18 is no setting"},
                      {"", {}, "neither quoted text nor hexadecimal"},
                      {"BadIndex", {}, "WEP key index 7"},
                      {"", {}, "not closed"},
                  });
}

TEST(ImportReaders, NetworkManagerKeyfiles) {
    struct Row {
        const char* file;
        Expected expected;
    };
    const std::vector<Row> rows = {
        {"Home.nmconnection",
         {"CorvaneHome",
          V{{kKeyProfileName, "Home"},
            {kKeyAuthenticationType, "3"},
            {kKeyEncryptionType, "1"},
            {kKeyWpaPsk, "correct horse battery"}},
          ""}},
        {"Cafe.nmconnection",
         {"Cafe Hidden",
          V{{kKeyProfileName, "Cafe upstairs"}, {kKeyAuthenticationType, "0"}, {kKeyHidden, "1"}},
          ""}},
        {"OldRouter.nmconnection",
         {"Warehouse-Shared",
          V{{kKeyAuthenticationType, "1"},
            {kKeyWepKey[0], "0A1B2C3D4E5F60718293A4B5C6"},
            {kKeyWepKeyType[0], "0"},
            {kKeyWepKey[2], "Corvane13abcd"},
            {kKeyWepKeyType[2], "1"},
            {kKeyWepKeyUse, "2"},
            {kKeyBssid, "000C43A10004"}},
          ""}},
        {"LanParty.nmconnection",
         {"LAN-Party", V{{kKeyNetworkType, "0"}, {kKeyChannel, "10"}}, ""}},
        {"BytesSsid.nmconnection",
         {"Leko;na",
          V{{kKeyAuthenticationType, "2"},
            {kKeyEncryptionType, "0"},
            {kKeyWpaPsk, "lekonora-home "}},
          ""}},
        {"eduroam.nmconnection", {"eduroam", {}, "802.1X"}},
        {"Modern.nmconnection", {"Modern-SAE", {}, "WPA3-SAE"}},
        {"Keyring.nmconnection", {"Office-5GHz", {}, "keyring"}},
        {"Wired.nmconnection", {"", {}, "not a Wi-Fi connection (type ethernet)"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        ExpectEntries(ReadNmKeyfile(Fixture(row.file)), {row.expected});
    }
}

TEST(ImportReaders, PropertyListProfiles) {
    // The reader keeps what a profile holds; the rules judge it at the merge.
    ExpectEntries(
        ReadImportBytes(Fixture("exported.plist")),
        {
            {"Office-Staff",
             V{{kKeyProfileName, "Office"},
               {kKeyAuthenticationType, "3"},
               {kKeyWpaPsk, "pass-office-sta-479"},
               {kKeyBssid, "001A2B31607E"},
               {"Comment", ""}},
             ""},
            {"Printer-WEP",
             V{{"problem", "Invalid WEP key 1 length. WEP should be 5 or 13 ASCII characters."}},
             ""},
            {"Roof-AdHoc", V{{"problem", "not a 2.4 GHz channel"}}, ""},
            {"", V{{"problem", "SSID is empty"}}, ""},
        });
}

TEST(ImportReaders, FilesThatAreNoneOfTheFormatsAreRefusedWhole) {
    struct Row {
        const char* file;
        std::string problem;
    };
    const std::vector<Row> rows = {
        {"malformed.nmconnection", "line 7 is neither a group, a key=value line nor a comment"},
        {"unclosed-group.nmconnection", "line 1 opens a group without closing it"},
        {"not-a-config.txt", "line 1 is neither a setting"},
        {"truncated.plist", "it is not a property list"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        EXPECT_THAT(ReadImportBytes(Fixture(row.file)).problem, HasSubstr(row.problem));
    }
    EXPECT_THAT(ReadImportBytes("<plist><dict/></plist>").problem, HasSubstr("not an array"));
    EXPECT_THAT(ReadImportBytes(std::string(kMaxConfigLine + 1, 'x')).problem,
                HasSubstr("longer than"));
    EXPECT_THAT(ReadNmKeyfile("key=value\n").problem, HasSubstr("before the first group"));
    EXPECT_THAT(ReadImportBytes("# only a comment\n").problem, HasSubstr("no settings"));
}

TEST(ImportReaders, TheFormatIsToldByTheContent) {
    EXPECT_EQ(DetectImportFormat(Fixture("wpa_supplicant.conf")), ImportFormat::kWpaSupplicant);
    EXPECT_EQ(DetectImportFormat(Fixture("OldRouter.nmconnection")), ImportFormat::kNmKeyfile);
    EXPECT_EQ(DetectImportFormat("\xEF\xBB\xBF  \n<?xml version=\"1.0\"?>"),
              ImportFormat::kPropertyList);
    EXPECT_EQ(DetectImportFormat("bplist00..."), ImportFormat::kPropertyList);
}

}  // namespace
}  // namespace corvane
