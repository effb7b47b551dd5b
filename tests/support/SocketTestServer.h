// A driver process in miniature for socket-transport tests: a thread that
// publishes one service socket, accepts connections and serves the
// user-client protocol from a UserClientProvider, with faults a test can
// switch on for calls (a stalled, dying or overreaching peer).
//
// The provider is called on the server thread while the test thread waits
// in its call, so a RecordingUserClientProvider can be used as it is; read
// its records once the call has returned.
#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <thread>

#include "platform/DeviceAccess.h"

namespace corvane::test {

class SocketTestServer {
public:
    enum class Fault {
        None,
        Stall,              // read the request, never answer
        CloseBeforeAnswer,  // drop the connection instead of answering
        OverCapacity,       // answer 4 bytes more than the declared capacity
    };

    // Binds `socketPath` (replacing a stale socket there) and starts serving.
    SocketTestServer(std::string socketPath, platform::UserClientProvider& provider);
    ~SocketTestServer();  // stops the thread and removes the socket
    SocketTestServer(const SocketTestServer&) = delete;
    SocketTestServer& operator=(const SocketTestServer&) = delete;

    bool Started() const { return listenFd_ >= 0; }
    void SetCallFault(Fault fault) { callFault_ = fault; }
    size_t CallsServed() const { return callsServed_; }

private:
    void Run();

    std::string path_;
    platform::UserClientProvider& provider_;
    int listenFd_ = -1;
    int wake_[2] = {-1, -1};  // a byte written to wake_[1] stops the thread
    std::atomic<Fault> callFault_{Fault::None};
    std::atomic<size_t> callsServed_{0};
    std::thread thread_;
};

}  // namespace corvane::test
