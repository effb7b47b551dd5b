// The machine's rfkill switches as sysfs shows them (readable by every
// user); a phy's switch is the "rfkillN" entry in its sysfs folder
// (<root>/class/ieee80211/<phy>/, the phy whose "index" file holds the
// wiphy number). Two ways to change one: its sysfs "soft" file, which needs
// root (corvane-nl80211d), and /dev/rfkill, which the desktop gives the
// user at the console as it does for its own Wi-Fi switch (corvane-nmd).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane::nl80211 {

struct RfkillSwitch {
    uint32_t index = 0;  // N of /sys/class/rfkill/rfkillN
    std::string type;    // "wlan", "bluetooth", ...
    bool soft = false;   // blocked by software
    bool hard = false;   // blocked by a hardware switch
};

class RfkillSwitches {
public:
    explicit RfkillSwitches(std::string sysfsRoot = "/sys", std::string device = "/dev/rfkill")
        : root_(std::move(sysfsRoot)), device_(std::move(device)) {}

    std::vector<RfkillSwitch> All() const;
    // The switch of the phy with this wiphy index, if it has one.
    std::optional<RfkillSwitch> OfPhy(uint32_t wiphy) const;
    // Through /dev/rfkill: 0, or a negative errno.
    int Unblock(uint32_t index) const;
    // Through the switch's sysfs file: 0, or a negative errno (-ENODEV when
    // the phy has no switch).
    int SetSoftBlocked(uint32_t wiphy, bool blocked) const;

private:
    std::string root_;
    std::string device_;
};

}  // namespace corvane::nl80211
