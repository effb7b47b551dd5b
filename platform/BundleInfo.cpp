#include "platform/BundleInfo.h"

#include <plist/plist.h>

#include "platform/RegularFile.h"

namespace platform {
namespace {

// Information files are a few kilobytes; anything far larger is not one.
constexpr size_t kMaxInfoPlistBytes = 1024 * 1024;

}  // namespace

std::string BundleInfoPath(const std::string& bundlePath) {
    std::string path = bundlePath;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path + "/Contents/Info.plist";
}

std::optional<std::string> InfoPlistString(const std::string& infoPlistPath, const char* key) {
    const FileContents file = ReadRegularFile(infoPlistPath, kMaxInfoPlistBytes);
    if (file.outcome != FileContents::Outcome::kRead || file.bytes.empty()) return std::nullopt;
    plist_t root = nullptr;
    plist_from_memory(file.bytes.data(), uint32_t(file.bytes.size()), &root);
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

}  // namespace platform
