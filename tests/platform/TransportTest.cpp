// What both transports must do alike, and the socket transport's behaviour
// against a peer that stalls, dies or lies.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <numeric>
#include <vector>

#include "platform/DeviceAccess.h"
#include "platform/Registry.h"
#include "tests/platform/DeviceAccessTestUtil.h"
#include "tests/support/RecordingUserClientProvider.h"
#include "tests/support/SocketTestServer.h"
#include "tests/support/TempFolders.h"

namespace corvane::test {
namespace {

using namespace platform;
using Fault = SocketTestServer::Fault;
using Millis = std::chrono::milliseconds;

constexpr const char* kOsprey = "OspreyUSBWirelessDriver";

enum class Transport { InProcess, Socket };

// One driver, reached either in-process or through a socket server; the
// recording provider sees the same calls either way.
class BothTransports : public HandleLeakCheck, public ::testing::WithParamInterface<Transport> {
protected:
    void SetUp() override {
        HandleLeakCheck::SetUp();
        if (GetParam() == Transport::InProcess) {
            driver_ = std::make_unique<RecordingUserClientProvider>(kOsprey);
        } else {
            driver_ = std::make_unique<RecordingUserClientProvider>("NotMatchedInProcess");
            server_ =
                std::make_unique<SocketTestServer>(registry_.SocketPath(kOsprey, "0"), *driver_);
            ASSERT_TRUE(server_->Started());
        }
        connect_ = OpenFirst(kOsprey);
        ASSERT_NE(connect_, 0u);
    }
    void TearDown() override {
        if (connect_) {
            EXPECT_EQ(IOServiceClose(connect_), KERN_SUCCESS);
        }
        server_.reset();
        driver_.reset();
        HandleLeakCheck::TearDown();
    }

    TempRegistry registry_;
    std::unique_ptr<RecordingUserClientProvider> driver_;
    std::unique_ptr<SocketTestServer> server_;
    io_connect_t connect_ = 0;
};

INSTANTIATE_TEST_SUITE_P(, BothTransports,
                         ::testing::Values(Transport::InProcess, Transport::Socket),
                         [](const auto& info) {
                             return info.param == Transport::InProcess ? "InProcess" : "Socket";
                         });

TEST_P(BothTransports, QueryAnswerOverwritesTheRequestInPlace) {
    // The driver answers from what it was sent: if the request were read
    // after the answer started landing in the same buffer, this would show.
    driver_->SetHook([](const RecordedCall& call, uint8_t* out, size_t* size) {
        const size_t n = std::min(call.input.size(), *size);
        for (size_t i = 0; i < n; ++i) out[i] = uint8_t(call.input[n - 1 - i] + 1);
        *size = n;
        return std::optional<kern_return_t>(KERN_SUCCESS);
    });
    std::vector<uint8_t> buffer(4096);
    std::iota(buffer.begin(), buffer.end(), uint8_t(0));
    std::vector<uint8_t> expected(buffer.rbegin(), buffer.rend());
    for (uint8_t& b : expected) ++b;
    size_t size = buffer.size();
    ASSERT_EQ(IOConnectCallStructMethod(connect_, 0x0D010217, buffer.data(), buffer.size(),
                                        buffer.data(), &size),
              KERN_SUCCESS);
    EXPECT_EQ(size, buffer.size());
    EXPECT_EQ(buffer, expected);
}

TEST_P(BothTransports, SequenceOfCallsArrivesInOrderWithExactBytes) {
    driver_->QueueAnswer(0x0D710299, {}, kIOReturnError);
    driver_->SetAnswer(0x0D710299, {0xAA, 0xBB});
    driver_->SetAnswer(0x0D810115, {1, 2, 3, 4, 5, 6, 7, 8});

    struct Step {
        uint32_t selector;
        std::vector<uint8_t> input;
        size_t capacity;
        kern_return_t result;
        std::vector<uint8_t> answer;
    };
    const std::vector<Step> steps = {
        {0x0D710299, {0, 0, 0, 0}, 4, kIOReturnError, {}},
        {0x0D710299, {0, 0, 0, 0}, 4, KERN_SUCCESS, {0xAA, 0xBB}},
        // An answer is cut to the room the caller gave.
        {0x0D810115, {5}, 3, KERN_SUCCESS, {1, 2, 3}},
        {0x0D810115, {}, 0, KERN_SUCCESS, {}},
        {0x0DF101F2, {1}, 64, KERN_SUCCESS, {}},
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        std::vector<uint8_t> out(s.capacity + 1, 0xCC);
        size_t size = s.capacity;
        EXPECT_EQ(IOConnectCallStructMethod(connect_, s.selector, s.input.data(), s.input.size(),
                                            out.data(), &size),
                  s.result)
            << "step " << i;
        EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + size), s.answer) << "step " << i;
        EXPECT_EQ(out[s.answer.size()], 0xCC) << "step " << i;
    }
    ASSERT_EQ(driver_->Calls().size(), steps.size());
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(driver_->Calls()[i].selector, steps[i].selector) << i;
        EXPECT_EQ(driver_->Calls()[i].input, steps[i].input) << i;
        EXPECT_EQ(driver_->Calls()[i].outputCapacity, steps[i].capacity) << i;
    }
}

