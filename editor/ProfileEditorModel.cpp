#include "editor/ProfileEditorModel.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "adapter/Globals.h"
#include "adapter/Oids.h"
#include "adapter/ScanList.h"
#include "crypto/MathFunc.h"
#include "platform/Alert.h"
#include "profiles/ProfileList.h"

namespace corvane {
namespace {

constexpr const char* kNamePrefix = "PROF";
constexpr const char* kAlertSaveFailed =
    QT_TRANSLATE_NOOP("ProfileEditorModel", "The profile could not be saved.");

std::string FormatBssid(const std::optional<MacAddress>& bssid) {
    if (!bssid) return "";
    char text[13];
    std::snprintf(text, sizeof text, "%02X%02X%02X%02X%02X%02X", (*bssid)[0], (*bssid)[1],
                  (*bssid)[2], (*bssid)[3], (*bssid)[4], (*bssid)[5]);
    return text;
}

// A stored "BSSID" back as bytes; nullopt unless it is 12 hexadecimal digits.
std::optional<MacAddress> ParseBssid(const std::string& text) {
    if (text.size() != 12) return std::nullopt;
    for (char c : text)
        if (BtoH(c) == 255) return std::nullopt;
    MacAddress bytes{};
    AtoH(text.c_str(), bytes.data(), int(bytes.size()));
    return bytes;
}

// The authentication entry for an NDIS authentication mode from a scan.
int32_t AuthEntryForMode(int32_t mode) {
    switch (mode) {
        case Ndis802_11AuthModeShared:
            return kAuthShared;
        case Ndis802_11AuthModeWPAPSK:
            return kAuthWpaPsk;
        case Ndis802_11AuthModeWPA2PSK:
            return kAuthWpa2Psk;
        default:  // open, automatic, WPA-NONE and anything else
            return kAuthOpen;
    }
}

int ValidIndex(int32_t index, size_t count) {
    return index >= 0 && size_t(index) < count ? index : -1;
}

}  // namespace

std::string GetNextProfileName(const PrefArray& records) {
    int32_t largest = 0;
    for (const PrefDictionary& record : records) {
        std::string name = record.Value(kKeyProfileName);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return char(std::toupper(c)); });
        if (name.find(kNamePrefix) == std::string::npos) continue;
        // The number is read from the fifth character on, wherever "PROF"
        // stood in the name.
        const int32_t value =
            name.size() > 4 ? LeadingInteger(std::string_view(name).substr(4)) : 0;
        largest = std::max(largest, value);
    }
    // One more than the largest; saturated, so a huge stored number cannot
    // wrap into a negative name.
    const int64_t next = int64_t(largest) + 1;
    return kNamePrefix + std::to_string(std::min<int64_t>(next, INT32_MAX));
}

ProfileEditorModel::ProfileEditorModel(ScanListSource scanList, ChannelPlanSource channelPlan)
    : scanList_(std::move(scanList)), channelPlan_(std::move(channelPlan)) {}

std::span<const uint8_t> ProfileEditorModel::ScanList() const {
    if (scanList_) return scanList_();
    if (!G_pBssidList) return {};
    return {G_pBssidList, kBssidListBufferSize};
}

void ProfileEditorModel::OpenProfileList() { records = ReadPreferenceArray(kProfileListPath); }

void ProfileEditorModel::ResetThresholds() {
    rtsEnabled = false;
    rtsText = std::to_string(kRtsThresholdMax);
    rtsSlider = kRtsThresholdMax;
    fragEnabled = false;
    fragText = std::to_string(kFragThresholdMax);
    fragSlider = kFragThresholdMax;
}

void ProfileEditorModel::GetBssidList() {
    const std::span<const uint8_t> list = ScanList();
    openedList_.assign(list.begin(), list.end());
    ssidList.clear();
    ssidSelected = -1;
    for (BssEntry entry : BssidList(openedList_)) ssidList.push_back(entry.Ssid());
}

void ProfileEditorModel::FillChannels(uint32_t wanted) {
    const std::span<const uint8_t> plan =
        channelPlan_ ? channelPlan_() : std::span<const uint8_t>();
    channelList.assign(plan.begin(), plan.end());
    channelSelected = -1;
    if (channelList.empty()) return;
    if (wanted < channelList.front() || wanted > channelList.back()) wanted = channelList.front();
    auto it = std::find(channelList.begin(), channelList.end(), wanted);
    // A channel inside the plan's range that the plan lacks (a gap) selects
    // the first channel, as an out-of-range one does.
    channelSelected = it == channelList.end() ? 0 : int(it - channelList.begin());
}

