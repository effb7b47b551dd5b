// A driver as a process: serves the user-client socket that the
// device-access layer finds in the service registry folder, and a control
// socket for corvane-simctl, from one single-threaded poll loop. Serves the
// simulated driver and the nl80211 driver alike.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "driver/ServedDriver.h"
#include "platform/Registry.h"

namespace corvane::driver {

// "<folder>/.simctl@<instance>": the leading dot keeps it from matching any
// driver class name in a service search.
std::string ControlSocketPath(const std::string& folder, const std::string& instance);

// For a driver process serving in the foreground: SIGTERM and SIGINT make
// the returned descriptor readable (pass it to Daemon::Run), SIGPIPE is
// ignored. -1 with errno set when the pipe cannot be made. Call once.
int StopOnSignals();

class Daemon {
public:
    using Milliseconds = std::chrono::milliseconds;

    // Service (user-client) and control connections are counted apart, so
    // that clients filling one kind cannot lock out the other. A connection
    // beyond its kind's limit takes the place of the one of that kind that
    // has been idle longest: a client that keeps its connection busy is
    // never the one dropped.
    static constexpr size_t kMaxServiceConnections = 64;
    static constexpr size_t kMaxControlConnections = 8;
    // A connection is closed once it has gone this long without completing a
    // request (counted from its accept or from its last answer taken in
    // full). The system's clients finish a request within milliseconds.
    static constexpr Milliseconds kIdleTimeout{5000};
    // A control command line longer than this closes its connection.
    static constexpr size_t kMaxControlLine = 256 * 1024;

    Daemon(ServedDriver& driver, std::string registryFolder, std::string instance,
           Milliseconds idleTimeout = kIdleTimeout);
    ~Daemon();
    Daemon(const Daemon&) = delete;
    Daemon& operator=(const Daemon&) = delete;

    // How the folder and the service socket are published (before Start);
    // private unless set.
    void SetPublication(platform::Publication publication) { publication_ = publication; }

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
    void CloseIdle();
    void Read(Connection& c);
    void ReadService(Connection& c);
    void ReadControl(Connection& c);
    void Write(Connection& c);
    void FollowPresence();

    ServedDriver& driver_;
    platform::Publication publication_;
    std::string folder_;
    std::string instance_;
    std::string servicePath_;
    std::string controlPath_;
    Milliseconds idleTimeout_;
    int serviceFd_ = -1;
    int controlFd_ = -1;
    std::vector<std::unique_ptr<Connection>> connections_;
};

}  // namespace corvane::driver
