// What the site survey does with a selected network, without widgets: the
// refusals, the key dialog's preselection, the connect record built from
// the entry and the dialog's hand-back, and the editor prefill for Add to
// Profile. The window's page and `corvane join` / `corvane profiles add`
// call these same functions.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "adapter/ScanList.h"
#include "editor/KeyEntryGroup.h"
#include "editor/KeyRules.h"
#include "editor/ProfilePrefill.h"
#include "platform/Translate.h"
#include "profiles/ProfileRecord.h"
#include "survey/AccessPoint.h"

namespace corvane {

inline constexpr const char* kAlertNoSelectedItem =
    QT_TRANSLATE_NOOP("SurveyConnect", "No selected item");
inline constexpr const char* kAlertSelectToConnect =
    QT_TRANSLATE_NOOP("SurveyConnect", "Please select an item to connect to.");
inline constexpr const char* kAlertSelectToDelete =
    QT_TRANSLATE_NOOP("SurveyConnect", "Please select an item to delete.");
inline constexpr const char* kAlertEnterprise =
    QT_TRANSLATE_NOOP("SurveyConnect", "WPA-Enterprise / WPA2-Enterprise isn't supported yet!!!");
inline constexpr const char* kAlertWpaNone =
    QT_TRANSLATE_NOOP("SurveyConnect", "WPA-NONE of Adhoc doesn't supported!!!");
inline constexpr const char* kAlertHiddenAccessPoint = QT_TRANSLATE_NOOP(
    "SurveyConnect",
    "This access point has advanced security settings. Please add the profile manually by button "
    "[Add to Profile]");
inline constexpr const char* kAlertAdhoc5GHz =
    QT_TRANSLATE_NOOP("SurveyConnect", "5GHz band of Adhoc isn't supported yet!!!");

// The alert for a network whose security this adapter cannot join.
std::string UnsupportedSecurityAlert(const std::string& security);

// What Connect does with the selected row and its entry.
struct ConnectPlan {
    std::optional<std::string> refusal;  // alert title (empty message); nothing else happens
    int32_t securityClass = 0;           // IsItemWPA of the row
    bool needsKeys = false;              // the key dialog runs first
    KeyDialogPreset preset;              // its preselection, when it does
};
ConnectPlan PlanSurveyConnect(const AccessPoint& row, const BssEntry& entry);

// The connect record: mode, thresholds at their largest (off), the entry's frequency,
// the security from the dialog's values (null for an open network), by
// BSSID for infrastructure and by SSID for ad hoc. Never null.
ProfileRecordPtr BuildSurveyConnectRecord(const BssEntry& entry, const WEPSettingValues* keys);

struct AddToProfilePlan {
    std::optional<std::string> refusal;
    ProfilePrefill prefill;
};
AddToProfilePlan PlanAddToProfile(const AccessPoint& row, const BssEntry& entry);

}  // namespace corvane
