// The three preference files shared by the pane and the agent: the profile
// list, the active profile and the advanced radio settings. Each is a
// property list whose top level is an array of dictionaries of strings.
//
// Reading never fails: a missing, unreadable, oversized or malformed file is
// an empty array. Writing replaces the whole file atomically and keeps it
// readable by the user only, since it holds WEP keys and WPA passphrases.
//
// Nothing is destroyed unread: a file that exists but cannot be read is moved
// aside (see UnreadablePreference) before it counts as empty, so the next
// write cannot replace it, and the user is told once.
//
// Values are byte strings and are written back exactly as they were read.
// A value that XML 1.0 can carry as text is a <string> element, as every
// reader of these files expects; any other value (one holding a NUL or
// another control character, or bytes that are not UTF-8, as an SSID may) is
// a <data> element holding its bytes, and a <data> element reads back as the
// string of those bytes. Keys have no such fallback: a dictionary entry whose
// key is not XML text is left out when read, and a write that is given one
// fails. Every key this system uses is plain ASCII.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

// Paths before home-folder expansion; "~" is replaced by $HOME each time a
// file is opened.
inline constexpr const char* kProfileListPath = "~/Library/Preferences/Profile.plist";
inline constexpr const char* kActiveProfilePath =
    "~/Library/Preferences/ActiveProfileSetting.plist";
inline constexpr const char* kAdvancedSettingPath =
    "~/Library/Preferences/AdvancedProfileSetting.plist";

// Keys of the profile and active-profile dictionaries.
inline constexpr const char* kKeyProfileName = "Profile Name";
inline constexpr const char* kKeySsid = "SSID";
inline constexpr const char* kKeyBssid = "BSSID";
inline constexpr const char* kKeyHidden = "Hidden";
inline constexpr const char* kKeyNetworkType = "Network Type";
inline constexpr const char* kKeyChannel = "Channel";
inline constexpr const char* kKeyAuthenticationType = "Authentication Type";
inline constexpr const char* kKeyEncryptionType = "Encryption Type";
inline constexpr const char* kKeyWepKey[4] = {"WEPKey1", "WEPKey2", "WEPKey3", "WEPKey4"};
inline constexpr const char* kKeyWepKeyType[4] = {"WEPKey1 Type", "WEPKey2 Type", "WEPKey3 Type",
                                                  "WEPKey4 Type"};
inline constexpr const char* kKeyWepKeyUse = "WEPKeyUse";
inline constexpr const char* kKeyWpaPsk = "WPAPSK";
inline constexpr const char* kKeyTxPower = "Tx Power";
inline constexpr const char* kKeyPreambleType = "Preamble Type";
inline constexpr const char* kKeyRtsThreshold = "RTS Threshold";
inline constexpr const char* kKeyFragThreshold = "Fragmentation Threshold";
inline constexpr const char* kKeyPowerSaveMode = "Power Save Mode";
inline constexpr const char* kKeyAcPowerCam = "AC Power CAM";
inline constexpr const char* kKeyActiveProfileFlag = "Active Profile Flag";
inline constexpr const char* kActiveYes = "YES";
inline constexpr const char* kActiveNo = "NO";

// Keys of the advanced-settings dictionary.
inline constexpr const char* kKeyTxRate = "Tx Rate";
inline constexpr const char* kKeyBgProtection = "BG Protection";
inline constexpr const char* kKeyTxBurst = "Tx Burst";
inline constexpr const char* kKeyAdHocMode = "Ad Hoc Mode";
inline constexpr const char* kKeyWirelessMode = "Wireless Mode";

// A dictionary of string values. Readers look keys up by name; entries keep
// their insertion order so that a written file is deterministic.
class PrefDictionary {
public:
    using Entry = std::pair<std::string, std::string>;

    PrefDictionary() = default;
    PrefDictionary(std::initializer_list<Entry> entries);

    // Null when the key is absent.
    const std::string* Find(std::string_view key) const;
    // The value, or an empty string when the key is absent.
    std::string Value(std::string_view key) const;
    bool Contains(std::string_view key) const { return Find(key) != nullptr; }
    // Replaces the value in place, or appends a new entry.
    void Set(std::string_view key, std::string value);
    void Remove(std::string_view key);

    const std::vector<Entry>& Entries() const { return entries_; }
    size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }

    bool operator==(const PrefDictionary& other) const = default;

private:
    std::vector<Entry> entries_;
};

using PrefArray = std::vector<PrefDictionary>;

// Files larger than this are treated as unreadable.
inline constexpr size_t kMaxPreferenceFileSize = 4 * 1024 * 1024;

