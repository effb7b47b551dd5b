// corvane-nl80211d: the adapter's driver service for a real wireless
// interface. Publishes the same service as the simulated driver and answers
// the same requests, from the kernel's wireless stack and the wpa_supplicant
// that manages the interface, in the foreground until SIGTERM or SIGINT.
#include <grp.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "adapter/AdapterKind.h"
#include "driver/DriverProcess.h"
#include "driver/nl80211/KernelStack.h"
#include "driver/nl80211/Nl80211Backend.h"
#include "driver/nl80211/WpaControl.h"

int main(int argc, char** argv) {
    using namespace corvane::nl80211;
    std::string interfaceName, wpaCtrl = "/run/wpa_supplicant", kind = "osprey", group;
    std::unique_ptr<KernelStack> stack;
    std::unique_ptr<WpaControl> supplicant;
    corvane::driver::DriverProgram program{
        "corvane-nl80211d",
        "",
        {
            {"--interface", "IFNAME",
             "the wireless interface (managed by wpa_supplicant); the default instance name",
             &interfaceName},
            {"--wpa-ctrl", "DIR", "wpa_supplicant's ctrl_interface folder (/run/wpa_supplicant)",
             &wpaCtrl},
            {"--kind", "KIND", "the adapter kind published: osprey (default) or merlin", &kind},
            {"--group", "GROUP", "in the system folder, only this group may use the service",
             &group},
            // Run as root, the service goes to the system folder
            // (/run/corvane-ioregistry), shared with every user; otherwise to
            // the user's own.
        },
        [&](corvane::driver::ProcessSetup& setup)
            -> std::unique_ptr<corvane::driver::RadioBackend> {
            if (interfaceName.empty()) return setup.UsageError("--interface is required");
            const std::optional<corvane::AdapterKind> adapterKind = corvane::DriverKindNamed(kind);
            if (!adapterKind) return setup.UsageError("--kind is osprey or merlin");
            // The instance is the interface's name unless given.
            if (setup.instance.empty()) setup.instance = interfaceName;
            // Run as root, the service goes to the system folder, shared
            // with every user (or the group given).
            const bool system = geteuid() == 0;
            setup.publication.shared = system;
            if (!group.empty()) {
                const struct group* g = getgrnam(group.c_str());
                if (!g) return setup.UsageError("no group " + group);
                setup.publication.group = g->gr_gid;
            }
            if (setup.registry.empty())
                setup.registry =
                    system ? platform::SystemRegistryFolder() : platform::RegistryFolder();
            setup.servingNote = "status: corvane-simctl --registry " + setup.registry +
                                " --instance " + setup.instance + " status";

            stack = std::make_unique<KernelStack>(interfaceName);
            if (!stack->Problem().empty()) return setup.Fail(1, stack->Problem());
            if (!stack->Interface())
                std::fprintf(stderr,
                             "corvane-nl80211d: no wireless interface %s now; the adapter counts "
                             "as unplugged until it appears\n",
                             interfaceName.c_str());
            supplicant = std::make_unique<WpaControl>(wpaCtrl + "/" + interfaceName);
            const std::optional<std::string> pong = supplicant->Request("PING");
            if (!pong || pong->rfind("PONG", 0) != 0)
                std::fprintf(
                    stderr,
                    "corvane-nl80211d: %s\ncorvane-nl80211d: the adapter is not ready "
                    "until wpa_supplicant answers; this driver starts none of its own\n",
                    pong ? "wpa_supplicant answered PING oddly" : supplicant->Problem().c_str());
            return std::make_unique<Nl80211Backend>(*stack, *supplicant, interfaceName,
                                                    *adapterKind);
        }};
    return corvane::driver::RunDriverProcess(program, argc, argv);
}
