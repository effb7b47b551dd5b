// The security key dialog as the page that opens it sees it: preset for the
// network, run, and the keys the user confirmed handed back from the same
// call (nothing when cancelled). The window's WEPSettingController is one.
#pragma once

#include <optional>

#include "editor/KeyEntryGroup.h"
#include "editor/KeyRules.h"

namespace corvane {

class KeyDialog {
public:
    // Presets the dialog (list kind, preselection, empty texts), runs it
    // over the main window and returns what the key rules confirmed on OK,
    // or nothing when the user cancelled.
    virtual std::optional<WEPSettingValues> RunFor(const KeyDialogPreset& preset) = 0;

protected:
    ~KeyDialog() = default;
};

}  // namespace corvane
