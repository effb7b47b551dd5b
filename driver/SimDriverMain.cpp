// corvane-simdriver: the simulated adapter as a process. Publishes the
// adapter's user-client socket in the service registry folder and serves it
// in the foreground until SIGTERM or SIGINT.

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "driver/Daemon.h"
#include "driver/SimDriver.h"
#include "platform/Registry.h"

namespace {

int Usage(const char* why) {
    if (why) std::fprintf(stderr, "corvane-simdriver: %s\n", why);
    std::fprintf(stderr,
                 "usage: corvane-simdriver [--environment FILE] [--journal FILE] "
                 "[--instance NAME] [--registry DIR]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string environmentPath, journalPath, instance = "0", registry;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string* out) {
            if (i + 1 >= argc) return false;
            *out = argv[++i];
            return true;
        };
        bool ok = true;
        if (arg == "--environment") ok = value(&environmentPath);
        else if (arg == "--journal") ok = value(&journalPath);
        else if (arg == "--instance") ok = value(&instance);
        else if (arg == "--registry") ok = value(&registry);
        else if (arg == "--help" || arg == "-h") return Usage(nullptr), 0;
        else return Usage(("unknown argument " + arg).c_str());
        if (!ok) return Usage((arg + " needs a value").c_str());
    }
    if (instance.empty() || instance.find('/') != std::string::npos)
        return Usage("the instance name must be non-empty and hold no '/'");

    std::string error;
    std::optional<corvane::sim::Environment> env =
        environmentPath.empty()
            ? corvane::sim::ParseEnvironment(corvane::sim::BundledSampleEnvironment(), &error)
            : corvane::sim::LoadEnvironmentFile(environmentPath, &error);
    if (!env) {
        std::fprintf(stderr, "corvane-simdriver: bad environment: %s\n", error.c_str());
        return 2;
    }

    std::ofstream journal;
    if (!journalPath.empty()) {
        journal.open(journalPath, std::ios::app);
        if (!journal) {
            std::fprintf(stderr, "corvane-simdriver: cannot open journal %s\n",
                         journalPath.c_str());
            return 2;
        }
    }

    const int stopFd = corvane::sim::StopOnSignals();
    if (stopFd < 0) {
        std::perror("corvane-simdriver: pipe");
        return 1;
    }

    corvane::sim::SimDriver driver(std::move(*env));
    if (journal.is_open()) driver.SetJournal(&journal);
    corvane::sim::Daemon daemon(driver, registry.empty() ? platform::RegistryFolder() : registry,
                                instance);
    if (!daemon.Start(&error)) {
        std::fprintf(stderr, "corvane-simdriver: %s\n", error.c_str());
        return 1;
    }
    std::fprintf(stderr, "corvane-simdriver: serving %s (control %s)\n",
                 daemon.ServicePath().c_str(), daemon.ControlPath().c_str());
    return daemon.Run(stopFd);
}
