// corvane-simdriver: the simulated adapter as a process. Publishes the
// adapter's user-client socket in the service registry folder and serves it
// in the foreground until SIGTERM or SIGINT.
#include <memory>
#include <string>

#include "driver/DriverProcess.h"
#include "driver/sim/SimAir.h"

int main(int argc, char** argv) {
    using namespace corvane::sim;
    std::string environmentPath;
    corvane::driver::DriverProgram program{
        "corvane-simdriver",
        "0",
        {{"--environment", "FILE", "the radio world (default: the bundled sample)",
          &environmentPath}},
        [&](corvane::driver::ProcessSetup& setup)
            -> std::unique_ptr<corvane::driver::RadioBackend> {
            std::string error;
            std::optional<Environment> env =
                environmentPath.empty() ? ParseEnvironment(BundledSampleEnvironment(), &error)
                                        : LoadEnvironmentFile(environmentPath, &error);
            if (!env) return setup.Fail(2, "bad environment: " + error);
            return std::make_unique<SimAir>(std::move(*env));
        }};
    return corvane::driver::RunDriverProcess(program, argc, argv);
}
