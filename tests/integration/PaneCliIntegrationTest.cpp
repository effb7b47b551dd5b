// `corvane radio`, `corvane advanced` and `corvane about` against the
// simulated driver as its own process: what the advanced page offers each
// adapter, Apply's reconnect of the active profile (the window's Apply test
// follows the other reconnect), the radio switch, the About facts and the
// Merlin device-word correction.
#include <gmock/gmock.h>

#include "tests/integration/CliFixture.h"

namespace corvane::test {
namespace {

using nlohmann::json;
using ::testing::HasSubstr;

std::string InfoPlist(const std::string& version) {
    return "<?xml version=\"1.0\"?><plist "
           "version=\"1.0\"><dict><key>CFBundleShortVersionString</key>"
           "<string>" +
           version + "</string></dict></plist>";
}

// A one-network world on the given adapter kind.
std::string World(const std::string& kind, bool fiveGigahertz) {
    return R"({"adapter": {"kind": ")" + kind + R"(", "supports_5ghz": )" +
           (fiveGigahertz ? "true" : "false") +
           R"(}, "networks": [{"ssid": "CafeOpen", "bssid": "00:0C:43:A1:00:02", "channel": 1}]})";
}

class PaneCliIntegrationTest : public CliTest {
protected:
    PaneCliIntegrationTest() {
        for (auto [bundle, version] :
             {std::pair{"Extensions/OspreyUSBWirelessDriver.kext", "5.1.2"},
              {"Extensions/HeronUSBWirelessDriver.kext", "4.0.7"},
              {"PreferencePanes/CorvaneWirelessUtility.prefPane", "2.5.0"}})
            WriteFile(root_ + "/System/Library/" + bundle + "/Contents/Info.plist",
                      InfoPlist(version));
    }
    ~PaneCliIntegrationTest() override {
        driver_.reset();
        RemoveTree(root_);
    }

    // The simulated driver with the sample world, or the given one.
    void StartWith(const std::string& world = "") {
        std::vector<std::string> options = {"--journal", journal_};
        if (!world.empty()) {
            WriteFile(home_.Path() + "/world.json", world);
            options.insert(options.end(), {"--environment", home_.Path() + "/world.json"});
        }
        driver_.reset();
        std::filesystem::remove(journal_);
        StartDriver(options);
    }
    std::string Advanced(const std::string& key) {
        const std::string file = ReadFile(home_.PreferencesFile("AdvancedProfileSetting.plist"));
        const std::string tag = "<key>" + key + "</key>\n\t\t<string>";
        const size_t at = file.find(tag);
        if (at == std::string::npos) return "";
        const size_t from = at + tag.size();
        return file.substr(from, file.find('<', from) - from);
    }
    // Requests the driver saw with this selector, as hex input.
    std::vector<std::string> Journal(uint32_t selector) {
        std::vector<std::string> inputs;
        std::ifstream in(journal_);
        for (std::string line; std::getline(in, line);) {
            json call = json::parse(line, nullptr, false);
            if (call.is_object() && call["selector"] == selector) inputs.push_back(call["input"]);
        }
        return inputs;
    }

