// The key-entry group's lists and enabling, without widgets: which
// authentication and encryption entries are offered, which one is selected
// after each rebuild, and which key controls are enabled. The security key
// dialog and the profile editor each own one (they differ only where
// SecurityListOwner says) and mirror it onto their controls; the
// command-line tool runs the same steps in place of the dialog.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/KeyRules.h"

namespace corvane {

// Authentication list kinds.
inline constexpr int32_t kAuthListAdhoc = 0;           // "Open" only
inline constexpr int32_t kAuthListInfrastructure = 1;  // all four

class KeyEntryGroup {
public:
    explicit KeyEntryGroup(SecurityListOwner owner) : owner_(owner) {}

    // The values the group's controls hold; text fields are written here by
    // the window as the user types.
    KeyEntryFields fields;

    // List contents and selections as the controls show them (-1: none).
    std::vector<std::string> authEntries;
    int authSelected = -1;
    std::vector<std::string> encEntries;
    int encSelected = -1;
    // Enabling: the pre-shared key field, and the twelve WEP controls.
    bool pskEnabled = false;
    bool wepEnabled = false;

    int32_t selEncryFlag = 0;
    int32_t selAuth = 0;  // dialog only: recorded by the last encryption change
    int32_t selEncry = 0;

    // 0 or 1: rebuilds the authentication list, selects entry 0 and runs
    // OnAuthType; other kinds do nothing.
    void setAuthenTypeComboText(int32_t listKind);
    // Selects an entry and runs its action.
    void setAuthenTypeCombo(int index);
    void setEncryTypeCombo(int index);
    // The user picked an entry (or a set- call did).
    void OnAuthType(int selectedIndex);
    void OnEncryType(int selectedIndex);
    // Rebuilds the encryption list for nAuthenType and runs OnEncryType.
    void OnSelchangeAuthType();
    // Records the choice and sets the enabling.
    void OnSelchangeEncryptionType();
    void OnWEPKeyCombo(int slot, int selectedIndex);
    // Every text empty, key types hexadecimal, radio 1 on, then the
    // encryption list rebuilt.
    void clearText();

    // The first entry index of `text` in the authentication list, or -1.
    int AuthEntryIndex(std::string_view text) const;

private:
    SecurityListOwner owner_;
};

// How the site survey opens the key dialog for a network.
struct KeyDialogPreset {
    int32_t listKind = kAuthListInfrastructure;  // 0 for an ad hoc network
    int32_t authIndex = kAuthOpen;
    int32_t encIndex = kEncOpenWep;
    int32_t focus = 0;  // 0 the first WEP key field, 1 the pre-shared key field
};

// The opener's steps: list kind, the preselection, then clearText.
void PresetKeyDialog(KeyEntryGroup& group, const KeyDialogPreset& preset);

// The dialog's OK: re-reads the authentication when both selections moved
// since the last encryption change, checks the keys (an alert on the first
// fault, false), then converts them into `values`.
bool ConfirmKeyDialog(KeyEntryGroup& group, WEPSettingValues& values);

}  // namespace corvane
