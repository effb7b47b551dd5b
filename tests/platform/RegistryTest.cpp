// The service registry folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "platform/Registry.h"
#include "tests/platform/DeviceAccessTestUtil.h"
#include "tests/support/TempFolders.h"

namespace corvane::test {
namespace {

using namespace platform;

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

// The folder a driver publishes in, and the folders a search looks in: the
// set-up's own, else the runtime folder's (else /tmp's), then the system one
// unless it is the same.
TEST(Registry, FoldersComeFromTheEnvironmentInOrder) {
    TempHome home;  // any folder will do as a runtime folder
    const std::string user = home.Path() + "/corvane-ioregistry",
                      tmp = "/tmp/corvane-ioregistry-" + std::to_string(getuid());
    const struct {
        std::string own, xdg, system, folder;
        std::vector<std::string> searched;
    } cases[] = {
        {"/own", home.Path(), "/srv/reg", "/own", {"/own"}},
        {"", home.Path(), "", user, {user, "/run/corvane-ioregistry"}},
        {"", home.Path(), "/srv/reg", user, {user, "/srv/reg"}},
        {"", home.Path(), user, user, {user}},
        {"", "", "/srv/reg", tmp, {tmp, "/srv/reg"}},
    };
    for (const auto& c : cases) {
        ScopedEnv own("CORVANE_IOREGISTRY", c.own), xdg("XDG_RUNTIME_DIR", c.xdg),
            system("CORVANE_SYSTEM_IOREGISTRY", c.system);
        EXPECT_EQ(RegistryFolder(), c.folder) << c.own << " " << c.xdg << " " << c.system;
        EXPECT_EQ(RegistryFolders(), c.searched) << c.own << " " << c.xdg << " " << c.system;
    }
}

TEST(Registry, EnsureFolderCreatesItPrivateAndTightensAnOpenOne) {
    TempHome home;
    const std::string folder = home.Path() + "/reg", link = home.Path() + "/link";
    ASSERT_TRUE(EnsureRegistryFolder(folder));
    EXPECT_EQ(ModeOf(folder), 0700u);
    ASSERT_EQ(chmod(folder.c_str(), 0777), 0);
    EXPECT_TRUE(EnsureRegistryFolder(folder));
    EXPECT_EQ(ModeOf(folder), 0700u);

    std::ofstream(home.Path() + "/plain") << "x";
    EXPECT_FALSE(EnsureRegistryFolder(home.Path() + "/plain"));
    ASSERT_EQ(symlink(folder.c_str(), link.c_str()), 0);
    EXPECT_FALSE(EnsureRegistryFolder(link));
    EXPECT_FALSE(EnsureRegistryFolder(home.Path() + "/missing/deeper"));
}

TEST(Registry, OnlyFoldersOfRootOrTheUserThatNobodyElseMayWriteAreTrusted) {
    const uid_t user = 1000;
    const struct {
        uid_t owner;
        mode_t mode;
        bool trusted;
    } cases[] = {
        {user, S_IFDIR | 0700, true},  {0, S_IFDIR | 0755, true},     {user, S_IFDIR | 0750, true},
        {1001, S_IFDIR | 0700, false}, {0, S_IFDIR | 0775, false},    {user, S_IFDIR | 0702, false},
        {0, S_IFDIR | 01777, false},   {user, S_IFLNK | 0700, false}, {user, S_IFREG | 0700, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RegistryFolderIsTrusted(c.owner, c.mode, user), c.trusted)
            << c.owner << " " << std::oct << c.mode;
}

TEST(Registry, ASharedFolderIsReadableAndItsSocketsUsableByAllOrOneGroup) {
    TempHome home;
    const std::string folder = home.Path() + "/reg", socket = folder + "/Osprey@0";
    ASSERT_TRUE(EnsureRegistryFolder(folder));
    ASSERT_TRUE(EnsureRegistryFolder(folder, {true, std::nullopt}));
    EXPECT_EQ(ModeOf(folder), 0755u);
    MakeSocketFile(socket);
    const struct {
        Publication publication;
        mode_t mode;
    } cases[] = {
        {{true, std::nullopt}, 0666},
        {{true, getgid()}, 0660},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(PublishServiceSocket(socket, c.publication));
        EXPECT_EQ(ModeOf(socket), c.mode);
    }
}

TEST(Registry, ASearchLooksInTheSystemFolderToo) {
    TempRegistry own;
    TempFolderEnv xdg("corvane-xdg", "XDG_RUNTIME_DIR");
    TempFolderEnv system("corvane-sysreg", "CORVANE_SYSTEM_IOREGISTRY");
    const std::string user = xdg.Path() + "/corvane-ioregistry";
    ASSERT_TRUE(EnsureRegistryFolder(user));
    for (const std::string& folder : {own.Path(), user, system.Path()})
        MakeSocketFile(folder + "/Osprey@0");
    auto count = [] {
        std::vector<io_service_t> found = MatchAll("Osprey");
        ReleaseAll(found);
        return found.size();
    };
    EXPECT_EQ(count(), 1u) << "a set-up of its own sees only its own folder";
    ScopedEnv noOwn("CORVANE_IOREGISTRY", "");
    EXPECT_EQ(count(), 2u);
    ASSERT_EQ(chmod(system.Path().c_str(), 0777), 0);
    EXPECT_EQ(count(), 1u) << "a folder anybody may write to is skipped";
}

TEST(Registry, FindServiceSocketsListsOnlySocketsOfTheClassSorted) {
    TempRegistry registry;
    MakeSocketFile(registry.SocketPath("Osprey", "b"));
    MakeSocketFile(registry.SocketPath("Osprey", "a"));
    MakeSocketFile(registry.SocketPath("OspreyX", "a"));
    MakeSocketFile(registry.Path() + "/Osprey@");  // no instance
    std::ofstream(registry.SocketPath("Osprey", "c")) << "not a socket";

    EXPECT_EQ(
        FindServiceSockets(registry.Path(), "Osprey"),
        (std::vector<std::string>{registry.Path() + "/Osprey@a", registry.Path() + "/Osprey@b"}));
    EXPECT_TRUE(FindServiceSockets(registry.Path(), "").empty());
    EXPECT_TRUE(FindServiceSockets(registry.Path() + "/none", "Osprey").empty());
}

}  // namespace
}  // namespace corvane::test
