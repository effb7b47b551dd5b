// Importing profiles from files: our own property list (an export, or
// another user's Profile.plist), wpa_supplicant network blocks and
// NetworkManager keyfiles. Every profile read is held to the rules a profile
// the editor stores meets (its network name, its security choices, and its
// keys through the key rules), then added to the stored list under a name
// that is free, and the list is written once, atomically, under the
// preference lock: an import that fails leaves the stored profiles as they
// were. The window's Import… and `corvane profiles import` share this.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "exchange/ImportEntry.h"
#include "profiles/PreferenceFiles.h"

namespace corvane {

// Files larger than this are not read.
inline constexpr size_t kMaxImportFileSize = 1024 * 1024;

enum class ImportFormat { kPropertyList, kWpaSupplicant, kNmKeyfile };

// By the content, not the name: a property list begins with "<" (XML) or
// "bplist" (binary); a keyfile's first line that is not blank or a comment
// is a [group]; anything else is read as a wpa_supplicant configuration.
ImportFormat DetectImportFormat(std::string_view bytes);

// The profiles of a property list whose top level is an array of
// dictionaries: each dictionary's known keys over the editor's new profile
// (other keys are dropped).
ImportFile ReadPropertyListProfiles(std::string_view bytes);

// The file's networks in the format it is in.
ImportFile ReadImportBytes(std::string_view bytes);

// Brings an imported profile into the form the editor stores (every key
// present; numbers in their ranges; a BSSID of 12 upper-case hexadecimal
// digits or none; "Hidden" only for an infrastructure network; an
// infrastructure network's channel "1") and checks what a stored profile
// must meet: an SSID of 1 to 32 bytes, a known network type, authentication
// and encryption, open authentication for an ad hoc network on channel 1 to
// 14, and keys that pass the key rules (the rule's alert text is the
// reason). Nothing when it passes.
std::optional<std::string> ImportedProfileProblem(PrefDictionary& profile);

// A free name for `name` among `records`: the name with the next number after
// its trailing digits ("Home" → "Home2", "Home2" → "Home3" when Home3 is
// not taken ...); a name made of "PROF" and digits (or of digits only) gets
// the editor's next "PROF" name.
std::string FreeProfileName(const std::string& name, const PrefArray& records);

struct ImportedProfile {
    std::string name;
    std::string ssid;
    std::string renamedFrom;  // the name in the file, when another was taken
    bool replaced = false;    // it replaced the stored profile of that name
};

struct SkippedProfile {
    std::string file;
    std::string origin;
    std::string ssid;
    std::string reason;
};

struct ImportMerge {
    PrefArray records;  // the stored list with the imported profiles
    std::vector<ImportedProfile> imported;
    std::vector<SkippedProfile> skipped;
    std::vector<size_t> replacedRows;  // rows of the stored list that were replaced
};

// The imported profiles added to `stored` in file order. A profile whose
// name is stored already gets a free name, or with `replace` takes that
// stored profile's place (once per stored profile; a second one of the same
// name in the files gets a free name). A profile without a name gets the
// editor's next "PROF" name.
ImportMerge MergeImport(const PrefArray& stored,
                        const std::vector<std::pair<std::string, ImportFile>>& files, bool replace);

struct ImportReport {
    enum class Result {
        kStored,      // the imported profiles are stored
        kNothing,     // no profile could be imported; nothing was written
        kUnreadable,  // a file could not be read as any format; nothing was written
        kFailed,      // the profile file could not be written (or the lock was not had)
    };
    Result result = Result::kNothing;
    std::string problem;  // kUnreadable: "<file>: <why>"
    std::vector<ImportedProfile> imported;
    std::vector<SkippedProfile> skipped;
};

// Reads every file, merges them into the profile file as it is now and
// writes it, under the preference lock. When a replaced profile is the one
// the active record was made from, the active record follows it (the profile
// file is put back should that second write fail).
ImportReport ImportProfileFiles(const std::vector<std::string>& paths, bool replace);

// One line per imported and per skipped profile, for a person.
std::vector<std::string> DescribeImport(const ImportReport& report);

// Writes the stored profile list to `path` as a property list in the
// preference file's format (mode 0600: it holds the keys), replacing what is
// there atomically. The number of profiles written, or nothing when the
// file could not be written.
std::optional<size_t> ExportProfiles(const std::string& path);

}  // namespace corvane
