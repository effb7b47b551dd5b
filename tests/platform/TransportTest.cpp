// What both transports must do alike, and the socket transport's behaviour
// against a peer that stalls, dies or lies.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <memory>
#include <numeric>
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

// One driver, reached either in-process or through a socket server; the
// recording provider sees the same calls either way.
class BothTransports : public HandleLeakCheck, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        HandleLeakCheck::SetUp();
        const bool socket = GetParam();
        driver_ = std::make_unique<RecordingUserClientProvider>(socket ? "Unmatched" : kOsprey);
        if (socket)
            server_ =
                std::make_unique<SocketTestServer>(registry_.SocketPath(kOsprey, "0"), *driver_);
        ASSERT_NE(connect_ = OpenFirst(kOsprey), 0u);
    }
    void TearDown() override {
        if (connect_) {
            EXPECT_EQ(IOServiceClose(connect_), KERN_SUCCESS);
        }
        server_.reset();
        driver_.reset();
        HandleLeakCheck::TearDown();
    }
    kern_return_t Call(uint32_t selector, const void* in, size_t inSize, void* out,
                       size_t* outSize) {
        return IOConnectCallStructMethod(connect_, selector, in, inSize, out, outSize);
    }

    TempRegistry registry_;
    std::unique_ptr<RecordingUserClientProvider> driver_;
    std::unique_ptr<SocketTestServer> server_;
    io_connect_t connect_ = 0;
};