void ProfileEditorModel::AddInit() {
    IsNewData = true;
    OpenProfileList();
    tab = 0;
    GetBssidList();
    // A new profile starts from nothing: no name typed, no access point
    // left over from an earlier use of the sheet.
    ssidText.clear();
    copyBSSID.reset();
    bHidden = false;
    profileName = GetNextProfileName(records);
    camWhenAcPower = false;
    networkTypeSelected = kNetworkInfrastructure;
    OnNetworkType(networkTypeSelected);
    FillChannels(0);
    OnChannel(channelSelected);
    keys.setAuthenTypeCombo(kAuthOpen);
    keys.setEncryTypeCombo(kEncOpenNone);
    preambleSelected = 0;
    psMode = false;
    txPowerSelected = 0;
    OnTxPower(0);
    for (int slot = 0; slot < kWepSlotCount; ++slot) {
        keys.OnWEPKeyCombo(slot, kKeyTypeHex);
        keys.fields.keyText[size_t(slot)].clear();
    }
    keys.fields.wpaPreSharedKey.clear();
    keys.fields.radio = {true, false, false, false};
    ResetThresholds();
    focus = Focus::None;
}

bool ProfileEditorModel::EditInit(int index) {
    tab = 0;
    OpenProfileList();
    if (index < 0 || size_t(index) >= records.size()) {
        records.clear();
        return false;
    }
    IsNewData = false;
    modifyIndex = index;
    const PrefDictionary p = records[size_t(index)];

    profileName = p.Value(kKeyProfileName);
    networkTypeSelected = ValidIndex(IntValue(p, kKeyNetworkType), kNetworkTypeTexts.size());
    OnNetworkType(networkTypeSelected);
    keys.setAuthenTypeCombo(IntValue(p, kKeyAuthenticationType));
    keys.setEncryTypeCombo(IntValue(p, kKeyEncryptionType));
    preambleSelected = IntValue(p, kKeyPreambleType);

    FillChannels(uint32_t(std::max(0, IntValue(p, kKeyChannel))));
    OnChannel(channelSelected);

    camWhenAcPower = IntValue(p, kKeyAcPowerCam) != 0;
    psMode = IntValue(p, kKeyPowerSaveMode) != 0;
    txPowerSelected = IntValue(p, kKeyTxPower);
    OnTxPower(txPowerSelected);

    GetBssidList();
    const std::string ssid = p.Value(kKeySsid);
    auto match = std::find(ssidList.begin(), ssidList.end(), ssid);
    ssidText = ssid;
    if (match != ssidList.end()) ssidSelected = int(match - ssidList.begin());

    for (int slot = 0; slot < kWepSlotCount; ++slot) {
        keys.OnWEPKeyCombo(slot, IntValue(p, kKeyWepKeyType[slot]));
        keys.fields.keyText[size_t(slot)] = p.Value(kKeyWepKey[slot]);
    }
    const int32_t keyUse = IntValue(p, kKeyWepKeyUse);
    if (keyUse >= 0 && keyUse < kWepSlotCount) {
        keys.fields.radio = {};
        keys.fields.radio[size_t(keyUse)] = true;
    }
    keys.fields.wpaPreSharedKey = p.Value(kKeyWpaPsk);

    // The profile keeps the access point it was stored with, whatever its
    // network type, and its thresholds as stored: OK must not change what
    // the user did not touch.
    copyBSSID = ParseBssid(p.Value(kKeyBssid));
    bHidden = IntValue(p, kKeyHidden) != 0;
    ResetThresholds();
    if (p.Contains(kKeyRtsThreshold)) {
        rtsText = p.Value(kKeyRtsThreshold);
        rtsSlider = LeadingInteger(rtsText);
        rtsEnabled = rtsSlider < kRtsThresholdMax;
    }
    if (p.Contains(kKeyFragThreshold)) {
        fragText = p.Value(kKeyFragThreshold);
        fragSlider = LeadingInteger(fragText);
        fragEnabled = fragSlider < kFragThresholdMax;
    }
    focus = Focus::None;
    return true;
}

