// The machine's rfkill switches as sysfs shows them (readable by every
// user), and unblocking one of them through /dev/rfkill (which the desktop
// gives the user at the console, as it does for the desktop's own Wi-Fi
// switch). No root needed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane::nm {

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
    // 0, or a negative errno.
    int Unblock(uint32_t index) const;

private:
    std::string root_;
    std::string device_;
};

}  // namespace corvane::nm
