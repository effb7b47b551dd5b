// The advanced settings page without widgets: the five stored radio
// settings (AdvancedProfileSetting.plist), the lists the page offers for the
// adapter, Apply's disassociate-and-reconnect, and the radio switch. The
// window's AdvanceController mirrors this model onto its controls; `corvane
// advanced` and `corvane radio` run the same code.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "adapter/AdapterKind.h"
#include "platform/Translate.h"
#include "profiles/PreferenceFiles.h"
#include "profiles/ProfileRecord.h"
#include "profiles/StoredIndexes.h"

namespace corvane {

class KestrelAccess;

// "BG Protection" indexes.
// The words stay English (the command reads and prints them); the page
// translates them in the "AdvancedSettings" context.
inline constexpr std::array<const char*, 3> kBgProtectionTexts = {
    QT_TRANSLATE_NOOP("AdvancedSettings", "Auto"), QT_TRANSLATE_NOOP("AdvancedSettings", "On"),
    QT_TRANSLATE_NOOP("AdvancedSettings", "Off")};

// The rescan after an Apply that changed the wireless mode.
inline constexpr int kRescanAfterApplyMs = 2000;

inline constexpr const char* kRadioOnTitle =
    QT_TRANSLATE_NOOP("AdvancedSettings", "Radio On");  // the switch's title while off
inline constexpr const char* kRadioOffTitle =
    QT_TRANSLATE_NOOP("AdvancedSettings", "Radio Off");  // ... while on

// Whether the adapter kind shows the rate and protection lists: the Osprey
// kind hides them (and stores index 0 for both), kinds 3 and 4 show them;
// for any other kind the page leaves them as they are.
enum class RateControls { LeftAlone, Shown, Hidden };
RateControls RateControlsFor(AdapterKind adapterKind);

// How the page reconnects: in the window through the task queue and the
// profile page, in the command-line tool at once.
struct ReconnectHooks {
    // The active-profile check: true when the active profile's connect was
    // queued, false when there is no active profile.
    std::function<bool()> checkProfileSettingForConnect;
    // Queues a connect record (the reset record here).
    std::function<void(ProfileRecordPtr)> setTaskQueue;
};

class AdvancedSettingsModel {
public:
    // What Apply stores; set up from the file, changed by the controls.
    int32_t nTxRate = 0;
    int32_t nWirelessMode = kWirelessMode11ABGN;
    int32_t nBGProtection = 0;
    int8_t bTXBurst = 1;
    int32_t AdhocMode = 1;
    int8_t bToBeRescan = 0;  // the chosen mode differs from the one stored
    PrefArray records;       // the file as loaded or last written

    // What the controls show. A selection of -1 is none.
    std::vector<std::string> wirelessModes;
    bool wirelessModeEnabled = false;
    int wirelessModeSelected = -1;
    std::vector<std::string> txRates;
    int txRateSelected = -1;
    int bgProtectionSelected = -1;
    RateControls rateControls = RateControls::LeftAlone;
    bool txBurstChecked = true;
    bool adhocUseOfdmChecked = true;  // shows "Ad Hoc Mode"; the page never changes it
    bool buttonsEnabled = false;      // Apply and Cancel

    // Loads the file and fills the lists for the adapter.
    void InitAdvanceSetting(bool aSupport, AdapterKind adapterKind);
    // A wireless-mode entry chosen (also run by set-up and Cancel): the
    // mode code and the rate list follow.
    void OnSelChangeWirelessMode(int entry, AdapterKind adapterKind);
    void OnTxRate(int index);
    void OnSelBGProtection(int index);
    void OnTxBurst(bool on);
    void OnAdHocUseOFDM();
    // Back to what the file holds (or, before anything was stored, to the
    // values the page was set up with).
    void OnCancel(AdapterKind adapterKind);
    void EnableButton() { buttonsEnabled = true; }
    void DisabledButton() { buttonsEnabled = false; }

    // The rate Apply stores: the selected entry of the rate list, "Auto"
    // when nothing in the list is selected.
    int32_t SettledTxRate() const;
    // The dictionary Apply writes ("%d" of each of the five values).
    PrefDictionary Record() const;
    // Element 0 replaced by Record() and the file written; `records` changes
    // only when the write succeeded.
    bool WriteRecord();

private:
    void SelectTxRate(int index);
    void SelectBgProtection(int index);
    void LoadFromRecord(const PrefDictionary& record);
    // The mode a choice is compared with: the one stored in the file, or,
    // with nothing stored, the one the page was set up with. (The mode of
    // the last Apply, G_enumWirelessMode, starts at 0, which is no Osprey
    // code: re-choosing the mode shown would count as a change.)
    int32_t StoredWirelessMode() const;

    struct Values {
        int32_t nTxRate, nWirelessMode, nBGProtection;
        int8_t bTXBurst;
        int32_t AdhocMode;
    };
    Values setUp_{0, kWirelessMode11ABGN, 0, 1, 1};
    int32_t setUpWirelessMode_ = kWirelessMode11ABGN;  // the code shown after set-up
};

struct ApplyOutcome {
    bool written = false;        // the file holds the new settings
    bool rescanLater = false;    // the mode changed with the radio on: rescan in 2 s
    bool radioOffAgain = false;  // the radio is off: its off state is to be sent again
    // No active profile: the previous network's SSID was set back.
    bool previousNetworkSetBack = false;
};

// Apply: remembers the network the adapter is on, disassociates, settles
// the stored rate, notes the mode applied (G_enumWirelessMode), reconnects
// (the active profile's connect, else back to the previous network; nothing
// when it was on none) and writes the file.
ApplyOutcome ApplyAdvancedSettings(KestrelAccess& adapter, AdvancedSettingsModel& model,
                                   const ReconnectHooks& hooks);

// The reconnect that follows the rescan two seconds after Apply: the active
// profile's connect queued again; without one, the reset record, unless
// Apply set the previous network back (that link stays).
void ReconnectAfterModeChange(const ReconnectHooks& hooks, bool previousNetworkSetBack);

// The radio switch: G_bRadio = `on`; switching on queues the active
// profile's connect, or the reset record when there is none; then
// OID_VX_RADIO is set (1 on, 0 off). Returns the request's success.
bool SwitchRadio(KestrelAccess& adapter, bool on, const ReconnectHooks& hooks);

// Forgets the held scan list (its buffer and the head of its side area)
// before the rescan that follows a mode change.
void ClearHeldScanList();

}  // namespace corvane
