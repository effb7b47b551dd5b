#include "driver/nl80211/RfkillSwitches.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/rfkill.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/RegularFile.h"

namespace corvane::nl80211 {
namespace {

// N of a folder entry named "rfkillN".
std::optional<uint32_t> SwitchIndex(const std::string& name) {
    if (name.size() <= 6 || name.size() > 16 || name.compare(0, 6, "rfkill") != 0 ||
        name.find_first_not_of("0123456789", 6) != std::string::npos)
        return std::nullopt;
    return uint32_t(std::stoul(name.substr(6)));
}

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.') names.emplace_back(entry->d_name);
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<RfkillSwitch> ReadSwitch(const std::string& root, uint32_t index) {
    const std::string folder = root + "/class/rfkill/rfkill" + std::to_string(index);
    const auto type = platform::ReadFirstLine(folder + "/type");
    const auto soft = platform::ReadFirstLine(folder + "/soft");
    const auto hard = platform::ReadFirstLine(folder + "/hard");
    if (!type || !soft || !hard) return std::nullopt;
    return RfkillSwitch{index, *type, *soft != "0", *hard != "0"};
}

}  // namespace

std::vector<RfkillSwitch> RfkillSwitches::All() const {
    std::vector<RfkillSwitch> switches;
    for (const std::string& name : Entries(root_ + "/class/rfkill"))
        if (const auto index = SwitchIndex(name))
            if (auto s = ReadSwitch(root_, *index)) switches.push_back(*s);
    return switches;
}

std::optional<RfkillSwitch> RfkillSwitches::OfPhy(uint32_t wiphy) const {
    const std::string phys = root_ + "/class/ieee80211";
    for (const std::string& phy : Entries(phys)) {
        if (platform::ReadFirstLine(phys + "/" + phy + "/index") != std::to_string(wiphy)) continue;
        for (const std::string& name : Entries(phys + "/" + phy))
            if (const auto index = SwitchIndex(name)) return ReadSwitch(root_, *index);
    }
    return std::nullopt;
}

int RfkillSwitches::Unblock(uint32_t index) const {
    const int fd = open(device_.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -errno;
    // The original event layout (8 bytes): every kernel takes it.
    rfkill_event event{};
    event.idx = index;
    event.op = RFKILL_OP_CHANGE;
    event.soft = 0;
    const ssize_t written = write(fd, &event, RFKILL_EVENT_SIZE_V1);
    const int error = written == ssize_t(RFKILL_EVENT_SIZE_V1) ? 0 : (written < 0 ? -errno : -EIO);
    close(fd);
    return error;
}

int RfkillSwitches::SetSoftBlocked(uint32_t wiphy, bool blocked) const {
    const std::optional<RfkillSwitch> own = OfPhy(wiphy);
    if (!own) return -ENODEV;
    const std::string path = root_ + "/class/rfkill/rfkill" + std::to_string(own->index) + "/soft";
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return -errno;
    const int result = write(fd, blocked ? "1" : "0", 1) == 1 ? 0 : -errno;
    close(fd);
    return result;
}

}  // namespace corvane::nl80211
