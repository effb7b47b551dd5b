#include "pane/AdvancedSettings.h"

#include <cstring>

#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "adapter/Oids.h"
#include "adapter/Records.h"
#include "adapter/Requests.h"
#include "profiles/PreferenceLock.h"
#include "profiles/StoredIndexes.h"

namespace corvane {
namespace {

// The side area of the held scan list that a new scan must not find stale.
constexpr size_t kHeldSideAreaBytes = 512;

bool InRange(int index, size_t size) { return index >= 0 && size_t(index) < size; }

}  // namespace

RateControls RateControlsFor(AdapterKind adapterKind) {
    if (adapterKind == AdapterKind::Osprey) return RateControls::Hidden;
    if (adapterKind == AdapterKind::Kestrel || adapterKind == AdapterKind::Merlin)
        return RateControls::Shown;
    return RateControls::LeftAlone;
}

void AdvancedSettingsModel::LoadFromRecord(const PrefDictionary& record) {
    const AdvancedSettingValues v = ReadAdvancedSettingValues(record);
    nTxRate = v.txRate;
    nBGProtection = v.bgProtection;
    bTXBurst = int8_t(v.txBurst);
    AdhocMode = v.adHocMode;
    nWirelessMode = v.wirelessMode;
}

void AdvancedSettingsModel::InitAdvanceSetting(bool aSupport, AdapterKind adapterKind) {
    records = ReadPreferenceArray(kAdvancedSettingPath);
    if (records.empty())
        AdhocMode = 1;
    else
        LoadFromRecord(records.front());
    setUp_ = {nTxRate, nWirelessMode, nBGProtection, bTXBurst, AdhocMode};

    int entry = WirelessModeEntry(nWirelessMode, /*setUp=*/true);
    wirelessModes = {kWirelessModeTexts[kWirelessModeEntry24]};
    wirelessModeEnabled = false;
    if (aSupport) {
        wirelessModes.push_back(kWirelessModeTexts[kWirelessModeEntry5]);
        wirelessModes.push_back(kWirelessModeTexts[kWirelessModeEntryBoth]);
        wirelessModeEnabled = true;
    } else {
        entry = kWirelessModeEntry24;
    }
    OnSelChangeWirelessMode(entry, adapterKind);
    setUpWirelessMode_ = nWirelessMode;

    rateControls = RateControlsFor(adapterKind);
    if (rateControls == RateControls::Hidden) {
        SelectTxRate(0);
        SelectBgProtection(0);
    } else if (rateControls == RateControls::Shown) {
        SelectTxRate(nTxRate);
        SelectBgProtection(nBGProtection);
    }
    // The check boxes show what was loaded, so that what Apply stores is
    // what the page shows.
    txBurstChecked = bTXBurst != 0;
    adhocUseOfdmChecked = AdhocMode != 0;
    bToBeRescan = 0;
}

void AdvancedSettingsModel::OnSelChangeWirelessMode(int entry, AdapterKind adapterKind) {
    txRates.clear();
    txRateSelected = -1;
    if (InRange(entry, wirelessModes.size())) {
        wirelessModeSelected = entry;
        if (auto code = WirelessModeCode(entry, adapterKind)) nWirelessMode = *code;
    }
    for (const char* rate : TxRateTexts(nWirelessMode)) txRates.emplace_back(rate);
    if (IsOfdmOnlyMode(nWirelessMode)) {
        nBGProtection = 0;
        if (nTxRate > 8) nTxRate = 0;
    }
    switch (RateControlsFor(adapterKind)) {
        case RateControls::Hidden:
            SelectTxRate(0);
            SelectBgProtection(0);
            break;
        case RateControls::Shown:
            SelectTxRate(nTxRate);
            SelectBgProtection(nBGProtection);
            break;
        case RateControls::LeftAlone:
            break;
    }
    EnableButton();
    bToBeRescan = nWirelessMode != StoredWirelessMode() ? 1 : 0;
}

int32_t AdvancedSettingsModel::StoredWirelessMode() const {
    if (records.empty()) return setUpWirelessMode_;
    return ReadAdvancedSettingValues(records.front()).wirelessMode;
}

// A selection made by the page stands for the value it shows. An index the
// list does not have (a file written by hand, another tool) shows and
// stores the first entry, "Auto"; an empty list shows nothing.
void AdvancedSettingsModel::SelectTxRate(int index) {
    if (txRates.empty()) {
        txRateSelected = -1;
        return;
    }
    txRateSelected = InRange(index, txRates.size()) ? index : 0;
    nTxRate = txRateSelected;
}

void AdvancedSettingsModel::SelectBgProtection(int index) {
    bgProtectionSelected = InRange(index, kBgProtectionTexts.size()) ? index : 0;
    nBGProtection = bgProtectionSelected;
}

void AdvancedSettingsModel::OnTxRate(int index) {
    if (InRange(index, txRates.size())) {
        txRateSelected = index;
        nTxRate = index;
    }
    EnableButton();
}

void AdvancedSettingsModel::OnSelBGProtection(int index) {
    if (InRange(index, kBgProtectionTexts.size())) {
        bgProtectionSelected = index;
        nBGProtection = index;
    }
    EnableButton();
}

void AdvancedSettingsModel::OnTxBurst(bool on) {
    bTXBurst = on ? 1 : 0;
    txBurstChecked = on;
    EnableButton();
}

void AdvancedSettingsModel::OnAdHocUseOFDM() { EnableButton(); }

void AdvancedSettingsModel::OnCancel(AdapterKind adapterKind) {
    if (!records.empty()) {
        LoadFromRecord(records.front());
    } else {
        nTxRate = setUp_.nTxRate;
        nWirelessMode = setUp_.nWirelessMode;
        nBGProtection = setUp_.nBGProtection;
        bTXBurst = setUp_.bTXBurst;
        AdhocMode = setUp_.AdhocMode;
    }
    int entry = WirelessModeEntry(nWirelessMode, /*setUp=*/false);
    if (wirelessModes.size() <= 1) entry = kWirelessModeEntry24;
    OnSelChangeWirelessMode(entry, adapterKind);
    txBurstChecked = bTXBurst != 0;
    adhocUseOfdmChecked = AdhocMode != 0;
    DisabledButton();
}

int32_t AdvancedSettingsModel::SettledTxRate() const {
    return InRange(nTxRate, txRates.size()) ? nTxRate : 0;
}

PrefDictionary AdvancedSettingsModel::Record() const {
    return AdvancedSettingsRecord({nTxRate, nBGProtection, bTXBurst, AdhocMode, nWirelessMode});
}

bool AdvancedSettingsModel::WriteRecord() {
    // The file as it is now (under the preference lock), not the copy read
    // at set-up.
    PrefArray updated;
    const bool written = UpdatePreferenceArray(kAdvancedSettingPath, [&](PrefArray& now) {
        ReplaceFirstOrAppend(now, Record());
        updated = now;
        return true;
    });
    if (written) records = std::move(updated);
    return written;
}

ApplyOutcome ApplyAdvancedSettings(KestrelAccess& adapter, AdvancedSettingsModel& model,
                                   const ReconnectHooks& hooks) {
    const NDIS_802_11_SSID previous = QuerySsid(adapter);
    Disassociate(adapter);

    model.nTxRate = model.SettledTxRate();
    model.txRateSelected = model.txRates.empty() ? -1 : model.nTxRate;
    G_enumWirelessMode = model.nWirelessMode;
    if (ApplyTurnsOffBgProtection(model.nWirelessMode)) {
        model.nBGProtection = 0;
        model.bgProtectionSelected = 0;
    }

    ApplyOutcome outcome;
    if (previous.SsidLength != 0) {
        if (!hooks.checkProfileSettingForConnect()) {
            SetSsid(adapter, previous);
            outcome.previousNetworkSetBack = true;
        }
    }

    outcome.written = model.WriteRecord();
    outcome.rescanLater = model.bToBeRescan && G_bRadio;
    outcome.radioOffAgain = !G_bRadio;
    return outcome;
}

void ReconnectAfterModeChange(const ReconnectHooks& hooks, bool previousNetworkSetBack) {
    if (hooks.checkProfileSettingForConnect() || previousNetworkSetBack) return;
    hooks.setTaskQueue(MakeResetRecord());
}

bool SwitchRadio(KestrelAccess& adapter, bool on, const ReconnectHooks& hooks) {
    G_bRadio = on ? 1 : 0;
    if (on && !hooks.checkProfileSettingForConnect()) hooks.setTaskQueue(MakeResetRecord());
    return SetWord(adapter, OID_VX_RADIO, on ? 1 : 0);
}

void ClearHeldScanList() {
    if (!G_pRepositBssidList) return;
    std::memset(G_pRepositBssidList->list, 0, sizeof G_pRepositBssidList->list);
    std::memset(G_pRepositBssidList->area, 0, kHeldSideAreaBytes);
}

}  // namespace corvane
