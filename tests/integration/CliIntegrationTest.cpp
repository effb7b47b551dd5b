// `corvane status|init|scan|connect|disconnect|psk` against the simulated
// driver with its sample world, and the command's usage errors.
#include <gmock/gmock.h>
#include <sys/stat.h>

#include <set>

#include "tests/integration/CliFixture.h"

namespace corvane::test {
namespace {

using nlohmann::json;
using ::testing::HasSubstr;

using CliIntegrationTest = CliTest;

TEST_F(CliIntegrationTest, WithoutAdapterEveryAdapterCommandSaysSoAndFails) {
    for (const char* command : {"status", "scan", "init", "disconnect"}) {
        CommandResult r = Corvane({command});
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_THAT(r.err, HasSubstr("no adapter found")) << command;
        EXPECT_EQ(r.out, "") << command;
    }
}

TEST_F(CliIntegrationTest, StatusInitAndScanOverTheSocket) {
    StartDriver();
    CommandResult status = Corvane({"status"});
    ASSERT_EQ(status.status, 0) << status.err;
    EXPECT_THAT(status.out, HasSubstr("Link state   : Disconnected\n"));
    EXPECT_THAT(status.out, HasSubstr("Network      : None\n"));
    CommandResult init = Corvane({"init"});
    EXPECT_EQ(init.status, 0) << init.err;
    EXPECT_THAT(init.out, HasSubstr("Card initialised"));

    CommandResult scan = Corvane({"scan", "--json"});
    ASSERT_EQ(scan.status, 0) << scan.err;
    json rows = json::parse(scan.out);
    ASSERT_TRUE(rows.is_array());
    EXPECT_GE(rows.size(), 40u) << "the sample environment needs several chunks";
    std::set<std::string> bssids, ssids;
    for (const json& row : rows) {
        bssids.insert(row["bssid"].get<std::string>());
        ssids.insert(row["ssid"].get<std::string>());
    }
    EXPECT_EQ(bssids.size(), rows.size()) << "every entry once";
    EXPECT_TRUE(ssids.count("CorvaneHome") && ssids.count("CafeOpen") && ssids.count(""));
    EXPECT_EQ(SimStatus()["scans"], 1);
    CommandResult text = Corvane({"scan"});
    ASSERT_EQ(text.status, 0);
    EXPECT_EQ(std::count(text.out.begin(), text.out.end(), '\n'), long(rows.size()));
}

TEST_F(CliIntegrationTest, ConnectAssociatesOnlyWithTheRightPassphrase) {
    StartDriver();
    SeedProfiles("wrong horse battery");
    CommandResult wrong = Corvane({"connect", "Home"});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_THAT(wrong.out, HasSubstr("Not connected to CorvaneHome"));
    EXPECT_EQ(SimStatus()["associated"], false);

    SeedProfiles();
    EXPECT_THAT(Corvane({"profiles"}).out, HasSubstr("WPA2-PSK/AES"));
    CommandResult right = Corvane({"connect", "1"});
    EXPECT_EQ(right.status, 0) << right.out << right.err;
    EXPECT_THAT(right.out, HasSubstr("Connected to CorvaneHome"));
    json sim = SimStatus();
    EXPECT_EQ(sim["ssid"], "CorvaneHome");
    EXPECT_EQ(sim["psk_installed"], true);
    EXPECT_THAT(Active(), HasSubstr("<string>YES</string>"));
    EXPECT_THAT(Active(), HasSubstr("<key>Hidden</key>"));
    struct stat st {};
    ASSERT_EQ(stat(home_.PreferencesFile("ActiveProfileSetting.plist").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_THAT(Corvane({"status"}).out, HasSubstr("Network      : CorvaneHome\n"));

    EXPECT_EQ(Corvane({"disconnect"}).status, 0);
    EXPECT_EQ(SimStatus()["associated"], false);
    EXPECT_THAT(Active(), HasSubstr("<string>NO</string>"));
    EXPECT_THAT(Active(), ::testing::Not(HasSubstr("<key>Hidden</key>")));
    CommandResult unknown = Corvane({"connect", "Nowhere"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_THAT(unknown.err, HasSubstr("no stored profile"));
}

// The derivation's vectors are the crypto tests'; here the command's
// wiring and its refusals.
TEST(CliPskTest, DerivesKeysAndRefusesWhatWouldBeAWrongKey) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"IEEE", "password"},
         "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e\n"},
        {{"any", std::string(64, 'A')}, std::string(64, 'a') + "\n"},  // decoded, not hashed
        {{"any", std::string(63, 'z') + "g"}, ""},                     // 64 chars, not hex
        {{std::string(33, 's'), "password"}, ""},
    };
    for (const auto& [args, out] : cases) {
        std::vector<std::string> command = {"psk"};
        command.insert(command.end(), args.begin(), args.end());
        CommandResult r = Corvane(command);
        EXPECT_EQ(r.status, out.empty() ? 2 : 0) << args[0];
        EXPECT_EQ(r.out, out) << args[0];
        if (out.empty()) {
            EXPECT_FALSE(r.err.empty()) << args[0];
        }
    }
}

TEST(CliUsageTest, UnknownCommandsAndOptionsAreUsageErrors) {
    // Refused before anything is done, whether or not an adapter is there.
    for (auto args : {std::vector<std::string>{},
                      {"frobnicate"},
                      {"--bogus", "status"},
                      {"status", "x"},
                      {"status", "--jso"},
                      {"init", "x"},
                      {"disconnect", "x"},
                      {"profiles", "--show-keys"},
                      {"profiles", "x"},
                      {"connect", "--json"}}) {
        CommandResult r = Corvane(args);
        EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(r.out, "") << ::testing::PrintToString(args);
    }
    CommandResult help = Corvane({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.out, HasSubstr("usage: corvane"));
}

}  // namespace
}  // namespace corvane::test
