#include "driver/Daemon.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/Registry.h"
#include "platform/WireServer.h"

namespace corvane::driver {

namespace wire = platform::wire;

using SteadyClock = std::chrono::steady_clock;

struct Daemon::Connection {
    int fd = -1;
    bool control = false;
    // Closed when reached without a completed request.
    SteadyClock::time_point deadline;
    bool closing = false;  // close once the output is written
    bool dead = false;
    uint64_t generation = 0;
    wire::ConnectionDecoder decoder;
    std::unique_ptr<platform::UserClient> client;
    std::string controlLine;
    std::vector<uint8_t> out;
    size_t outPos = 0;

    bool HasOutput() const { return outPos < out.size(); }
};

namespace {

int g_stopPipe[2] = {-1, -1};

void WriteStopByte(int) {
    const char byte = 1;
    [[maybe_unused]] ssize_t n = write(g_stopPipe[1], &byte, 1);
}

void SetNonBlocking(int fd) {
    int flags = fcntl(fd, F_GETFL, 0);
    if (flags >= 0) fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    fcntl(fd, F_SETFD, FD_CLOEXEC);
}

bool FillAddress(const std::string& path, sockaddr_un* addr) {
    std::memset(addr, 0, sizeof *addr);
    addr->sun_family = AF_UNIX;
    if (path.size() >= sizeof addr->sun_path) return false;
    std::memcpy(addr->sun_path, path.c_str(), path.size() + 1);
    return true;
}

// Binds a listening socket at `path`, replacing a stale socket file but
// never one that still answers.
int Listen(const std::string& path, std::string* error) {
    sockaddr_un addr;
    if (!FillAddress(path, &addr)) {
        *error = "socket path too long: " + path;
        return -1;
    }
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0) {
        if (!S_ISSOCK(st.st_mode)) {
            *error = path + " exists and is not a socket";
            return -1;
        }
        int probe = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const bool live =
            probe >= 0 && connect(probe, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
        if (probe >= 0) close(probe);
        if (live) {
            *error = "another driver is serving " + path;
            return -1;
        }
        unlink(path.c_str());
    }
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        *error = std::string("socket: ") + std::strerror(errno);
        return -1;
    }
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd, 16) != 0) {
        *error = "cannot listen on " + path + ": " + std::strerror(errno);
        close(fd);
        return -1;
    }
    SetNonBlocking(fd);
    return fd;
}

}  // namespace

int StopOnSignals() {
    if (pipe2(g_stopPipe, O_CLOEXEC) != 0) return -1;
    struct sigaction sa {};
    sa.sa_handler = WriteStopByte;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    signal(SIGPIPE, SIG_IGN);
    return g_stopPipe[0];
}

std::string ControlSocketPath(const std::string& folder, const std::string& instance) {
    return folder + "/.simctl@" + instance;
}

Daemon::Daemon(ServedDriver& driver, std::string registryFolder, std::string instance,
               Milliseconds idleTimeout)
    : driver_(driver),
      folder_(std::move(registryFolder)),
      instance_(std::move(instance)),
      idleTimeout_(idleTimeout) {
    servicePath_ = platform::ServiceSocketPath(folder_, driver_.ClassName(), instance_);
    controlPath_ = ControlSocketPath(folder_, instance_);
}

Daemon::~Daemon() {
    for (auto& c : connections_) close(c->fd);
    CloseService();
    if (controlFd_ >= 0) {
        close(controlFd_);
        unlink(controlPath_.c_str());
    }
}

bool Daemon::Start(std::string* error) {
    if (!platform::EnsureRegistryFolder(folder_, publication_)) {
        *error = "cannot use the registry folder " + folder_;
        return false;
    }
    controlFd_ = Listen(controlPath_, error);
    if (controlFd_ < 0) return false;
    if (driver_.IsPresent() && !OpenService(error)) {
        close(controlFd_);
        controlFd_ = -1;
        unlink(controlPath_.c_str());
        return false;
    }
    return true;
}

bool Daemon::OpenService(std::string* error) {
    serviceFd_ = Listen(servicePath_, error);
    if (serviceFd_ >= 0 && !platform::PublishServiceSocket(servicePath_, publication_)) {
        const int e = errno;
        CloseService();
        *error = "cannot open " + servicePath_ + " to its users: " + std::strerror(e);
    }
    return serviceFd_ >= 0;
}

void Daemon::CloseService() {
    if (serviceFd_ < 0) return;
    close(serviceFd_);
    serviceFd_ = -1;
    unlink(servicePath_.c_str());
}

// An unplugged adapter's service disappears from the registry, and its open
// connections break, as a removed device's do.
void Daemon::FollowPresence() {
    if (!driver_.IsPresent()) {
        CloseService();
        for (auto& c : connections_)
            if (!c->control) c->dead = true;
    } else if (serviceFd_ < 0) {
        std::string error;
        OpenService(&error);
    }
}

void Daemon::Accept(int listenFd, bool control) {
    int fd = accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    const size_t limit = control ? kMaxControlConnections : kMaxServiceConnections;
    size_t live = 0;
    Connection* idlest = nullptr;
    for (auto& c : connections_) {
        if (c->control != control || c->dead) continue;
        ++live;
        if (!idlest || c->deadline < idlest->deadline) idlest = c.get();
    }
    if (live >= limit && idlest) idlest->dead = true;
    auto c = std::make_unique<Connection>();
    c->fd = fd;
    c->control = control;
    c->deadline = SteadyClock::now() + idleTimeout_;
    connections_.push_back(std::move(c));
}

