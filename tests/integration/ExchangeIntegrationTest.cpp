// `corvane profiles share|export|import` as its own process in a temporary
// HOME: keys withheld until asked for, the PNG read back by a QR reader,
// files in and out under free names with nothing stored lost.
#include <gmock/gmock.h>

#include "tests/integration/CliFixture.h"

namespace corvane::test {
namespace {

using nlohmann::json;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

std::string Fixture(const std::string& name) {
    return std::string(CORVANE_EXCHANGE_DATA) + "/" + name;
}

// What a QR reader (zbarimg) reads from a picture: the symbols' data, one a
// line.
CommandResult ReadQrPicture(const std::string& path) {
    return Run({CORVANE_ZBARIMG, "--raw", "-q", path});
}

class ExchangeTest : public CliTest {
protected:
    std::string Profiles() { return ReadFile(home_.PreferencesFile("Profile.plist")); }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const json& p : json::parse(Corvane({"profiles", "--json"}).out))
            names.push_back(p["Profile Name"]);
        return names;
    }
    std::string folder_ = MakeTempFolder("exchange-cli");
};

TEST_F(ExchangeTest, ShareWithholdsTheKeyUntilAskedAndThePictureReadsBack) {
    SeedProfiles();
    const std::string png = folder_ + "/home.png";
    CommandResult withheld = Corvane({"profiles", "share", "Home", "--png", png});
    EXPECT_EQ(withheld.status, 1);
    EXPECT_THAT(withheld.out, IsEmpty());
    EXPECT_THAT(withheld.err, HasSubstr("corvane profiles share Home --show-keys --png " + png));
    EXPECT_FALSE(std::filesystem::exists(png));

    const std::string text = "WIFI:T:WPA;S:CorvaneHome;P:correct horse battery;;";
    CommandResult shown = Corvane({"profiles", "share", "Home", "--show-keys", "--png", png});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out, text + "\n") << "a pipe gets the text alone, no blocks";
    EXPECT_EQ(std::filesystem::status(png).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    if (*CORVANE_ZBARIMG) {
        CommandResult read = ReadQrPicture(png);
        ASSERT_EQ(read.status, 0) << read.err;
        EXPECT_EQ(read.out, text + "\n");
    } else {
        ADD_FAILURE() << "no zbarimg to read the picture (scripts/install-deps.sh --test)";
    }

    // An open network has no key to withhold; by its number.
    CommandResult open = Corvane({"profiles", "share", "2"});
    EXPECT_EQ(open.status, 0) << open.err;
    EXPECT_EQ(open.out, "WIFI:T:nopass;S:CafeOpen;;\n");
    // On a terminal (script(1) gives it one) the code follows in block
    // characters, each line white on black.
    CommandResult tty = test::Run(
        {"/usr/bin/script", "-qec", BinPath("corvane") + " profiles share 2", "/dev/null"});
    EXPECT_EQ(tty.status, 0) << tty.err;
    EXPECT_EQ(tty.out.rfind("WIFI:T:nopass;S:CafeOpen;;\r\n\r\n\x1b[97;40m\u2588", 0), 0u)
        << tty.out;
    EXPECT_THAT(tty.out, HasSubstr("\u2580"));

    EXPECT_EQ(Corvane({"profiles", "share", "Nowhere"}).status, 1);
    EXPECT_EQ(Corvane({"profiles", "share", "+1"}).status, 2);
    EXPECT_EQ(Corvane({"profiles", "share"}).status, 2);
}

TEST_F(ExchangeTest, ImportAddsUnderFreeNamesListsWhatItSkippedAndExportReadsBack) {
    SeedProfiles();
    CommandResult imported =
        Corvane({"profiles", "import", Fixture("wpa_supplicant.conf"), Fixture("Home.nmconnection"),
                 Fixture("eduroam.nmconnection")});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_THAT(imported.out,
                HasSubstr("Imported Home (CorvaneHome) as Home2: the name Home is taken\n"));
    EXPECT_THAT(imported.out, HasSubstr("Imported PROF1 (Linksys-WPA)\n"));
    EXPECT_THAT(imported.out, HasSubstr("Skipped eduroam (network block at line"));
    EXPECT_THAT(imported.out, HasSubstr("Skipped ShortKey (network block at line 119) of " +
                                        Fixture("wpa_supplicant.conf") +
                                        ": Invalid WPA Pre-Shared key. WPA-PSK/WPA2-PSK key should "
                                        "be more than 8 characters.\n"));
    EXPECT_THAT(imported.out, HasSubstr("10 imported, 7 skipped\n"));
    const std::vector<std::string> names = Names();
    ASSERT_EQ(names.size(), 12u);
    EXPECT_EQ(names[0], "Home");
    EXPECT_EQ(names[2], "Home2");
    EXPECT_EQ(names.back(), "Home3") << "the keyfile's Home, after the file's";

    // A file that is none of the formats: nothing is imported, nothing lost.
    const std::string before = Profiles();
    CommandResult refused = Corvane(
        {"profiles", "import", Fixture("Cafe.nmconnection"), Fixture("malformed.nmconnection")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_THAT(refused.err, HasSubstr("malformed.nmconnection: line 7"));
    EXPECT_THAT(refused.err, HasSubstr("nothing was imported"));
    CommandResult nothing = Corvane({"profiles", "import", Fixture("Modern.nmconnection")});
    EXPECT_EQ(nothing.status, 1);
    EXPECT_THAT(nothing.out, HasSubstr("WPA3-SAE"));
    EXPECT_EQ(Profiles(), before);

    // Export, then import into the same list: with --replace every profile
    // takes its own place, without it every one gets a new name.
    const std::string exported = folder_ + "/profiles.plist";
    CommandResult out = Corvane({"profiles", "export", exported});
    ASSERT_EQ(out.status, 0) << out.err;
    EXPECT_EQ(out.out, "Exported 12 profiles to " + exported + "\n");
    ASSERT_EQ(Corvane({"profiles", "import", exported, "--replace"}).status, 0);
    EXPECT_EQ(Names(), names);
    const std::string replaced = Profiles();
    ASSERT_EQ(Corvane({"profiles", "import", exported, "--replace"}).status, 0);
    EXPECT_EQ(Profiles(), replaced) << "the same profiles in the same places";
    const json shown = json::parse(Corvane({"profiles", "--json", "--show-keys"}).out);
    EXPECT_EQ(shown[0]["WPAPSK"], "correct horse battery");
    EXPECT_EQ(shown[5]["WEPKey2"], "Corvane13abcd");
    ASSERT_EQ(Corvane({"profiles", "import", exported}).status, 0);
    EXPECT_EQ(Names().size(), 24u);
    EXPECT_EQ(Names()[12], "Home4");
}

}  // namespace
}  // namespace corvane::test
