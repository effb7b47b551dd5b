// `corvane` and the preference files it shares with the window and the
// agent: the active profile is matched to its own profile only, and on a
// full disk nothing is left half-written and no state is claimed that was
// not stored. The simulated driver's state is the witness of the link.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include "profiles/PreferenceFiles.h"
#include "tests/integration/CliFixture.h"

namespace corvane::test {
namespace {

using ::testing::HasSubstr;

class ProfileFilesCli : public CliTest {
protected:
    bool LinkIs(const std::string& ssid) {
        const nlohmann::json s = SimStatus();
        return s.value("associated", false) && s.value("ssid", "") == ssid;
    }
};

// "Home" and "Cafe" were both typed in by name: neither has a BSSID.
TEST_F(ProfileFilesCli, DeletingAnotherTypedProfileKeepsTheActiveOneAndItsLink) {
    StartDriver();
    SeedProfiles();
    ASSERT_EQ(Corvane({"connect", "Cafe"}).status, 0);
    CommandResult list = Corvane({"profiles"});
    EXPECT_THAT(list.out, HasSubstr("1   Home"));
    EXPECT_THAT(list.out, HasSubstr("2*  Cafe"));
    CommandResult deleted = Corvane({"profiles", "delete", "Home"});
    EXPECT_EQ(deleted.status, 0) << deleted.err;
    EXPECT_EQ(deleted.out, "Deleted profile Home\n") << "no reset record";
    EXPECT_TRUE(LinkIs("CafeOpen"));
    EXPECT_THAT(Active(), HasSubstr("<string>CafeOpen</string>"));
    EXPECT_THAT(Corvane({"profiles"}).out, HasSubstr("1*  Cafe"));
}

// HOME on a file system of 64 KiB of its own, mounted in a mount namespace of
// this test process, which the commands and the driver it starts share.
class FullDisk : public ProfileFilesCli {
protected:
    void SetUp() override {
        if (geteuid() != 0 || unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", home_.Path().c_str(), "tmpfs", 0, "size=64k,mode=0700") != 0)
            GTEST_SKIP() << "mounting a small file system as HOME needs root; the order of the "
                            "writes is tested through the write seam in profiles_tests";
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_) umount2(home_.Path().c_str(), MNT_DETACH);
    }
    // Fills the file system with one-page files, then frees `pages` of them.
    void FillLeaving(int pages) {
        const std::string page(4096, 'x');
        for (;; ++fillers_) {
            const std::string name = Filler(fillers_);
            const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const bool whole =
                fd >= 0 && write(fd, page.data(), page.size()) == ssize_t(page.size());
            if (fd >= 0) close(fd);
            if (!whole) {
                unlink(name.c_str());
                break;
            }
        }
        for (int i = 0; i < pages; ++i) unlink(Filler(--fillers_).c_str());
    }
    std::string Filler(int n) const { return home_.Path() + "/filler-" + std::to_string(n); }
    std::string ProfileFile() const { return home_.PreferencesFile("Profile.plist"); }

    bool mounted_ = false;
    int fillers_ = 0;
};

TEST_F(FullDisk, NothingIsHalfWrittenAndNothingIsClaimedThatWasNotStored) {
    StartDriver();
    SeedProfiles();
    // Six more profiles: the list takes two pages, also without Home; the
    // active file takes one.
    PrefArray profiles = ReadPreferenceArray(kProfileListPath);
    for (int i = 1; i <= 6; ++i) {
        PrefDictionary spare = profiles[1];
        spare.Set(kKeyProfileName, "Spare" + std::to_string(i));
        profiles.push_back(spare);
    }
    ASSERT_TRUE(WritePreferenceArray(kProfileListPath, profiles));
    ASSERT_GT(ReadFile(ProfileFile()).size(), 4096u + 2048u);
    ASSERT_EQ(Corvane({"connect", "Home"}).status, 0);
    const std::string list = ReadFile(ProfileFile()), active = Active();

    FillLeaving(1);  // room for a new active file, not for a new list
    CommandResult deleted = Corvane({"profiles", "delete", "Home"});
    EXPECT_EQ(deleted.status, 1);
    EXPECT_THAT(deleted.err, HasSubstr("could not be written"));
    EXPECT_EQ(ReadFile(ProfileFile()), list);
    EXPECT_EQ(Active(), active) << "Home is still in the list, so it is still the active one";
    EXPECT_TRUE(LinkIs("CorvaneHome"));

    FillLeaving(0);
    for (std::vector<std::string> command : {std::vector<std::string>{"connect", "Cafe"},
                                             {"join", "00:0C:43:A1:00:02"},
                                             {"disconnect"}}) {
        CommandResult r = Corvane(command);
        EXPECT_EQ(r.status, 1) << command[0];
        EXPECT_THAT(r.err, HasSubstr(ExpandTilde(kActiveProfilePath))) << command[0];
        EXPECT_EQ(Active(), active) << command[0];
        EXPECT_TRUE(LinkIs("CorvaneHome")) << command[0] << ": the link follows the file";
    }
}

}  // namespace
}  // namespace corvane::test
