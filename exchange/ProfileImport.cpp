#include "exchange/ProfileImport.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "editor/KeyRules.h"
#include "editor/ProfileEditorModel.h"
#include "exchange/NmKeyfile.h"
#include "exchange/WpaSupplicantConfig.h"
#include "platform/RegularFile.h"
#include "platform/Translate.h"
#include "profiles/ActiveRecord.h"
#include "profiles/AtomicFile.h"
#include "profiles/PlistXml.h"
#include "profiles/PreferenceLock.h"
#include "profiles/ProfileList.h"
#include "profiles/StoredIndexes.h"

namespace corvane {
namespace {

// The keys a stored profile has (see NewImportedProfile).
bool IsProfileKey(std::string_view key) {
    static const PrefDictionary kTemplate = NewImportedProfile();
    return kTemplate.Contains(key);
}

bool InRange(int32_t value, int32_t low, int32_t high) { return value >= low && value <= high; }

// Bytes a terminal or an alert can show: control characters as \xNN.
std::string Shown(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else {
            out += char(c);
        }
    }
    return out;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

bool IsHexText(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c); });
}

bool NameTaken(const PrefArray& records, const std::string& name) {
    return std::any_of(records.begin(), records.end(),
                       [&](const PrefDictionary& p) { return p.Value(kKeyProfileName) == name; });
}

}  // namespace

ImportFormat DetectImportFormat(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    if (bytes.substr(0, 6) == "bplist") return ImportFormat::kPropertyList;
    size_t i = 0;
    while (i < bytes.size() && std::isspace(uint8_t(bytes[i]))) ++i;
    if (i < bytes.size() && bytes[i] == '<') return ImportFormat::kPropertyList;
    // The first line that is neither blank nor a comment.
    while (i < bytes.size()) {
        size_t end = bytes.find('\n', i);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(i, end - i);
        while (!line.empty() && std::isspace(uint8_t(line.front()))) line.remove_prefix(1);
        if (!line.empty() && line.front() != '#')
            return line.front() == '[' ? ImportFormat::kNmKeyfile : ImportFormat::kWpaSupplicant;
        i = end + 1;
    }
    return ImportFormat::kWpaSupplicant;
}

ImportFile ReadPropertyListProfiles(std::string_view bytes) {
    ImportFile file;
    PrefArray array;
    file.problem = ParsePreferenceArray(std::string(bytes), array);
    if (!file.problem.empty()) return file;
    size_t number = 0;
    for (const PrefDictionary& read : array) {
        if (++number > kMaxImportedNetworks) break;
        PrefDictionary profile = NewImportedProfile();
        for (const auto& [key, value] : read.Entries())
            if (IsProfileKey(key)) profile.Set(key, value);
        ImportEntry entry;
        entry.origin = FormatText(Tr("ProfileImport", "profile %1"), {std::to_string(number)});
        entry.ssid = profile.Value(kKeySsid);
        entry.profile = std::move(profile);
        file.entries.push_back(std::move(entry));
    }
    return file;
}

ImportFile ReadImportBytes(std::string_view bytes) {
    switch (DetectImportFormat(bytes)) {
        case ImportFormat::kPropertyList:
            return ReadPropertyListProfiles(bytes);
        case ImportFormat::kNmKeyfile:
            return ReadNmKeyfile(bytes);
        case ImportFormat::kWpaSupplicant:
            break;
    }
    return ReadWpaSupplicantConfig(bytes);
}

