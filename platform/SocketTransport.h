// The socket side of device access: one open user client on a driver
// process's Unix-domain socket (framing in WireFormat.h). Internal to
// DeviceAccess.cpp; code outside platform/ uses the calls of DeviceAccess.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/DeviceAccess.h"

namespace platform::detail {

class SocketConnection {
public:
    // Connects to `path` and performs the open exchange for `connectionType`.
    // Every phase is bounded by `timeoutMs`.
    static kern_return_t Open(const std::string& path, uint32_t connectionType, int timeoutMs,
                              std::unique_ptr<SocketConnection>* connection);
    ~SocketConnection();
    SocketConnection(const SocketConnection&) = delete;
    SocketConnection& operator=(const SocketConnection&) = delete;

    // One call. `input` is copied into the request before anything is
    // received, so it may alias the caller's output. On return `output`
    // holds exactly the answer's bytes (at most `outputCapacity`) and the
    // result is the driver's; a transport or protocol failure gives a
    // non-zero result, no output, and a connection that refuses every later
    // call at once.
    kern_return_t Call(uint32_t selector, const uint8_t* input, size_t inputSize,
                       size_t outputCapacity, int timeoutMs, std::vector<uint8_t>* output);

private:
    explicit SocketConnection(int fd) : fd_(fd) {}
    void Drop();

    std::mutex mutex_;  // one call at a time on one connection
    int fd_ = -1;
};

}  // namespace platform::detail
