#include "profiles/PreferenceFiles.h"

#include <fcntl.h>
#include <plist/plist.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace corvane {

// --- dictionary ------------------------------------------------------------

PrefDictionary::PrefDictionary(std::initializer_list<Entry> entries) {
    for (const Entry& e : entries) Set(e.first, e.second);
}

const std::string* PrefDictionary::Find(std::string_view key) const {
    for (const Entry& e : entries_)
        if (e.first == key) return &e.second;
    return nullptr;
}

std::string PrefDictionary::Value(std::string_view key) const {
    const std::string* v = Find(key);
    return v ? *v : std::string();
}

void PrefDictionary::Set(std::string_view key, std::string value) {
    for (Entry& e : entries_) {
        if (e.first == key) {
            e.second = std::move(value);
            return;
        }
    }
    entries_.emplace_back(std::string(key), std::move(value));
}

void PrefDictionary::Remove(std::string_view key) {
    std::erase_if(entries_, [&](const Entry& e) { return e.first == key; });
}

// --- values ----------------------------------------------------------------

int32_t LeadingInteger(std::string_view text) {
    size_t i = 0;
    auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    };
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t(INT32_MAX) + 1)
            value = int64_t(INT32_MAX) + 1;  // saturate, no overflow
    }
    if (negative) return value > int64_t(INT32_MAX) ? INT32_MIN : int32_t(-value);
    return value > INT32_MAX ? INT32_MAX : int32_t(value);
}

int32_t IntValue(const PrefDictionary& dict, std::string_view key) {
    const std::string* v = dict.Find(key);
    return v ? LeadingInteger(*v) : 0;
}

std::string FormatInt(int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return text;
}

bool IsActiveRecord(const PrefArray& array) {
    if (array.empty()) return false;
    const std::string* flag = array[0].Find(kKeyActiveProfileFlag);
    return flag && *flag == kActiveYes;
}

void ReplaceFirstOrAppend(PrefArray& array, PrefDictionary record) {
    if (array.empty())
        array.push_back(std::move(record));
    else
        array[0] = std::move(record);
}

// --- paths -----------------------------------------------------------------

std::string ExpandTilde(std::string_view path) {
    if (path.empty() || path[0] != '~' || (path.size() > 1 && path[1] != '/'))
        return std::string(path);
    std::string home;
    if (const char* env = std::getenv("HOME"); env && *env) {
        home = env;
    } else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) {
        home = pw->pw_dir;
    }
    return home + std::string(path.substr(1));
}

namespace {

struct PlistDeleter {
    void operator()(plist_t node) const {
        if (node) plist_free(node);
    }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

std::function<bool(const std::string&)>& WriteHook() {
    static std::function<bool(const std::string&)> hook;
    return hook;
}

// The whole file, or nothing when it is missing, unreadable, not a regular
// file or larger than the cap.
bool ReadWholeFile(const std::string& path, std::string& out) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
              uint64_t(st.st_size) <= kMaxPreferenceFileSize;
    out.clear();
    char chunk[16384];
    while (ok) {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        out.append(chunk, size_t(n));
        if (out.size() > kMaxPreferenceFileSize) ok = false;  // grew while we read
    }
    close(fd);
    return ok;
}

// A dictionary value as text, or false when the kind carries no text.
bool ValueText(plist_t node, std::string& text) {
    switch (plist_get_node_type(node)) {
        case PLIST_STRING: {
            uint64_t length = 0;
            const char* p = plist_get_string_ptr(node, &length);
            text.assign(p ? p : "", p ? size_t(length) : 0);
            return true;
        }
        case PLIST_UINT: {
            // This libplist keeps every integer as 64 bits; negative numbers
            // come back in two's complement.
            uint64_t v = 0;
            plist_get_uint_val(node, &v);
            text = std::to_string(int64_t(v));
            return true;
        }
        case PLIST_BOOLEAN: {
            uint8_t v = 0;
            plist_get_bool_val(node, &v);
            text = v ? "1" : "0";
            return true;
        }
        case PLIST_REAL: {
            double v = 0;
            plist_get_real_val(node, &v);
            char buf[32];
            std::snprintf(buf, sizeof buf, "%g", v);
            text = buf;
            return true;
        }
        default:
            return false;
    }
}

PrefDictionary DictionaryFromNode(plist_t dict) {
    PrefDictionary out;
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(dict, &it);
    if (!it) return out;
    for (;;) {
        char* key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(dict, it, &key, &value);
        if (!value) {
            std::free(key);
            break;
        }
        std::string text;
        if (key && ValueText(value, text)) out.Set(key, std::move(text));
        std::free(key);
    }
    std::free(it);
    return out;
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

// Creates the missing folders of `dir` with mode 0700.
bool EnsureFolder(const std::string& dir) {
    if (dir.empty()) return true;
    struct stat st;
    if (stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    size_t slash = dir.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !EnsureFolder(dir.substr(0, slash)))
        return false;
    return mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
}

void SyncFolder(const std::string& dir) {
    int fd = open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

std::string SerializeXml(const PrefArray& array) {
    PlistPtr root(plist_new_array());
    for (const PrefDictionary& dict : array) {
        plist_t node = plist_new_dict();
        for (const auto& [key, value] : dict.Entries())
            plist_dict_set_item(node, key.c_str(), plist_new_string(value.c_str()));
        plist_array_append_item(root.get(), node);
    }
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    std::string out;
    if (xml) {
        out.assign(xml, length);
        plist_to_xml_free(xml);
    }
    return out;
}

}  // namespace

void SetPreferenceWriteHookForTest(std::function<bool(const std::string& tempPath)> hook) {
    WriteHook() = std::move(hook);
}

PrefArray ReadPreferenceArray(std::string_view path) {
    PrefArray out;
    std::string data;
    if (!ReadWholeFile(ExpandTilde(path), data) || data.empty()) return out;
    plist_t parsed = nullptr;
    plist_from_memory(data.c_str(), uint32_t(data.size()), &parsed);
    PlistPtr root(parsed);
    if (!root || plist_get_node_type(root.get()) != PLIST_ARRAY) return out;
    uint32_t count = plist_array_get_size(root.get());
    for (uint32_t i = 0; i < count; ++i) {
        plist_t item = plist_array_get_item(root.get(), i);
        if (item && plist_get_node_type(item) == PLIST_DICT)
            out.push_back(DictionaryFromNode(item));
    }
    return out;
}

bool WritePreferenceArray(std::string_view path, const PrefArray& array) {
    const std::string target = ExpandTilde(path);
    const size_t slash = target.find_last_of('/');
    const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash);
    if (!EnsureFolder(dir)) return false;

    const std::string xml = SerializeXml(array);
    if (xml.empty()) return false;

    std::string temp = target + ".XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0) return false;
    // mkstemp creates the file 0600 already; say so explicitly, since these
    // files hold keys and passphrases in clear text.
    bool ok = fchmod(fd, 0600) == 0 && WriteAll(fd, xml.data(), xml.size()) && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    if (ok && WriteHook()) ok = WriteHook()(temp);
    if (ok) ok = rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }
    SyncFolder(dir);
    return true;
}

}  // namespace corvane
