#include "driver/nl80211/WpaControl.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace corvane::nl80211 {
namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

WpaControl::WpaControl(std::string socketPath, int timeoutMs)
    : path_(std::move(socketPath)), timeoutMs_(timeoutMs) {}

std::optional<std::string> WpaControl::Request(std::string_view command) {
    sockaddr_un peer{};
    peer.sun_family = AF_UNIX;
    if (path_.size() >= sizeof peer.sun_path) {
        problem_ = "the control socket path " + path_ + " is too long";
        return std::nullopt;
    }
    std::memcpy(peer.sun_path, path_.c_str(), path_.size() + 1);

    Fd fd(socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    if (fd.get() < 0) {
        problem_ = std::string("socket: ") + std::strerror(errno);
        return std::nullopt;
    }
    sockaddr_un self{};
    self.sun_family = AF_UNIX;
    // Binding only the family makes the kernel pick an abstract address.
    if (bind(fd.get(), reinterpret_cast<sockaddr*>(&self), sizeof(sa_family_t)) != 0 ||
        connect(fd.get(), reinterpret_cast<sockaddr*>(&peer), sizeof peer) != 0) {
        const int e = errno;
        if (e == ENOENT || e == ENOTDIR)
            problem_ = "no wpa_supplicant control socket at " + path_ +
                       ": no wpa_supplicant manages the interface, or its ctrl_interface is "
                       "another folder (--wpa-ctrl)";
        else if (e == EACCES || e == EPERM)
            problem_ = "no permission to use " + path_ +
                       ": run as root, or in the group of wpa_supplicant's ctrl_interface";
        else if (e == ECONNREFUSED)
            problem_ = path_ + " is left over from a wpa_supplicant that no longer runs";
        else
            problem_ = "cannot reach wpa_supplicant at " + path_ + ": " + std::strerror(e);
        return std::nullopt;
    }
    if (send(fd.get(), command.data(), command.size(), MSG_NOSIGNAL) < 0) {
        problem_ = "cannot send to wpa_supplicant at " + path_ + ": " + std::strerror(errno);
        return std::nullopt;
    }
    pollfd p{fd.get(), POLLIN, 0};
    int ready;
    do ready = poll(&p, 1, timeoutMs_);
    while (ready < 0 && errno == EINTR);
    if (ready <= 0) {
        problem_ = "wpa_supplicant at " + path_ + " did not answer within " +
                   std::to_string(timeoutMs_) + " ms";
        return std::nullopt;
    }
    std::vector<char> reply(64 * 1024);
    const ssize_t n = recv(fd.get(), reply.data(), reply.size(), 0);
    if (n < 0) {
        problem_ = "no answer from wpa_supplicant at " + path_ + ": " + std::strerror(errno);
        return std::nullopt;
    }
    problem_.clear();
    return std::string(reply.data(), size_t(n));
}

}  // namespace corvane::nl80211
