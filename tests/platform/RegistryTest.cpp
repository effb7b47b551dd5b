// The service registry folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/Registry.h"
#include "tests/support/TempFolders.h"

namespace corvane::test {
namespace {

using namespace platform;

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

}  // namespace
}  // namespace corvane::test
