// The control side of the simulated air: its live state as JSON and the
// commands that stand for things done to the hardware (plug, switches,
// moving networks in and out of range). "status" is the driver core's.
#include <charconv>

#include "driver/ControlLine.h"
#include "driver/sim/SimAir.h"

namespace corvane::sim {

namespace {

using driver::NextWord;
using nlohmann::json;

json Fail(const std::string& why) { return {{"ok", false}, {"error", why}}; }
json Ok() { return {{"ok", true}}; }

std::optional<bool> OnOff(std::string_view word) {
    if (word == "on") return true;
    if (word == "off") return false;
    return std::nullopt;
}

}  // namespace

json SimAir::Status() {
    if (present_) Tick();
    const bool associated = present_ && Associated();
    const NetworkSpec& n = association_.network;
    return {
        {"present", present_},
        {"associated", associated},
        {"joining", present_ && association_.phase == Phase::Joining},
        {"ssid", associated ? n.ssid : ""},
        {"bssid", associated ? FormatMacColons(n.bssid) : ""},
        {"channel", associated ? ChannelOfFrequency(n.frequencyKhz) : 0},
        {"own_adhoc", associated && association_.own},
        {"radio", RadioOn()},
        {"hw_radio", environment_.adapter.hwRadio},
        {"eeprom_error", environment_.adapter.eepromError},
        {"scanning", scanning_},
        {"scans", scansStarted_},
        {"networks", environment_.networks.size()},
    };
}

json SimAir::Control(std::string_view line) {
    std::string_view rest = driver::TrimBlanks(line);
    const std::string_view command = NextWord(rest);
    rest = driver::TrimBlanks(rest);
    const bool noArgs = rest.empty();

    if (command == "plug" && noArgs) return Plug(), Ok();
    if (command == "unplug" && noArgs) return Unplug(), Ok();
    if (command == "restart" && noArgs) return Restart(), Ok();
    if (command == "radio" || command == "eeprom-error") {
        std::optional<bool> on = OnOff(rest);
        if (!on) return Fail(std::string(command) + " takes on or off");
        if (command == "radio")
            SetHardwareRadio(*on);
        else
            SetEepromError(*on);
        return Ok();
    }
    if (command == "rssi") {
        std::optional<MacAddress> bssid = ParseMac(NextWord(rest));
        const std::string_view dbmText = driver::TrimBlanks(rest);
        int dbm = 0;
        auto [end, ec] = std::from_chars(dbmText.data(), dbmText.data() + dbmText.size(), dbm);
        if (!bssid || ec != std::errc() || end != dbmText.data() + dbmText.size() ||
            dbmText.empty() || dbm < -120 || dbm > 0)
            return Fail("usage: rssi AA:BB:CC:DD:EE:FF DBM (DBM -120..0)");
        if (!SetRssi(*bssid, dbm)) return Fail("no network with that BSSID");
        return Ok();
    }
    if (command == "add-network") {
        std::string why;
        std::optional<NetworkSpec> n = ParseNetwork(rest, &why);
        if (!n) return Fail(why);
        if (!AddNetwork(std::move(*n), &why)) return Fail(why);
        return Ok();
    }
    if (command == "remove-network") {
        std::optional<MacAddress> bssid = ParseMac(rest);
        if (!bssid) return Fail("usage: remove-network AA:BB:CC:DD:EE:FF");
        if (!RemoveNetwork(*bssid)) return Fail("no network with that BSSID");
        return Ok();
    }
    if (command.empty()) return Fail("empty command");
    return RadioBackend::Control(line);
}

}  // namespace corvane::sim
