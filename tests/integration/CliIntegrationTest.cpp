#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "tests/integration/Processes.h"
#include "tests/support/TempFolders.h"

namespace corvane::test {
namespace {

using ::testing::HasSubstr;
using nlohmann::json;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
    chmod(path.c_str(), 0600);
}

CommandResult Corvane(std::vector<std::string> args) {
    args.insert(args.begin(), BinPath("corvane"));
    return Run(args);
}

json SimStatus() {
    CommandResult r = Run({BinPath("corvane-simctl"), "status"});
    return r.status == 0 ? json::parse(r.out, nullptr, false) : json();
}

// The simulated driver as its own process, in a temporary registry, with a
// temporary HOME holding the sample profiles.
class CliIntegrationTest : public ::testing::Test {
protected:
    void StartDriver() {
        driver_ = std::make_unique<Daemon>(std::vector<std::string>{BinPath("corvane-simdriver")});
        // Up to 30 s: a sanitizer build on a busy machine starts slowly.
        for (int i = 0; i < 1500 && SimStatus().is_null(); ++i) usleep(20000);
        ASSERT_FALSE(SimStatus().is_null()) << "the simulated driver did not come up";
    }

    void SeedProfiles(const std::string& passphrase = "correct horse battery") {
        std::string profiles = ReadFile(CORVANE_SAMPLE_PROFILES);
        size_t at = profiles.find("correct horse battery");
        profiles.replace(at, std::string("correct horse battery").size(), passphrase);
        WriteFile(home_.PreferencesFolder(true) + "/Profile.plist", profiles);
    }

    TempRegistry registry_;
    TempHome home_;
    std::unique_ptr<Daemon> driver_;
};

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
    bool hidden = false;
    for (const json& row : rows) {
        bssids.insert(row["bssid"].get<std::string>());
        ssids.insert(row["ssid"].get<std::string>());
        hidden |= row["ssid"].get<std::string>().empty();
    }
    EXPECT_EQ(bssids.size(), rows.size()) << "every entry once";
    EXPECT_TRUE(ssids.count("CorvaneHome"));
    EXPECT_TRUE(ssids.count("CafeOpen"));
    EXPECT_TRUE(hidden);
    EXPECT_EQ(SimStatus()["scans"], 1);

    CommandResult text = Corvane({"scan"});
    ASSERT_EQ(text.status, 0);
    EXPECT_EQ(std::count(text.out.begin(), text.out.end(), '\n'), long(rows.size()));
    EXPECT_THAT(text.out, HasSubstr("CorvaneHome"));
}

TEST_F(CliIntegrationTest, ConnectAssociatesOnlyWithTheRightPassphrase) {
    StartDriver();
    SeedProfiles("wrong horse battery");
    CommandResult wrong = Corvane({"connect", "Home"});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_THAT(wrong.out, HasSubstr("Not connected to CorvaneHome"));
    EXPECT_EQ(SimStatus()["associated"], false);

    SeedProfiles();
    CommandResult listed = Corvane({"profiles"});
    EXPECT_THAT(listed.out, HasSubstr("CorvaneHome"));
    EXPECT_THAT(listed.out, HasSubstr("WPA2-PSK/AES"));

    CommandResult right = Corvane({"connect", "1"});
    EXPECT_EQ(right.status, 0) << right.out << right.err;
    EXPECT_THAT(right.out, HasSubstr("Connected to CorvaneHome"));
    json sim = SimStatus();
    EXPECT_EQ(sim["associated"], true);
    EXPECT_EQ(sim["ssid"], "CorvaneHome");
    EXPECT_EQ(sim["psk_installed"], true);

    const std::string activePath = home_.PreferencesFile("ActiveProfileSetting.plist");
    std::string active = ReadFile(activePath);
    EXPECT_THAT(active, HasSubstr("<key>Active Profile Flag</key>"));
    EXPECT_THAT(active, HasSubstr("<string>YES</string>"));
    EXPECT_THAT(active, HasSubstr("<key>Hidden</key>"));
    struct stat st{};
    ASSERT_EQ(stat(activePath.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    CommandResult status = Corvane({"status"});
    EXPECT_THAT(status.out, HasSubstr("Link state   : Connected\n"));
    EXPECT_THAT(status.out, HasSubstr("Network      : CorvaneHome\n"));

    CommandResult off = Corvane({"disconnect"});
    EXPECT_EQ(off.status, 0) << off.err;
    EXPECT_EQ(SimStatus()["associated"], false);
    active = ReadFile(activePath);
    EXPECT_THAT(active, HasSubstr("<string>NO</string>"));
    EXPECT_THAT(active, ::testing::Not(HasSubstr("<key>Hidden</key>")));

    CommandResult unknown = Corvane({"connect", "Nowhere"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_THAT(unknown.err, HasSubstr("no stored profile"));
}

TEST(CliPskTest, DerivesKeysAndRefusesWhatWouldBeAWrongKey) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
    };
    const Case cases[] = {
        {{"IEEE", "password"}, 0, "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e\n"},
        {{"ThisIsASSID", "ThisIsAPassword"}, 0,
         "0dc0d6eb90555ed6419756b9a15ec3e3209b63df707dd508d14581f8982721af\n"},
        {{"any", std::string(64, 'A')}, 0, std::string(64, 'a') + "\n"},  // decoded, not hashed
        {{"any", std::string(63, 'z') + "g"}, 2, ""},                      // 64 chars, not hex
        {{"any", std::string(65, 'a')}, 2, ""},
        {{"any", "pass\tword"}, 2, ""},
        {{"any", "pass\xC3\xA9word"}, 2, ""},
        {{std::string(33, 's'), "password"}, 2, ""},
        {{"only-one-argument"}, 2, ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"psk"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        CommandResult r = Corvane(args);
        EXPECT_EQ(r.status, c.status) << c.args[0];
        EXPECT_EQ(r.out, c.out) << c.args[0];
        if (c.status != 0) {
            EXPECT_FALSE(r.err.empty());
        }
    }
}

TEST(CliUsageTest, UnknownCommandsAndOptionsAreUsageErrors) {
    EXPECT_EQ(Corvane({}).status, 2);
    EXPECT_EQ(Corvane({"frobnicate"}).status, 2);
    EXPECT_EQ(Corvane({"--bogus", "status"}).status, 2);
    CommandResult help = Corvane({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.out, HasSubstr("usage: corvane"));
}

}  // namespace
}  // namespace corvane::test
