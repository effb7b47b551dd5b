#include "tests/support/TempFolders.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/Registry.h"

namespace corvane::test {

ScopedEnv::ScopedEnv(std::string name, const std::string& value) : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) old_ = old;
    setenv(name_.c_str(), value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
    if (old_)
        setenv(name_.c_str(), old_->c_str(), 1);
    else
        unsetenv(name_.c_str());
}

std::string MakeTempFolder(const std::string& stem) {
    const char* t = std::getenv("TMPDIR");
    std::string pattern = std::string(t && *t ? t : "/tmp") + "/" + stem + "-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    return pattern;
}

void RemoveTree(const std::string& path) {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
}

TempFolderEnv::TempFolderEnv(const std::string& stem, const std::string& variable)
    : path_(MakeTempFolder(stem)), env_(variable, path_) {}

TempFolderEnv::~TempFolderEnv() { RemoveTree(path_); }

std::string TempHome::PreferencesFolder() const { return Path() + "/Library/Preferences"; }

std::string TempHome::PreferencesFile(const std::string& name) const {
    return PreferencesFolder() + "/" + name;
}

std::string TempRegistry::SocketPath(const std::string& className,
                                     const std::string& instance) const {
    return platform::ServiceSocketPath(Path(), className, instance);
}

}  // namespace corvane::test
