// The socket transport against a peer that stalls, dies or lies.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
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
using Fault = SocketTestServer::Fault;
using Bytes = std::vector<uint8_t>;

constexpr const char* kOsprey = "OspreyUSBWirelessDriver";

// Socket transport against faulty peers, opened with a short timeout so that
// a stall costs a fraction of a second.
class SocketFaults : public HandleLeakCheck {
protected:
    void SetUp() override {
        HandleLeakCheck::SetUp();
        server_ = std::make_unique<SocketTestServer>(registry_.SocketPath(kOsprey, "0"), driver_);
        ASSERT_TRUE(server_->Started());
    }
    void TearDown() override {
        server_.reset();
        HandleLeakCheck::TearDown();
    }
    static io_connect_t Open(kern_return_t* result = nullptr) {
        return OpenFirst(kOsprey, result, kTimeoutMs);
    }
    // Runs `f` and returns how long it took in milliseconds.
    template <typename F>
    static long Timed(F f) {
        const auto start = std::chrono::steady_clock::now();
        f();
        return long(std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count());
    }

    static constexpr int kTimeoutMs = 150;
    TempRegistry registry_;
    RecordingUserClientProvider driver_{"Unmatched"};
    std::unique_ptr<SocketTestServer> server_;
};

// A peer that stalls, dies before it answers, or answers more than the room
// it was given fails the call in a bounded time, leaves the caller's buffer
// alone and puts the stream out of step, so later calls fail at once.
TEST_F(SocketFaults, FaultyPeersFailInBoundedTime) {
    const std::pair<Fault, kern_return_t> cases[] = {
        {Fault::Stall, kIOReturnTimeout}, {Fault::CloseBeforeAnswer, 0}, {Fault::OverCapacity, 0}};
    driver_.SetAnswer(7, Bytes(16, 0x77));
    for (auto [fault, expected] : cases) {
        SCOPED_TRACE(int(fault));
        const io_connect_t connect = Open();
        ASSERT_NE(connect, 0u);
        server_->SetCallFault(fault);
        Bytes buffer(16, 0xCC);
        size_t size = 0;
        kern_return_t result = KERN_SUCCESS;
        auto call = [&] {
            size = buffer.size();
            result = IOConnectCallStructMethod(connect, 7, buffer.data(), 4, buffer.data(), &size);
        };
        const long took = Timed(call);
        EXPECT_LT(took, 10 * kTimeoutMs);
        EXPECT_GE(took, fault == Fault::Stall ? kTimeoutMs - 5 : 0) << "a stall is waited for";
        EXPECT_NE(result, KERN_SUCCESS);
        if (expected) {
            EXPECT_EQ(result, expected);
        }
        EXPECT_EQ(size, 0u);
        EXPECT_EQ(buffer, Bytes(16, 0xCC));

        server_->SetCallFault(Fault::None);
        const size_t served = server_->CallsServed();
        EXPECT_LT(Timed(call), kTimeoutMs);
        EXPECT_NE(result, KERN_SUCCESS);
        EXPECT_EQ(server_->CallsServed(), served);
        EXPECT_EQ(IOServiceClose(connect), KERN_SUCCESS);
    }
}

// A peer that has gone fails the call without SIGPIPE (which would end the
// process); a socket file left with no listener, as a crashed driver leaves
// it, fails the open at once; sockets in a folder others may write to are
// not listed at all.
TEST_F(SocketFaults, GonePeersStaleSocketsAndForeignFoldersGiveNoConnection) {
    io_connect_t connect = Open();
    server_.reset();
    Bytes input(kMaxStructSize, 1);
    size_t size = 0;
    EXPECT_NE(IOConnectCallStructMethod(connect, 1, input.data(), input.size(), nullptr, &size), 0);
    EXPECT_NE(IOConnectCallStructMethod(connect, 1, input.data(), 4, nullptr, &size), 0);
    EXPECT_EQ(IOServiceClose(connect), KERN_SUCCESS);

    MakeSocketFile(registry_.SocketPath(kOsprey, "1"));
    kern_return_t result = KERN_SUCCESS;
    EXPECT_LT(Timed([&] { EXPECT_EQ(Open(&result), 0u); }), kTimeoutMs);
    EXPECT_NE(result, KERN_SUCCESS);
    std::vector<io_service_t> listed = MatchAll(kOsprey);
    EXPECT_EQ(listed.size(), 1u);
    ReleaseAll(listed);
    ASSERT_EQ(chmod(registry_.Path().c_str(), 0777), 0);
    EXPECT_TRUE(MatchAll(kOsprey).empty());
    ASSERT_EQ(chmod(registry_.Path().c_str(), 0700), 0);
}

}  // namespace
}  // namespace corvane::test
