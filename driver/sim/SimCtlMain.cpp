// corvane-simctl: drives the hardware side of a running corvane-simdriver
// (plug, switches, networks coming and going) and prints its live state.
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string>

#include "driver/Daemon.h"
#include "platform/Registry.h"

namespace {

constexpr int kTimeoutMs = 5000;
constexpr size_t kMaxReply = 1 << 20;

int Usage(const char* why) {
    if (why) std::fprintf(stderr, "corvane-simctl: %s\n", why);
    std::fprintf(stderr,
                 "usage: corvane-simctl [--registry DIR] [--instance NAME] COMMAND\n"
                 "commands: status | plug | unplug | restart | radio on|off |\n"
                 "          eeprom-error on|off | rssi BSSID DBM | add-network JSON |\n"
                 "          remove-network BSSID\n");
    return 2;
}

// Sends one command line and returns the reply line; empty on failure.
std::string Exchange(const std::string& path, const std::string& line, std::string* error) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path) {
        *error = "control socket path too long";
        return {};
    }
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        if (fd >= 0) close(fd);
        *error = "no simulated driver is running (" + path + ")";
        return {};
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeoutMs);
    auto waitFor = [&](short events) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd p{fd, events, 0};
        return poll(&p, 1, int(left.count())) > 0;
    };
    size_t sent = 0;
    while (sent < line.size()) {
        if (!waitFor(POLLOUT)) break;
        const ssize_t n = send(fd, line.data() + sent, line.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += size_t(n);
    }
    std::string reply;
    while (sent == line.size() && reply.size() < kMaxReply && waitFor(POLLIN)) {
        char buffer[4096];
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        reply.append(buffer, size_t(n));
    }
    close(fd);
    if (reply.empty()) *error = "the simulated driver did not answer";
    return reply;
}

}  // namespace

int main(int argc, char** argv) {
    std::string registry, instance = "0";
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--registry" || arg == "--instance") && i + 1 < argc) {
            (arg == "--registry" ? registry : instance) = argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            return Usage(nullptr), 0;
        } else if (arg.rfind("--", 0) == 0) {
            return Usage(("unknown option " + arg).c_str());
        } else {
            break;
        }
    }
    if (i >= argc) return Usage("no command");
    std::string line;
    for (; i < argc; ++i) {
        if (!line.empty()) line += ' ';
        line += argv[i];
    }
    // One command is one line; JSON may span lines, so fold them.
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    const std::string command = line.substr(0, line.find(' '));

    const std::string folder = registry.empty() ? platform::RegistryFolder() : registry;
    std::string error;
    const std::string reply =
        Exchange(corvane::driver::ControlSocketPath(folder, instance), line + "\n", &error);
    if (reply.empty()) {
        std::fprintf(stderr, "corvane-simctl: %s\n", error.c_str());
        return 1;
    }
    nlohmann::json answer = nlohmann::json::parse(reply, nullptr, false);
    if (answer.is_discarded() || !answer.is_object() || !answer.contains("ok")) {
        std::fprintf(stderr, "corvane-simctl: unreadable reply from the driver\n");
        return 1;
    }
    if (answer["ok"] != true) {
        const std::string why = answer.value("error", std::string("failed"));
        std::fprintf(stderr, "corvane-simctl: %s\n", why.c_str());
        return 1;
    }
    if (command == "status" && answer.contains("status"))
        std::printf(
            "%s\n",
            answer["status"].dump(2, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
    return 0;
}
