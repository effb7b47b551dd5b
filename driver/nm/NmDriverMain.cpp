// corvane-nmd: the adapter's driver service on a desktop where
// NetworkManager manages Wi-Fi, run as the desktop user (no root, no group,
// no system file touched). Publishes in the user's own registry folder,
// where the utility looks first.
//
// With --interface it serves that one device in the foreground until
// SIGTERM or SIGINT; without, it serves every Wi-Fi device NetworkManager
// manages, each by a driver process of its own (Supervisor.h).
#include <pwd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "driver/DriverProcess.h"
#include "driver/nl80211/KernelStack.h"
#include "driver/nm/NmBackend.h"
#include "driver/nm/NmDbus.h"
#include "driver/nm/Supervisor.h"
#include "platform/Registry.h"

namespace {

using corvane::driver::AdapterKind;
using corvane::driver::ProcessSetup;
using corvane::driver::RadioBackend;

std::string LoginName() {
    const passwd* pw = getpwuid(getuid());
    return pw ? pw->pw_name : std::to_string(getuid());
}

bool Given(int argc, char** argv, const char* option) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], option) == 0) return true;
    return false;
}

// The supervisor's command line: what it passes on to each driver process.
int Supervise(int argc, char** argv) {
    std::vector<std::string> passOn;
    std::string registry = platform::RegistryFolder();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool known =
            arg == "--kind" || arg == "--journal" || arg == "--registry" || arg == "--timings";
        if (!known || i + 1 >= argc) {
            std::fprintf(
                stderr,
                "corvane-nmd: %s\nusage: corvane-nmd [--kind osprey|merlin] [--journal "
                "FILE] [--registry DIR] [--timings on]\n       corvane-nmd --interface "
                "IFNAME [...]   (corvane-nmd --interface x --help: every option)\n",
                known ? (arg + " needs a value").c_str() : ("unknown argument " + arg).c_str());
            return 2;
        }
        if (arg == "--registry") registry = argv[i + 1];
        passOn.push_back(arg);
        passOn.push_back(argv[++i]);
    }
    if (!QDBusConnection::systemBus().isConnected()) {
        std::fprintf(stderr, "corvane-nmd: no system bus to reach NetworkManager on\n");
        return 1;
    }
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return 1;
    self[n] = '\0';
    return corvane::nm::RunSupervisor(self, passOn, registry);
}

}  // namespace

int main(int argc, char** argv) {
    // Qt D-Bus needs an application object; no Qt event loop runs (the
    // backend lets NetworkManager's calls in as it goes).
    QCoreApplication app(argc, argv);
    if (!Given(argc, argv, "--interface") && !Given(argc, argv, "--help") &&
        !Given(argc, argv, "-h"))
        return Supervise(argc, argv);

    std::string interfaceName, kind = "osprey", timings = "off";
    corvane::driver::DriverProgram program{
        "corvane-nmd",
        "",
        {{"--interface", "IFNAME",
          "the Wi-Fi device NetworkManager manages (without: every one, each by a process of its "
          "own)",
          &interfaceName},
         {"--kind", "KIND", "the adapter kind published: osprey (default) or merlin", &kind},
         {"--timings", "on|off", "log when scans and joins are asked (for measurements)",
          &timings}},
        [&](ProcessSetup& setup) -> std::unique_ptr<RadioBackend> {
            if (interfaceName.empty()) return setup.UsageError("--interface is required");
            if (kind != "osprey" && kind != "merlin")
                return setup.UsageError("--kind is osprey or merlin");
            if (timings != "on" && timings != "off")
                return setup.UsageError("--timings is on or off");
            if (setup.registry.empty()) setup.registry = platform::RegistryFolder();
            if (setup.instance.empty()) setup.instance = interfaceName;
            auto kernel = std::make_unique<corvane::nl80211::KernelStack>(interfaceName);
            if (!kernel->Problem().empty()) return setup.Fail(1, kernel->Problem());
            if (!QDBusConnection::systemBus().isConnected())
                return setup.Fail(1, "no system bus to reach NetworkManager on");
            auto nm = std::make_unique<corvane::nm::NmDbus>(
                QDBusConnection::systemBus(),
                [](const std::string& line) { std::cerr << "corvane-nmd: " << line << std::endl; });
            corvane::nm::NmDevice device{
                interfaceName, kind == "merlin" ? AdapterKind::Merlin : AdapterKind::Osprey,
                LoginName(), corvane::nm::RadioOffMarker(setup.registry, interfaceName),
                timings == "on"};
            setup.servingNote = "status: corvane-simctl --registry " + setup.registry +
                                " --instance " + setup.instance + " status";
            return std::make_unique<corvane::nm::NmBackend>(std::move(nm), std::move(kernel),
                                                            corvane::nl80211::RfkillSwitches(),
                                                            std::move(device));
        }};
    return corvane::driver::RunDriverProcess(program, argc, argv);
}
