// What other pages ask of the profile list page about the active profile,
// whose file it holds a copy of: to connect to it again (the active-profile
// check of the advanced page), or to mark it no longer active (a connect the
// site survey page starts on its own). The window's ProfileController is
// the one.
#pragma once

namespace corvane {

class ActiveProfileControl {
public:
    // The active profile's connect queued (with the 103-byte pre-shared key
    // record); false when there is no active profile.
    virtual bool CheckProfileSettingForConnect() = 0;
    // The active record marked "NO"; false (after an alert) when the file
    // could not be written.
    virtual bool DisabledActivateProfile() = 0;

protected:
    ~ActiveProfileControl() = default;
};

}  // namespace corvane
