// The handle table, matching and the in-process transport.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "platform/DeviceAccess.h"
#include "tests/platform/DeviceAccessTestUtil.h"
#include "tests/support/RecordingUserClientProvider.h"
#include "tests/support/SocketTestServer.h"
#include "tests/support/TempFolders.h"

namespace corvane::test {
namespace {

using namespace platform;

constexpr const char* kOsprey = "OspreyUSBWirelessDriver";
constexpr const char* kMerlin = "MerlinUSBWirelessDriver";

class DeviceAccessTest : public HandleLeakCheck {
protected:
    TempRegistry registry_;  // keeps a real registry folder out of these tests
};

// The sequence the adapter access class runs for every request.
TEST_F(DeviceAccessTest, FullRequestSequenceReachesTheProviderAndReleasesEverything) {
    RecordingUserClientProvider driver(kOsprey);
    driver.SetAnswer(0x0D710108, {1, 2, 3});

    mach_port_t master = 0;
    ASSERT_EQ(IOMasterPort(MACH_PORT_NULL, &master), KERN_SUCCESS);
    EXPECT_NE(master, 0u);
    CFMutableDictionaryRef matching = IOServiceMatching(kOsprey);
    ASSERT_NE(matching, nullptr);
    io_iterator_t iterator = 0;
    ASSERT_EQ(IOServiceGetMatchingServices(master, matching, &iterator), KERN_SUCCESS);
    io_service_t service = IOIteratorNext(iterator);
    ASSERT_NE(service, 0u);
    EXPECT_EQ(IOIteratorNext(iterator), 0u);
    io_connect_t connect = 0;
    ASSERT_EQ(IOServiceOpen(service, mach_task_self(), 0, &connect), KERN_SUCCESS);
    EXPECT_EQ(driver.OpenClients(), 1u);

    uint8_t buffer[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    size_t size = sizeof buffer;
    EXPECT_EQ(IOConnectCallStructMethod(connect, 0x0D710108, buffer, 4, buffer, &size),
              KERN_SUCCESS);
    EXPECT_EQ(size, 3u);
    // Only the answer's bytes are written; the rest is as the caller left it.
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 8),
              (std::vector<uint8_t>{1, 2, 3, 9, 9, 9, 9, 9}));

    ASSERT_EQ(driver.Calls().size(), 1u);
    EXPECT_EQ(driver.Calls()[0].selector, 0x0D710108u);
    EXPECT_EQ(driver.Calls()[0].input, (std::vector<uint8_t>{9, 9, 9, 9}));
    EXPECT_EQ(driver.Calls()[0].outputCapacity, 8u);
    EXPECT_EQ(driver.OpenRequests(), std::vector<uint32_t>{0});

