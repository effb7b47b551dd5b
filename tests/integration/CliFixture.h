// The `corvane` command and the simulated driver as separate processes,
// over the socket, in a temporary registry and a temporary HOME.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tests/integration/Processes.h"
#include "tests/support/TempFolders.h"

namespace corvane::test {

inline CommandResult Corvane(std::vector<std::string> args, const std::string& input = "") {
    args.insert(args.begin(), BinPath("corvane"));
    return Run(args, input);
}

// The simulated driver's status as corvane-simctl reports it; null when
// there is no driver.
inline nlohmann::json SimStatus() {
    CommandResult r = Run({BinPath("corvane-simctl"), "status"});
    return r.status == 0 ? nlohmann::json::parse(r.out, nullptr, false) : nlohmann::json();
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteFile(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << text;
}

inline std::string Quoted(const std::string& s) { return "'" + s + "'"; }

class CliTest : public ::testing::Test {
protected:
    // The simulated driver with `options`, once it answers (up to 30 s: a
    // sanitizer build on a busy machine starts slowly).
    void StartDriver(const std::vector<std::string>& options = {}) {
        driver_.reset();
        std::vector<std::string> args = {BinPath("corvane-simdriver")};
        args.insert(args.end(), options.begin(), options.end());
        driver_ = std::make_unique<Daemon>(args);
        for (int i = 0; i < 1500 && SimStatus().is_null(); ++i) usleep(20000);
        ASSERT_FALSE(SimStatus().is_null()) << "the simulated driver did not come up";
    }
    // The demo profiles ("Home" on CorvaneHome, "Cafe" on CafeOpen).
    void SeedProfiles(const std::string& passphrase = "correct horse battery") {
        std::string profiles = ReadFile(CORVANE_SAMPLE_PROFILES);
        profiles.replace(profiles.find("correct horse battery"), 21, passphrase);
        WriteFile(home_.PreferencesFile("Profile.plist"), profiles);
    }
    std::string Active() { return ReadFile(home_.PreferencesFile("ActiveProfileSetting.plist")); }

    TempRegistry registry_;
    TempHome home_;
    std::unique_ptr<Daemon> driver_;
};

}  // namespace corvane::test