// A preference file that exists but could not be read: larger than
// kMaxPreferenceFileSize, not a property list, nested too deeply, an array
// not at its top level, not a regular file, or not to be opened. It counts as
// an empty array. A regular file has been moved aside first, to
// "<path>.unreadable-YYYYMMDD-HHMMSS" (mode 0600, never replacing an earlier
// one); anything else (a FIFO, a device, a folder) holds nothing to keep and
// is left where it is. An empty file is just empty: there is nothing to keep.
struct UnreadablePreference {
    std::string path;     // the file, home folder expanded
    std::string movedTo;  // where it is kept now; empty when left in place
    std::string reason;   // for a person: "it is larger than 4 MiB"
};

// One sentence for a person, naming the file, the reason and where it is.
std::string DescribeUnreadablePreference(const UnreadablePreference& notice);

// Who is told. Each unreadable file is reported once: a moved file is gone
// from its path, and one left in place is remembered for the life of the
// process. The default writes the description to the system log; an empty
// function restores it.
void SetUnreadablePreferenceNotifier(std::function<void(const UnreadablePreference&)> notifier);

// "~" or "~/..." expanded with $HOME (or the password database when HOME is
// unset); other paths unchanged.
std::string ExpandTilde(std::string_view path);

// Reads an XML or binary property list. Elements of the top-level array that
// are not dictionaries are skipped; inside a dictionary, string and data
// values are taken as their bytes, integers as their decimal text, booleans
// as "1"/"0" and reals in "%g" form; dates, arrays and dictionaries are left
// out (read as missing keys). The file is opened without blocking and read
// only when it is a regular file; its nesting and size are checked before it
// is parsed. Temporaries a killed writer left beside the file are removed
// first, as before a write.
PrefArray ReadPreferenceArray(std::string_view path);

// The parsing step of ReadPreferenceArray on bytes already read: fills
// `out` and returns an empty text, or returns why the bytes are not a
// readable preference array ("its top level is not an array", ...).
std::string ParsePreferenceArray(const std::string& bytes, PrefArray& out);

// Writes `array` as an XML property list (see PlistXml.h) that replaces the
// old file atomically, flushed to disk with its folder (see ReplaceFile in
// AtomicFile.h: a killed writer leaves a temporary only when killed in the
// instant before the rename, and each read and write first removes such
// leftovers).
// The file has mode 0600; a missing ~/Library/Preferences is created with
// mode 0700. On any failure the old file is left as it was and the result is
// false.
bool WritePreferenceArray(std::string_view path, const PrefArray& array);

// Removes the file, which then reads as an empty array. Needs no room on
// the disk, so it can empty a file where a write of "[]" would fail. True
// when the file is gone (or was never there).
bool RemovePreferenceFile(std::string_view path);

// The leading integer of a text: white space skipped, optional sign, digits
// up to the first other character, saturated to the int32 range; 0 when the
// text does not start with a number.
int32_t LeadingInteger(std::string_view text);
// LeadingInteger of the key's value; 0 when the key is absent.
int32_t IntValue(const PrefDictionary& dict, std::string_view key);
// "%d".
std::string FormatInt(int32_t value);

// The five advanced radio settings, as element 0 of AdvancedProfileSetting.plist
// holds them; the page and the agent both read and write them.
struct AdvancedSettingValues {
    int32_t txRate = 0;
    int32_t bgProtection = 0;
    int32_t txBurst = 1;
    int32_t adHocMode = 1;
    int32_t wirelessMode = 0;
};
AdvancedSettingValues ReadAdvancedSettingValues(const PrefDictionary& record);
PrefDictionary AdvancedSettingsRecord(const AdvancedSettingValues& values);

// True when the array is not empty and element 0's "Active Profile Flag" is
// exactly "YES".
bool IsActiveRecord(const PrefArray& array);

// Single-record files: replaces element 0, or appends to an empty array.
void ReplaceFirstOrAppend(PrefArray& array, PrefDictionary record);

// The last step of WritePreferenceArray: putting a file's complete new
// content in place. The default replaces the file atomically (ReplaceFile in
// AtomicFile.h); a writer installed instead sees every write of the three
// files, e.g. to keep them elsewhere or, in tests, to fail a write on demand.
class PreferenceWriter {
public:
    virtual ~PreferenceWriter() = default;
    // Replaces the file at `path` (home folder expanded, its folder made)
    // with `bytes`, mode 0600; on failure the old file is left as it was and
    // the result is false.
    virtual bool Replace(const std::string& path, std::string_view bytes) = 0;
};

void SetPreferenceWriter(PreferenceWriter* writer);  // nullptr restores the default

// Installs a writer for the lifetime of the guard.
class ScopedPreferenceWriter {
public:
    explicit ScopedPreferenceWriter(PreferenceWriter& w) { SetPreferenceWriter(&w); }
    ~ScopedPreferenceWriter() { SetPreferenceWriter(nullptr); }
    ScopedPreferenceWriter(const ScopedPreferenceWriter&) = delete;
    ScopedPreferenceWriter& operator=(const ScopedPreferenceWriter&) = delete;
};

}  // namespace corvane
