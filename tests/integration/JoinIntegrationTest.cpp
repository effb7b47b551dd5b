// `corvane join` and `corvane profiles add|delete` against
// the simulated driver as its own process. Every join scans first, and a
// scan waits for the driver as the system always does (10 s with 5 GHz), so
// each case keeps to a few joins and the cases run side by side.
#include <gmock/gmock.h>

#include "tests/integration/CliFixture.h"

namespace corvane::test {
namespace {

using nlohmann::json;
using ::testing::HasSubstr;

// A WPA3-Personal beacon (RSN, CCMP, AKM SAE only), as captured.
constexpr const char* kSaeNetwork =
    R"({"ssid": "WPA3-Network", "bssid": "02:00:00:00:00:33", "channel": 1, "rssi": -50,
        "security": "wpa2-psk", "passphrase": "sae-only-network",
        "ies_hex": "000c575041332d4e6574776f726b010882848b960c1218240301010504000200002a010432043048606c30140100000fac040100000fac040100000fac08c0003b0251007f080400000000000040"})";

class JoinTest : public CliTest {
protected:
    // The sample world on a 2.4 GHz-only adapter, whose scans take half the
    // time of a dual-band one.
    void SetUp() override {
        json environment = json::parse(ReadFile(CORVANE_SAMPLE_ENVIRONMENT));
        environment["adapter"]["supports_5ghz"] = false;
        WriteFile(home_.Path() + "/environment.json", environment.dump());
        StartDriver({"--environment", home_.Path() + "/environment.json"});
    }

    // Joins and reports whether the driver ended associated with `ssid`.
    bool JoinAndCheck(std::vector<std::string> args, const std::string& ssid, int expectedStatus) {
        args.insert(args.begin(), "join");
        CommandResult r = Corvane(args);
        EXPECT_EQ(r.status, expectedStatus) << args[1] << "\n" << r.out << r.err;
        json sim = SimStatus();
        return sim["associated"] == true && sim["ssid"] == ssid;
    }
};

