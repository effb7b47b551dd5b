#include "pane/BundleInfo.h"

#include <fcntl.h>
#include <plist/plist.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "adapter/Globals.h"

namespace corvane {
namespace {

// Information files are a few kilobytes; anything far larger is not one.
constexpr size_t kMaxInfoPlistBytes = 1024 * 1024;

// The whole file, or nullopt. Opened without blocking so that a FIFO in its
// place cannot hang the window.
std::optional<std::vector<char>> ReadSmallRegularFile(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || size_t(st.st_size) > kMaxInfoPlistBytes) {
        close(fd);
        return std::nullopt;
    }
    std::vector<char> bytes;
    char chunk[4096];
    for (;;) {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0) {
            close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + n);
        if (bytes.size() > kMaxInfoPlistBytes) {
            close(fd);
            return std::nullopt;
        }
    }
    close(fd);
    return bytes;
}

}  // namespace

std::string BundleInfoPath(const std::string& bundlePath) {
    std::string path = bundlePath;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path + "/Contents/Info.plist";
}

std::optional<std::string> InfoPlistString(const std::string& infoPlistPath, const char* key) {
    auto bytes = ReadSmallRegularFile(infoPlistPath);
    if (!bytes || bytes->empty()) return std::nullopt;
    plist_t root = nullptr;
    plist_from_memory(bytes->data(), uint32_t(bytes->size()), &root);
    if (!root) return std::nullopt;
    std::optional<std::string> value;
    if (plist_get_node_type(root) == PLIST_DICT) {
        plist_t item = plist_dict_get_item(root, key);
        if (item && plist_get_node_type(item) == PLIST_STRING) {
            uint64_t length = 0;
            const char* text = plist_get_string_ptr(item, &length);
            if (text) value.emplace(text, size_t(length));
        }
    }
    plist_free(root);
    return value;
}

void RecordPaneVersion(const std::string& bundlePath) {
    std::string version =
        InfoPlistString(BundleInfoPath(bundlePath), kBundleShortVersionKey).value_or("");
    const size_t n = std::min(version.size(), sizeof VelaConfigVerChar - 1);
    std::memset(VelaConfigVerChar, 0, sizeof VelaConfigVerChar);
    std::memcpy(VelaConfigVerChar, version.data(), n);
}

}  // namespace corvane
