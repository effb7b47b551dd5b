// A driver process's life: its command line, the core over the backend its
// builder makes, the service published in the registry folder, serving in
// the foreground until SIGTERM or SIGINT.
//
// Every driver process takes --journal FILE, --instance NAME, --registry DIR
// and --help; the program adds its backend's own options. main is:
//
//   int main(int argc, char** argv) {
//       std::string wanted;
//       corvane::driver::DriverProgram program{"corvane-exampled", "0",
//           {{"--wanted", "VALUE", "what it is for", &wanted}},
//           [&](corvane::driver::ProcessSetup& setup) -> std::unique_ptr<RadioBackend> {
//               if (wanted.empty()) return setup.UsageError("--wanted is required");
//               return std::make_unique<ExampleBackend>(wanted);
//           }};
//       return corvane::driver::RunDriverProcess(program, argc, argv);
//   }
//
// Exit status: 0 stopped by SIGTERM or SIGINT; 1 the service could not be
// published, or what the builder's failure says; 2 bad usage or a journal
// that cannot be opened.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "driver/RadioBackend.h"
#include "platform/Registry.h"

namespace corvane::driver {

struct ProcessOption {
    std::string name;       // "--interface"
    std::string valueName;  // "IFNAME"
    std::string help;       // one line for --help
    std::string* value;     // filled when the option is given
};

// What the builder sees and may decide besides the backend.
struct ProcessSetup {
    std::string instance;  // --instance; empty: the program's default, or what the builder sets
    std::string registry;  // --registry; empty: what the builder sets, else the user's own folder
    platform::Publication publication;
    // Said after the "serving" line (how to ask for the status, say).
    std::string servingNote;

    // For the builder's failures; both return null. Bad usage: exit status 2,
    // the message and the usage. Anything else: the message, exit `status`.
    std::unique_ptr<RadioBackend> UsageError(std::string why);
    std::unique_ptr<RadioBackend> Fail(int status, std::string why);
    int failStatus = 1;
    bool badUsage = false;
    std::string failure;
};

struct DriverProgram {
    std::string name;             // "corvane-simdriver": the messages' and the log's prefix
    std::string defaultInstance;  // used when neither --instance nor the builder names one
    std::vector<ProcessOption> options;
    std::function<std::unique_ptr<RadioBackend>(ProcessSetup&)> build;
};

int RunDriverProcess(const DriverProgram& program, int argc, char** argv);

}  // namespace corvane::driver