TEST_F(JoinTest, PreSharedKeyNetworksJoinOnlyWithTheirPassphrase) {
    EXPECT_FALSE(JoinAndCheck({"00:0C:43:A1:00:01", "--passphrase", "wrong horse battery"},
                              "CorvaneHome", 1));
    // The passphrase from standard input, and the BSSID in the other form.
    CommandResult r =
        Corvane({"join", "00-0c-43-a1-00-01", "--passphrase", "-"}, "correct horse battery\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("Connected to CorvaneHome"));
    EXPECT_EQ(SimStatus()["ssid"], "CorvaneHome");
    EXPECT_TRUE(JoinAndCheck({"00:0C:43:A1:00:05", "--passphrase", "linksys-legacy-key"},
                             "Linksys-WPA", 0));
}

TEST_F(JoinTest, WepAndOpenNetworksJoinWithTheRightKeys) {
    EXPECT_FALSE(JoinAndCheck({"00:0C:43:A1:00:03", "--wep-ascii", "1=abcdx"}, "OldRouter-WEP", 1));
    EXPECT_TRUE(JoinAndCheck({"00:0C:43:A1:00:03", "--wep-ascii", "1=abcde"}, "OldRouter-WEP", 0));
    EXPECT_TRUE(
        JoinAndCheck({"00:0C:43:A1:00:04", "--shared", "--wep-hex", "1=0A1B2C3D4E5F60718293A4B5C6",
                      "--wep-ascii", "3=Corvane13abcd", "--wep-default", "3"},
                     "Warehouse-Shared", 0));
    EXPECT_TRUE(JoinAndCheck({"00:0C:43:A1:00:02"}, "CafeOpen", 0));
}

// Which networks Connect refuses, in what words, is SurveyConnect's test;
// here the command says so and sends nothing.
TEST_F(JoinTest, RefusedNetworksSayWhyAndSendNothing) {
    ASSERT_EQ(test::Run({BinPath("corvane-simctl"), "add-network", kSaeNetwork}).status, 0);
    struct Case {
        const char* bssid;
        const char* alert;
    };
    const Case cases[] = {
        {"00:0C:43:A1:00:08", "WPA-Enterprise / WPA2-Enterprise isn't supported yet!!!"},
        {"02:00:00:00:00:33",
         "This network uses WPA3-SAE security, which this adapter doesn't support."},
    };
    // What a connect would change: the station's mode and security.
    auto station = [] {
        json s = SimStatus();
        return json{s["infrastructure_mode"], s["auth_mode"], s["encryption"], s["psk_installed"],
                    s["keys"]};
    };
    const json before = station();
    for (const Case& c : cases) {
        CommandResult r = Corvane({"join", c.bssid, "--passphrase", "whatever-it-is"});
        EXPECT_EQ(r.status, 1) << c.bssid;
        EXPECT_EQ(r.err, std::string(c.alert) + "\n") << c.bssid;
    }
    // Add to Profile refuses an ad hoc WPA-NONE network as Connect does.
    CommandResult added = Corvane({"profiles", "add", "02:0C:43:A1:00:09"});
    EXPECT_EQ(added.status, 1);
    EXPECT_EQ(added.err, "WPA-NONE of Adhoc doesn't supported!!!\n");
    EXPECT_FALSE(std::filesystem::exists(home_.PreferencesFile("Profile.plist")));
    EXPECT_EQ(station(), before);
    EXPECT_EQ(SimStatus()["associated"], false);
}

// The key rules are KeyRules' test; a row per kind of key shows they apply.
TEST_F(JoinTest, KeysTheDialogWouldNotTakeAreUsageErrors) {
    struct Case {
        std::vector<std::string> args;
        const char* err;
    };
    const Case cases[] = {
        {{"00:0C:43:A1:00:03", "--wep-hex", "1=01020G0405"},
         "Invalid WEP key 1 characters. A hexadecimal WEP key should hold only 0-9 and A-F."},
        {{"00:0C:43:A1:00:03", "--passphrase", "a-passphrase"}, "takes no pre-shared key"},
        {{"00:0C:43:A1:00:01", "--wep-ascii", "1=abcde"}, "not WEP keys"},
        {{"00:0C:43:A1:00:01", "--passphrase", "short"}, "should be more than 8 characters"},
        {{"02:0C:43:A1:00:0A", "--shared"}, "open network"},
        {{"not-a-bssid"}, "is no BSSID"},
        {{"00:0C:43:A1:00:01", "extra"}, "unexpected argument"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"join"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        CommandResult r = Corvane(args);
        EXPECT_EQ(r.status, 2) << c.args[0] << " " << (c.args.size() > 1 ? c.args[1] : "");
        EXPECT_THAT(r.err, HasSubstr(c.err));
    }
    EXPECT_EQ(SimStatus()["associated"], false);
}

TEST_F(JoinTest, AddedProfilesConnectAndDeletingTheActiveOneDisconnects) {
    CommandResult added =
        Corvane({"profiles", "add", "00:0C:43:A1:00:01", "--passphrase", "correct horse battery"});
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_THAT(added.out, HasSubstr("PROF1"));
    CommandResult typed = Corvane({"profiles", "add", "--ssid", "SecretLab", "--name", "Lab",
                                   "--passphrase", "hidden in plain sight"});
    ASSERT_EQ(typed.status, 0) << typed.err;

    json stored = json::parse(Corvane({"profiles", "--json"}).out);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0]["BSSID"], "000C43A10001");
    EXPECT_EQ(stored[0]["Hidden"], "0");
    EXPECT_EQ(stored[0]["WPAPSK"], "********");
    EXPECT_EQ(stored[1]["Hidden"], "1");
    EXPECT_EQ(stored[1]["BSSID"], "");
    EXPECT_EQ(json::parse(Corvane({"profiles", "--json", "--show-keys"}).out)[1]["WPAPSK"],
              "hidden in plain sight");

    CommandResult connected = Corvane({"connect", "PROF1"});
    EXPECT_EQ(connected.status, 0) << connected.out << connected.err;
    EXPECT_EQ(SimStatus()["ssid"], "CorvaneHome");
    EXPECT_EQ(Corvane({"connect", "Lab"}).status, 0);
    EXPECT_EQ(SimStatus()["ssid"], "SecretLab");

    // A join marks the stored active profile inactive.
    EXPECT_EQ(Corvane({"join", "00:0C:43:A1:00:02"}).status, 0);
    EXPECT_THAT(Active(), HasSubstr("<string>NO</string>"));
    EXPECT_EQ(Corvane({"connect", "Lab"}).status, 0);

    EXPECT_EQ(Corvane({"profiles", "delete", "+2"}).status, 2);
    CommandResult deleted = Corvane({"profiles", "delete", "2"});
    EXPECT_EQ(deleted.status, 0) << deleted.err;
    EXPECT_THAT(deleted.out, HasSubstr("Disconnected"));
    EXPECT_EQ(SimStatus()["associated"], false);
    EXPECT_EQ(json::parse(Corvane({"profiles", "--json"}).out).size(), 1u);
}

}  // namespace
}  // namespace corvane::test
