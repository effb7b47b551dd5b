// Small helpers that walk the device-access calls the way the adapter
// access class does, so each test states only what it checks.
#pragma once

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/DeviceAccess.h"

namespace corvane::test {

// Every service of `className`, in iteration order; the caller releases them.
inline std::vector<platform::io_service_t> MatchAll(const char* className,
                                                    platform::mach_port_t port = 0) {
    std::vector<platform::io_service_t> services;
    platform::io_iterator_t iterator = 0;
    if (platform::IOServiceGetMatchingServices(port, platform::IOServiceMatching(className),
                                               &iterator) != platform::KERN_SUCCESS)
        return services;
    while (platform::io_object_t service = platform::IOIteratorNext(iterator))
        services.push_back(service);
    platform::IOObjectRelease(iterator);
    return services;
}

inline void ReleaseAll(const std::vector<platform::io_service_t>& services) {
    for (platform::io_service_t s : services) EXPECT_EQ(platform::IOObjectRelease(s), 0);
}

// Opens the first service of `className` with connection type 0; 0 when none.
// A `timeoutMs` above 0 bounds its socket requests instead of the default.
inline platform::io_connect_t OpenFirst(const char* className,
                                        platform::kern_return_t* result = nullptr,
                                        int timeoutMs = 0) {
    std::vector<platform::io_service_t> services = MatchAll(className);
    platform::io_connect_t connect = 0;
    platform::kern_return_t r = platform::kIOReturnNoDevice;
    if (!services.empty() && timeoutMs > 0)
        r = platform::IOServiceOpenWithTimeout(services[0], platform::mach_task_self(), 0,
                                               timeoutMs, &connect);
    else if (!services.empty())
        r = platform::IOServiceOpen(services[0], platform::mach_task_self(), 0, &connect);
    ReleaseAll(services);
    if (result) *result = r;
    return connect;
}

// A socket file with nobody listening, as a crashed driver leaves it.
inline void MakeSocketFile(const std::string& path) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof addr.sun_path);
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    close(fd);
}

// A user client that claims 16 bytes more than it had room for.
struct OverreachingClient : platform::UserClientProvider, platform::UserClient {
    platform::kern_return_t CallStructMethod(uint32_t, const uint8_t*, size_t, uint8_t* out,
                                             size_t* outSize) override {
        if (*outSize) out[0] = 0x55;
        *outSize += 16;
        return platform::KERN_SUCCESS;
    }
    std::unique_ptr<platform::UserClient> OpenUserClient(uint32_t) override {
        return std::make_unique<OverreachingClient>();
    }
};

// Checks after each test that nothing it opened is still held.
class HandleLeakCheck : public ::testing::Test {
protected:
    void SetUp() override { baseline_ = platform::LiveHandleCount(); }
    void TearDown() override { EXPECT_EQ(platform::LiveHandleCount(), baseline_); }
    size_t baseline_ = 0;
};

}  // namespace corvane::test
