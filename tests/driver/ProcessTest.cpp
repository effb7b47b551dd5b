// The driver processes' command line, which both programs share: help,
// usage errors and their exit status, before anything is published.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/integration/Processes.h"
#include "tests/support/TempFolders.h"

namespace corvane::driver {
namespace {

const std::string kSim = CORVANE_SIMDRIVER_EXE;
const std::string kNl80211 = CORVANE_NL80211D_EXE;

TEST(DriverProcess, CommandLines) {
    corvane::test::TempRegistry registry;
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;  // the first line of standard error
        bool usage = true;
    } rows[] = {
        {{kSim, "--bogus"}, 2, "corvane-simdriver: unknown argument --bogus"},
        {{kSim, "--journal"}, 2, "corvane-simdriver: --journal needs a value"},
        {{kSim, "--registry", registry.Path(), "--instance", "a/b"},
         2,
         "corvane-simdriver: the instance name must be non-empty and hold no '/'"},
        {{kSim, "--registry", registry.Path(), "--journal", registry.Path()},
         2,
         "corvane-simdriver: cannot open journal " + registry.Path(),
         false},
        {{kNl80211, "--kind", "osprey"}, 2, "corvane-nl80211d: --interface is required"},
        {{kNl80211, "--interface", "wlan9", "--kind", "heron"},
         2,
         "corvane-nl80211d: --kind is osprey or merlin"},
    };
    for (const auto& row : rows) {
        const auto run = corvane::test::Run(row.args);
        EXPECT_EQ(run.status, row.status) << row.args[1];
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), row.err);
        EXPECT_EQ(run.err.find("usage: ") != std::string::npos, row.usage) << row.args[1];
    }
    for (const std::string& program : {kSim, kNl80211}) {
        const auto help = corvane::test::Run({program, "--help"});
        EXPECT_EQ(help.status, 0);
        for (const char* option : {"--journal FILE", "--instance NAME", "--registry DIR"})
            EXPECT_NE(help.out.find(option), std::string::npos) << program << option;
    }
}

}  // namespace
}  // namespace corvane::driver
