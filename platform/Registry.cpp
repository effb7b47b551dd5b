#include "platform/Registry.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace platform {

std::string RegistryFolder() {
    if (const char* v = std::getenv("CORVANE_IOREGISTRY"); v && *v) return v;
    if (const char* v = std::getenv("XDG_RUNTIME_DIR"); v && *v)
        return std::string(v) + "/corvane-ioregistry";
    return "/tmp/corvane-ioregistry-" + std::to_string(getuid());
}

bool EnsureRegistryFolder(const std::string& folder) {
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat st{};
    if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid())
        return false;
    // A folder someone else can write to could hold a service that is not ours.
    if ((st.st_mode & 0077) != 0 && chmod(folder.c_str(), 0700) != 0) return false;
    return true;
}

std::string ServiceSocketPath(const std::string& folder, const std::string& className,
                              const std::string& instance) {
    return folder + "/" + className + "@" + instance;
}

std::vector<std::string> FindServiceSockets(const std::string& folder, const std::string& className) {
    std::vector<std::string> found;
    if (className.empty()) return found;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return found;
    const std::string prefix = className + "@";
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        std::string path = folder + "/" + name;
        struct stat st{};
        if (lstat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode)) found.push_back(path);
    }
    closedir(dir);
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace platform
