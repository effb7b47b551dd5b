#include "agent/NotificationSwitch.h"

#include <QAction>

#include "platform/SystemInfo.h"
#include "profiles/PreferenceFiles.h"
#include "profiles/PreferenceLock.h"

namespace corvane {
namespace {

constexpr const char* kShow = "YES";
constexpr const char* kDoNotShow = "NO";

}  // namespace

bool ReadShowNotifications() {
    const PrefArray settings = ReadPreferenceArray(kAgentSettingPath);
    return settings.empty() || settings.front().Value(kKeyShowNotifications) != kDoNotShow;
}

bool WriteShowNotifications(bool show) {
    return UpdatePreferenceArray(kAgentSettingPath, [show](PrefArray& settings) {
        if (settings.empty()) settings.emplace_back();
        settings.front().Set(kKeyShowNotifications, show ? kShow : kDoNotShow);
        return true;
    });
}

NotificationSwitch::NotificationSwitch(QAction& item, LinkNotices& notices) {
    const bool show = ReadShowNotifications();
    item.setCheckable(true);
    item.setChecked(show);
    notices.SetEnabled(show);
    connect(&item, &QAction::toggled, this, [&notices](bool on) {
        notices.SetEnabled(on);
        if (!WriteShowNotifications(on))
            platform::SystemLog(
                "MiniTask-CorvaneUtility: the notification setting could not be written to %s",
                ExpandTilde(kAgentSettingPath).c_str());
    });
}

}  // namespace corvane
