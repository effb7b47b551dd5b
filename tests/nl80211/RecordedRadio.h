// The kernel and wpa_supplicant as the tests meet them: a wireless stack that
// answers from nl80211 messages recorded on mac80211_hwsim radios (the
// station joined to a WPA2 access point; data/hwsim-answers.jsonl, made by
// `scripts/realradio/run-test.sh BUILD record`), and a wpa_supplicant that
// writes down each command and answers from a script.
#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "driver/nl80211/Nl80211Messages.h"
#include "driver/nl80211/Stack.h"
#include "tests/support/ScanEntries.h"

namespace corvane::nl80211::test {

// The recorded messages by request: "interface", "scan", "station",
// "regulatory".
inline std::map<std::string, std::vector<std::vector<uint8_t>>> RecordedMessages() {
    std::map<std::string, std::vector<std::vector<uint8_t>>> messages;
    std::ifstream in(CORVANE_NL80211_ANSWERS);
    EXPECT_TRUE(in) << CORVANE_NL80211_ANSWERS;
    for (std::string line; std::getline(in, line);) {
        const auto j = nlohmann::json::parse(line);
        messages[j["request"].get<std::string>()].push_back(
            corvane::test::HexBytes(j["message"].get<std::string>()));
    }
    return messages;
}

class RecordedStack : public WirelessStack {
public:
    RecordedStack() {
        auto m = RecordedMessages();
        interface = ReadInterface(m["interface"].at(0));
        for (const auto& message : m["scan"]) bss.push_back(*ReadBss(message));
        for (const auto& message : m["station"]) stations.push_back(*ReadStation(message));
        regulatory = ReadRegulatory(m["regulatory"].at(0));
    }

    std::optional<InterfaceInfo> Interface() override { return interface; }
    std::optional<PhyInfo> Phy(uint32_t) override { return phy; }
    int TriggerScan(uint32_t, const std::vector<uint32_t>&) override { return 0; }
    std::optional<std::vector<BssRecord>> ScanResults(uint32_t) override { return bss; }
    std::vector<StationInfo> Stations(uint32_t) override { return stations; }
    std::optional<RegulatoryDomain> Regulatory() override { return regulatory; }
    std::optional<RadioSwitch> Radio(uint32_t) override { return RadioSwitch{}; }
    int SetSoftBlocked(uint32_t, bool) override { return 0; }
    // Takes the settings as mac80211 does (a power limit only in whole dBm;
    // automatic is the channel's 20 dBm), unless `refusal` (a negative
    // errno) is set.
    int SetWiphy(uint32_t, const WiphySettings& s) override {
        if (refusal) return refusal;
        if (s.txPowerLimitMbm && *s.txPowerLimitMbm % 100) return -EOPNOTSUPP;
        if (s.rtsThreshold) phy.rtsThreshold = *s.rtsThreshold;
        if (s.fragThreshold) phy.fragThreshold = *s.fragThreshold;
        if (s.txPowerLimitMbm)
            interface->txPowerMbm = *s.txPowerLimitMbm ? *s.txPowerLimitMbm : 2000;
        return 0;
    }
    int SetPowerSave(uint32_t, bool) override { return refusal; }

    std::optional<InterfaceInfo> interface;
    std::vector<BssRecord> bss;
    std::vector<StationInfo> stations;
    std::optional<RegulatoryDomain> regulatory;
    PhyInfo phy;
    int refusal = 0;
};

// Answers PING, STATUS (disconnected), LIST_NETWORKS (none) and
// ADD_NETWORK ("0"), OK to the rest, and writes down each command.
class ScriptedSupplicant : public Supplicant {
public:
    std::optional<std::string> Request(std::string_view command) override {
        commands.emplace_back(command);
        if (command == "PING") return "PONG\n";
        if (command == "STATUS") return "wpa_state=DISCONNECTED\naddress=02:00:00:00:04:00\n";
        if (command == "LIST_NETWORKS") return "network id / ssid / bssid / flags\n";
        return command == "ADD_NETWORK" ? "0\n" : "OK\n";
    }
    std::string Problem() const override { return ""; }

    // The commands since the last call, each SET_NETWORK shortened to "name value".
    std::vector<std::string> Take() {
        std::vector<std::string> out;
        for (std::string& c : commands)
            out.push_back(c.rfind("SET_NETWORK 0 ", 0) == 0 ? c.substr(14) : c);
        commands.clear();
        return out;
    }

    std::vector<std::string> commands;
};

}  // namespace corvane::nl80211::test
