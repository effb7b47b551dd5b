// The daemon over its real sockets: published in a temporary registry,
// answering simctl and user clients within its connection limits, and
// removing its sockets on SIGTERM.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <thread>

#include "adapter/ByteOrder.h"
#include "adapter/Oids.h"
#include "driver/Daemon.h"
#include "driver/sim/Environment.h"
#include "driver/sim/SimAir.h"
#include "platform/DeviceAccess.h"
#include "tests/integration/Processes.h"
#include "tests/support/TempFolders.h"

namespace corvane::sim {
namespace {

using namespace platform;
using driver::Daemon;

bool Exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

// The country region, asked the way the adapter reaches the driver.
std::optional<uint32_t> CountryRegion() {
    mach_port_t master = 0;
    io_iterator_t iter = 0;
    io_connect_t connect = 0;
    uint8_t buffer[4] = {};
    size_t size = 4;
    IOMasterPort(MACH_PORT_NULL, &master);
    IOServiceGetMatchingServices(master, IOServiceMatching("OspreyUSBWirelessDriver"), &iter);
    const io_service_t service = iter ? IOIteratorNext(iter) : 0;
    const bool ok =
        service && IOServiceOpen(service, mach_task_self(), 0, &connect) == 0 &&
        IOConnectCallStructMethod(connect, OID_VX_COUNTRY_REGION, buffer, 4, buffer, &size) == 0 &&
        size == 4;
    if (connect) IOServiceClose(connect);
    if (service) IOObjectRelease(service);
    if (iter) IOObjectRelease(iter);
    mach_port_deallocate(mach_task_self(), master);
    return ok ? std::optional(ReadLe32(buffer)) : std::nullopt;
}

int Connect(const std::string& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
    if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Whether the daemon has closed its end, waiting at most `limit`.
bool ClosedWithin(int fd, std::chrono::milliseconds limit) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, int(limit.count())) <= 0) return false;
    char byte;
    return recv(fd, &byte, 1, MSG_DONTWAIT) <= 0;
}

// The daemon in this process, on a thread, until the guard ends.
class DaemonThread {
public:
    DaemonThread(const std::string& registry, std::chrono::milliseconds idleTimeout)
        : driver_(ParseEnvironment(BundledSampleEnvironment(), nullptr).value()),
          daemon_(driver_, registry, "0", idleTimeout) {
        std::string error;
        started_ = pipe(stop_) == 0 && daemon_.Start(&error);
        if (started_) thread_ = std::thread([this] { daemon_.Run(stop_[0]); });
    }
    ~DaemonThread() {
        if (thread_.joinable()) {
            (void)!write(stop_[1], "x", 1);
            thread_.join();
        }
        close(stop_[0]);
        close(stop_[1]);
    }
    bool Started() const { return started_; }
    Daemon& daemon() { return daemon_; }

private:
    SimDriver driver_;
    Daemon daemon_;
    int stop_[2] = {-1, -1};
    bool started_ = false;
    std::thread thread_;
};

// Clients that connect and say nothing lock out neither a real request nor
// the control socket: each kind has its own room, and a newcomer takes the
// place of the connection idle longest.
TEST(Daemon, IdleConnectionsLockOutNobody) {
    corvane::test::TempRegistry registry;
    DaemonThread served(registry.Path(), std::chrono::minutes(10));  // no idle timeout here
    ASSERT_TRUE(served.Started());
    constexpr size_t kIdle = Daemon::kMaxServiceConnections + 16;
    std::vector<int> service, control;
    for (size_t i = 0; i < kIdle; ++i) service.push_back(Connect(served.daemon().ServicePath()));
    for (size_t i = 0; i < 2 * Daemon::kMaxControlConnections; ++i)
        control.push_back(Connect(served.daemon().ControlPath()));

    EXPECT_EQ(CountryRegion(), 0x81u) << "a real request is served";
    const auto ctl =
        corvane::test::Run({CORVANE_SIMCTL_EXE, "--registry", registry.Path(), "status"});
    EXPECT_EQ(ctl.status, 0) << "the control socket answers: " << ctl.err;

    // The oldest idle ones made room, the newest are still held.
    size_t closed = 0;
    for (int fd : service) closed += ClosedWithin(fd, std::chrono::milliseconds(0));
    EXPECT_GE(closed, kIdle - Daemon::kMaxServiceConnections + 1);
    EXPECT_FALSE(ClosedWithin(service.back(), std::chrono::milliseconds(0)));
    EXPECT_TRUE(ClosedWithin(service.front(), std::chrono::milliseconds(0)));
    for (int fd : service) close(fd);
    for (int fd : control) close(fd);
}

