// Shared by the preference-file tests: raw file access, hand-built binary
// property lists (libplist cannot write the odd ones), and a recorder for
// unreadable-file notices.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "profiles/PreferenceFiles.h"

namespace corvane::test {

inline void WriteRaw(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadRaw(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline mode_t ModeOf(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0) return 0;
    return st.st_mode & 07777;
}

inline std::set<std::string> FolderEntries(const std::string& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        names.insert(entry.path().filename().string());
    return names;
}

// --- binary property lists -----------------------------------------------------

inline std::string BigEndian(uint64_t v, size_t n) {
    std::string out(n, '\0');
    for (size_t i = 0; i < n; ++i) out[n - 1 - i] = char(v >> (8 * i));
    return out;
}

// An object header: type nibble and count, the count following as an integer
// object when it does not fit the nibble.
inline std::string Marker(uint8_t type, uint64_t count) {
    if (count < 15) return std::string(1, char(type << 4 | count));
    return std::string(1, char(type << 4 | 0xF)) + char(0x13) + BigEndian(count, 8);
}
inline std::string Ascii(const std::string& s) { return Marker(0x5, s.size()) + s; }
inline std::string Utf16(const std::u16string& s) {
    std::string out = Marker(0x6, s.size());
    for (char16_t c : s) out += BigEndian(c, 2);
    return out;
}
// Containers with 4-byte references; a dictionary's keys come first.
inline std::string ArrayOf(const std::vector<uint32_t>& refs) {
    std::string out = Marker(0xA, refs.size());
    for (uint32_t r : refs) out += BigEndian(r, 4);
    return out;
}
inline std::string DictOf(const std::vector<uint32_t>& keys, const std::vector<uint32_t>& values) {
    std::string out = Marker(0xD, keys.size());
    for (uint32_t r : keys) out += BigEndian(r, 4);
    for (uint32_t r : values) out += BigEndian(r, 4);
    return out;
}

// "bplist00", the objects (object `top` at the top), 4-byte offsets, trailer.
inline std::string BinaryPlist(const std::vector<std::string>& objects, uint64_t top = 0) {
    std::string out = "bplist00";
    std::vector<uint64_t> offsets;
    for (const std::string& o : objects) {
        offsets.push_back(out.size());
        out += o;
    }
    const uint64_t table = out.size();
    for (uint64_t at : offsets) out += BigEndian(at, 4);
    out += std::string(6, '\0') + char(4) + char(4);
    return out + BigEndian(objects.size(), 8) + BigEndian(top, 8) + BigEndian(table, 8);
}

inline std::string FromHex(const std::string& hex) {
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out += char(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

// Records the notices while it lives.
struct RecordedNotices {
    RecordedNotices() {
        SetUnreadablePreferenceNotifier(
            [this](const UnreadablePreference& n) { notices.push_back(n); });
    }
    ~RecordedNotices() { SetUnreadablePreferenceNotifier({}); }
    std::vector<UnreadablePreference> notices;
};

}  // namespace corvane::test
