#include "driver/nm/Supervisor.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDBusConnection>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>

#include "driver/Daemon.h"
#include "driver/nm/NmDbus.h"
#include "platform/Clock.h"

namespace corvane::nm {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kLookEveryMs = 2000;
// A driver process that ended is started again at most this often.
constexpr auto kRestartPause = std::chrono::seconds(10);
constexpr auto kStopGrace = std::chrono::seconds(5);

void Say(const std::string& line) { std::fprintf(stderr, "corvane-nmd: %s\n", line.c_str()); }

struct Child {
    pid_t pid = 0;
    Clock::time_point started;
};

pid_t Start(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        execv(program.c_str(), argv.data());
        std::_Exit(127);
    }
    return pid;
}

}  // namespace

bool OnUsb(const std::string& sysfsRoot, const std::string& interfaceName) {
    char resolved[PATH_MAX];
    const std::string link = sysfsRoot + "/class/net/" + interfaceName + "/device/subsystem";
    if (!realpath(link.c_str(), resolved)) return false;
    const std::string path = resolved;
    return path.size() >= 4 && path.compare(path.size() - 4, 4, "/usb") == 0;
}

std::string InstanceName(const std::string& interfaceName, bool usb) {
    return (usb ? "usb-" : "builtin-") + interfaceName;
}

std::string RadioOffMarker(const std::string& registryFolder, const std::string& interfaceName) {
    return registryFolder + "/.nm-radio-off@" + interfaceName;
}

std::vector<std::string> DevicesToServe(NetworkService& nm, const std::string& registryFolder,
                                        Outcome* why) {
    std::vector<std::string> served;
    for (const std::string& name : nm.WifiInterfaces(why)) {
        const std::optional<DeviceInfo> device = nm.Device(name, nullptr);
        if ((device && device->managed) ||
            std::ifstream(RadioOffMarker(registryFolder, name)).good())
            served.push_back(name);
    }
    return served;
}

int RunSupervisor(const std::string& program, const std::vector<std::string>& passOn,
                  const std::string& registryFolder) {
    const int stopFd = driver::StopOnSignals();
    if (stopFd < 0) {
        std::perror("corvane-nmd: pipe");
        return 1;
    }
    NmDbus nm(QDBusConnection::systemBus(), Say, false);
    std::map<std::string, Child> children;
    std::map<std::string, Clock::time_point> ended;
    std::string problem;
    for (;;) {
        for (auto it = children.begin(); it != children.end();) {
            int status = 0;
            if (waitpid(it->second.pid, &status, WNOHANG) == it->second.pid) {
                Say("the driver process for " + it->first + " ended (status " +
                    std::to_string(WIFEXITED(status) ? WEXITSTATUS(status)
                                                     : 128 + WTERMSIG(status)) +
                    ")");
                ended[it->first] = Clock::now();
                it = children.erase(it);
            } else {
                ++it;
            }
        }
        Outcome why;
        const std::vector<std::string> wanted = DevicesToServe(nm, registryFolder, &why);
        if (why.text != problem) Say(why.Ok() ? "NetworkManager answers again" : why.text);
        problem = why.text;
        for (const std::string& name : wanted) {
            if (children.count(name)) continue;
            if (auto e = ended.find(name);
                e != ended.end() && Clock::now() - e->second < kRestartPause)
                continue;
            std::vector<std::string> arguments = passOn;
            arguments.insert(arguments.end(), {"--interface", name, "--instance",
                                               InstanceName(name, OnUsb("/sys", name))});
            const pid_t pid = Start(program, arguments);
            if (pid > 0) {
                children[name] = {pid, Clock::now()};
                Say("serving " + name + " (process " + std::to_string(pid) + ")");
            }
        }
        pollfd stop{stopFd, POLLIN, 0};
        if (poll(&stop, 1, kLookEveryMs) > 0) break;
    }
    for (auto& [name, child] : children) kill(child.pid, SIGTERM);
    const auto deadline = Clock::now() + kStopGrace;
    for (auto& [name, child] : children) {
        while (waitpid(child.pid, nullptr, WNOHANG) == 0) {
            if (Clock::now() > deadline) {
                kill(child.pid, SIGKILL);
                waitpid(child.pid, nullptr, 0);
                break;
            }
            platform::USleep(50'000);
        }
    }
    return 0;
}

}  // namespace corvane::nm
