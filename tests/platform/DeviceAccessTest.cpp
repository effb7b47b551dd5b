// The handle table, matching and the in-process transport.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/DeviceAccess.h"
#include "tests/platform/DeviceAccessTestUtil.h"
#include "tests/support/RecordingUserClientProvider.h"
#include "tests/support/SocketTestServer.h"
#include "tests/support/TempFolders.h"

namespace corvane::test {
namespace {

using namespace platform;
using Selectors = std::vector<uint32_t>;

constexpr const char* kOsprey = "OspreyUSBWirelessDriver";

class DeviceAccessTest : public HandleLeakCheck {
protected:
    TempRegistry registry_;  // keeps a real registry folder out of these tests
};

kern_return_t EmptyCall(io_connect_t connect, uint32_t selector) {
    size_t none = 0;
    return IOConnectCallStructMethod(connect, selector, nullptr, 0, nullptr, &none);
}

// In-process services of the class in registration order, then registry
// sockets; a class name is matched whole, not as a prefix.
TEST_F(DeviceAccessTest, MatchingOrderAndNames) {
    RecordingUserClientProvider first(kOsprey), merlin("MerlinUSBWirelessDriver"), second(kOsprey);
    RecordingUserClientProvider behindSocket("SocketOnlyDriver");
    SocketTestServer server(registry_.SocketPath(kOsprey, "0"), behindSocket);
    std::vector<io_service_t> services = MatchAll(kOsprey);
    ASSERT_EQ(services.size(), 3u);
    for (uint32_t i = 0; i < 3; ++i) {
        io_connect_t connect = 0;
        ASSERT_EQ(IOServiceOpen(services[i], mach_task_self(), 0, &connect), KERN_SUCCESS);
        EXPECT_EQ(EmptyCall(connect, i), KERN_SUCCESS);
        IOServiceClose(connect);
    }
    ReleaseAll(services);
    EXPECT_EQ(first.Selectors(), Selectors{0});
    EXPECT_EQ(second.Selectors(), Selectors{1});
    EXPECT_EQ(behindSocket.Selectors(), Selectors{2});
    EXPECT_TRUE(merlin.Calls().empty());
    EXPECT_TRUE(MatchAll("NoSuchDriver").empty());
    EXPECT_TRUE(MatchAll("OspreyUSB").empty());
}

// The dictionary is gone after the request whatever its outcome, so a
// second release of it is harmless and a second use fails.
TEST_F(DeviceAccessTest, MatchingConsumesTheDictionaryEvenWhenItFails) {
    RecordingUserClientProvider driver(kOsprey);
    io_iterator_t iterator = 77;
    EXPECT_NE(IOServiceGetMatchingServices(0, IOServiceMatching(kOsprey), nullptr), 0);
    CFMutableDictionaryRef used = IOServiceMatching(kOsprey);
    ASSERT_EQ(IOServiceGetMatchingServices(0, used, &iterator), KERN_SUCCESS);
    IOObjectRelease(iterator);
    CFRelease(used);
    EXPECT_NE(IOServiceGetMatchingServices(0, used, &iterator), 0);
    EXPECT_EQ(iterator, 0u);
    EXPECT_EQ(IOServiceMatching(""), nullptr);
}

// The adapter's request sequence through a master port; releasing what is
// not (or no longer) there, or with the wrong call, changes nothing.
TEST_F(DeviceAccessTest, RequestSequenceAndStaleOrMismatchedReleases) {
    RecordingUserClientProvider driver(kOsprey);
    mach_port_t master = 0;
    ASSERT_EQ(IOMasterPort(MACH_PORT_NULL, &master), KERN_SUCCESS);
    std::vector<io_service_t> services = MatchAll(kOsprey, master);
    ASSERT_EQ(services.size(), 1u);
    io_connect_t connect = 0;
    ASSERT_EQ(IOServiceOpen(services[0], mach_task_self(), 0, &connect), KERN_SUCCESS);
    EXPECT_EQ(driver.OpenClients(), 1u);
    const size_t live = LiveHandleCount();
    auto release = [](uint32_t h) { return IOObjectRelease(h); };
    auto close = [](uint32_t h) { return IOServiceClose(h); };
    auto deallocate = [](uint32_t h) { return mach_port_deallocate(mach_task_self(), h); };
    const struct {
        kern_return_t (*call)(uint32_t);
        uint32_t handle;
    } cases[] = {{release, 0},         {release, 0x00FFFFF0},     {release, master},
                 {close, services[0]}, {close, master},           {close, 0x00FFFFF0},
                 {close, 0},           {deallocate, services[0]}, {deallocate, connect}};
    for (const auto& c : cases) {
        EXPECT_NE(c.call(c.handle), KERN_SUCCESS) << &c - cases;
        EXPECT_EQ(LiveHandleCount(), live) << &c - cases;
    }
    CFRelease(reinterpret_cast<CFMutableDictionaryRef>(uintptr_t(master)));  // not a dictionary
    EXPECT_EQ(LiveHandleCount(), live);
    EXPECT_EQ(EmptyCall(connect, 7), KERN_SUCCESS);
    EXPECT_EQ(IOServiceClose(connect), KERN_SUCCESS);
    EXPECT_EQ(driver.OpenClients(), 0u);
    EXPECT_NE(IOServiceClose(connect), KERN_SUCCESS);
    EXPECT_NE(EmptyCall(connect, 8), KERN_SUCCESS);
    ReleaseAll(services);
    EXPECT_NE(IOObjectRelease(services[0]), KERN_SUCCESS);
    EXPECT_EQ(mach_port_deallocate(mach_task_self(), master), KERN_SUCCESS);
    EXPECT_NE(mach_port_deallocate(mach_task_self(), master), KERN_SUCCESS);
    EXPECT_EQ(driver.Selectors(), Selectors{7});
}

TEST_F(DeviceAccessTest, AServiceLivesUntilItsLastReferenceGoes) {
    RecordingUserClientProvider driver(kOsprey);
    std::vector<io_service_t> services = MatchAll(kOsprey);
    ASSERT_EQ(services.size(), 1u);
    ASSERT_EQ(IOObjectRetain(services[0]), KERN_SUCCESS);
    EXPECT_EQ(IOObjectRelease(services[0]), KERN_SUCCESS);
    io_connect_t connect = 0, again = 99;
    EXPECT_EQ(IOServiceOpen(services[0], mach_task_self(), 0, &connect), KERN_SUCCESS);
    EXPECT_EQ(IOObjectRelease(services[0]), KERN_SUCCESS);
    EXPECT_EQ(EmptyCall(connect, 5), KERN_SUCCESS);  // the connection outlives the service
    EXPECT_NE(IOServiceOpen(services[0], mach_task_self(), 0, &again), KERN_SUCCESS);
    EXPECT_EQ(again, 0u);  // a failed open clears the out-parameter
    EXPECT_EQ(IOObjectRetain(services[0]), kIOReturnBadArgument);
    EXPECT_EQ(IOServiceClose(connect), KERN_SUCCESS);
}

TEST_F(DeviceAccessTest, UnregisteredProviderMakesHeldHandlesFailWithoutCrashing) {
    auto driver = std::make_unique<RecordingUserClientProvider>(kOsprey);
    std::vector<io_service_t> services = MatchAll(kOsprey);
    io_connect_t connect = OpenFirst(kOsprey), second = 0;
    ASSERT_NE(connect, 0u);
    driver->Unregister();  // closes the provider's clients at once, while it still exists
    EXPECT_EQ(driver->OpenClients(), 0u);
    driver.reset();
    uint8_t buffer[4] = {7, 7, 7, 7};
    size_t size = sizeof buffer;
    EXPECT_NE(IOConnectCallStructMethod(connect, 1, buffer, 4, buffer, &size), KERN_SUCCESS);
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 4), std::vector<uint8_t>(4, 7));
    EXPECT_NE(IOServiceOpen(services.at(0), mach_task_self(), 0, &second), KERN_SUCCESS);
    EXPECT_EQ(IOServiceClose(connect), KERN_SUCCESS);
    ReleaseAll(services);
    EXPECT_TRUE(MatchAll(kOsprey).empty());
}

