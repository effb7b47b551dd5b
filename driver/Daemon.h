// The simulated driver as a process: serves the user-client socket that
// the device-access layer finds in the service registry folder, and a
// control socket for corvane-simctl, from one single-threaded poll loop.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "driver/SimDriver.h"

namespace corvane::sim {

// "<folder>/.simctl@<instance>": the leading dot keeps it from matching any
// driver class name in a service search.
std::string ControlSocketPath(const std::string& folder, const std::string& instance);

class Daemon {
public:
    // Connections beyond this are accepted and closed at once.
    static constexpr size_t kMaxConnections = 64;
    // A control command line longer than this closes its connection.
    static constexpr size_t kMaxControlLine = 256 * 1024;

    Daemon(SimDriver& driver, std::string registryFolder, std::string instance);
    ~Daemon();
    Daemon(const Daemon&) = delete;
    Daemon& operator=(const Daemon&) = delete;

    // Creates the registry folder and both sockets. A live socket at either
    // path (another daemon) is an error; a stale one is replaced.
    bool Start(std::string* error);
    // Serves until `stopFd` becomes readable (or fails). Returns 0.
    int Run(int stopFd);

    const std::string& ServicePath() const { return servicePath_; }
    const std::string& ControlPath() const { return controlPath_; }

private:
    struct Connection;

    bool OpenService(std::string* error);
    void CloseService();
    void Accept(int listenFd, bool control);
    void Read(Connection& c);
    void ReadService(Connection& c);
    void ReadControl(Connection& c);
    void Write(Connection& c);
    void FollowPresence();

    SimDriver& driver_;
    std::string folder_;
    std::string instance_;
    std::string servicePath_;
    std::string controlPath_;
    int serviceFd_ = -1;
    int controlFd_ = -1;
    std::vector<std::unique_ptr<Connection>> connections_;
};

}  // namespace corvane::sim
