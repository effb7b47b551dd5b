#include "tests/support/TempFolders.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

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
    std::string base = "/tmp";
    if (const char* t = std::getenv("TMPDIR"); t && *t) base = t;
    std::string pattern = base + "/" + stem + "-XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    return buf.data();
}

void RemoveTree(const std::string& path) {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
}

TempHome::TempHome() : path_(MakeTempFolder("corvane-home")) { env_.emplace("HOME", path_); }

TempHome::~TempHome() {
    env_.reset();
    RemoveTree(path_);
}

std::string TempHome::PreferencesFolder(bool create) const {
    std::string folder = path_ + "/Library/Preferences";
    if (create) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
    }
    return folder;
}

std::string TempHome::PreferencesFile(const std::string& name) const {
    return PreferencesFolder() + "/" + name;
}

TempRegistry::TempRegistry() : path_(MakeTempFolder("corvane-ioreg")) {
    env_.emplace("CORVANE_IOREGISTRY", path_);
}

TempRegistry::~TempRegistry() {
    env_.reset();
    RemoveTree(path_);
}

std::string TempRegistry::SocketPath(const std::string& className,
                                     const std::string& instance) const {
    return platform::ServiceSocketPath(path_, className, instance);
}

}  // namespace corvane::test
