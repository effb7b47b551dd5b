// What the command-line tool prints of untrusted names, and how it reads
// its arguments.
#include <gtest/gtest.h>

#include "cli/Commands.h"
#include "cli/Options.h"
#include "cli/Survey.h"

namespace corvane::cli {
namespace {

TEST(PrintableTest, OnlyWhatATerminalShowsAsTextPassesRaw) {
    struct Case {
        std::string in, out;
    };
    // clang-format off
    const Case cases[] = {
        {"Cafe 42", "Cafe 42"},
        {"caf\xC3\xA9", "caf\xC3\xA9"},                       // two-byte UTF-8
        {"\xE2\x82\xAC", "\xE2\x82\xAC"},                     // euro sign
        {"\xF0\x9F\x93\xB6", "\xF0\x9F\x93\xB6"},             // four bytes
        {"a\x1b[31mb", "a\\x1B[31mb"},                       // escape sequence
        {"back\\slash", "back\\\\slash"},
        {"\x7f", "\\x7F"},
        {"\xC0\xAF", "\\xC0\\xAF"},                           // overlong '/'
        {"\xE0\x80\xAF", "\\xE0\\x80\\xAF"},                  // overlong, three bytes
        {"\xED\xA0\x80", "\\xED\\xA0\\x80"},                  // surrogate
        {"\xF5\x80\x80\x80", "\\xF5\\x80\\x80\\x80"},          // above U+10FFFF
        {"\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},
        {"\xC2\x9B" "31m", "\\xC2\\x9B31m"},                   // C1 control sequence introducer
        {"abc\xE2\x80\xAE" "fed", "abc\\xE2\\x80\\xAEfed"},    // right-to-left override
        {"\xE2\x81\xA6x", "\\xE2\\x81\\xA6x"},                 // isolate
        {"\xB2\xE2\xCA\xD4", "\\xB2\\xE2\\xCA\\xD4"},          // a GBK name, not UTF-8
        {std::string("a\0b", 3), "a\\x00b"},
        {"\xC3", "\\xC3"},                                     // cut short
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(Printable(c.in), c.out) << c.out;
}

TEST(OptionsTest, UnknownExtraAndMissingArgumentsAreRefused) {
    const std::vector<OptionDef> defs = {{"--json"}, {"--cipher", true}, {"--wep-hex", true, true}};
    struct Case {
        std::vector<std::string> args;
        bool ok;
        std::string error;
    };
    const Case cases[] = {
        {{"AA"}, true, ""},
        {{"AA", "--json", "--wep-hex", "1=x", "--wep-hex", "2=y"}, true, ""},
        {{"AA", "BB"}, false, "unexpected argument BB"},
        {{}, false, "missing argument"},
        {{"AA", "--bogus"}, false, "unknown option --bogus"},
        {{"AA", "--cipher"}, false, "--cipher needs a value"},
        {{"AA", "--json", "--json"}, false, "--json given twice"},
        {{"--", "-x"}, true, ""},
    };
    for (const Case& c : cases) {
        std::string error;
        auto parsed = ParseOptions(c.args, defs, 1, 1, &error);
        EXPECT_EQ(parsed.has_value(), c.ok) << error;
        EXPECT_EQ(error, c.error);
    }
}

}  // namespace
}  // namespace corvane::cli
