// Matching and the in-process transport.
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

// A client that reports more than its room gives an error and no bytes.
TEST_F(DeviceAccessTest, OversizedAnswerIsRefused) {
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