void Daemon::CloseIdle() {
    const SteadyClock::time_point now = SteadyClock::now();
    for (auto& c : connections_)
        if (c->deadline <= now) c->dead = true;
}

void Daemon::ReadService(Connection& c) {
    // Read no more than the current frame still needs, so that at most one
    // request is taken per wakeup and nothing is left over while an answer
    // waits to be written.
    const size_t wanted = std::min<size_t>(c.decoder.BytesWanted(), 64 * 1024);
    if (wanted == 0) {
        c.dead = true;
        return;
    }
    std::vector<uint8_t> buffer(wanted);
    const ssize_t n = recv(c.fd, buffer.data(), wanted, 0);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
        c.dead = true;
        return;
    }
    if (n < 0) return;
    c.decoder.Feed(buffer.data(), size_t(n));
    if (c.decoder.state() == wire::ConnectionDecoder::State::Error) {
        c.dead = true;
        return;
    }
    if (c.decoder.state() != wire::ConnectionDecoder::State::Ready) return;
    wire::Request r = c.decoder.TakeRequest();
    if (r.kind == wire::Request::Kind::Open) {
        if (r.open.version == wire::kVersion) {
            c.client = driver_.OpenUserClient(r.open.connectionType);
            c.generation = driver_.Generation();
        }
        const platform::kern_return_t result =
            c.client ? platform::KERN_SUCCESS
                     : (r.open.version != wire::kVersion ? platform::kIOReturnUnsupported
                                                         : platform::kIOReturnNotOpen);
        c.out = wire::EncodeOpenAnswer(result);
        c.closing = !c.client;
    } else {
        c.out = wire::AnswerCall(*c.client, r);
    }
    c.outPos = 0;
}

void Daemon::ReadControl(Connection& c) {
    char buffer[4096];
    const ssize_t n = recv(c.fd, buffer, sizeof buffer, 0);
    if (n < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) c.dead = true;
        return;
    }
    c.controlLine.append(buffer, size_t(n));
    const size_t newline = c.controlLine.find('\n');
    if (newline == std::string::npos && n > 0) {
        if (c.controlLine.size() > kMaxControlLine) c.dead = true;
        return;
    }
    if (newline == std::string::npos && c.controlLine.empty()) {
        c.dead = true;  // closed without a command
        return;
    }
    const std::string line = c.controlLine.substr(0, newline);
    nlohmann::json reply = driver_.Control(line);
    const std::string text =
        reply.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    c.out.assign(text.begin(), text.end());
    c.outPos = 0;
    c.closing = true;
    FollowPresence();
}

void Daemon::Read(Connection& c) {
    if (c.control)
        ReadControl(c);
    else
        ReadService(c);
}

void Daemon::Write(Connection& c) {
    while (c.HasOutput()) {
        const ssize_t n = send(c.fd, c.out.data() + c.outPos, c.out.size() - c.outPos,
                               MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0) {
            if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) c.dead = true;
            return;
        }
        c.outPos += size_t(n);
    }
    c.out.clear();
    c.outPos = 0;
    if (c.closing) c.dead = true;
    c.deadline = SteadyClock::now() + idleTimeout_;  // the answer is taken: a fresh wait
}

int Daemon::Run(int stopFd) {
    std::vector<pollfd> fds;
    for (;;) {
        fds.clear();
        fds.push_back({stopFd, POLLIN, 0});
        fds.push_back({controlFd_, POLLIN, 0});
        fds.push_back({serviceFd_, short(serviceFd_ >= 0 ? POLLIN : 0), 0});
        for (auto& c : connections_) {
            // While an answer waits, the connection is not read: a client
            // that does not take its answers cannot queue more work.
            short events = c->HasOutput() ? POLLOUT : (c->closing ? 0 : POLLIN);
            fds.push_back({c->fd, events, 0});
        }
        // Wake for the earliest deadline, rounded up so that it has passed.
        int timeout = -1;
        if (!connections_.empty()) {
            auto first = connections_.front()->deadline;
            for (auto& c : connections_) first = std::min(first, c->deadline);
            const auto wait = std::chrono::ceil<Milliseconds>(first - SteadyClock::now());
            timeout = int(std::clamp<int64_t>(wait.count(), 0, 60'000));
        }
        const int tick = driver_.TickIntervalMs();
        if (tick >= 0) timeout = timeout < 0 ? tick : std::min(timeout, tick);
        if (poll(fds.data(), fds.size(), timeout) < 0) {
            if (errno == EINTR) continue;
            return 0;
        }
        if (fds[0].revents) return 0;
        if (tick >= 0) driver_.Tick();
        const size_t known = connections_.size();
        for (size_t i = 0; i < known; ++i) {
            Connection& c = *connections_[i];
            const short ev = fds[3 + i].revents;
            if (ev & POLLOUT)
                Write(c);
            else if (ev & (POLLIN | POLLHUP))
                Read(c);
            else if (ev & (POLLERR | POLLNVAL))
                c.dead = true;
            if (!c.dead && c.HasOutput()) Write(c);
        }
        CloseIdle();
        if (fds[1].revents & POLLIN) Accept(controlFd_, true);
        if (serviceFd_ >= 0 && (fds[2].revents & POLLIN)) Accept(serviceFd_, false);
        std::erase_if(connections_, [](const std::unique_ptr<Connection>& c) {
            if (c->dead) close(c->fd);
            return c->dead;
        });
    }
}

}  // namespace corvane::driver
