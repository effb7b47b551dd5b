// The kernel and wpa_supplicant as the tests meet them: a wireless stack that
// answers from nl80211 messages recorded on mac80211_hwsim radios (the
// station joined to a WPA2 access point; data/hwsim-answers.jsonl, made by
// `scripts/realradio/run-test.sh BUILD record`), and a wpa_supplicant that
// writes down each command and answers from a script.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "driver/nl80211/Nl80211Messages.h"
#include "driver/nl80211/Stack.h"

namespace corvane::nl80211::test {

inline std::vector<uint8_t> FromHex(const std::string& hex) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(uint8_t(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

// The recorded messages by request: "interface", "wiphy", "scan", "station",
// "regulatory".
inline std::map<std::string, std::vector<std::vector<uint8_t>>> RecordedMessages() {
    std::map<std::string, std::vector<std::vector<uint8_t>>> messages;
    std::ifstream in(CORVANE_NL80211_ANSWERS);
    EXPECT_TRUE(in) << CORVANE_NL80211_ANSWERS;
    for (std::string line; std::getline(in, line);) {
        const auto j = nlohmann::json::parse(line);
        messages[j["request"].get<std::string>()].push_back(
            FromHex(j["message"].get<std::string>()));
    }
    return messages;
}

class RecordedStack : public WirelessStack {
public:
    RecordedStack() {
        auto m = RecordedMessages();
        interface = ReadInterface(m["interface"].at(0));
        for (const auto& message : m["wiphy"]) AddWiphy(message, interface->wiphy, phy);
        for (const auto& message : m["scan"]) bss.push_back(*ReadBss(message));
        for (const auto& message : m["station"]) stations.push_back(*ReadStation(message));
        regulatory = ReadRegulatory(m["regulatory"].at(0));
    }

    std::optional<InterfaceInfo> Interface() override { return present ? interface : std::nullopt; }
    std::optional<PhyInfo> Phy(uint32_t) override { return phy; }
    int TriggerScan(uint32_t, const std::vector<uint32_t>& frequencies) override {
        scans.push_back(frequencies);
        return scanResult;
    }
    std::optional<std::vector<BssRecord>> ScanResults(uint32_t) override { return bss; }
    std::vector<StationInfo> Stations(uint32_t) override { return stations; }
    std::optional<RegulatoryDomain> Regulatory() override { return regulatory; }
    std::optional<RadioSwitch> Radio(uint32_t) override { return radio; }
    int SetSoftBlocked(uint32_t, bool blocked) override {
        radio.softBlocked = blocked;
        return 0;
    }
    int SetWiphy(uint32_t, const WiphySettings& s) override {
        wiphySettings.push_back(s);
        return 0;
    }
    int SetPowerSave(uint32_t, bool enabled) override {
        powerSave = enabled;
        return 0;
    }

    bool present = true;
    std::optional<InterfaceInfo> interface;
    PhyInfo phy;
    std::vector<BssRecord> bss;
    std::vector<StationInfo> stations;
    std::optional<RegulatoryDomain> regulatory;
    RadioSwitch radio;
    int scanResult = 0;
    std::vector<std::vector<uint32_t>> scans;
    std::vector<WiphySettings> wiphySettings;
    std::optional<bool> powerSave;
};

// Answers PING, STATUS (the recorded COMPLETED status, or `status`),
// LIST_NETWORKS, ADD_NETWORK ("0") and GET_NETWORK n id_str from its
// members, FAIL to the commands in `refuse`, OK to the rest.
class ScriptedSupplicant : public Supplicant {
public:
    std::optional<std::string> Request(std::string_view command) override {
        commands.emplace_back(command);
        if (!reachable) return std::nullopt;
        const std::string c(command);
        if (refuse.count(c)) return "FAIL\n";
        if (c == "PING") return "PONG\n";
        if (c == "STATUS") return status;
        if (c == "LIST_NETWORKS") return networks;
        if (c == "ADD_NETWORK") return "0\n";
        if (c.rfind("GET_NETWORK ", 0) == 0) {
            const auto it = idStrs.find(std::stoi(c.substr(12)));
            return it == idStrs.end() ? "FAIL\n" : it->second + "\n";
        }
        return "OK\n";
    }
    std::string Problem() const override {
        return "no wpa_supplicant control socket at /run/wpa_supplicant/wlan4";
    }

    // The commands since the last call, each SET_NETWORK shortened to "name value".
    std::vector<std::string> Take() {
        std::vector<std::string> out;
        for (std::string& c : commands)
            out.push_back(c.rfind("SET_NETWORK 0 ", 0) == 0 ? c.substr(14) : c);
        commands.clear();
        return out;
    }

    bool reachable = true;
    std::string status = "wpa_state=DISCONNECTED\naddress=02:00:00:00:04:00\n";
    std::string networks = "network id / ssid / bssid / flags\n";
    std::map<int, std::string> idStrs;
    std::set<std::string> refuse;
    std::vector<std::string> commands;
};

}  // namespace corvane::nl80211::test
