// The profile editor as the pages that open it see it: one of the three
// entry operations, then Run(). The editor writes the profile file itself
// on OK; Run() says whether it did. The window's ProfileEditorController is
// the one.
#pragma once

#include "editor/ProfilePrefill.h"

namespace corvane {

class ProfileEditorSheet {
public:
    // A new profile (the profile list's Add).
    virtual void AddInit() = 0;
    // The stored profile at `index` of the file (the profile list's Edit);
    // false when the file no longer holds it.
    virtual bool EditInit(int index) = 0;
    // A new profile prefilled from a scanned network (the site survey's
    // Add to Profile); false when it cannot be opened.
    virtual bool AddProfile(const ProfilePrefill& prefill) = 0;
    // Runs the sheet over the main window: 1 saved, 0 cancelled.
    virtual int Run() = 0;

protected:
    ~ProfileEditorSheet() = default;
};

}  // namespace corvane
