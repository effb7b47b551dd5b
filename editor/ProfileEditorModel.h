// The profile editor without widgets: the values of every control of the
// sheet, its three entry operations, its control actions and its OK. The
// window's ProfileEditorController mirrors this onto its form and back; the
// command-line tool drives it directly, so both store exactly the same
// dictionaries.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "adapter/Oids.h"
#include "editor/KeyEntryGroup.h"
#include "editor/ProfilePrefill.h"
#include "platform/Translate.h"
#include "profiles/PreferenceFiles.h"

namespace corvane {

inline constexpr const char* kAlertKeyInSsid =
    QT_TRANSLATE_NOOP("ProfileEditorModel", "Please keyin the SSID");

// The proposed name of a new profile: "PROF" and one more than the largest
// number found after "PROF" in the existing names (PROF1 for none).
std::string GetNextProfileName(const PrefArray& records);

class ProfileEditorModel {
public:
    // `scanList` gives the bytes of the current scan list (NumberOfItems,
    // then the entries); by default the process-wide list buffer. The
    // window gives the list its site survey table shows. Each opening takes
    // a copy, so that the names offered and the access point OK records come
    // from one list however the source changes meanwhile.
    using ScanListSource = std::function<std::span<const uint8_t>()>;
    // `channelPlan` gives the channel numbers of the plan the Channel list
    // offers, read at each opening: the adapter's current plan
    // (CurrentChannelPlan in ChannelPlan.h) in the window and the command.
    // Without one the list is empty.
    using ChannelPlanSource = std::function<std::span<const uint8_t>()>;
    explicit ProfileEditorModel(ScanListSource scanList = {}, ChannelPlanSource channelPlan = {});
    void SetScanListSource(ScanListSource scanList) { scanList_ = std::move(scanList); }

    // --- control values (what the sheet shows) ---
    int tab = 0;
    std::string profileName;
    std::string ssidText;               // the SSID box's text (bytes)
    std::vector<std::string> ssidList;  // the SSIDs of the scan list, in scan order
    int ssidSelected = -1;              // selected SSID list entry
    int networkTypeSelected = kNetworkInfrastructure;
    std::vector<uint32_t> channelList;  // the plan's channel numbers
    int channelSelected = -1;
    bool channelEnabled = false;  // Channel, ChannelText and PreambleType
    int preambleSelected = 0;
    int txPowerSelected = 0;
    bool psMode = false;  // PSMode on (CAM off)
    bool camWhenAcPower = false;
    bool rtsEnabled = false;
    std::string rtsText = std::to_string(kRtsThresholdMax);
    int32_t rtsSlider = kRtsThresholdMax;
    bool fragEnabled = false;
    std::string fragText = std::to_string(kFragThresholdMax);
    int32_t fragSlider = kFragThresholdMax;
    KeyEntryGroup keys{SecurityListOwner::ProfileEditor};
    enum class Focus { None, FirstWepKey, PreSharedKey } focus = Focus::None;

    // --- state ---
    PrefArray records;
    bool IsNewData = true;
    int modifyIndex = 0;
    // The access point recorded with the profile; none until a prefill or
    // an edit of a profile that has one.
    std::optional<MacAddress> copyBSSID;
    bool bHidden = false;
    int32_t nNetworkType = kNetworkInfrastructure;
    int32_t nTxPower = 0;
    int32_t nSSID = 0;
    int32_t nChannelIdx = 0;

    // --- entry operations ---
    void AddInit();
    // False (nothing opened) when `index` is not in the file's list.
    bool EditInit(int index);
    // Prefill from a scanned network; the number arguments are NDIS values.
    bool AddProfile(const ProfilePrefill& prefill);

    // --- control actions ---
    void OnNetworkType(int selectedIndex);
    void OnChannel(int selectedIndex);
    void OnSSID(int selectedIndex);  // picks an entry: its text fills the box
    void OnTxPower(int selectedIndex);
    void OnSelRTS(bool on) { rtsEnabled = on; }
    void OnSelFrag(bool on) { fragEnabled = on; }
    void OnRtsSlider(int32_t value);
    void OnFragSlider(int32_t value);

    // The text filters of the sheet; each returns whether to beep.
    bool FilterSsid();
    void FilterRtsText();
    void FilterFragText();

    // OK: the checks (an alert and false on the first fault), then the
    // dictionary appended or put in place and the file written. False also
    // when the write fails (the alert says so).
    bool OnOK();
    void OnCANCEL() { records.clear(); }

    // The dictionary OK stores, from the current values.
    PrefDictionary createProfileData() const;

    // Copies the scan list and fills the SSID list from it; the box's text
    // is unchanged.
    void GetBssidList();
    // Fills the channel list from the plan and selects `wanted` by
    // the channel rule (outside the plan's range: its first channel).
    void FillChannels(uint32_t wanted);

private:
    void OpenProfileList();
    void ResetThresholds();
    std::span<const uint8_t> ScanList() const;

    ScanListSource scanList_;
    ChannelPlanSource channelPlan_;
    std::vector<uint8_t> openedList_;  // the scan list as this opening took it
};

}  // namespace corvane