// A connection that completes no request is closed after the idle timeout,
// whether it said nothing or stopped halfway through a request.
TEST(Daemon, IdleConnectionsAreClosedAfterATime) {
    corvane::test::TempRegistry registry;
    DaemonThread served(registry.Path(), std::chrono::milliseconds(200));
    ASSERT_TRUE(served.Started());
    std::vector<int> fds = {Connect(served.daemon().ServicePath()),
                            Connect(served.daemon().ServicePath()),
                            Connect(served.daemon().ControlPath())};
    send(fds[1], "\x01\x00", 2, MSG_NOSIGNAL);  // the start of a request, never finished
    send(fds[2], "stat", 4, MSG_NOSIGNAL);      // a command line without its end
    for (int fd : fds) {
        EXPECT_TRUE(ClosedWithin(fd, std::chrono::seconds(30)));
        close(fd);
    }
    EXPECT_EQ(CountryRegion(), 0x81u) << "and the daemon serves on";
}

TEST(Daemon, ServesAndCleansUpOnSigterm) {
    corvane::test::TempRegistry registry;  // also points this process at it
    const std::vector<std::string> ctl = {CORVANE_SIMCTL_EXE, "--registry", registry.Path(),
                                          "status"};
    corvane::test::Daemon daemon({CORVANE_SIMDRIVER_EXE, "--registry", registry.Path()});
    const std::string service = registry.SocketPath("OspreyUSBWirelessDriver", "0");
    // A sanitizer build on a loaded machine can take a while to start.
    for (int i = 0; i < 3000 && !Exists(service); ++i) usleep(10000);
    ASSERT_TRUE(Exists(service));

    const auto status = corvane::test::Run(ctl);
    ASSERT_EQ(status.status, 0) << status.err;
    const nlohmann::json j = nlohmann::json::parse(status.out);
    EXPECT_EQ(j["present"], true);
    EXPECT_EQ(j["associated"], false);
    EXPECT_EQ(CountryRegion(), 0x81u);

    EXPECT_EQ(daemon.Stop(), 0);
    EXPECT_FALSE(Exists(service));
    EXPECT_FALSE(Exists(registry.Path() + "/.simctl@0"));
    EXPECT_NE(corvane::test::Run(ctl).status, 0);
}

// Whatever stands at the environment's path, the daemon reads at most a
// regular file of 1 MiB and otherwise says why and ends with status 2 at
// once (a device used to be read without end, a FIFO to block for ever).
TEST(Daemon, AnEnvironmentItCannotReadEndsItAtOnce) {
    corvane::test::TempRegistry registry;
    const std::string folder = registry.Path();
    const std::string fifo = folder + "/fifo", big = folder + "/big.json";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    FILE* f = std::fopen(big.c_str(), "w");
    ASSERT_TRUE(f);
    for (size_t i = 0; i <= kMaxEnvironmentFileSize; ++i) std::fputc(' ', f);
    std::fclose(f);
    const struct {
        std::string path, why;
    } rows[] = {
        {"/dev/zero", "it is not a regular file"},
        {fifo, "it is not a regular file"},
        {folder, "it is not a regular file"},
        {big, "it is larger than 1 MiB"},
        {folder + "/missing.json", "there is no such file"},
    };
    for (const auto& row : rows) {
        const auto run = corvane::test::Run({"/usr/bin/timeout", "10", CORVANE_SIMDRIVER_EXE,
                                             "--registry", folder, "--environment", row.path});
        EXPECT_EQ(run.status, 2) << row.path;
        EXPECT_EQ(run.err, "corvane-simdriver: bad environment: cannot read " + row.path + ": " +
                               row.why + "\n");
    }
}

}  // namespace
}  // namespace corvane::sim
