// The driver found and called the way the system reaches it: matching by
// class name, opening connection type 0, one structure call, close. Both
// in-process and through the daemon's socket.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "adapter/ByteOrder.h"
#include "adapter/Oids.h"
#include "driver/SimDriver.h"
#include "platform/DeviceAccess.h"
#include "tests/support/TempFolders.h"

extern char** environ;

namespace corvane::sim {
namespace {

using namespace platform;

// One request as the adapter access class sends it; nullopt when any step
// fails. Releases everything it took.
std::optional<std::vector<uint8_t>> Request(const char* className, uint32_t selector,
                                            std::vector<uint8_t> buffer) {
    mach_port_t master = 0;
    if (IOMasterPort(MACH_PORT_NULL, &master) != KERN_SUCCESS) return std::nullopt;
    io_iterator_t iter = 0;
    std::optional<std::vector<uint8_t>> answer;
    if (IOServiceGetMatchingServices(master, IOServiceMatching(className), &iter) ==
        KERN_SUCCESS) {
        io_service_t service = IOIteratorNext(iter);
        io_connect_t connect = 0;
        if (service && IOServiceOpen(service, mach_task_self(), 0, &connect) == KERN_SUCCESS) {
            size_t size = buffer.size();
            if (IOConnectCallStructMethod(connect, selector, buffer.data(), buffer.size(),
                                          buffer.data(), &size) == KERN_SUCCESS) {
                buffer.resize(size);
                answer = buffer;
            }
            IOServiceClose(connect);
        }
        if (service) IOObjectRelease(service);
        IOObjectRelease(iter);
    }
    mach_port_deallocate(mach_task_self(), master);
    return answer;
}

TEST(DeviceAccessPath, InProcessDriverIsFoundUnderItsClassName) {
    std::string error;
    auto env = ParseEnvironment(R"({"adapter": {"kind": "merlin", "eeprom_version": [4, 7]}})",
                                &error);
    ASSERT_TRUE(env) << error;
    SimDriver driver(std::move(*env));
    const size_t handlesBefore = LiveHandleCount();
    {
        ScopedInProcessService registration(driver);
        EXPECT_FALSE(Request("OspreyUSBWirelessDriver", OID_VX_EEPROM_VERSION, {0, 0, 0, 0}));
        auto version = Request("MerlinUSBWirelessDriver", OID_VX_EEPROM_VERSION, {0, 0, 0, 0});
        ASSERT_TRUE(version);
        EXPECT_EQ(*version, (std::vector<uint8_t>{4, 7, 0, 0}));
        driver.Unplug();
        EXPECT_FALSE(Request("MerlinUSBWirelessDriver", OID_VX_EEPROM_VERSION, {0, 0, 0, 0}));
        driver.Plug();
        EXPECT_TRUE(Request("MerlinUSBWirelessDriver", OID_VX_EEPROM_VERSION, {0, 0, 0, 0}));
    }
    EXPECT_EQ(LiveHandleCount(), handlesBefore);
    EXPECT_FALSE(Request("MerlinUSBWirelessDriver", OID_VX_EEPROM_VERSION, {0, 0, 0, 0}));
}

TEST(DeviceAccessPath, DaemonIsFoundThroughTheRegistryFolder) {
    corvane::test::TempRegistry registry;  // points CORVANE_IOREGISTRY at itself
    std::vector<std::string> args = {CORVANE_SIMDRIVER_EXE};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    ASSERT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ), 0);
    struct Reaper {
        pid_t& pid;
        ~Reaper() {
            if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
                kill(pid, SIGKILL);
                waitpid(pid, nullptr, 0);
            }
        }
    } reaper{pid};
    const std::string socket = registry.SocketPath("OspreyUSBWirelessDriver", "0");
    struct stat st{};
    for (int i = 0; i < 200 && lstat(socket.c_str(), &st) != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));

    auto region = Request("OspreyUSBWirelessDriver", OID_VX_COUNTRY_REGION, {0, 0, 0, 0});
    ASSERT_TRUE(region);
    EXPECT_EQ(ReadLe32(region->data()), 0x81u);
    // A set travels with the flag and a 64-byte scratch output.
    EXPECT_TRUE(Request("OspreyUSBWirelessDriver", OID_VX_TX_POWER, {25, 0, 0, 0}));
    EXPECT_FALSE(Request("OspreyUSBWirelessDriver", OID_VX_TX_POWER, {250, 0, 0, 0}));
    auto ssid = Request("OspreyUSBWirelessDriver", OID_802_11_SSID, std::vector<uint8_t>(37, 0));
    ASSERT_TRUE(ssid);
    EXPECT_EQ(ssid->size(), 36u);

    ASSERT_EQ(kill(pid, SIGTERM), 0);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    pid = -1;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_NE(lstat(socket.c_str(), &st), 0);
}

}  // namespace
}  // namespace corvane::sim
