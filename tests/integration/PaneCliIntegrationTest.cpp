// `corvane radio`, `corvane advanced` and `corvane about` against the
// simulated driver as its own process: the wiring of the window's own code
// (the About facts, the advanced page's rules and Apply, the radio switch),
// whose rules are the page model's and the window's tests.
#include <gmock/gmock.h>

#include <tuple>

#include "adapter/Oids.h"
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
        std::vector<std::string> options;
        if (!world.empty()) {
            WriteFile(home_.Path() + "/world.json", world);
            options.insert(options.end(), {"--environment", home_.Path() + "/world.json"});
        }
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
    std::string root_ = MakeTempFolder("pane-cli-root");
    ScopedEnv rootEnv_{"CORVANE_SYSTEM_ROOT", root_};
};

TEST_F(PaneCliIntegrationTest, AboutRadioAndApplyOnTheSampleWorld) {
    StartWith();
    CommandResult about = Corvane({"about", "--json"});
    ASSERT_EQ(about.status, 0) << about.err;
    EXPECT_EQ(json::parse(about.out), (json{{"driver_version", "5.1.2"},
                                            {"eeprom_version", "1.2"},
                                            {"mac_address", "00-0C-43-25-73-01"},
                                            {"utility_version", "2.5.0"}}));
    SeedProfiles();
    ASSERT_EQ(Corvane({"connect", "Home"}).status, 0);
    CommandResult off = Corvane({"radio", "off"});
    EXPECT_EQ(off.status, 0) << off.err;
    EXPECT_EQ(SimStatus()["radio"], false);
    EXPECT_EQ(SimStatus()["associated"], false);
    EXPECT_THAT(Corvane({"status"}).out, HasSubstr("Link state   : Radio OFF\n"));
    CommandResult on = Corvane({"radio", "on"});
    EXPECT_EQ(on.out, "Radio on\nConnected to CorvaneHome\n") << on.err;
    EXPECT_EQ(SimStatus()["radio"], true);

    CommandResult apply = Corvane({"advanced", "set", "--tx-burst", "off"});
    EXPECT_EQ(apply.status, 0) << apply.err;
    EXPECT_THAT(apply.out, HasSubstr("Connected to CorvaneHome"));
    EXPECT_EQ(Advanced("Tx Burst"), "0");
}

TEST_F(PaneCliIntegrationTest, AdvancedOffersWhatThePageOffersTheAdapter) {
    StartWith(World("osprey", true));
    EXPECT_EQ(Corvane({"advanced", "set", "--tx-rate", "54"}).status, 2) << "no rates on Osprey";
    StartWith(World("merlin", true));
    CommandResult set = Corvane({"advanced", "set", "--wireless-mode", "5G", "--tx-rate", "54"});
    EXPECT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(Advanced("Wireless Mode"), "2");
    EXPECT_EQ(Advanced("Tx Rate"), "8");
    json page = json::parse(Corvane({"advanced", "--json"}).out);
    EXPECT_EQ(page["wireless_mode"], "5G");
    EXPECT_EQ(page["tx_rate"], "54 Mbps");
    EXPECT_EQ(page["tx_rates"].size(), 9u);
}

// After a mode change `advanced set` does what the page does two seconds
// after Apply: a rescan, then the active profile again, while a link Apply
// put back on the previous network (no active profile) stays. In the
// journal: D(isassociate), S(can), J(oin: SSID or BSSID set).
TEST_F(PaneCliIntegrationTest, AdvancedSetRescansAndReconnectsAfterAModeChange) {
    const std::string journal = home_.Path() + "/journal.jsonl";
    WriteFile(home_.Path() + "/world.json", World("osprey", true));
    StartDriver({"--environment", home_.Path() + "/world.json", "--journal", journal});
    SeedProfiles();
    for (auto [active, mode, expected] :
         {std::tuple{true, "5G", "DDJSDJ"}, {false, "2.4G", "DJS"}}) {
        ASSERT_EQ(Corvane({"connect", "Cafe"}).status, 0);
        std::string file = Active();
        if (!active)  // as after a join
            WriteFile(home_.PreferencesFile("ActiveProfileSetting.plist"),
                      file.replace(file.find("YES"), 3, "NO"));
        const size_t from = ReadFile(journal).size();
        EXPECT_EQ(Corvane({"advanced", "set", "--wireless-mode", mode}).status, 0);
        std::string seen;
        std::istringstream tail(ReadFile(journal).substr(from));
        for (std::string line; std::getline(tail, line);) {
            const uint32_t oid = json::parse(line)["selector"];
            if (oid == (OID_802_11_DISASSOCIATE | OID_SET_FLAG)) seen += 'D';
            if (oid == OID_802_11_BSSID_LIST_SCAN_PASSED) seen += 'S';
            if (oid == (OID_802_11_SSID | OID_SET_FLAG) || oid == OID_802_11_BSSID_SET) seen += 'J';
        }
        EXPECT_EQ(seen, expected) << mode;
        EXPECT_EQ(SimStatus()["ssid"], "CafeOpen");
    }
}

}  // namespace
}  // namespace corvane::test