std::optional<std::string> ImportedProfileProblem(PrefDictionary& p) {
    const std::string ssid = p.Value(kKeySsid);
    if (ssid.empty() || ssid.size() > kSsidMaxLength)
        return Tr("ProfileImport", "its SSID is empty or longer than 32 bytes");
    const int32_t network = IntValue(p, kKeyNetworkType);
    if (!InRange(network, kNetworkAdhoc, kNetworkInfrastructure))
        return Tr("ProfileImport", "its network type is unknown");
    const int32_t auth = IntValue(p, kKeyAuthenticationType);
    const int32_t enc = IntValue(p, kKeyEncryptionType);
    if (!InRange(auth, kAuthOpen, kAuthWpa2Psk) || EncryptionText(auth, enc).empty())
        return Tr("ProfileImport", "its authentication or encryption is unknown");
    if (network == kNetworkAdhoc) {
        if (auth != kAuthOpen)
            return Tr("ProfileImport", "an ad hoc network takes open authentication only");
        const int32_t channel = IntValue(p, kKeyChannel);
        if (!InRange(channel, 1, 14))
            return Tr("ProfileImport", "its ad hoc channel is not a 2.4 GHz channel");
        p.Set(kKeyChannel, FormatInt(channel));
        p.Set(kKeyHidden, "0");
    } else {
        p.Set(kKeyChannel, "1");
        p.Set(kKeyHidden, IntValue(p, kKeyHidden) ? "1" : "0");
    }
    p.Set(kKeyNetworkType, FormatInt(network));
    p.Set(kKeyAuthenticationType, FormatInt(auth));
    p.Set(kKeyEncryptionType, FormatInt(enc));

    KeyEntryFields fields;
    fields.nAuthenType = auth;
    fields.nEncryType = enc;
    const int32_t use = IntValue(p, kKeyWepKeyUse);
    for (int slot = 0; slot < 4; ++slot) {
        const int32_t type = IntValue(p, kKeyWepKeyType[slot]);
        fields.keyText[size_t(slot)] = p.Value(kKeyWepKey[slot]);
        if (!InRange(type, kKeyTypeHex, kKeyTypeAscii)) {
            if (fields.WepInUse() && !fields.keyText[size_t(slot)].empty())
                return FormatText(Tr("ProfileImport", "its WEP key %1 has an unknown key type"),
                                  {std::to_string(slot + 1)});
        }
        fields.keyType[size_t(slot)] =
            InRange(type, kKeyTypeHex, kKeyTypeAscii) ? type : kKeyTypeHex;
        p.Set(kKeyWepKeyType[slot], FormatInt(fields.keyType[size_t(slot)]));
        fields.radio[size_t(slot)] = slot == use;
    }
    if (!InRange(use, 0, 3)) {
        if (fields.WepInUse()) return Tr("ProfileImport", "its default WEP key is not key 1 to 4");
        fields.radio = {true, false, false, false};
    }
    p.Set(kKeyWepKeyUse, FormatInt(fields.DefaultKeyIndex()));
    fields.wpaPreSharedKey = p.Value(kKeyWpaPsk);
    if (auto violation = KeyRuleViolation(fields)) return *violation;

    const int32_t txPower = IntValue(p, kKeyTxPower);
    p.Set(kKeyTxPower, FormatInt(InRange(txPower, 0, 4) ? txPower : 0));
    p.Set(kKeyPreambleType, FormatInt(std::max(IntValue(p, kKeyPreambleType), 0)));
    p.Set(kKeyRtsThreshold,
          FormatInt(std::clamp(IntValue(p, kKeyRtsThreshold), 0, kRtsThresholdMax)));
    p.Set(kKeyFragThreshold,
          FormatInt(std::clamp(IntValue(p, kKeyFragThreshold), 0, kFragThresholdMax)));
    p.Set(kKeyPowerSaveMode, IntValue(p, kKeyPowerSaveMode) ? "1" : "0");
    p.Set(kKeyAcPowerCam, IntValue(p, kKeyAcPowerCam) ? "1" : "0");
    const std::string bssid = Upper(p.Value(kKeyBssid));
    p.Set(kKeyBssid, bssid.size() == 12 && IsHexText(bssid) ? bssid : "");
    return std::nullopt;
}

std::string FreeProfileName(const std::string& name, const PrefArray& records) {
    size_t digits = 0;
    while (digits < name.size() && std::isdigit(uint8_t(name[name.size() - 1 - digits]))) ++digits;
    const std::string base = name.substr(0, name.size() - digits);
    if (base.empty() || Upper(base) == "PROF") return GetNextProfileName(records);
    // The largest number written after the base among the stored names; the
    // base alone counts as 1.
    int64_t largest = 1;
    for (const PrefDictionary& p : records) {
        const std::string other = p.Value(kKeyProfileName);
        if (other.size() < base.size() || other.compare(0, base.size(), base) != 0) continue;
        const std::string tail = other.substr(base.size());
        if (tail.empty() || tail.size() > 9 ||
            !std::all_of(tail.begin(), tail.end(), [](char c) { return std::isdigit(uint8_t(c)); }))
            continue;
        largest = std::max<int64_t>(largest, std::stoll(tail));
    }
    std::string candidate = base + std::to_string(largest + 1);
    for (int64_t n = largest + 2; NameTaken(records, candidate); ++n)
        candidate = base + std::to_string(n);
    return candidate;
}

