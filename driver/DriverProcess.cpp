#include "driver/DriverProcess.h"

#include <cstdio>
#include <fstream>
#include <iostream>

#include "driver/Daemon.h"
#include "driver/DriverCore.h"

namespace corvane::driver {
namespace {

struct CommonOptions {
    std::string journal, instance, registry;
};

std::vector<ProcessOption> AllOptions(const DriverProgram& program, CommonOptions& common) {
    std::vector<ProcessOption> all = program.options;
    all.push_back({"--journal", "FILE", "append one JSON line per request", &common.journal});
    all.push_back(
        {"--instance", "NAME",
         "the service's instance name" + (program.defaultInstance.empty()
                                              ? std::string()
                                              : " (default " + program.defaultInstance + ")"),
         &common.instance});
    all.push_back({"--registry", "DIR", "where to publish the service", &common.registry});
    return all;
}

std::string UsageText(const DriverProgram& program, const std::vector<ProcessOption>& options) {
    std::string line = "usage: " + program.name;
    std::string help;
    for (const ProcessOption& o : options) {
        line += " [" + o.name + " " + o.valueName + "]";
        std::string head = "  " + o.name + " " + o.valueName;
        head.resize(std::max<size_t>(head.size() + 2, 24), ' ');
        help += head + o.help + "\n";
    }
    return line + "\n\n" + help;
}

int Usage(const DriverProgram& program, const std::string& usage, const std::string& why) {
    std::fprintf(stderr, "%s: %s\n%s", program.name.c_str(), why.c_str(), usage.c_str());
    return 2;
}

}  // namespace

std::unique_ptr<RadioBackend> ProcessSetup::UsageError(std::string why) {
    badUsage = true;
    return Fail(2, std::move(why));
}

std::unique_ptr<RadioBackend> ProcessSetup::Fail(int status, std::string why) {
    failStatus = status;
    failure = std::move(why);
    return nullptr;
}

int RunDriverProcess(const DriverProgram& program, int argc, char** argv) {
    CommonOptions common;
    const std::vector<ProcessOption> options = AllOptions(program, common);
    const std::string usage = UsageText(program, options);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") return std::fputs(usage.c_str(), stdout), 0;
        const ProcessOption* option = nullptr;
        for (const ProcessOption& o : options)
            if (o.name == arg) option = &o;
        if (!option) return Usage(program, usage, "unknown argument " + arg);
        if (i + 1 >= argc) return Usage(program, usage, arg + " needs a value");
        *option->value = argv[++i];
    }

    ProcessSetup setup;
    setup.instance = common.instance;
    setup.registry = common.registry;
    std::unique_ptr<RadioBackend> backend = program.build(setup);
    if (!backend) {
        if (setup.badUsage) return Usage(program, usage, setup.failure);
        std::fprintf(stderr, "%s: %s\n", program.name.c_str(), setup.failure.c_str());
        return setup.failStatus;
    }
    if (setup.instance.empty()) setup.instance = program.defaultInstance;
    if (setup.instance.empty() || setup.instance.find('/') != std::string::npos)
        return Usage(program, usage, "the instance name must be non-empty and hold no '/'");
    if (setup.registry.empty()) setup.registry = platform::RegistryFolder();

    std::ofstream journal;
    if (!common.journal.empty()) {
        journal.open(common.journal, std::ios::app);
        if (!journal) {
            std::fprintf(stderr, "%s: cannot open journal %s\n", program.name.c_str(),
                         common.journal.c_str());
            return 2;
        }
    }

    const int stopFd = StopOnSignals();
    if (stopFd < 0) {
        std::perror((program.name + ": pipe").c_str());
        return 1;
    }

    DriverCore core(std::move(backend));
    if (journal.is_open()) core.SetJournal(&journal);
    core.SetLog(&std::cerr, program.name);
    Daemon daemon(core, setup.registry, setup.instance);
    daemon.SetPublication(setup.publication);
    std::string error;
    if (!daemon.Start(&error)) {
        std::fprintf(stderr, "%s: %s\n", program.name.c_str(), error.c_str());
        return 1;
    }
    std::fprintf(stderr, "%s: serving %s (control %s)%s\n", program.name.c_str(),
                 daemon.ServicePath().c_str(), daemon.ControlPath().c_str(),
                 setup.servingNote.empty() ? "" : ("; " + setup.servingNote).c_str());
    return daemon.Run(stopFd);
}

}  // namespace corvane::driver
