#include "tests/support/SocketTestServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <list>
#include <memory>
#include <vector>

#include "platform/WireServer.h"

namespace corvane::test {

namespace wire = platform::wire;

namespace {

void SendAll(int fd, const uint8_t* data, size_t size) {
    for (ssize_t n; size > 0; data += n, size -= size_t(n))
        if ((n = send(fd, data, size, MSG_NOSIGNAL)) <= 0) return;  // the peer went away
}

struct Connection {
    int fd = -1;
    bool stalled = false;
    wire::ConnectionDecoder decoder;
    std::unique_ptr<platform::UserClient> client;
};

}  // namespace

SocketTestServer::SocketTestServer(std::string socketPath, platform::UserClientProvider& provider)
    : path_(std::move(socketPath)), provider_(provider) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (path_.size() >= sizeof(addr.sun_path)) return;
    std::memcpy(addr.sun_path, path_.c_str(), path_.size() + 1);
    unlink(path_.c_str());
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        listen(fd, 8) != 0 || pipe2(wake_, O_CLOEXEC) != 0) {
        if (fd >= 0) close(fd);
        return;
    }
    listenFd_ = fd;
    thread_ = std::thread([this] { Run(); });
}

SocketTestServer::~SocketTestServer() {
    if (!Started()) return;
    (void)!write(wake_[1], "x", 1);
    thread_.join();
    close(listenFd_);
    unlink(path_.c_str());
    close(wake_[0]);
    close(wake_[1]);
}

void SocketTestServer::Run() {
    using wire::Request;
    // Answers one request; false drops the connection.
    auto serve = [this](Connection& c, Request& r) -> bool {
        const bool isOpen = r.kind == Request::Kind::Open;
        const Fault fault = isOpen ? Fault::None : callFault_.load();
        std::vector<uint8_t> answer;
        if (!isOpen) ++callsServed_;
        if (isOpen && r.open.version != wire::kVersion) {
            answer = wire::EncodeOpenAnswer(platform::kIOReturnUnsupported);
        } else if (isOpen) {
            c.client = provider_.OpenUserClient(r.open.connectionType);
            answer = wire::EncodeOpenAnswer(c.client ? platform::KERN_SUCCESS
                                                     : platform::kIOReturnNoDevice);
        } else if (fault == Fault::OverCapacity) {
            const uint32_t length = r.call.outputCapacity + 4;
            const auto header =
                wire::Encode(wire::CallAnswerHeader{platform::KERN_SUCCESS, length});
            answer.assign(header.begin(), header.end());
            answer.resize(answer.size() + length, 0xAB);
        } else {
            answer = c.client ? wire::AnswerCall(*c.client, r)
                              : wire::EncodeCallAnswer(r.call, platform::kIOReturnNotOpen, {});
        }
        if (fault == Fault::Stall) return c.stalled = true;
        if (fault == Fault::CloseBeforeAnswer) return false;
        SendAll(c.fd, answer.data(), answer.size());
        return !(isOpen && !c.client);
    };

    std::list<Connection> connections;
    for (;;) {
        std::vector<pollfd> fds = {{wake_[0], POLLIN, 0}, {listenFd_, POLLIN, 0}};
        for (Connection& c : connections) fds.push_back({c.fd, POLLIN, 0});
        if (poll(fds.data(), fds.size(), -1) < 0) continue;
        if (fds[0].revents) break;
        // Connections accepted in this round have no poll entry yet, so they
        // go to the end of the list after the others are served.
        size_t i = 2;
        for (auto it = connections.begin(); it != connections.end(); ++i) {
            uint8_t buf[4096];
            ssize_t n = fds[i].revents ? read(it->fd, buf, sizeof buf) : 1;
            bool keep = n > 0;
            if (keep && fds[i].revents && !it->stalled)
                keep =
                    it->decoder.FeedAll(buf, size_t(n), [&](Request& r) { return serve(*it, r); });
            if (keep) {
                ++it;
            } else {
                close(it->fd);
                it = connections.erase(it);
            }
        }
        if (fds[1].revents & POLLIN) {
            int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0) connections.emplace_back().fd = fd;
        }
    }
    for (Connection& c : connections) close(c.fd);
}

}  // namespace corvane::test