ImportMerge MergeImport(const PrefArray& stored,
                        const std::vector<std::pair<std::string, ImportFile>>& files,
                        bool replace) {
    ImportMerge merge;
    merge.records = stored;
    std::vector<bool> replaced(stored.size(), false);
    for (const auto& [path, file] : files) {
        for (const ImportEntry& entry : file.entries) {
            if (!entry.profile) {
                merge.skipped.push_back({path, entry.origin, entry.ssid, entry.skipped});
                continue;
            }
            PrefDictionary profile = *entry.profile;
            if (auto problem = ImportedProfileProblem(profile)) {
                merge.skipped.push_back({path, entry.origin, entry.ssid, *problem});
                continue;
            }
            ImportedProfile told{
                profile.Value(kKeyProfileName), profile.Value(kKeySsid), {}, false};
            if (told.name.empty()) {
                told.name = GetNextProfileName(merge.records);
            } else if (NameTaken(merge.records, told.name)) {
                size_t row = 0;
                while (merge.records[row].Value(kKeyProfileName) != told.name) ++row;
                if (replace && row < stored.size() && !replaced[row]) {
                    profile.Set(kKeyProfileName, told.name);
                    merge.records[row] = std::move(profile);
                    replaced[row] = true;
                    merge.replacedRows.push_back(row);
                    told.replaced = true;
                    merge.imported.push_back(std::move(told));
                    continue;
                }
                told.renamedFrom = told.name;
                told.name = FreeProfileName(told.name, merge.records);
            }
            profile.Set(kKeyProfileName, told.name);
            merge.records.push_back(std::move(profile));
            merge.imported.push_back(std::move(told));
        }
    }
    return merge;
}

ImportReport ImportProfileFiles(const std::vector<std::string>& paths, bool replace) {
    ImportReport report;
    std::vector<std::pair<std::string, ImportFile>> files;
    for (const std::string& path : paths) {
        platform::FileContents contents = platform::ReadRegularFile(path, kMaxImportFileSize);
        std::string problem;
        if (contents.outcome == platform::FileContents::Outcome::kMissing)
            problem = Tr("ProfileImport", "there is no such file");
        if (contents.outcome == platform::FileContents::Outcome::kUnreadable)
            problem = contents.problem;
        ImportFile file;
        if (problem.empty()) {
            file = ReadImportBytes(contents.bytes);
            problem = file.problem;
        }
        if (!problem.empty()) {
            report.result = ImportReport::Result::kUnreadable;
            report.problem = path + ": " + problem;
            return report;
        }
        files.emplace_back(path, std::move(file));
    }

    PreferenceLock lock;
    if (!lock.Held()) {
        report.result = ImportReport::Result::kFailed;
        return report;
    }
    ProfileListState now;
    now.Refresh();
    ImportMerge merge = MergeImport(now.records, files, replace);
    report.imported = std::move(merge.imported);
    report.skipped = std::move(merge.skipped);
    if (report.imported.empty()) return report;  // kNothing

    report.result = ImportReport::Result::kFailed;
    if (!WritePreferenceArray(kProfileListPath, merge.records)) return report;
    const std::optional<size_t> active = now.ActiveRow();
    if (active && std::count(merge.replacedRows.begin(), merge.replacedRows.end(), *active)) {
        PrefArray followed = now.recordActivate;
        followed.front() = FollowProfile(followed.front(), merge.records[*active]);
        if (followed != now.recordActivate && !WritePreferenceArray(kActiveProfilePath, followed)) {
            WritePreferenceArray(kProfileListPath, now.records);  // both as they were
            return report;
        }
    }
    report.result = ImportReport::Result::kStored;
    return report;
}

std::vector<std::string> DescribeImport(const ImportReport& report) {
    std::vector<std::string> lines;
    for (const ImportedProfile& p : report.imported) {
        if (p.renamedFrom.empty())
            lines.push_back(FormatText(p.replaced ? Tr("ProfileImport", "Replaced %1 (%2)")
                                                  : Tr("ProfileImport", "Imported %1 (%2)"),
                                       {Shown(p.name), Shown(p.ssid)}));
        else
            lines.push_back(
                FormatText(Tr("ProfileImport", "Imported %1 (%2) as %3: the name %1 is taken"),
                           {Shown(p.renamedFrom), Shown(p.ssid), Shown(p.name)}));
    }
    for (const SkippedProfile& s : report.skipped) {
        if (s.ssid.empty())
            lines.push_back(FormatText(Tr("ProfileImport", "Skipped %1 of %2: %3"),
                                       {s.origin, Shown(s.file), s.reason}));
        else
            lines.push_back(FormatText(Tr("ProfileImport", "Skipped %1 (%2) of %3: %4"),
                                       {Shown(s.ssid), s.origin, Shown(s.file), s.reason}));
    }
    return lines;
}

std::optional<size_t> ExportProfiles(const std::string& path) {
    const PrefArray records = ReadPreferenceArray(kProfileListPath);
    const std::optional<std::string> xml = PreferenceXml(records);
    if (!xml || !ReplaceFile(path, *xml, {})) return std::nullopt;
    return records.size();
}

}  // namespace corvane
