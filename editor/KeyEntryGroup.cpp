#include "editor/KeyEntryGroup.h"

#include <algorithm>

#include "adapter/Globals.h"
#include "adapter/Records.h"
#include "platform/SystemInfo.h"

namespace corvane {

void KeyEntryGroup::setAuthenTypeComboText(int32_t listKind) {
    if (listKind != kAuthListAdhoc && listKind != kAuthListInfrastructure) return;
    const size_t count = listKind == kAuthListAdhoc ? 1 : kAuthenticationTexts.size();
    authEntries.assign(kAuthenticationTexts.begin(), kAuthenticationTexts.begin() + long(count));
    authSelected = 0;
    OnAuthType(0);
}

void KeyEntryGroup::setAuthenTypeCombo(int index) {
    // A list selects nothing for an index it does not have.
    authSelected = index >= 0 && size_t(index) < authEntries.size() ? index : -1;
    OnAuthType(authSelected);
}

void KeyEntryGroup::setEncryTypeCombo(int index) {
    encSelected = index >= 0 && size_t(index) < encEntries.size() ? index : -1;
    OnEncryType(encSelected);
}

void KeyEntryGroup::OnAuthType(int selectedIndex) {
    authSelected = selectedIndex;
    fields.nAuthenType = selectedIndex;
    OnSelchangeAuthType();
}

void KeyEntryGroup::OnSelchangeAuthType() {
    const int32_t auth = fields.nAuthenType;
    const bool known = auth >= 0 && auth < int32_t(kAuthenticationTexts.size());
    encEntries.clear();
    encSelected = -1;
    if (!known && owner_ == SecurityListOwner::ProfileEditor) {
        OnEncryType(-1);
        return;
    }
    if (!known) platform::SystemLog("Incorrect AuthenType Index, set to default \n");
    for (const char* text : EncryptionTexts(known ? auth : kAuthOpen, G_encryCapa, owner_))
        encEntries.emplace_back(text);

    int32_t wanted = selEncryFlag;
    if (auth == kAuthShared) {
        wanted = 0;
        if (owner_ == SecurityListOwner::ProfileEditor) selEncryFlag = 0;
    }
    // The remembered index may not exist in a shorter list (a TKIP-only
    // capability): then nothing is selected, as a list does.
    encSelected = wanted >= 0 && size_t(wanted) < encEntries.size() ? wanted : -1;
    OnEncryType(encSelected);
}

void KeyEntryGroup::OnEncryType(int selectedIndex) {
    encSelected = selectedIndex;
    fields.nEncryType = selectedIndex;
    OnSelchangeEncryptionType();
}

void KeyEntryGroup::OnSelchangeEncryptionType() {
    if (owner_ == SecurityListOwner::KeyDialog) selAuth = fields.nAuthenType;
    if (owner_ == SecurityListOwner::KeyDialog) selEncry = fields.nEncryType;
    selEncryFlag = fields.nEncryType;

    const int32_t auth = fields.nAuthenType;
    const int32_t enc = fields.nEncryType;
    if (auth == kAuthOpen && enc == kEncOpenNone) {
        pskEnabled = false;
        wepEnabled = false;
    } else if (IsWepInUse(auth, enc)) {
        pskEnabled = false;
        wepEnabled = true;
    } else if (IsPskInUse(auth) && auth <= kAuthWpa2Psk) {
        pskEnabled = true;
        wepEnabled = false;
    }
}

void KeyEntryGroup::OnWEPKeyCombo(int slot, int selectedIndex) {
    if (slot >= 0 && slot < kWepSlotCount) fields.keyType[size_t(slot)] = selectedIndex;
}

void KeyEntryGroup::clearText() {
    fields.wpaPreSharedKey.clear();
    for (int slot = 0; slot < kWepSlotCount; ++slot) {
        fields.keyText[size_t(slot)].clear();
        OnWEPKeyCombo(slot, kKeyTypeHex);
    }
    fields.radio = {true, false, false, false};
    OnSelchangeAuthType();
}

int KeyEntryGroup::AuthEntryIndex(std::string_view text) const {
    auto it = std::find(authEntries.begin(), authEntries.end(), text);
    return it == authEntries.end() ? -1 : int(it - authEntries.begin());
}

void PresetKeyDialog(KeyEntryGroup& group, const KeyDialogPreset& preset) {
    group.setAuthenTypeComboText(preset.listKind);
    group.setAuthenTypeCombo(preset.authIndex);
    group.OnSelchangeAuthType();
    group.setEncryTypeCombo(preset.encIndex);
    group.OnSelchangeEncryptionType();
    group.clearText();
}

bool ConfirmKeyDialog(KeyEntryGroup& group, WEPSettingValues& values) {
    if (group.selAuth != group.fields.nAuthenType && group.selEncry != group.fields.nEncryType)
        group.OnAuthType(group.authSelected);
    if (!VerifyKey(group.fields)) return false;
    ConvertKeyMaterial(group.fields, values);
    return true;
}

}  // namespace corvane