TEST_P(BothTransports, InputAboveTheLargestStructureIsRefusedBeforeSending) {
    std::vector<uint8_t> big(kMaxStructSize + 1, 1);
    size_t size = 0;
    EXPECT_EQ(IOConnectCallStructMethod(connect_, 1, big.data(), big.size(), nullptr, &size),
              kIOReturnBadArgument);
    EXPECT_TRUE(driver_->Calls().empty());
    // Nothing was sent, so the connection is still in step.
    std::vector<uint8_t> largest(kMaxStructSize, 2);
    EXPECT_EQ(
        IOConnectCallStructMethod(connect_, 2, largest.data(), largest.size(), nullptr, &size),
        KERN_SUCCESS);
    ASSERT_EQ(driver_->Calls().size(), 1u);
    EXPECT_EQ(driver_->Calls()[0].input.size(), kMaxStructSize);
}

TEST_P(BothTransports, MissingBuffersAreRefused) {
    size_t size = 4;
    EXPECT_EQ(IOConnectCallStructMethod(connect_, 1, nullptr, 4, nullptr, nullptr),
              kIOReturnBadArgument);
    EXPECT_EQ(IOConnectCallStructMethod(connect_, 1, nullptr, 0, nullptr, &size),
              kIOReturnBadArgument);
    EXPECT_TRUE(driver_->Calls().empty());
    EXPECT_EQ(IOConnectCallStructMethod(connect_, 1, nullptr, 0, nullptr, nullptr), KERN_SUCCESS);
}

// Socket transport against faulty peers. Each test runs with a short timeout
// so that a stall costs a fraction of a second.
class SocketFaults : public HandleLeakCheck {
protected:
    void SetUp() override {
        HandleLeakCheck::SetUp();
        SetSocketTimeoutMsForTest(kTimeoutMs);
        server_ = std::make_unique<SocketTestServer>(registry_.SocketPath(kOsprey, "0"), driver_);
        ASSERT_TRUE(server_->Started());
    }
    void TearDown() override {
        server_.reset();
        SetSocketTimeoutMsForTest(0);
        HandleLeakCheck::TearDown();
    }

    static constexpr int kTimeoutMs = 150;
    TempRegistry registry_;
    RecordingUserClientProvider driver_{"NotMatchedInProcess"};
    std::unique_ptr<SocketTestServer> server_;
};

template <typename F>
Millis Timed(F f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now() - start);
}

TEST_F(SocketFaults, BrokenAnswersFailInBoundedTimeAndLeaveTheConnectionUnusable) {
    struct Case {
        const char* what;
        Fault fault;
    };
    const Case cases[] = {
        {"stalled peer", Fault::Stall},
        {"peer closes before answering", Fault::CloseBeforeAnswer},
        {"peer closes mid-answer", Fault::CloseMidAnswer},
        {"garbage magic", Fault::BadMagic},
        {"answer longer than the capacity", Fault::OverCapacity},
    };
    driver_.SetAnswer(7, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        server_->SetCallFault(Fault::None);
        io_connect_t connect = OpenFirst(kOsprey);
        ASSERT_NE(connect, 0u);
        server_->SetCallFault(c.fault);

        std::vector<uint8_t> buffer(16, 0xCC);
        size_t size = buffer.size();
        kern_return_t result = KERN_SUCCESS;
        Millis took = Timed([&] {
            result = IOConnectCallStructMethod(connect, 7, buffer.data(), 4, buffer.data(), &size);
        });
        EXPECT_NE(result, KERN_SUCCESS);
        EXPECT_LT(took.count(), 10 * kTimeoutMs);
        EXPECT_EQ(size, 0u);
        EXPECT_EQ(buffer, std::vector<uint8_t>(16, 0xCC));

        // The stream is out of step: later calls fail at once, even though
        // the peer would now answer properly.
        server_->SetCallFault(Fault::None);
        const size_t served = server_->CallsServed();
        size = buffer.size();
        took = Timed([&] {
            result = IOConnectCallStructMethod(connect, 7, buffer.data(), 4, buffer.data(), &size);
        });
        EXPECT_NE(result, KERN_SUCCESS);
        EXPECT_LT(took.count(), kTimeoutMs);
        EXPECT_EQ(server_->CallsServed(), served);
        EXPECT_EQ(IOServiceClose(connect), KERN_SUCCESS);
    }
}

