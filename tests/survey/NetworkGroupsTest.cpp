// One row per network: which rows are one network and in what order the
// networks and their access points come.
#include <gtest/gtest.h>

#include "survey/NetworkGroups.h"

namespace corvane {
namespace {

AccessPoint Row(std::string ssid, std::string bssid, std::string signal,
                std::string authentication = "WPA2-PSK", std::string encryption = "AES-CCMP",
                std::string type = "Infrastructure") {
    return {std::move(ssid),           std::move(bssid),      std::move(signal), "6",
            std::move(authentication), std::move(encryption), std::move(type)};
}

// The groups as lists of the rows' BSSIDs.
std::vector<std::vector<std::string>> Grouped(const std::vector<AccessPoint>& rows) {
    std::vector<std::vector<std::string>> out;
    for (const NetworkGroup& group : GroupNetworks(rows)) {
        out.emplace_back();
        for (size_t row : group.rows) out.back().push_back(rows[row].BSSID);
    }
    return out;
}

TEST(NetworkGroups, RowsOfOneNameAndSecurityAreOneNetworkStrongestFirst) {
    struct Case {
        const char* name;
        std::vector<AccessPoint> rows;
        std::vector<std::vector<std::string>> groups;
    } cases[] = {
        {"no rows", {}, {}},
        {"one access point", {Row("Home", "A", "40")}, {{"A"}}},
        {"three of one network, strongest first",
         {Row("Home", "A", "40"), Row("Home", "B", "90"), Row("Home", "C", "65")},
         {{"B", "C", "A"}}},
        {"networks by their strongest access point",
         {Row("Cafe", "A", "70"), Row("Home", "B", "30"), Row("Home", "C", "95")},
         {{"C", "B"}, {"A"}}},
        {"the same name with another security is another network",
         {Row("Home", "A", "50"), Row("Home", "B", "60", "WPA-PSK", "TKIP"),
          Row("Home", "C", "40", "WPA2-PSK", "TKIP/AES"), Row("Home", "D", "30")},
         {{"B"}, {"A", "D"}, {"C"}}},
        {"the same name and security in ad hoc mode is another network",
         {Row("LAN", "A", "50", "Open", "Not Used"),
          Row("LAN", "B", "50", "Open", "Not Used", "Ad Hoc")},
         {{"A"}, {"B"}}},
        {"hidden networks are one each, the same BSSID twice is one",
         {Row("", "A", "50"), Row("", "B", "60"), Row("", "A", "20")},
         {{"B"}, {"A", "A"}}},
        {"names differ in case: two networks",
         {Row("home", "A", "50"), Row("Home", "B", "50")},
         {{"A"}, {"B"}}},
        {"equal signals keep the rows' order, within and across networks",
         {Row("X", "A", "50"), Row("Y", "B", "50"), Row("X", "C", "50"), Row("Y", "D", "80")},
         {{"D", "B"}, {"A", "C"}}},
        {"a signal that is no number counts as 0",
         {Row("Home", "A", ""), Row("Home", "B", "5"), Row("Home", "C", "9x")},
         {{"B", "A", "C"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Grouped(c.rows), c.groups);
    }
}

TEST(NetworkGroups, SignalIsTheNumberTheTableSortsBy) {
    for (auto [text, value] :
         {std::pair{"0", 0LL}, {"100", 100LL}, {"-3", -3LL}, {"", 0LL}, {"7%", 0LL}}) {
        AccessPoint row;
        row.Signal = text;
        EXPECT_EQ(SignalOf(row), value) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace corvane