    EXPECT_EQ(IOObjectRelease(iterator), KERN_SUCCESS);
    EXPECT_EQ(IOServiceClose(connect), KERN_SUCCESS);
    EXPECT_EQ(driver.OpenClients(), 0u);
    EXPECT_EQ(IOObjectRelease(service), KERN_SUCCESS);
    EXPECT_EQ(mach_port_deallocate(mach_task_self(), master), KERN_SUCCESS);
}

TEST_F(DeviceAccessTest, MatchingListsInProcessServicesOfTheClassInRegistrationOrder) {
    RecordingUserClientProvider first(kOsprey);
    RecordingUserClientProvider merlin(kMerlin);
    RecordingUserClientProvider second(kOsprey);

    std::vector<io_service_t> services = MatchAll(kOsprey);
    ASSERT_EQ(services.size(), 2u);
    for (size_t i = 0; i < services.size(); ++i) {
        io_connect_t connect = 0;
        ASSERT_EQ(IOServiceOpen(services[i], mach_task_self(), 0, &connect), KERN_SUCCESS);
        size_t none = 0;
        EXPECT_EQ(IOConnectCallStructMethod(connect, uint32_t(i), nullptr, 0, nullptr, &none), 0);
        IOServiceClose(connect);
    }
    ReleaseAll(services);
    EXPECT_EQ(first.Selectors(), std::vector<uint32_t>{0});
    EXPECT_EQ(second.Selectors(), std::vector<uint32_t>{1});
    EXPECT_TRUE(merlin.Calls().empty());

    ReleaseAll(MatchAll(kMerlin));
    EXPECT_TRUE(MatchAll("NoSuchDriver").empty());
    // A class name is matched whole, not as a prefix.
    EXPECT_TRUE(MatchAll("OspreyUSB").empty());
}

TEST_F(DeviceAccessTest, InProcessServicesComeBeforeRegistrySockets) {
    RecordingUserClientProvider inProcess(kOsprey);
    RecordingUserClientProvider behindSocket("SocketOnlyDriver");
    SocketTestServer server(registry_.SocketPath(kOsprey, "0"), behindSocket);
    ASSERT_TRUE(server.Started());

    std::vector<io_service_t> services = MatchAll(kOsprey);
    ASSERT_EQ(services.size(), 2u);
    std::vector<RecordingUserClientProvider*> expected = {&inProcess, &behindSocket};
    for (size_t i = 0; i < 2; ++i) {
        io_connect_t connect = 0;
        ASSERT_EQ(IOServiceOpen(services[i], mach_task_self(), 0, &connect), KERN_SUCCESS);
        uint8_t in[2] = {uint8_t(i), 0xEE};
        size_t size = 0;
        EXPECT_EQ(IOConnectCallStructMethod(connect, 0x42, in, 2, nullptr, &size), KERN_SUCCESS);
        IOServiceClose(connect);
        ASSERT_EQ(expected[i]->Calls().size(), 1u) << i;
        EXPECT_EQ(expected[i]->Calls()[0].input, (std::vector<uint8_t>{uint8_t(i), 0xEE}));
    }
    ReleaseAll(services);
}

TEST_F(DeviceAccessTest, TheDefaultPortAndAMasterPortBothMatch) {
    RecordingUserClientProvider driver(kOsprey);
    std::vector<io_service_t> byDefault = MatchAll(kOsprey, kIOMasterPortDefault);
    EXPECT_EQ(byDefault.size(), 1u);
    ReleaseAll(byDefault);

    mach_port_t master = 0;
    ASSERT_EQ(IOMasterPort(MACH_PORT_NULL, &master), KERN_SUCCESS);
    std::vector<io_service_t> byPort = MatchAll(kOsprey, master);
    EXPECT_EQ(byPort.size(), 1u);
    ReleaseAll(byPort);
    EXPECT_EQ(mach_port_deallocate(mach_task_self(), master), KERN_SUCCESS);
}

// The dictionary is gone after the request whatever its outcome.
TEST_F(DeviceAccessTest, MatchingConsumesTheDictionaryEvenWhenItFails) {
    RecordingUserClientProvider driver(kOsprey);
    mach_port_t master = 0;
    ASSERT_EQ(IOMasterPort(MACH_PORT_NULL, &master), KERN_SUCCESS);
    ASSERT_EQ(mach_port_deallocate(mach_task_self(), master), KERN_SUCCESS);
    const size_t before = LiveHandleCount();

    io_iterator_t iterator = 77;
    EXPECT_NE(IOServiceGetMatchingServices(master, IOServiceMatching(kOsprey), &iterator), 0);
    EXPECT_EQ(iterator, 0u);
    EXPECT_NE(IOServiceGetMatchingServices(0, IOServiceMatching(kOsprey), nullptr), 0);
    EXPECT_EQ(LiveHandleCount(), before);

    CFMutableDictionaryRef used = IOServiceMatching(kOsprey);
    ASSERT_EQ(IOServiceGetMatchingServices(0, used, &iterator), KERN_SUCCESS);
    IOObjectRelease(iterator);
    CFRelease(used);  // already consumed: harmless
    EXPECT_NE(IOServiceGetMatchingServices(0, used, &iterator), 0);
    EXPECT_EQ(LiveHandleCount(), before);

    EXPECT_EQ(IOServiceMatching(nullptr), nullptr);
    EXPECT_EQ(IOServiceMatching(""), nullptr);
    EXPECT_NE(IOServiceGetMatchingServices(0, nullptr, &iterator), 0);
}

// Releasing what is not (or no longer) there changes nothing.
TEST_F(DeviceAccessTest, StaleAndMismatchedReleasesFailHarmlessly) {
    RecordingUserClientProvider driver(kOsprey);
    mach_port_t master = 0;
    ASSERT_EQ(IOMasterPort(MACH_PORT_NULL, &master), KERN_SUCCESS);
    CFMutableDictionaryRef dictionary = IOServiceMatching(kOsprey);
    std::vector<io_service_t> services = MatchAll(kOsprey);
    ASSERT_EQ(services.size(), 1u);
    io_connect_t connect = 0;
    ASSERT_EQ(IOServiceOpen(services[0], mach_task_self(), 0, &connect), KERN_SUCCESS);
    const size_t live = LiveHandleCount();

    struct Case {
        const char* what;
        kern_return_t (*release)(uint32_t);
        uint32_t handle;
    };
    auto objectRelease = [](uint32_t h) { return IOObjectRelease(h); };
    auto close = [](uint32_t h) { return IOServiceClose(h); };
    auto deallocate = [](uint32_t h) { return mach_port_deallocate(mach_task_self(), h); };
    const Case cases[] = {
        {"release of 0", objectRelease, 0},
        {"release of an unknown handle", objectRelease, 0x00FFFFF0},
        {"release of a master port", objectRelease, master},
        {"close of a service", close, services[0]},
        {"close of a master port", close, master},
        {"close of an unknown handle", close, 0x00FFFFF0},
        {"deallocate of a service", deallocate, services[0]},
        {"deallocate of a connection", deallocate, connect},
    };
    for (const Case& c : cases) {
        EXPECT_NE(c.release(c.handle), KERN_SUCCESS) << c.what;
        EXPECT_EQ(LiveHandleCount(), live) << c.what;
    }
    CFRelease(nullptr);
    CFRelease(reinterpret_cast<CFMutableDictionaryRef>(uintptr_t(master)));  // not a dictionary
    EXPECT_EQ(LiveHandleCount(), live);

    EXPECT_EQ(IOServiceClose(connect), KERN_SUCCESS);
    EXPECT_NE(IOServiceClose(connect), KERN_SUCCESS);
    size_t none = 0;
    EXPECT_NE(IOConnectCallStructMethod(connect, 1, nullptr, 0, nullptr, &none), KERN_SUCCESS);
    ReleaseAll(services);
    EXPECT_NE(IOObjectRelease(services[0]), KERN_SUCCESS);
    CFRelease(dictionary);
    EXPECT_EQ(mach_port_deallocate(mach_task_self(), master), KERN_SUCCESS);
    EXPECT_NE(mach_port_deallocate(mach_task_self(), master), KERN_SUCCESS);
    EXPECT_EQ(LiveHandleCount(), live - 4);
}

TEST_F(DeviceAccessTest, AServiceLivesUntilItsLastReferenceGoes) {
    RecordingUserClientProvider driver(kOsprey);
    std::vector<io_service_t> services = MatchAll(kOsprey);
    ASSERT_EQ(services.size(), 1u);
    ASSERT_EQ(IOObjectRetain(services[0]), KERN_SUCCESS);
    EXPECT_EQ(IOObjectRelease(services[0]), KERN_SUCCESS);
    io_connect_t connect = 0;
    EXPECT_EQ(IOServiceOpen(services[0], mach_task_self(), 0, &connect), KERN_SUCCESS);
    EXPECT_EQ(IOObjectRelease(services[0]), KERN_SUCCESS);
    // The connection does not depend on the service handle.
    size_t none = 0;
    EXPECT_EQ(IOConnectCallStructMethod(connect, 5, nullptr, 0, nullptr, &none), KERN_SUCCESS);
    io_connect_t again = 99;
    EXPECT_NE(IOServiceOpen(services[0], mach_task_self(), 0, &again), KERN_SUCCESS);
    EXPECT_EQ(again, 0u);  // a failed open clears the out-parameter
    EXPECT_EQ(IOObjectRetain(services[0]), kIOReturnBadArgument);
    EXPECT_EQ(driver.OpenClients(), 1u);
    EXPECT_EQ(IOServiceClose(connect), KERN_SUCCESS);
    EXPECT_EQ(driver.OpenClients(), 0u);
}

TEST_F(DeviceAccessTest, UnregisteredProviderMakesHeldHandlesFailWithoutCrashing) {
    auto driver = std::make_unique<RecordingUserClientProvider>(kOsprey);
    std::vector<io_service_t> services = MatchAll(kOsprey);
    ASSERT_EQ(services.size(), 1u);
    io_connect_t connect = 0;
    ASSERT_EQ(IOServiceOpen(services[0], mach_task_self(), 0, &connect), KERN_SUCCESS);

    // Unregistering closes the provider's clients at once, while it still exists.
    driver->Unregister();
    EXPECT_EQ(driver->OpenClients(), 0u);
    driver.reset();

    uint8_t buffer[4] = {7, 7, 7, 7};
    size_t size = sizeof buffer;
    EXPECT_NE(IOConnectCallStructMethod(connect, 1, buffer, 4, buffer, &size), KERN_SUCCESS);
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 4), (std::vector<uint8_t>{7, 7, 7, 7}));
    io_connect_t second = 0;
    EXPECT_NE(IOServiceOpen(services[0], mach_task_self(), 0, &second), KERN_SUCCESS);
    EXPECT_EQ(second, 0u);
    EXPECT_EQ(IOServiceClose(connect), KERN_SUCCESS);
    ReleaseAll(services);
    EXPECT_TRUE(MatchAll(kOsprey).empty());
}