TEST_F(SocketFaults, StalledPeerTimesOutNearTheConfiguredBound) {
    io_connect_t connect = OpenFirst(kOsprey);
    ASSERT_NE(connect, 0u);
    server_->SetCallFault(Fault::Stall);
    uint32_t word = 0;
    size_t size = sizeof word;
    kern_return_t result = KERN_SUCCESS;
    Millis took = Timed(
        [&] { result = IOConnectCallStructMethod(connect, 1, &word, sizeof word, &word, &size); });
    EXPECT_EQ(result, kIOReturnTimeout);
    EXPECT_GE(took.count(), kTimeoutMs - 5);
    EXPECT_LT(took.count(), 4 * kTimeoutMs);
    IOServiceClose(connect);
}

// A driver's own error is an answer, not a broken stream.
TEST_F(SocketFaults, DriverErrorLeavesTheConnectionUsable) {
    io_connect_t connect = OpenFirst(kOsprey);
    ASSERT_NE(connect, 0u);
    server_->SetCallFault(Fault::Refuse);
    size_t size = 0;
    EXPECT_EQ(IOConnectCallStructMethod(connect, 1, nullptr, 0, nullptr, &size),
              kIOReturnUnsupported);
    server_->SetCallFault(Fault::None);
    EXPECT_EQ(IOConnectCallStructMethod(connect, 1, nullptr, 0, nullptr, &size), KERN_SUCCESS);
    IOServiceClose(connect);
}

TEST_F(SocketFaults, FaultyOpensFailInBoundedTimeAndHoldNothing) {
    const Fault faults[] = {Fault::Stall, Fault::CloseBeforeAnswer, Fault::CloseMidAnswer,
                            Fault::BadMagic, Fault::Refuse};
    for (Fault fault : faults) {
        SCOPED_TRACE(int(fault));
        server_->SetOpenFault(fault);
        kern_return_t result = KERN_SUCCESS;
        io_connect_t connect = 1;
        Millis took = Timed([&] { connect = OpenFirst(kOsprey, &result); });
        EXPECT_EQ(connect, 0u);
        EXPECT_NE(result, KERN_SUCCESS);
        EXPECT_LT(took.count(), 10 * kTimeoutMs);
    }
}

// Writing to a peer that has gone must not raise SIGPIPE (which would end
// the process); the call just fails.
TEST_F(SocketFaults, PeerGoneBetweenCallsFailsWithoutSignal) {
    io_connect_t connect = OpenFirst(kOsprey);
    ASSERT_NE(connect, 0u);
    server_.reset();
    std::vector<uint8_t> input(kMaxStructSize, 1);
    size_t size = 0;
    EXPECT_NE(IOConnectCallStructMethod(connect, 1, input.data(), input.size(), nullptr, &size),
              KERN_SUCCESS);
    EXPECT_NE(IOConnectCallStructMethod(connect, 1, input.data(), 4, nullptr, &size), KERN_SUCCESS);
    IOServiceClose(connect);
}

TEST_F(SocketFaults, StaleSocketFileWithNobodyListeningFailsTheOpen) {
    server_.reset();
    // A socket file left behind with no listener, as a crashed driver leaves it.
    const std::string path = registry_.SocketPath(kOsprey, "1");
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    close(fd);

    kern_return_t result = KERN_SUCCESS;
    Millis took = Timed([&] { EXPECT_EQ(OpenFirst(kOsprey, &result), 0u); });
    EXPECT_NE(result, KERN_SUCCESS);
    EXPECT_LT(took.count(), kTimeoutMs);
}

// Sockets in a folder others may write to are not ours to trust.
TEST_F(SocketFaults, SocketsInAForeignWritableFolderAreNotListed) {
    std::vector<io_service_t> services = MatchAll(kOsprey);
    EXPECT_EQ(services.size(), 1u);
    ReleaseAll(services);
    ASSERT_EQ(chmod(registry_.Path().c_str(), 0777), 0);
    EXPECT_TRUE(MatchAll(kOsprey).empty());
    ASSERT_EQ(chmod(registry_.Path().c_str(), 0700), 0);
}

}  // namespace
}  // namespace corvane::test
