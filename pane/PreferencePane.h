// The pane's principal class: records the pane's version from its bundle
// and closes the drawer when the pane is left (its window hidden or closed).
#pragma once

#include <string>

namespace corvane {

class ProfileDrawer;

class VelaConfigKestrelPreferencePane {
public:
    // `bundlePath`: the .prefPane folder. Reads Contents/Info.plist's
    // "CFBundleShortVersionString" into VelaConfigVerChar (at most 15 bytes).
    explicit VelaConfigKestrelPreferencePane(const std::string& bundlePath);

    void didSelect() {}
    void didUnselect(ProfileDrawer* drawer);

    const std::string& bundlePath() const { return bundlePath_; }

private:
    std::string bundlePath_;
};

// The bundle the running executable belongs to (…/X.prefPane), from its own
// path; empty when it does not run from a bundle.
std::string RunningBundlePath();

}  // namespace corvane
