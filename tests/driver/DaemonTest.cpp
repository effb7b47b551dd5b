// The daemon over its real sockets: published in a temporary registry,
// answering simctl and user clients, surviving garbage, and removing its
// sockets on SIGTERM.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "adapter/ByteOrder.h"
#include "adapter/Oids.h"
#include "platform/DeviceAccess.h"
#include "tests/support/TempFolders.h"

extern char** environ;

namespace corvane::sim {
namespace {

using namespace platform;

bool Exists(const std::string& path) {
    struct stat st{};
    return lstat(path.c_str(), &st) == 0;
}

// Exit code and output (with stderr) of a shell command.
std::pair<int, std::string> Shell(const std::string& command) {
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return {-1, ""};
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
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
    const bool ok = service && IOServiceOpen(service, mach_task_self(), 0, &connect) == 0 &&
                    IOConnectCallStructMethod(connect, OID_VX_COUNTRY_REGION, buffer, 4, buffer,
                                              &size) == 0 && size == 4;
    if (connect) IOServiceClose(connect);
    if (service) IOObjectRelease(service);
    if (iter) IOObjectRelease(iter);
    mach_port_deallocate(mach_task_self(), master);
    return ok ? std::optional(ReadLe32(buffer)) : std::nullopt;
}

TEST(Daemon, ServesSurvivesGarbageAndCleansUpOnSigterm) {
    corvane::test::TempRegistry registry;  // also points this process at it
    const std::string ctl = std::string(CORVANE_SIMCTL_EXE) + " --registry " + registry.Path();
    std::string exe = CORVANE_SIMDRIVER_EXE, flag = "--registry", dir = registry.Path();
    char* argv[] = {exe.data(), flag.data(), dir.data(), nullptr};
    pid_t pid = -1;
    ASSERT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ), 0);
    struct Reaper {
        pid_t& pid;
        ~Reaper() { if (pid > 0) kill(pid, SIGKILL), waitpid(pid, nullptr, 0); }
    } reaper{pid};
    const std::string service = registry.SocketPath("OspreyUSBWirelessDriver", "0");
    for (int i = 0; i < 200 && !Exists(service); ++i) usleep(10000);
    ASSERT_TRUE(Exists(service));

    auto [rc, out] = Shell(ctl + " status");
    ASSERT_EQ(rc, 0) << out;
    const nlohmann::json status = nlohmann::json::parse(out);
    EXPECT_EQ(status["present"], true);
    EXPECT_EQ(status["associated"], false);

    // Garbage on the service socket: that connection is dropped, the daemon lives.
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", service.c_str());
    ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    const char junk[] = "GARBAGE-GARBAGE-GARBAGE-GARBAGE";
    EXPECT_EQ(send(fd, junk, sizeof junk, MSG_NOSIGNAL), ssize_t(sizeof junk));
    timeval timeout{2, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    char reply;
    const ssize_t got = recv(fd, &reply, 1, 0);
    EXPECT_TRUE(got == 0 || (got < 0 && errno == ECONNRESET)) << "closed without an answer";
    close(fd);
    EXPECT_EQ(CountryRegion(), 0x81u) << "a well-formed client is still served";
    EXPECT_EQ(Shell(ctl + " status").first, 0);

    ASSERT_EQ(kill(pid, SIGTERM), 0);
    int wstatus = 0;
    ASSERT_EQ(waitpid(pid, &wstatus, 0), pid);
    pid = -1;
    EXPECT_TRUE(WIFEXITED(wstatus) && WEXITSTATUS(wstatus) == 0);
    EXPECT_FALSE(Exists(service));
    EXPECT_FALSE(Exists(registry.Path() + "/.simctl@0"));
    EXPECT_NE(Shell(ctl + " status").first, 0);
}

}  // namespace
}  // namespace corvane::sim
