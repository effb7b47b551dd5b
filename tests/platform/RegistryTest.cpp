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

TEST(Registry, FolderComesFromTheEnvironmentInOrder) {
    TempHome home;  // any folder will do as a runtime folder
    const std::string uid = std::to_string(getuid());
    const struct {
        std::string xdg, registry, expected;
    } cases[] = {
        {home.Path(), "/somewhere/else", "/somewhere/else"},
        {home.Path(), "", home.Path() + "/corvane-ioregistry"},
        {"", "", "/tmp/corvane-ioregistry-" + uid},
    };
    for (const auto& c : cases) {
        ScopedEnv xdg("XDG_RUNTIME_DIR", c.xdg), registry("CORVANE_IOREGISTRY", c.registry);
        EXPECT_EQ(RegistryFolder(), c.expected);
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
