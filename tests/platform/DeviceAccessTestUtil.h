// Small helpers that walk the device-access calls the way the adapter
// access class does, so each test states only what it checks.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
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
inline platform::io_connect_t OpenFirst(const char* className,
                                        platform::kern_return_t* result = nullptr) {
    std::vector<platform::io_service_t> services = MatchAll(className);
    platform::io_connect_t connect = 0;
    platform::kern_return_t r = platform::kIOReturnNoDevice;
    if (!services.empty())
        r = platform::IOServiceOpen(services[0], platform::mach_task_self(), 0, &connect);
    ReleaseAll(services);
    if (result) *result = r;
    return connect;
}

// Checks after each test that nothing it opened is still held.
class HandleLeakCheck : public ::testing::Test {
protected:
    void SetUp() override { baseline_ = platform::LiveHandleCount(); }
    void TearDown() override { EXPECT_EQ(platform::LiveHandleCount(), baseline_); }
    size_t baseline_ = 0;
};

}  // namespace corvane::test