INSTANTIATE_TEST_SUITE_P(, BothTransports, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Socket" : "InProcess"; });

TEST_P(BothTransports, QueryAnswerOverwritesTheRequestInPlace) {
    // The driver answers from what it was sent: if the request were read
    // after the answer started landing in the same buffer, this would show.
    driver_->SetHook([](const RecordedCall& call, uint8_t* out, size_t* size) {
        *size = std::min(call.input.size(), *size);
        for (size_t i = 0; i < *size; ++i) out[i] = uint8_t(call.input[*size - 1 - i] + 1);
        return std::optional<kern_return_t>(KERN_SUCCESS);
    });
    Bytes buffer(4096);
    std::iota(buffer.begin(), buffer.end(), uint8_t(0));
    Bytes expected(buffer.rbegin(), buffer.rend());
    for (uint8_t& b : expected) ++b;
    size_t size = buffer.size();
    ASSERT_EQ(Call(0x0D010217, buffer.data(), buffer.size(), buffer.data(), &size), KERN_SUCCESS);
    EXPECT_EQ(size, buffer.size());
    EXPECT_EQ(buffer, expected);
}

TEST_P(BothTransports, SequenceOfCallsArrivesInOrderWithExactBytes) {
    driver_->QueueAnswer(0x0D710299, {}, kIOReturnError);
    driver_->SetAnswer(0x0D710299, {0xAA, 0xBB});
    driver_->SetAnswer(0x0D810115, {1, 2, 3, 4, 5, 6, 7, 8});
    const struct {
        uint32_t selector;
        Bytes input;
        size_t capacity;
        kern_return_t result;
        Bytes answer;
    } steps[] = {
        {0x0D710299, {0, 0, 0, 0}, 4, kIOReturnError, {}},
        {0x0D710299, {0, 0, 0, 0}, 4, KERN_SUCCESS, {0xAA, 0xBB}},
        {0x0D810115, {5}, 3, KERN_SUCCESS, {1, 2, 3}},  // cut to the room the caller gave
        {0x0D810115, {}, 0, KERN_SUCCESS, {}},
        {0x0DF101F2, {1}, 64, KERN_SUCCESS, {}},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(&s - steps);
        Bytes out(s.capacity + 1, 0xCC);
        size_t size = s.capacity;
        EXPECT_EQ(Call(s.selector, s.input.data(), s.input.size(), out.data(), &size), s.result);
        EXPECT_EQ(Bytes(out.begin(), out.begin() + size), s.answer);
        EXPECT_EQ(out[s.answer.size()], 0xCC);  // nothing written past the answer
        const RecordedCall& got = driver_->Calls().at(size_t(&s - steps));
        EXPECT_EQ(got.selector, s.selector);
        EXPECT_EQ(got.input, s.input);
        EXPECT_EQ(got.outputCapacity, s.capacity);
    }
}

// Refused before anything is sent, so the connection stays in step.
TEST_P(BothTransports, OversizedInputAndMissingBuffersAreRefused) {
    Bytes big(kMaxStructSize + 1, 1);
    size_t size = 4, none = 0;
    EXPECT_EQ(Call(1, big.data(), big.size(), nullptr, &none), kIOReturnBadArgument);
    EXPECT_EQ(Call(1, nullptr, 4, nullptr, nullptr), kIOReturnBadArgument);
    EXPECT_EQ(Call(1, nullptr, 0, nullptr, &size), kIOReturnBadArgument);
    EXPECT_TRUE(driver_->Calls().empty());
    EXPECT_EQ(Call(2, big.data(), kMaxStructSize, nullptr, &none), KERN_SUCCESS);
    EXPECT_EQ(Call(3, nullptr, 0, nullptr, nullptr), KERN_SUCCESS);
    ASSERT_EQ(driver_->Calls().size(), 2u);
    EXPECT_EQ(driver_->Calls()[0].input.size(), kMaxStructSize);
}

// Socket transport against faulty peers, with a short timeout so that a
// stall costs a fraction of a second.
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

// Each fault on the open fails it; on a call it fails that call, leaves
// the caller's buffer alone and puts the stream out of step, so later calls
// fail at once. A driver's own error (Refuse) is an answer, not a broken
// stream. Everything within a bounded time.
TEST_F(SocketFaults, FaultyPeersFailInBoundedTime) {
    const struct {
        Fault fault;
        bool failsOpen, breaksStream;
        kern_return_t callResult;  // 0: any failure
    } cases[] = {{Fault::Stall, true, true, kIOReturnTimeout},
                 {Fault::CloseBeforeAnswer, true, true, 0},
                 {Fault::CloseMidAnswer, true, true, 0},
                 {Fault::BadMagic, true, true, 0},
                 {Fault::OverCapacity, false, true, 0},
                 {Fault::Refuse, true, false, kIOReturnUnsupported}};
    driver_.SetAnswer(7, Bytes(16, 0x77));
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.fault));
        kern_return_t result = KERN_SUCCESS;
        io_connect_t connect = 1;
        server_->SetOpenFault(c.fault);
        EXPECT_LT(Timed([&] { connect = OpenFirst(kOsprey, &result); }), 10 * kTimeoutMs);
        EXPECT_EQ(connect == 0, c.failsOpen);
        if (connect) IOServiceClose(connect);
        server_->SetOpenFault(Fault::None);
        ASSERT_NE(connect = OpenFirst(kOsprey), 0u);

        server_->SetCallFault(c.fault);
        Bytes buffer(16, 0xCC);
        size_t size = buffer.size();
        auto call = [&] {
            size = buffer.size();
            result = IOConnectCallStructMethod(connect, 7, buffer.data(), 4, buffer.data(), &size);
        };
        const long took = Timed(call);
        EXPECT_LT(took, 10 * kTimeoutMs);
        if (c.callResult) {
            EXPECT_EQ(result, c.callResult);
        }
        EXPECT_NE(result, KERN_SUCCESS);
        if (c.fault == Fault::Stall) {
            EXPECT_GE(took, kTimeoutMs - 5);  // and not at once
        }
        EXPECT_EQ(size, 0u);
        EXPECT_EQ(buffer, Bytes(16, 0xCC));

        server_->SetCallFault(Fault::None);
        const size_t served = server_->CallsServed();
        EXPECT_LT(Timed(call), kTimeoutMs);
        EXPECT_EQ(result == KERN_SUCCESS, !c.breaksStream);
        EXPECT_EQ(server_->CallsServed(), served + (c.breaksStream ? 0 : 1));
        EXPECT_EQ(IOServiceClose(connect), KERN_SUCCESS);
    }
}

// A peer that has gone fails the call without SIGPIPE (which would end the
// process); a socket file left with no listener, as a crashed driver leaves
// it, fails the open at once; sockets in a folder others may write to are
// not listed at all.
TEST_F(SocketFaults, GonePeersStaleSocketsAndForeignFoldersGiveNoConnection) {
    io_connect_t connect = OpenFirst(kOsprey);
    server_.reset();
    Bytes input(kMaxStructSize, 1);
    size_t size = 0;
    EXPECT_NE(IOConnectCallStructMethod(connect, 1, input.data(), input.size(), nullptr, &size), 0);
    EXPECT_NE(IOConnectCallStructMethod(connect, 1, input.data(), 4, nullptr, &size), 0);
    EXPECT_EQ(IOServiceClose(connect), KERN_SUCCESS);

    MakeSocketFile(registry_.SocketPath(kOsprey, "1"));
    kern_return_t result = KERN_SUCCESS;
    EXPECT_LT(Timed([&] { EXPECT_EQ(OpenFirst(kOsprey, &result), 0u); }), kTimeoutMs);
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
