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

namespace {

void SendAll(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        ssize_t n = send(fd, data, size, MSG_NOSIGNAL);
        if (n <= 0) return;  // the peer went away; the test sees that on its side
        data += n;
        size -= size_t(n);
    }
}

struct Connection {
    int fd = -1;
    bool stalled = false;
    platform::wire::ConnectionDecoder decoder;
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
    if (fd < 0) return;
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd, 8) != 0) {
        close(fd);
        return;
    }
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        close(fd);
        return;
    }
    listenFd_ = fd;
    wakeRead_ = pipeFds[0];
    wakeWrite_ = pipeFds[1];
    thread_ = std::thread([this] { Run(); });
}

SocketTestServer::~SocketTestServer() {
    if (thread_.joinable()) {
        const char stop = 1;
        (void)!write(wakeWrite_, &stop, 1);
        thread_.join();
    }
    if (listenFd_ >= 0) {
        close(listenFd_);
        unlink(path_.c_str());
    }
    if (wakeRead_ >= 0) close(wakeRead_);
    if (wakeWrite_ >= 0) close(wakeWrite_);
}

void SocketTestServer::Run() {
    using platform::wire::Request;
    std::list<Connection> connections;

    // Answers one request; false drops the connection.
    auto serve = [this](Connection& c, Request& r) -> bool {
        const bool isOpen = r.kind == Request::Kind::Open;
        const Fault fault = isOpen ? openFault_.load() : callFault_.load();
        std::vector<uint8_t> answer;
        if (isOpen) {
            if (fault == Fault::Refuse || r.open.version != platform::wire::kVersion) {
                answer = platform::wire::EncodeOpenAnswer(platform::kIOReturnUnsupported);
            } else {
                c.client = provider_.OpenUserClient(r.open.connectionType);
                answer = platform::wire::EncodeOpenAnswer(c.client ? platform::KERN_SUCCESS
                                                                   : platform::kIOReturnNoDevice);
            }
        } else {
            ++callsServed_;
            if (fault == Fault::Refuse) {
                answer =
                    platform::wire::EncodeCallAnswer(r.call, platform::kIOReturnUnsupported, {});
            } else if (fault == Fault::OverCapacity) {
                const uint32_t length = r.call.outputCapacity + 4;
                const auto header = platform::wire::Encode(
                    platform::wire::CallAnswerHeader{platform::KERN_SUCCESS, length});
                answer.assign(header.begin(), header.end());
                answer.resize(answer.size() + length, 0xAB);
            } else if (c.client) {
                answer = platform::wire::AnswerCall(*c.client, r);
            } else {
                answer = platform::wire::EncodeCallAnswer(r.call, platform::kIOReturnNotOpen, {});
            }
        }
        switch (fault) {
            case Fault::Stall:
                c.stalled = true;
                return true;
            case Fault::CloseBeforeAnswer:
                return false;
            case Fault::CloseMidAnswer:
                SendAll(c.fd, answer.data(), answer.size() > 13 ? answer.size() / 2 : 6);
                return false;
            case Fault::BadMagic:
                answer[0] ^= 0xFF;
                break;
            default:
                break;
        }
        SendAll(c.fd, answer.data(), answer.size());
        return !(isOpen && !c.client);
    };

    for (;;) {
        std::vector<pollfd> fds;
        fds.push_back({wakeRead_, POLLIN, 0});
        fds.push_back({listenFd_, POLLIN, 0});
        for (Connection& c : connections) fds.push_back({c.fd, POLLIN, 0});
        if (poll(fds.data(), fds.size(), -1) < 0) continue;
        if (fds[0].revents) break;
        if (fds[1].revents & POLLIN) {
            int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0) {
                connections.emplace_back().fd = fd;
                ++accepted_;
                ++live_;
            }
        }
        size_t i = 2;
        for (auto it = connections.begin(); it != connections.end(); ++i) {
            // Connections accepted in this round have no poll entry yet.
            if (i >= fds.size() || !fds[i].revents) {
                ++it;
                continue;
            }
            uint8_t buf[4096];
            ssize_t n = read(it->fd, buf, sizeof buf);
            bool keep = n > 0;
            if (keep && !it->stalled)
                keep =
                    it->decoder.FeedAll(buf, size_t(n), [&](Request& r) { return serve(*it, r); });
            if (keep) {
                ++it;
                continue;
            }
            close(it->fd);
            --live_;
            it = connections.erase(it);
        }
    }
    for (Connection& c : connections) close(c.fd);
    live_ = 0;
}

}  // namespace corvane::test
