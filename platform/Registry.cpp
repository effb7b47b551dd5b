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

std::string SystemRegistryFolder() {
    if (const char* v = std::getenv("CORVANE_SYSTEM_IOREGISTRY"); v && *v) return v;
    return "/run/corvane-ioregistry";
}

std::vector<std::string> RegistryFolders() {
    std::vector<std::string> folders{RegistryFolder()};
    const char* own = std::getenv("CORVANE_IOREGISTRY");
    if (!(own && *own) && SystemRegistryFolder() != folders.front())
        folders.push_back(SystemRegistryFolder());
    return folders;
}

bool RegistryFolderIsTrusted(uid_t owner, mode_t mode, uid_t user) {
    return S_ISDIR(mode) && (owner == 0 || owner == user) && (mode & 0022) == 0;
}

bool RegistryFolderIsTrusted(const std::string& folder) {
    struct stat st {};
    return lstat(folder.c_str(), &st) == 0 &&
           RegistryFolderIsTrusted(st.st_uid, st.st_mode, getuid());
}

bool EnsureRegistryFolder(const std::string& folder, const Publication& publication) {
    const mode_t wanted = publication.shared ? 0755 : 0700;
    if (mkdir(folder.c_str(), wanted) != 0 && errno != EEXIST) return false;
    struct stat st {};
    if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid())
        return false;
    // A folder someone else can write to could hold a service that is not ours.
    if ((st.st_mode & 07777) != wanted && chmod(folder.c_str(), wanted) != 0) return false;
    return true;
}

bool PublishServiceSocket(const std::string& path, const Publication& publication) {
    if (!publication.shared) return true;
    if (publication.group && chown(path.c_str(), uid_t(-1), *publication.group) != 0) return false;
    return chmod(path.c_str(), publication.group ? 0660 : 0666) == 0;
}

std::string ServiceSocketPath(const std::string& folder, const std::string& className,
                              const std::string& instance) {
    return folder + "/" + className + "@" + instance;
}

std::vector<std::string> FindServiceSockets(const std::string& folder,
                                            const std::string& className) {
    std::vector<std::string> found;
    if (className.empty()) return found;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return found;
    const std::string prefix = className + "@";
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        std::string path = folder + "/" + name;
        struct stat st {};
        if (lstat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode)) found.push_back(path);
    }
    closedir(dir);
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace platform