bool ProfileEditorModel::AddProfile(const ProfilePrefill& prefill) {
    tab = 1;
    IsNewData = true;
    OpenProfileList();
    profileName = GetNextProfileName(records);
    camWhenAcPower = false;

    const int32_t auth = AuthEntryForMode(prefill.authenticationMode);
    networkTypeSelected = ValidIndex(prefill.networkType, kNetworkTypeTexts.size());
    OnNetworkType(networkTypeSelected);
    keys.setAuthenTypeComboText(prefill.networkType != Ndis802_11IBSS ? kAuthListInfrastructure
                                                                      : kAuthListAdhoc);
    keys.setAuthenTypeCombo(auth);

    FillChannels(prefill.channel);
    OnChannel(channelSelected);

    int32_t enc;
    if (!IsPskInUse(auth)) {
        focus = Focus::FirstWepKey;
        enc = auth == kAuthOpen && prefill.encryptionStatus == Ndis802_11WEPEnabled ? kEncOpenWep
                                                                                    : kEncOpenNone;
    } else {
        focus = Focus::PreSharedKey;
        enc = prefill.encryptionStatus == Ndis802_11Encryption3Enabled ? kEncAes : kEncTkip;
    }
    keys.setEncryTypeCombo(enc);

    preambleSelected = 0;
    psMode = false;
    txPowerSelected = 0;
    OnTxPower(0);

    GetBssidList();
    ssidText.clear();
    if (!ssidList.empty()) {
        auto first = std::find(ssidList.begin(), ssidList.end(), prefill.ssid);
        int selected = first == ssidList.end() ? 0 : int(first - ssidList.begin());
        // Two access points often share a name: take the entry of this very
        // one when the list has it, so the profile records the access point
        // the user chose.
        int index = 0;
        for (BssEntry entry : BssidList(openedList_)) {
            auto mac = entry.MacAddress();
            if (entry.Ssid() == prefill.ssid && mac.size() == 6 &&
                std::equal(mac.begin(), mac.end(), prefill.bssid.begin())) {
                selected = index;
                break;
            }
            ++index;
        }
        OnSSID(selected);
    }

    for (int slot = 0; slot < kWepSlotCount; ++slot) {
        keys.OnWEPKeyCombo(slot, kKeyTypeHex);
        keys.fields.keyText[size_t(slot)].clear();
    }
    keys.fields.radio = {true, false, false, false};
    keys.fields.wpaPreSharedKey.clear();
    copyBSSID = prefill.bssid;
    bHidden = false;
    ResetThresholds();
    return true;
}

void ProfileEditorModel::OnNetworkType(int selectedIndex) {
    networkTypeSelected = selectedIndex;
    nNetworkType = selectedIndex;
    const bool adhoc = selectedIndex == kNetworkAdhoc;
    channelEnabled = adhoc;
    keys.setAuthenTypeComboText(adhoc ? kAuthListAdhoc : kAuthListInfrastructure);
    keys.OnSelchangeAuthType();
}

void ProfileEditorModel::OnChannel(int selectedIndex) {
    channelSelected = selectedIndex;
    nChannelIdx = selectedIndex;
}

void ProfileEditorModel::OnSSID(int selectedIndex) {
    nSSID = selectedIndex;
    ssidSelected = selectedIndex;
    if (selectedIndex >= 0 && size_t(selectedIndex) < ssidList.size())
        ssidText = ssidList[size_t(selectedIndex)];
}

void ProfileEditorModel::OnTxPower(int selectedIndex) {
    txPowerSelected = selectedIndex;
    nTxPower = selectedIndex;
}

void ProfileEditorModel::OnRtsSlider(int32_t value) {
    rtsSlider = value;
    rtsText = std::to_string(value);
}

void ProfileEditorModel::OnFragSlider(int32_t value) {
    fragSlider = value;
    fragText = std::to_string(value);
}

bool ProfileEditorModel::FilterSsid() {
    TextFilterResult r = LimitSsidText(ssidText);
    ssidText = std::move(r.text);
    return r.beep;
}

void ProfileEditorModel::FilterRtsText() {
    ThresholdFilterResult r = FilterThresholdText(rtsText, kRtsThresholdMax);
    rtsText = std::move(r.text);
    rtsSlider = r.sliderValue;
}

