#include "profiles/PreferenceFiles.h"

#include <plist/plist.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <tuple>

#include "platform/RegularFile.h"
#include "platform/SystemInfo.h"
#include "platform/Translate.h"
#include "profiles/AtomicFile.h"
#include "profiles/PlistScan.h"
#include "profiles/PlistXml.h"

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

AdvancedSettingValues ReadAdvancedSettingValues(const PrefDictionary& record) {
    return {IntValue(record, kKeyTxRate), IntValue(record, kKeyBgProtection),
            IntValue(record, kKeyTxBurst), IntValue(record, kKeyAdHocMode),
            IntValue(record, kKeyWirelessMode)};
}

PrefDictionary AdvancedSettingsRecord(const AdvancedSettingValues& v) {
    PrefDictionary record;
    record.Set(kKeyTxRate, FormatInt(v.txRate));
    record.Set(kKeyBgProtection, FormatInt(v.bgProtection));
    record.Set(kKeyTxBurst, FormatInt(v.txBurst));
    record.Set(kKeyAdHocMode, FormatInt(v.adHocMode));
    record.Set(kKeyWirelessMode, FormatInt(v.wirelessMode));
    return record;
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

class AtomicPreferenceWriter : public PreferenceWriter {
public:
    bool Replace(const std::string& path, std::string_view bytes) override {
        return ReplaceFile(path, bytes, {});
    }
};

PreferenceWriter* g_writer = nullptr;

PreferenceWriter& CurrentPreferenceWriter() {
    static AtomicPreferenceWriter atomic;
    return g_writer ? *g_writer : atomic;
}

std::function<void(const UnreadablePreference&)>& Notifier() {
    static std::function<void(const UnreadablePreference&)> notifier;
    return notifier;
}

void LogUnreadable(const UnreadablePreference& notice) {
    platform::SystemLog("%s", DescribeUnreadablePreference(notice).c_str());
}

// Moves the file aside when it is one to keep, and tells whoever listens.
void ReportUnreadable(const std::string& path, const FileIdentity& identity, std::string reason) {
    // Files left in place, reported already: (path, device, inode).
    static std::set<std::tuple<std::string, uint64_t, uint64_t>> reported;
    const MoveAsideResult moved = MoveAside(path, identity);
    if (moved.outcome == MoveAsideResult::Outcome::kGone) return;  // not the file we read
    if (moved.outcome == MoveAsideResult::Outcome::kLeftInPlace &&
        !reported.emplace(path, identity.device, identity.inode).second)
        return;
    const UnreadablePreference notice{path, moved.movedTo, std::move(reason)};
    if (Notifier())
        Notifier()(notice);
    else
        LogUnreadable(notice);
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
        case PLIST_DATA: {  // how a value that is not XML text is written
            uint64_t length = 0;
            const char* p = plist_get_data_ptr(node, &length);
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

// `nul` lists the entries libplist cannot give in full (null when there are
// none): those whose key holds a NUL are passed over by position, their keys
// never fetched, as libplist aborts when asked for one; string values holding
// a NUL are taken from the scan, as libplist would cut them there.
PrefDictionary DictionaryFromNode(plist_t dict, const NulEntries* nul) {
    PrefDictionary out;
    // Positions are only meaningful if libplist kept every entry in order.
    if (nul && plist_dict_get_size(dict) != nul->entryCount) return out;
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(dict, &it);
    if (!it) return out;
    size_t nextNulValue = 0;
    for (uint32_t position = 0;; ++position) {
        plist_t value = nullptr;
        plist_dict_next_item(dict, it, nullptr, &value);
        if (!value) break;
        if (nul && std::binary_search(nul->keys.begin(), nul->keys.end(), position)) continue;
        char* key = nullptr;
        plist_get_key_val(plist_dict_item_get_key(value), &key);
        std::string text;
        bool known = false;
        if (nul) {
            const auto& values = nul->values;
            while (nextNulValue < values.size() && values[nextNulValue].first < position)
                ++nextNulValue;
            if (nextNulValue < values.size() && values[nextNulValue].first == position) {
                text = values[nextNulValue].second;
                known = true;
            }
        }
        if (!known) known = ValueText(value, text);
        if (key && IsXmlText(key) && known) out.Set(key, std::move(text));
        std::free(key);
    }
    std::free(it);
    return out;
}

}  // namespace

std::string ParsePreferenceArray(const std::string& bytes, PrefArray& out) {
    const PlistScan scan = ScanPropertyList(bytes);
    if (!scan.problem.empty()) return scan.problem;
    plist_t parsed = nullptr;
    plist_from_memory(bytes.data(), uint32_t(bytes.size()), &parsed);
    PlistPtr root(parsed);
    if (!root) return Tr("PreferenceFiles", "it is not a property list");
    if (plist_get_node_type(root.get()) != PLIST_ARRAY)
        return Tr("PreferenceFiles", "its top level is not an array");
    const uint32_t count = plist_array_get_size(root.get());
    auto nul = scan.nulEntries.begin();
    for (uint32_t i = 0; i < count; ++i) {
        while (nul != scan.nulEntries.end() && nul->element < i) ++nul;
        plist_t item = plist_array_get_item(root.get(), i);
        if (item && plist_get_node_type(item) == PLIST_DICT)
            out.push_back(DictionaryFromNode(
                item, nul != scan.nulEntries.end() && nul->element == i ? &*nul : nullptr));
    }
    return {};
}

std::string DescribeUnreadablePreference(const UnreadablePreference& notice) {
    if (notice.movedTo.empty())
        return FormatText(
            Tr("PreferenceFiles",
               "%1 could not be read (%2) and was left in place; it counts as empty."),
            {notice.path, notice.reason});
    return FormatText(
        Tr("PreferenceFiles", "%1 could not be read (%2) and was moved to %3; it counts as empty."),
        {notice.path, notice.reason, notice.movedTo});
}

void SetUnreadablePreferenceNotifier(std::function<void(const UnreadablePreference&)> notifier) {
    Notifier() = std::move(notifier);
}

void SetPreferenceWriter(PreferenceWriter* writer) { g_writer = writer; }

PrefArray ReadPreferenceArray(std::string_view path) {
    const std::string file = ExpandTilde(path);
    // Readers sweep too: a writer killed between naming its content and the
    // rename would otherwise leave that copy of the keys until the next write,
    // and the agent reads at every tick.
    SweepStaleTemporaries(file);
    platform::FileContents contents = platform::ReadRegularFile(file, kMaxPreferenceFileSize);
    PrefArray out;
    std::string problem;
    switch (contents.outcome) {
        case platform::FileContents::Outcome::kMissing:
            return out;
        case platform::FileContents::Outcome::kUnreadable:
            problem = std::move(contents.problem);
            break;
        case platform::FileContents::Outcome::kRead:
            if (contents.bytes.empty()) return out;  // nothing in it to keep
            problem = ParsePreferenceArray(contents.bytes, out);
            break;
    }
    if (problem.empty()) return out;
    ReportUnreadable(file, contents.identity, std::move(problem));
    return {};
}

bool WritePreferenceArray(std::string_view path, const PrefArray& array) {
    const std::string target = ExpandTilde(path);
    const size_t slash = target.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !CreateFolders(target.substr(0, slash)))
        return false;
    const std::optional<std::string> xml = PreferenceXml(array);
    if (!xml) return false;
    SweepStaleTemporaries(target);
    return CurrentPreferenceWriter().Replace(target, *xml);
}

bool RemovePreferenceFile(std::string_view path) { return RemoveFile(ExpandTilde(path)); }

}  // namespace corvane
