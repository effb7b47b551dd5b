// The driver-side decoder of the user-client socket and its answers.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/WireServer.h"
#include "tests/platform/DeviceAccessTestUtil.h"

namespace platform::wire {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes OpenFrame(uint32_t type = 0) {
    auto f = Encode(Open{kVersion, type});
    return {f.begin(), f.end()};
}

Bytes CallFrame(uint32_t selector, const Bytes& input, uint32_t capacity,
                std::optional<uint32_t> length = {}) {
    auto h = Encode(CallHeader{selector, length.value_or(uint32_t(input.size())), capacity});
    Bytes frame(h.begin(), h.end());
    frame.insert(frame.end(), input.begin(), input.end());
    return frame;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(ConnectionDecoder, AnyChunkingYieldsTheSameRequests) {
    const Bytes stream = Concat(
        {OpenFrame(3), CallFrame(0x0D010102, {1, 2, 3, 4, 5}, 36), CallFrame(0x0D810115, {}, 64)});
    for (size_t chunk : {size_t(1), size_t(3), size_t(13), stream.size()}) {
        SCOPED_TRACE(chunk);
        ConnectionDecoder decoder;
        std::vector<Request> got;
        for (size_t at = 0; at < stream.size(); at += chunk)
            ASSERT_TRUE(decoder.FeedAll(stream.data() + at, std::min(chunk, stream.size() - at),
                                        [&](Request& r) { return got.push_back(r), true; }));
        ASSERT_EQ(got.size(), 3u);
        EXPECT_EQ(got[0].kind, Request::Kind::Open);
        EXPECT_EQ(got[0].open.connectionType, 3u);
        EXPECT_EQ(got[1].kind, Request::Kind::Call);
        EXPECT_EQ(got[1].call.selector, 0x0D010102u);
        EXPECT_EQ(got[1].call.outputCapacity, 36u);
        EXPECT_EQ(got[1].input, (Bytes{1, 2, 3, 4, 5}));
        EXPECT_EQ(got[2].call.selector, 0x0D810115u);
        EXPECT_TRUE(got[2].input.empty());
        EXPECT_EQ(decoder.BufferedBytes(), 0u);
    }
    // The callback stops the feeding: no request after the one it refused.
    int seen = 0;
    EXPECT_FALSE(ConnectionDecoder().FeedAll(stream.data(), stream.size(),
                                             [&](Request&) { return ++seen < 2; }));
    EXPECT_EQ(seen, 2);
}

// Feed takes no byte past the end of a frame, so a server can leave the
// next frame in its own buffer until the answer is out; and it never holds
// more than the largest frame.
TEST(ConnectionDecoder, FeedStopsAtTheEndOfAFrameAndHoldsOneFrameAtMost) {
    const Bytes stream = Concat({OpenFrame(), CallFrame(5, Bytes(kMaxStructSize, 0x5A), 0)});
    ConnectionDecoder decoder;
    EXPECT_EQ(decoder.Feed(stream.data(), stream.size()), kOpenSize);
    EXPECT_EQ(decoder.Feed(stream.data() + kOpenSize, 1), 0u);  // take the request first
    EXPECT_EQ(decoder.TakeRequest().kind, Request::Kind::Open);
    size_t most = 0;
    for (size_t at = kOpenSize; at < stream.size(); most = std::max(most, decoder.BufferedBytes()))
        at += decoder.Feed(stream.data() + at, std::min<size_t>(4000, stream.size() - at));
    EXPECT_LE(most, kCallHeaderSize + kMaxStructSize);
    ASSERT_EQ(decoder.state(), ConnectionDecoder::State::Ready);
    EXPECT_EQ(decoder.TakeRequest().input, Bytes(kMaxStructSize, 0x5A));
}

TEST(ConnectionDecoder, MalformedStreamsAreRefusedWhereTheFaultIs) {
    Bytes badOpen = OpenFrame(), badCall = CallFrame(1, {}, 0);
    badOpen[0] = 'X';
    badCall[3] = 0;
    const uint32_t tooBig = uint32_t(kMaxStructSize + 1);
    const struct {
        const char* what;
        Bytes stream;
        size_t refusedAfter;  // bytes consumed when the error is seen
    } cases[] = {
        {"bad open magic", badOpen, 4},
        {"call before open", CallFrame(1, {}, 0), 4},
        {"second open", Concat({OpenFrame(), OpenFrame()}), kOpenSize + 4},
        {"bad call magic", Concat({OpenFrame(), badCall}), kOpenSize + 4},
        {"input above the largest", Concat({OpenFrame(), CallFrame(1, {}, 0, tooBig)}),
         kOpenSize + kCallHeaderSize},
        {"input length of 4 GiB", Concat({OpenFrame(), CallFrame(1, {}, 0, 0xFFFFFFFF)}),
         kOpenSize + kCallHeaderSize},
        {"capacity above the largest", Concat({OpenFrame(), CallFrame(1, {}, tooBig)}),
         kOpenSize + kCallHeaderSize},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ConnectionDecoder decoder;
        size_t consumed = 0;
        while (consumed < c.stream.size() &&
               decoder.FeedAll(&c.stream[consumed], 1, [](Request&) { return true; }))
            ++consumed;
        EXPECT_EQ(consumed + 1, c.refusedAfter);
        EXPECT_EQ(decoder.state(), ConnectionDecoder::State::Error);
        EXPECT_FALSE(decoder.error().empty());
        EXPECT_EQ(decoder.BufferedBytes(), 0u);
        EXPECT_EQ(decoder.Feed(c.stream.data(), kOpenSize), 0u);  // it stays refused
    }
}

// An answer never carries more than the request's declared capacity. (The
// client-side checks of answers are in the socket-fault tests.)
TEST(WireAnswers, OutputAboveTheCapacityBecomesAnError) {
    corvane::test::OverreachingClient client;
    const Request call{Request::Kind::Call, {}, CallHeader{0xFF, 3, 4}, {1, 2, 3}};
    const struct {
        Bytes answer;
        kern_return_t result;
        Bytes output;
    } cases[] = {
        {EncodeCallAnswer(call.call, KERN_SUCCESS, Bytes{1, 2, 3, 4}), KERN_SUCCESS, {1, 2, 3, 4}},
        {EncodeCallAnswer(call.call, KERN_SUCCESS, Bytes{1, 2, 3, 4, 5}), kIOReturnError, {}},
        {AnswerCall(client, call), kIOReturnError, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        ASSERT_EQ(c.answer.size(), kCallAnswerHeaderSize + c.output.size());
        auto header = DecodeCallAnswerHeader(c.answer.data(), 4);
        ASSERT_TRUE(header);
        EXPECT_EQ(header->result, c.result);
        EXPECT_EQ(Bytes(c.answer.begin() + kCallAnswerHeaderSize, c.answer.end()), c.output);
    }
}

}  // namespace
}  // namespace platform::wire
