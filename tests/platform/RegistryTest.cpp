// The service registry folder.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <string>

#include "platform/Registry.h"
#include "tests/support/TempFolders.h"

namespace corvane::test {
namespace {

using namespace platform;

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

void MakeSocketFile(const std::string& path) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof addr.sun_path);
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    close(fd);
}

TEST(Registry, FolderComesFromTheEnvironmentInOrder) {
    TempHome home;  // any folder will do as a runtime folder
    {
        ScopedEnv xdg("XDG_RUNTIME_DIR", home.Path());
        ScopedEnv registry("CORVANE_IOREGISTRY", "/somewhere/else");
        EXPECT_EQ(RegistryFolder(), "/somewhere/else");
    }
    {
        ScopedEnv xdg("XDG_RUNTIME_DIR", home.Path());
        ScopedEnv registry("CORVANE_IOREGISTRY", "");
        EXPECT_EQ(RegistryFolder(), home.Path() + "/corvane-ioregistry");
    }
    {
        ScopedEnv xdg("XDG_RUNTIME_DIR", "");
        ScopedEnv registry("CORVANE_IOREGISTRY", "");
        EXPECT_EQ(RegistryFolder(), "/tmp/corvane-ioregistry-" + std::to_string(getuid()));
    }
}

TEST(Registry, TempRegistryIsTheFolderForItsLifetime) {
    std::string path;
    {
        TempRegistry registry;
        path = registry.Path();
        EXPECT_EQ(RegistryFolder(), path);
        EXPECT_EQ(registry.SocketPath("Cls", "2"), path + "/Cls@2");
    }
    EXPECT_NE(RegistryFolder(), path);
    EXPECT_EQ(ModeOf(path), 0u);  // removed
}

TEST(Registry, EnsureFolderCreatesItPrivateAndTightensAnOpenOne) {
    TempHome home;
    const std::string folder = home.Path() + "/reg";
    ASSERT_TRUE(EnsureRegistryFolder(folder));
    EXPECT_EQ(ModeOf(folder), 0700u);
    ASSERT_EQ(chmod(folder.c_str(), 0777), 0);
    EXPECT_TRUE(EnsureRegistryFolder(folder));
    EXPECT_EQ(ModeOf(folder), 0700u);

    const std::string file = home.Path() + "/plain";
    std::ofstream(file) << "x";
    EXPECT_FALSE(EnsureRegistryFolder(file));
    const std::string link = home.Path() + "/link";
    ASSERT_EQ(symlink(folder.c_str(), link.c_str()), 0);
    EXPECT_FALSE(EnsureRegistryFolder(link));
    EXPECT_FALSE(EnsureRegistryFolder(home.Path() + "/missing/deeper"));
}

TEST(Registry, FindServiceSocketsListsOnlySocketsOfTheClassSorted) {
    TempRegistry registry;
    MakeSocketFile(registry.SocketPath("Osprey", "b"));
    MakeSocketFile(registry.SocketPath("Osprey", "a"));
    MakeSocketFile(registry.SocketPath("OspreyX", "a"));
    MakeSocketFile(registry.Path() + "/Osprey@");  // no instance
    std::ofstream(registry.SocketPath("Osprey", "c")) << "not a socket";

    EXPECT_EQ(FindServiceSockets(registry.Path(), "Osprey"),
              (std::vector<std::string>{registry.SocketPath("Osprey", "a"),
                                        registry.SocketPath("Osprey", "b")}));
    EXPECT_TRUE(FindServiceSockets(registry.Path(), "").empty());
    EXPECT_TRUE(FindServiceSockets(registry.Path() + "/none", "Osprey").empty());
}

TEST(TempHome, SetsAndRestoresHome) {
    const char* before = std::getenv("HOME");
    const std::string old = before ? before : "";
    std::string path;
    {
        TempHome home;
        path = home.Path();
        EXPECT_EQ(std::string(std::getenv("HOME")), path);
        EXPECT_EQ(home.PreferencesFolder(), path + "/Library/Preferences");
        EXPECT_EQ(ModeOf(home.PreferencesFolder()), 0u);
        home.PreferencesFolder(true);
        EXPECT_NE(ModeOf(home.PreferencesFolder()), 0u);
        EXPECT_EQ(home.PreferencesFile("Profile.plist"),
                  path + "/Library/Preferences/Profile.plist");
    }
    EXPECT_EQ(std::string(std::getenv("HOME") ? std::getenv("HOME") : ""), old);
    EXPECT_EQ(ModeOf(path), 0u);
}

}  // namespace
}  // namespace corvane::test
