#include "platform/ConsoleUser.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

#include "platform/RegularFile.h"

namespace platform {
namespace {

std::optional<std::string> UserName(uid_t uid) {
    if (passwd* pw = getpwuid(uid); pw && pw->pw_name) return std::string(pw->pw_name);
    return std::to_string(uid);
}

// A seat's file holds a few short lines.
constexpr size_t kMaxSeatFileBytes = 64 * 1024;

// logind keeps one key=value file per seat; ACTIVE_UID names the owner of
// the seat's active session.
std::optional<std::string> ActiveSeatUser(const std::string& runDirectory) {
    std::istringstream seat(
        ReadRegularFile(runDirectory + "/seats/seat0", kMaxSeatFileBytes).bytes);
    std::string line;
    while (std::getline(seat, line)) {
        if (line.rfind("ACTIVE_UID=", 0) != 0) continue;
        char* end = nullptr;
        unsigned long uid = std::strtoul(line.c_str() + 11, &end, 10);
        if (end && *end == '\0' && end != line.c_str() + 11) return UserName(uid_t(uid));
    }
    return std::nullopt;
}

bool Set(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}

}  // namespace

std::optional<std::string> CopyConsoleUser(const std::string& runDirectory) {
    if (auto user = ActiveSeatUser(runDirectory)) return user;
    if (Set("DISPLAY") || Set("WAYLAND_DISPLAY") || Set("QT_QPA_PLATFORM"))
        return UserName(getuid());
    return std::nullopt;
}

}  // namespace platform
