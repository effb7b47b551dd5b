// corvane-nl80211d: the adapter's driver service for a real wireless
// interface. Publishes the same service as the simulated driver and answers
// the same requests, from the kernel's wireless stack and the wpa_supplicant
// that manages the interface, in the foreground until SIGTERM or SIGINT.
#include <grp.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "driver/Daemon.h"
#include "driver/nl80211/KernelStack.h"
#include "driver/nl80211/Nl80211Driver.h"
#include "driver/nl80211/WpaControl.h"
#include "platform/Registry.h"

namespace {

constexpr const char* kUsage =
    "usage: corvane-nl80211d --interface IFNAME [--wpa-ctrl DIR] [--registry DIR]\n"
    "                        [--instance NAME] [--kind osprey|merlin] [--group GROUP]\n"
    "                        [--journal FILE]\n"
    "\n"
    "  --interface IFNAME  the wireless interface (managed by wpa_supplicant)\n"
    "  --wpa-ctrl DIR      wpa_supplicant's ctrl_interface folder (/run/wpa_supplicant)\n"
    "  --registry DIR      where to publish the service; run as root the system folder\n"
    "                      (/run/corvane-ioregistry), shared with every user; otherwise the\n"
    "                      user's own folder\n"
    "  --instance NAME     the service's instance name (the interface's name)\n"
    "  --kind KIND         the adapter kind published: osprey (default) or merlin\n"
    "  --group GROUP       in the system folder, only this group may use the service\n"
    "  --journal FILE      append one JSON line per request\n";

int Usage(const char* why) {
    if (why) std::fprintf(stderr, "corvane-nl80211d: %s\n", why);
    std::fputs(kUsage, stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string interfaceName, wpaCtrl = "/run/wpa_supplicant", registry, instance, kind = "osprey",
                               group, journalPath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string* out) {
            if (i + 1 >= argc) return false;
            *out = argv[++i];
            return true;
        };
        bool ok = true;
        if (arg == "--interface")
            ok = value(&interfaceName);
        else if (arg == "--wpa-ctrl")
            ok = value(&wpaCtrl);
        else if (arg == "--registry")
            ok = value(&registry);
        else if (arg == "--instance")
            ok = value(&instance);
        else if (arg == "--kind")
            ok = value(&kind);
        else if (arg == "--group")
            ok = value(&group);
        else if (arg == "--journal")
            ok = value(&journalPath);
        else if (arg == "--help" || arg == "-h")
            return std::fputs(kUsage, stdout), 0;
        else
            return Usage(("unknown argument " + arg).c_str());
        if (!ok) return Usage((arg + " needs a value").c_str());
    }
    if (interfaceName.empty()) return Usage("--interface is required");
    if (instance.empty()) instance = interfaceName;
    if (instance.find('/') != std::string::npos) return Usage("the instance name must hold no '/'");
    if (kind != "osprey" && kind != "merlin") return Usage("--kind is osprey or merlin");

    const bool system = geteuid() == 0;
    platform::Publication publication;
    publication.shared = system;
    if (!group.empty()) {
        const struct group* g = getgrnam(group.c_str());
        if (!g) return Usage(("no group " + group).c_str());
        publication.group = g->gr_gid;
    }
    if (registry.empty())
        registry = system ? platform::SystemRegistryFolder() : platform::RegistryFolder();

    std::ofstream journal;
    if (!journalPath.empty()) {
        journal.open(journalPath, std::ios::app);
        if (!journal) {
            std::fprintf(stderr, "corvane-nl80211d: cannot open journal %s\n", journalPath.c_str());
            return 2;
        }
    }

    corvane::nl80211::KernelStack stack(interfaceName);
    if (!stack.Problem().empty()) {
        std::fprintf(stderr, "corvane-nl80211d: %s\n", stack.Problem().c_str());
        return 1;
    }
    if (!stack.Interface())
        std::fprintf(stderr,
                     "corvane-nl80211d: no wireless interface %s now; the adapter counts as "
                     "unplugged until it appears\n",
                     interfaceName.c_str());
    corvane::nl80211::WpaControl supplicant(wpaCtrl + "/" + interfaceName);
    const std::optional<std::string> pong = supplicant.Request("PING");
    if (!pong || pong->rfind("PONG", 0) != 0)
        std::fprintf(stderr,
                     "corvane-nl80211d: %s\ncorvane-nl80211d: the adapter is not ready until "
                     "wpa_supplicant answers; this driver starts none of its own\n",
                     pong ? "wpa_supplicant answered PING oddly" : supplicant.Problem().c_str());

    const int stopFd = corvane::sim::StopOnSignals();
    if (stopFd < 0) {
        std::perror("corvane-nl80211d: pipe");
        return 1;
    }

    corvane::nl80211::Nl80211Driver driver(stack, supplicant, interfaceName,
                                           kind == "merlin"
                                               ? corvane::nl80211::AdapterKind::Merlin
                                               : corvane::nl80211::AdapterKind::Osprey);
    if (journal.is_open()) driver.SetJournal(&journal);
    driver.SetLog(&std::cerr);
    corvane::sim::Daemon daemon(driver, registry, instance);
    daemon.SetPublication(publication);
    std::string error;
    if (!daemon.Start(&error)) {
        std::fprintf(stderr, "corvane-nl80211d: %s\n", error.c_str());
        return 1;
    }
    std::fprintf(stderr,
                 "corvane-nl80211d: serving %s for %s (status: corvane-simctl --registry %s "
                 "--instance %s status)\n",
                 daemon.ServicePath().c_str(), interfaceName.c_str(), registry.c_str(),
                 instance.c_str());
    return daemon.Run(stopFd);
}