    std::string root_ = MakeTempFolder("pane-cli-root");
    ScopedEnv rootEnv_{"CORVANE_SYSTEM_ROOT", root_};
    std::string journal_ = home_.Path() + "/journal.jsonl";
};

TEST_F(PaneCliIntegrationTest, UsageAndMissingAdapter) {
    const std::pair<std::vector<std::string>, int> rows[] = {
        {{"radio"}, 2},
        {{"advanced", "set"}, 2},
        {{"advanced", "set", "--tx-burst", "maybe"}, 2},
        {{"about", "extra"}, 2},
        {{"radio", "on"}, 1},
        {{"advanced", "set", "--tx-burst", "off"}, 1},
        {{"about"}, 1},
    };
    for (const auto& [args, status] : rows) {
        CommandResult r = Corvane(args);
        EXPECT_EQ(r.status, status) << args.back();
        if (status == 1) {
            EXPECT_THAT(r.err, HasSubstr("no adapter found")) << args.back();
        }
        EXPECT_EQ(r.out, "") << args.back();
    }
}

TEST_F(PaneCliIntegrationTest, AboutShowsTheFourFacts) {
    StartWith();
    CommandResult about = Corvane({"about", "--json"});
    ASSERT_EQ(about.status, 0) << about.err;
    EXPECT_EQ(json::parse(about.out), (json{{"driver_version", "5.1.2"},
                                            {"eeprom_version", "1.2"},
                                            {"mac_address", "00-0C-43-25-73-01"},
                                            {"utility_version", "2.5.0"}}));
    EXPECT_TRUE(Journal(0x0D73010B).empty()) << "no device words on Osprey";
}

TEST_F(PaneCliIntegrationTest, AboutCorrectsMerlinDeviceWordsOnce) {
    StartWith(World("merlin", false));
    CommandResult first = Corvane({"about"});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_THAT(first.out, HasSubstr("Driver version  : 4.0.7\n"));
    EXPECT_EQ(Journal(0x0D73010A), (std::vector<std::string>{"040102000602", "160102000602"}));
    EXPECT_EQ(Corvane({"about"}).status, 0);
    EXPECT_EQ(Journal(0x0D73010A).size(), 2u) << "corrected words are left alone";
}

TEST_F(PaneCliIntegrationTest, AdvancedOffersWhatThePageOffersEachAdapter) {
    struct Row {
        std::string kind;
        bool fiveGigahertz;
        std::vector<std::string> set;
        int status;
        std::string storedMode, storedRate;
    } const rows[] = {
        {"osprey", true, {"--tx-rate", "54"}, 2, "", ""},
        {"merlin", false, {"--wireless-mode", "5G"}, 2, "", ""},
        {"merlin", true, {"--wireless-mode", "5G", "--bg-protection", "on"}, 2, "", ""},
        {"merlin", true, {"--wireless-mode", "5G", "--tx-rate", "54"}, 0, "2", "8"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind + " " + row.set.back());
        StartWith(World(row.kind, row.fiveGigahertz));
        std::filesystem::remove(home_.PreferencesFile("AdvancedProfileSetting.plist"));
        std::vector<std::string> args = {"advanced", "set"};
        args.insert(args.end(), row.set.begin(), row.set.end());
        CommandResult r = Corvane(args);
        EXPECT_EQ(r.status, row.status) << r.err;
        EXPECT_EQ(Advanced("Wireless Mode"), row.storedMode);
        EXPECT_EQ(Advanced("Tx Rate"), row.storedRate);
    }
    CommandResult shown = Corvane({"advanced", "--json"});
    ASSERT_EQ(shown.status, 0);
    json page = json::parse(shown.out);
    EXPECT_EQ(page["wireless_mode"], "5G");
    EXPECT_EQ(page["tx_rate"], "54 Mbps");
    EXPECT_EQ(page["tx_rates"].size(), 9u);
    EXPECT_EQ(page["bg_protections"], (json{"Auto", "On", "Off"}));
}

TEST_F(PaneCliIntegrationTest, ApplyReconnectsTheActiveProfile) {
    StartWith();
    SeedProfiles();
    ASSERT_EQ(Corvane({"connect", "Home"}).status, 0);
    CommandResult apply = Corvane({"advanced", "set", "--tx-burst", "off"});
    EXPECT_EQ(apply.status, 0) << apply.err;
    EXPECT_THAT(apply.out, HasSubstr("Connected to CorvaneHome"));
    EXPECT_EQ(Advanced("Tx Burst"), "0");
}

TEST_F(PaneCliIntegrationTest, RadioOffAndOnAgain) {
    StartWith();
    SeedProfiles();
    ASSERT_EQ(Corvane({"connect", "Home"}).status, 0);
    CommandResult off = Corvane({"radio", "off"});
    EXPECT_EQ(off.status, 0) << off.err;
    EXPECT_EQ(SimStatus()["radio"], false);
    EXPECT_EQ(SimStatus()["associated"], false);
    EXPECT_THAT(Corvane({"status"}).out, HasSubstr("Link state   : Radio OFF\n"));

    CommandResult on = Corvane({"radio", "on"});
    EXPECT_EQ(on.status, 0) << on.err;
    EXPECT_EQ(on.out, "Radio on\nConnected to CorvaneHome\n");
    EXPECT_EQ(SimStatus()["radio"], true);

    // Without an active profile the reset record goes first: no network.
    ASSERT_EQ(Corvane({"disconnect"}).status, 0);
    EXPECT_EQ(Corvane({"radio", "on"}).out, "Radio on\n");
    EXPECT_EQ(SimStatus()["associated"], false);
    EXPECT_EQ(Journal(0x0DF10108).back(), "01000000");
}

}  // namespace
}  // namespace corvane::test