void ProfileEditorModel::FilterFragText() {
    ThresholdFilterResult r = FilterThresholdText(fragText, kFragThresholdMax);
    fragText = std::move(r.text);
    fragSlider = r.sliderValue;
}

PrefDictionary ProfileEditorModel::createProfileData() const {
    const KeyEntryFields& k = keys.fields;
    PrefDictionary d;
    d.Set(kKeyProfileName, profileName);
    d.Set(kKeySsid, ssidText);
    d.Set(kKeyNetworkType, FormatInt(nNetworkType));
    std::string channel = "1";
    if (nNetworkType == kNetworkAdhoc && nChannelIdx >= 0 &&
        size_t(nChannelIdx) < channelList.size())
        channel = FormatInt(int32_t(channelList[size_t(nChannelIdx)]));
    d.Set(kKeyChannel, channel);
    d.Set(kKeyPreambleType, FormatInt(preambleSelected));
    d.Set(kKeyTxPower, FormatInt(nTxPower));
    d.Set(kKeyPowerSaveMode, psMode ? "1" : "0");
    d.Set(kKeyAcPowerCam, camWhenAcPower ? "1" : "0");
    d.Set(kKeyRtsThreshold, rtsText);
    d.Set(kKeyFragThreshold, fragText);
    d.Set(kKeyAuthenticationType, FormatInt(k.nAuthenType));
    d.Set(kKeyEncryptionType, FormatInt(k.nEncryType));
    for (int slot = 0; slot < kWepSlotCount; ++slot) {
        d.Set(kKeyWepKey[slot], k.keyText[size_t(slot)]);
        d.Set(kKeyWepKeyType[slot], FormatInt(k.keyType[size_t(slot)]));
    }
    d.Set(kKeyWepKeyUse, FormatInt(k.DefaultKeyIndex()));
    d.Set(kKeyWpaPsk, k.wpaPreSharedKey);

    std::string bssid;
    std::string hidden = "0";
    if (!IsNewData) {
        bssid = FormatBssid(copyBSSID);
        hidden = bHidden ? "1" : "0";
    } else if (ssidSelected >= 0 && size_t(ssidSelected) < ssidList.size() &&
               ssidText == ssidList[size_t(ssidSelected)]) {
        // Picked from the scan: the access point of that scan entry.
        int index = 0;
        for (BssEntry entry : BssidList(openedList_)) {
            if (index++ != nSSID) continue;
            auto mac = entry.MacAddress();
            if (mac.size() == kMacLength) {
                MacAddress bytes{};
                std::copy(mac.begin(), mac.end(), bytes.begin());
                bssid = FormatBssid(bytes);
            }
            break;
        }
    } else if (nNetworkType != kNetworkAdhoc) {
        bssid = FormatBssid(copyBSSID);
        hidden = "1";
    }
    d.Set(kKeyBssid, bssid);
    d.Set(kKeyHidden, hidden);
    return d;
}

bool ProfileEditorModel::OnOK() {
    if (ssidText.empty()) {
        platform::RunAlertPanel(Tr("ProfileEditorModel", kAlertKeyInSsid), "", "OK");
        return false;
    }
    if (!VerifyKey(keys.fields)) return false;
    // The file as it is now, not as it was when the sheet opened: an edit
    // replaces the profile it opened wherever it stands now.
    const PrefDictionary profile = createProfileData();
    const bool edit = !IsNewData && modifyIndex >= 0 && size_t(modifyIndex) < records.size();
    const StoreResult stored =
        edit ? ReplaceProfile(records[size_t(modifyIndex)], size_t(modifyIndex), profile)
        : AppendProfile(profile) ? StoreResult::kStored
                                 : StoreResult::kFailed;
    // Closing the sheet as if all were well would lose what was typed.
    if (stored == StoreResult::kGone) {
        platform::RunAlertPanel(Tr("ProfileList", kAlertProfileGone), "", "OK");
        return false;
    }
    if (stored == StoreResult::kFailed) {
        platform::RunAlertPanel(Tr("ProfileEditorModel", kAlertSaveFailed),
                                ExpandTilde(kProfileListPath), "OK");
        return false;
    }
    records.clear();
    return true;
}

}  // namespace corvane
