#include "pane/PreferencePane.h"

#include <filesystem>
#include <system_error>

#include "pane/AboutInformation.h"
#include "profiles/ui/ProfileDrawer.h"

namespace corvane {

VelaConfigKestrelPreferencePane::VelaConfigKestrelPreferencePane(const std::string& bundlePath)
    : bundlePath_(bundlePath) {
    RecordPaneVersion(bundlePath_);
}

void VelaConfigKestrelPreferencePane::didUnselect(ProfileDrawer* drawer) {
    if (drawer) drawer->close();
}

std::string RunningBundlePath() {
    namespace fs = std::filesystem;
    std::error_code error;
    // The link resolves to the executable itself, also when it was started
    // through build/bin's link to it.
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (error) return {};
    const fs::path macos = executable.parent_path();
    const fs::path contents = macos.parent_path();
    const fs::path bundle = contents.parent_path();
    if (macos.filename() != "MacOS" || contents.filename() != "Contents" ||
        bundle.extension() != ".prefPane")
        return {};
    return bundle.string();
}

}  // namespace corvane
