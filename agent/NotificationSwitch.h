// The "Show Notifications" check item of the agent's menu, and the file that
// remembers it: ~/Library/Preferences/CorvaneAgentSetting.plist, the agent's
// own preference file beside the three that the window and the agent share
// (it is none of them; nothing else reads it). Like them it is a property
// list whose top level is an array of dictionaries of strings; its first
// dictionary holds "Show Notifications", "YES" or "NO". A missing or
// unreadable file, or any other value, means notifications are shown.
#pragma once

#include <QObject>

#include "agent/LinkNotices.h"

class QAction;

namespace corvane {

inline constexpr const char* kAgentSettingPath = "~/Library/Preferences/CorvaneAgentSetting.plist";
inline constexpr const char* kKeyShowNotifications = "Show Notifications";

bool ReadShowNotifications();
// Sets the value in the file as it is now, under the preference lock, and
// keeps its other keys. False when the file could not be written.
bool WriteShowNotifications(bool show);

// Checks `item` as the file says and turns `notices` on or off to match;
// then each time the user toggles the item, writes the file (a failed write
// goes to the system log; the choice holds for this run all the same) and
// turns `notices` on or off. Both must outlive the switch.
class NotificationSwitch : public QObject {
public:
    NotificationSwitch(QAction& item, LinkNotices& notices);
};

}  // namespace corvane