// Bad registrations are refused; a refused open and a client that reports
// more than its room give no connection and no bytes.
TEST_F(DeviceAccessTest, BadRegistrationsAndClientsGiveNothing) {
    RecordingUserClientProvider driver(kOsprey);
    EXPECT_EQ(RegisterInProcessService("", &driver), 0u);
    EXPECT_EQ(RegisterInProcessService(kOsprey, nullptr), 0u);
    UnregisterInProcessService(0x7FFFFFFF);
    driver.SetOpenFails(true);
    kern_return_t result = KERN_SUCCESS;
    EXPECT_EQ(OpenFirst(kOsprey, &result), 0u);  // the one registration is still there
    EXPECT_NE(result, KERN_SUCCESS);
    EXPECT_EQ(driver.OpenRequests(), Selectors{0});
    driver.Unregister();

    OverreachingClient provider;
    const uint32_t id = RegisterInProcessService(kOsprey, &provider);
    io_connect_t connect = OpenFirst(kOsprey);
    uint8_t buffer[4] = {1, 2, 3, 4};
    size_t size = sizeof buffer;
    EXPECT_NE(IOConnectCallStructMethod(connect, 1, buffer, 4, buffer, &size), KERN_SUCCESS);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 4), (std::vector<uint8_t>{1, 2, 3, 4}));
    IOServiceClose(connect);
    UnregisterInProcessService(id);
}

}  // namespace
}  // namespace corvane::test
