// The `corvane` command in the user's language, as a process with the
// language settings in its environment: German and French texts where a
// person reads them, English for a language without a catalogue, and
// output for programs (--json, exit statuses) the same in every language.
#include <gmock/gmock.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "tests/integration/CliFixture.h"

namespace corvane::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// The language settings of a run; every other variable is the test's own.
using Locale = std::vector<std::string>;
const Locale kEnglish = {"LC_ALL=C.UTF-8"};
const Locale kGerman = {"LANGUAGE=de", "LC_ALL=C.UTF-8"};
const Locale kFrench = {"LANG=fr_FR.UTF-8"};
const Locale kUnknown = {"LANGUAGE=xx", "LC_ALL=C"};

CommandResult CorvaneIn(const Locale& locale, const std::vector<std::string>& args) {
    std::vector<std::string> command = {"/usr/bin/env", "-u",   "LANGUAGE", "-u",         "LC_ALL",
                                        "-u",           "LANG", "-u",       "LC_MESSAGES"};
    command.insert(command.end(), locale.begin(), locale.end());
    command.push_back(BinPath("corvane"));
    command.insert(command.end(), args.begin(), args.end());
    return Run(command);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

using CliLanguageTest = CliTest;

TEST_F(CliLanguageTest, UsageAndRefusalsInGermanAndFrench) {
    struct Row {
        const char* language;
        Locale locale;
        const char* usage;       // the first line of --help
        const char* noProfile;   // connect to a profile that is not stored
        const char* radioUsage;  // the usage line after a bad radio argument
    } rows[] = {
        {"German", kGerman, "Aufruf: corvane [--trace] BEFEHL [ARGUMENTE]\n",
         "corvane: kein gespeichertes Profil mit dem Namen oder der Nummer „Nowhere“\n",
         "corvane radio: on oder off angeben\nAufruf: corvane radio on|off\n"},
        {"French", kFrench, "usage : corvane [--trace] COMMANDE [ARGUMENTS]\n",
         "corvane: aucun profil enregistré ne porte le nom ou le numéro « Nowhere »\n",
         "corvane radio: indiquez on ou off\nusage : corvane radio on|off\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.language);
        const CommandResult help = CorvaneIn(row.locale, {"--help"});
        EXPECT_EQ(help.status, 0);
        EXPECT_THAT(help.out, StartsWith(row.usage));
        // No line wider than the English text's widest, in characters.
        for (const std::string& line : Lines(help.out)) {
            const auto continuing =
                std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xC0) == 0x80; });
            EXPECT_LE(line.size() - size_t(continuing), 88u) << line;
        }

        const CommandResult missing = CorvaneIn(row.locale, {"connect", "Nowhere"});
        EXPECT_EQ(missing.status, 1);
        EXPECT_EQ(missing.err, row.noProfile);
        const CommandResult radio = CorvaneIn(row.locale, {"radio", "maybe"});
        EXPECT_EQ(radio.status, 2);
        EXPECT_EQ(radio.err, row.radioUsage);
    }
}

TEST_F(CliLanguageTest, ALanguageWithoutCatalogueGetsTheEnglishTexts) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--help"}, {"connect", "Nowhere"}, {"radio", "maybe"}}) {
        SCOPED_TRACE(args.front());
        const CommandResult english = CorvaneIn(kEnglish, args);
        const CommandResult unknown = CorvaneIn(kUnknown, args);
        EXPECT_EQ(unknown.status, english.status);
        EXPECT_EQ(unknown.out, english.out);
        EXPECT_EQ(unknown.err, english.err);
    }
    EXPECT_THAT(CorvaneIn(kUnknown, {"--help"}).out,
                StartsWith("usage: corvane [--trace] COMMAND"));
}

TEST_F(CliLanguageTest, OutputForProgramsIsTheSameInEveryLanguage) {
    // A run for programs loads no catalogue: its messages stay English too.
    const CommandResult absent = CorvaneIn(kEnglish, {"status", "--json"});
    EXPECT_THAT(absent.err, HasSubstr("no adapter found"));
    EXPECT_EQ(CorvaneIn(kGerman, {"status", "--json"}).err, absent.err);
    EXPECT_NE(CorvaneIn(kGerman, {"status"}).err, absent.err);

    StartDriver();
    SeedProfiles();
    ASSERT_EQ(CorvaneIn(kEnglish, {"connect", "Home"}).status, 0);
    for (const std::vector<std::string>& args : {std::vector<std::string>{"scan", "--json"},
                                                 {"status", "--json"},
                                                 {"profiles", "--json"},
                                                 {"profiles", "--json", "--show-keys"},
                                                 {"psk", "CorvaneHome", "correct horse battery"}}) {
        SCOPED_TRACE(args.front() + " " + args.back());
        const CommandResult english = CorvaneIn(kEnglish, args);
        ASSERT_EQ(english.status, 0) << english.err;
        for (const Locale& locale : {kGerman, kFrench}) {
            const CommandResult translated = CorvaneIn(locale, args);
            EXPECT_EQ(translated.status, english.status);
            EXPECT_EQ(translated.out, english.out);
        }
    }

    // The same runs without --json are translated, the labels lined up and
    // the words of the link's view with them.
    const CommandResult status = CorvaneIn(kGerman, {"status"});
    ASSERT_EQ(status.status, 0) << status.err;
    const std::vector<std::string> lines = Lines(status.out);
    ASSERT_EQ(lines.size(), 6u) << status.out;
    EXPECT_EQ(lines[0], "Verbindungsstatus   : Verbunden");
    EXPECT_THAT(status.out, HasSubstr("Netzwerk            : CorvaneHome\n"));
    EXPECT_THAT(status.out, HasSubstr("Netzwerktyp         : Infrastruktur\n"));
    EXPECT_THAT(status.out, HasSubstr("Verbindungsqualität : "));
}

}  // namespace
}  // namespace corvane::test
