#include "platform/SocketTransport.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/WireFormat.h"

namespace platform::detail {

namespace {

// These waits bound input and output on a socket in real time; they are not
// the behavioural sleeps of the system, so they do not go through the
// replaceable clock (a test's manual clock would never let them expire).
using SteadyClock = std::chrono::steady_clock;

enum class Io { Ok, Closed, Timeout, Failed };

kern_return_t ResultOf(Io io) {
    switch (io) {
        case Io::Ok:
            return KERN_SUCCESS;
        case Io::Closed:
            return kIOReturnNoDevice;
        case Io::Timeout:
            return kIOReturnTimeout;
        case Io::Failed:
            break;
    }
    return kIOReturnError;
}

SteadyClock::time_point DeadlineAfter(int timeoutMs) {
    return SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
}

int RemainingMs(SteadyClock::time_point deadline) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - SteadyClock::now());
    return left.count() > 0 ? int(left.count()) : 0;
}

// Waits until `fd` is ready for `events` or the deadline passes.
Io WaitFor(int fd, short events, SteadyClock::time_point deadline) {
    for (;;) {
        const int left = RemainingMs(deadline);
        if (left == 0) return Io::Timeout;
        pollfd p{fd, events, 0};
        int n = poll(&p, 1, left);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Io::Failed;
        if (n == 0) continue;  // re-check the deadline
        if (p.revents & POLLNVAL) return Io::Failed;
        // An error or hang-up still lets recv report what is left to read.
        return Io::Ok;
    }
}

Io SendAll(int fd, const uint8_t* data, size_t size, SteadyClock::time_point deadline) {
    while (size > 0) {
        ssize_t n = send(fd, data, size, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            data += n;
            size -= size_t(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (Io w = WaitFor(fd, POLLOUT, deadline); w != Io::Ok) return w;
            continue;
        }
        return (n < 0 && (errno == EPIPE || errno == ECONNRESET)) ? Io::Closed : Io::Failed;
    }
    return Io::Ok;
}

Io ReceiveExactly(int fd, uint8_t* data, size_t size, SteadyClock::time_point deadline) {
    while (size > 0) {
        ssize_t n = recv(fd, data, size, MSG_DONTWAIT);
        if (n > 0) {
            data += n;
            size -= size_t(n);
            continue;
        }
        if (n == 0) return Io::Closed;
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (Io w = WaitFor(fd, POLLIN, deadline); w != Io::Ok) return w;
            continue;
        }
        return errno == ECONNRESET ? Io::Closed : Io::Failed;
    }
    return Io::Ok;
}

Io Connect(int fd, const std::string& path, SteadyClock::time_point deadline) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof(addr.sun_path)) return Io::Failed;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    for (;;) {
        if (connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0) return Io::Ok;
        if (errno == EINTR) continue;
        if (errno == EINPROGRESS) {
            if (Io w = WaitFor(fd, POLLOUT, deadline); w != Io::Ok) return w;
            int error = 0;
            socklen_t len = sizeof error;
            if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len) != 0 || error != 0)
                return Io::Closed;
            return Io::Ok;
        }
        if (errno == EAGAIN) {
            // The driver's backlog is full: a Unix socket cannot be polled
            // for that, so try again shortly, within the deadline.
            const int left = RemainingMs(deadline);
            if (left == 0) return Io::Timeout;
            poll(nullptr, 0, left < 10 ? left : 10);
            continue;
        }
        // No such socket, or nobody listening on it: the driver is gone.
        return Io::Closed;
    }
}

}  // namespace

kern_return_t SocketConnection::Open(const std::string& path, uint32_t connectionType,
                                     int timeoutMs, std::unique_ptr<SocketConnection>* connection) {
    connection->reset();
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return kIOReturnError;
    std::unique_ptr<SocketConnection> opened(new SocketConnection(fd));

    auto deadline = DeadlineAfter(timeoutMs);
    if (Io io = Connect(fd, path, deadline); io != Io::Ok) return ResultOf(io);
    const auto request = wire::Encode(wire::Open{wire::kVersion, connectionType});
    if (Io io = SendAll(fd, request.data(), request.size(), deadline); io != Io::Ok)
        return ResultOf(io);
    deadline = DeadlineAfter(timeoutMs);
    uint8_t answer[wire::kOpenAnswerSize];
    if (Io io = ReceiveExactly(fd, answer, sizeof answer, deadline); io != Io::Ok)
        return ResultOf(io);
    std::optional<wire::OpenAnswer> decoded = wire::DecodeOpenAnswer(answer);
    if (!decoded) return kIOReturnError;
    if (decoded->result != KERN_SUCCESS) return decoded->result;
    *connection = std::move(opened);
    return KERN_SUCCESS;
}

SocketConnection::~SocketConnection() { Drop(); }

void SocketConnection::Drop() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
}

kern_return_t SocketConnection::Call(uint32_t selector, const uint8_t* input, size_t inputSize,
                                     size_t outputCapacity, int timeoutMs,
                                     std::vector<uint8_t>* output) {
    output->clear();
    if (inputSize > kMaxStructSize || outputCapacity > kMaxStructSize) return kIOReturnBadArgument;
    std::lock_guard lock(mutex_);
    if (fd_ < 0) return kIOReturnNotOpen;

    // The request is built, input included, before anything is received:
    // for a query the caller's input and output are one buffer.
    std::vector<uint8_t> request(wire::kCallHeaderSize + inputSize);
    const auto header =
        wire::Encode(wire::CallHeader{selector, uint32_t(inputSize), uint32_t(outputCapacity)});
    std::memcpy(request.data(), header.data(), header.size());
    if (inputSize) std::memcpy(request.data() + header.size(), input, inputSize);

    // Whatever goes wrong from here leaves the stream out of step: drop it.
    auto fail = [this](kern_return_t result) {
        Drop();
        return result;
    };
    if (Io io = SendAll(fd_, request.data(), request.size(), DeadlineAfter(timeoutMs));
        io != Io::Ok)
        return fail(ResultOf(io));

    const auto deadline = DeadlineAfter(timeoutMs);
    uint8_t answerHeader[wire::kCallAnswerHeaderSize];
    if (Io io = ReceiveExactly(fd_, answerHeader, sizeof answerHeader, deadline); io != Io::Ok)
        return fail(ResultOf(io));
    std::optional<wire::CallAnswerHeader> decoded =
        wire::DecodeCallAnswerHeader(answerHeader, uint32_t(outputCapacity));
    if (!decoded) return fail(kIOReturnError);
    std::vector<uint8_t> bytes(decoded->outputLength);
    if (Io io = ReceiveExactly(fd_, bytes.data(), bytes.size(), deadline); io != Io::Ok)
        return fail(ResultOf(io));
    *output = std::move(bytes);
    return decoded->result;
}

}  // namespace platform::detail
