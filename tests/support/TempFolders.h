// Temporary folders that stand in for the user's home and for the service
// registry folder for the lifetime of a test. Each creates a fresh folder
// (mode 0700), points its environment variable at it, and on destruction
// puts the variable back as it was and removes the folder with everything
// in it.
#pragma once

#include <optional>
#include <string>

namespace corvane::test {

// Sets an environment variable for the guard's lifetime; restores the old
// value (or its absence) afterwards.
class ScopedEnv {
public:
    ScopedEnv(std::string name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

// A fresh folder named by an environment variable while the guard lives.
class TempFolderEnv {
public:
    TempFolderEnv(const std::string& stem, const std::string& variable);
    ~TempFolderEnv();
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    ScopedEnv env_;
};

// A temporary HOME.
class TempHome : public TempFolderEnv {
public:
    TempHome() : TempFolderEnv("corvane-home", "HOME") {}
    // "~/Library/Preferences" expanded against this home; it does not exist
    // until something makes it.
    std::string PreferencesFolder() const;
    // A file in the preferences folder, e.g. PreferencesFile("Profile.plist").
    std::string PreferencesFile(const std::string& name) const;
};

// A temporary service registry folder (CORVANE_IOREGISTRY).
class TempRegistry : public TempFolderEnv {
public:
    TempRegistry() : TempFolderEnv("corvane-ioreg", "CORVANE_IOREGISTRY") {}
    // "<folder>/<className>@<instance>"
    std::string SocketPath(const std::string& className, const std::string& instance) const;
};

// Makes a fresh folder under the temporary folder; aborts the test run when
// it cannot (nothing useful can happen without it).
std::string MakeTempFolder(const std::string& stem);
void RemoveTree(const std::string& path);

}  // namespace corvane::test