TEST_F(DeviceAccessTest, ProviderThatGivesNoClientFailsTheOpen) {
    RecordingUserClientProvider driver(kOsprey);
    driver.SetOpenFails(true);
    kern_return_t result = KERN_SUCCESS;
    EXPECT_EQ(OpenFirst(kOsprey, &result), 0u);
    EXPECT_NE(result, KERN_SUCCESS);
    EXPECT_EQ(driver.OpenRequests(), std::vector<uint32_t>{0});
}

// A user client that claims more bytes than it had room for.
class OverreachingProvider : public UserClientProvider {
public:
    class Client : public UserClient {
      public:
        kern_return_t CallStructMethod(uint32_t, const uint8_t*, size_t, uint8_t* output,
                                       size_t* outputSize) override {
            if (*outputSize) output[0] = 0x55;
            *outputSize += 16;
            return KERN_SUCCESS;
        }
    };
    std::unique_ptr<UserClient> OpenUserClient(uint32_t) override {
        return std::make_unique<Client>();
    }
};

TEST_F(DeviceAccessTest, ClientReportingMoreThanItsRoomGivesAFailedCallAndNoBytes) {
    OverreachingProvider provider;
    const uint32_t id = RegisterInProcessService(kOsprey, &provider);
    io_connect_t connect = OpenFirst(kOsprey);
    ASSERT_NE(connect, 0u);
    uint8_t buffer[4] = {1, 2, 3, 4};
    size_t size = sizeof buffer;
    EXPECT_NE(IOConnectCallStructMethod(connect, 1, buffer, 4, buffer, &size), KERN_SUCCESS);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 4), (std::vector<uint8_t>{1, 2, 3, 4}));
    IOServiceClose(connect);
    UnregisterInProcessService(id);
}

TEST_F(DeviceAccessTest, RegistrationNeedsANameAndAProvider) {
    RecordingUserClientProvider driver(kOsprey);
    EXPECT_EQ(RegisterInProcessService("", &driver), 0u);
    EXPECT_EQ(RegisterInProcessService(kOsprey, nullptr), 0u);
    UnregisterInProcessService(0);
    UnregisterInProcessService(0x7FFFFFFF);
    std::vector<io_service_t> services = MatchAll(kOsprey);
    EXPECT_EQ(services.size(), 1u);
    ReleaseAll(services);
}

}  // namespace
}  // namespace corvane::test
