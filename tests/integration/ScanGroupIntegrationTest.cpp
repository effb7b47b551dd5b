// `corvane scan --group [--json]` against the simulated driver: one line or
// object per network, its access points strongest first.
#include <gmock/gmock.h>

#include "tests/integration/CliFixture.h"

namespace corvane::test {
namespace {

using nlohmann::json;
using ::testing::HasSubstr;

class ScanGroupIntegrationTest : public CliTest {
protected:
    void SetUp() override {
        // "Mesh" on three access points, an open "Mesh", two hidden
        // networks, "Solo".
        const json environment = {
            {"networks",
             {{{"ssid", "Mesh"},
               {"bssid", "00:0C:43:C3:00:01"},
               {"channel", 1},
               {"rssi", -75},
               {"security", "wpa2-psk"},
               {"passphrase", "correct horse battery"}},
              {{"ssid", "Solo"}, {"bssid", "00:0C:43:C3:00:02"}, {"channel", 3}, {"rssi", -70}},
              {{"ssid", "Mesh"},
               {"bssid", "00:0C:43:C3:00:03"},
               {"channel", 6},
               {"rssi", -52},
               {"security", "wpa2-psk"},
               {"passphrase", "correct horse battery"}},
              {{"ssid", "Mesh"}, {"bssid", "00:0C:43:C3:00:04"}, {"channel", 11}, {"rssi", -60}},
              {{"ssid", "Mesh"},
               {"bssid", "00:0C:43:C3:00:05"},
               {"channel", 11},
               {"rssi", -64},
               {"security", "wpa2-psk"},
               {"passphrase", "correct horse battery"}},
              {{"ssid", "Lab"},
               {"bssid", "00:0C:43:C3:00:06"},
               {"channel", 4},
               {"rssi", -66},
               {"hidden", true}},
              {{"ssid", "Lab2"},
               {"bssid", "00:0C:43:C3:00:07"},
               {"channel", 4},
               {"rssi", -67},
               {"hidden", true}}}}};
        WriteFile(home_.Path() + "/environment.json", environment.dump());
        StartDriver({"--environment", home_.Path() + "/environment.json"});
    }
};

TEST_F(ScanGroupIntegrationTest, JsonHasAnObjectPerNetworkWithTheScanRowsOfItsAccessPoints) {
    CommandResult plain = Corvane({"scan", "--json"});
    ASSERT_EQ(plain.status, 0) << plain.err;
    const json rows = json::parse(plain.out);
    ASSERT_EQ(rows.size(), 7u);
    CommandResult grouped = Corvane({"scan", "--group", "--json"});
    ASSERT_EQ(grouped.status, 0) << grouped.err;
    const json networks = json::parse(grouped.out);
    ASSERT_TRUE(networks.is_array());

    std::vector<std::string> seen;
    std::vector<std::vector<std::string>> members;
    for (const json& network : networks) {
        const json& points = network.at("accessPoints");
        ASSERT_EQ(network.at("count"), points.size());
        // The network's own keys are its strongest access point's.
        json strongest = network;
        strongest.erase("accessPoints");
        strongest.erase("count");
        EXPECT_EQ(strongest, points.at(0));
        members.emplace_back();
        for (const json& point : points) {
            members.back().push_back(point.at("bssid"));
            // Each as `scan --json` gives it.
            auto same = std::find(rows.begin(), rows.end(), point);
            EXPECT_NE(same, rows.end()) << point.dump();
            seen.push_back(point.at("bssid"));
        }
    }
    EXPECT_EQ(seen.size(), rows.size()) << "every access point once";
    EXPECT_EQ(members, (std::vector<std::vector<std::string>>{
                           {"00-0C-43-C3-00-03", "00-0C-43-C3-00-05", "00-0C-43-C3-00-01"},
                           {"00-0C-43-C3-00-04"},
                           {"00-0C-43-C3-00-06"},
                           {"00-0C-43-C3-00-07"},
                           {"00-0C-43-C3-00-02"}}));
    EXPECT_EQ(networks[0]["ssid"], "Mesh");
    EXPECT_EQ(networks[0]["channel"], 6);
    EXPECT_EQ(networks[1]["authentication"], "Open") << "the same name, open: another network";
}

TEST_F(ScanGroupIntegrationTest, TextHasALinePerNetworkAndItsAccessPointsIndentedBelow) {
    CommandResult plain = Corvane({"scan"});
    ASSERT_EQ(plain.status, 0) << plain.err;
    CommandResult grouped = Corvane({"scan", "--group"});
    ASSERT_EQ(grouped.status, 0) << grouped.err;
    std::vector<std::string> lines;
    std::istringstream in(grouped.out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 12u) << grouped.out;
    EXPECT_THAT(lines[0], ::testing::MatchesRegex("Mesh +[0-9]+%  ch 6  +WPA2-PSK +AES-CCMP +"
                                                  "Infrastructure +3 access points"));
    // The access points as `scan` lists them, indented.
    for (int i : {1, 2, 3}) {
        ASSERT_EQ(lines[size_t(i)].rfind("    ", 0), 0u) << lines[size_t(i)];
        EXPECT_THAT(plain.out, HasSubstr(lines[size_t(i)].substr(4) + "\n"));
    }
    EXPECT_THAT(lines[1], HasSubstr("00-0C-43-C3-00-03"));
    EXPECT_THAT(lines[3], HasSubstr("00-0C-43-C3-00-01"));
    EXPECT_THAT(lines[4], ::testing::MatchesRegex("Mesh .*Open .* 1 access point"));
    EXPECT_THAT(lines[6], ::testing::StartsWith("(hidden) "));
    EXPECT_THAT(lines[8], ::testing::StartsWith("(hidden) "));

    CommandResult bad = Corvane({"scan", "--grouped"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_THAT(bad.err, HasSubstr("usage: corvane scan [--group] [--json]"));
}

}  // namespace
}  // namespace corvane::test
