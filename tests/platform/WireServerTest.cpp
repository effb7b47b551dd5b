// The driver-side decoder of the user-client socket.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/WireServer.h"

namespace platform::wire {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes OpenFrame(uint32_t type = 0) {
    auto f = Encode(Open{kVersion, type});
    return {f.begin(), f.end()};
}

Bytes CallFrame(uint32_t selector, const Bytes& input, uint32_t capacity) {
    auto h = Encode(CallHeader{selector, uint32_t(input.size()), capacity});
    Bytes frame(h.begin(), h.end());
    frame.insert(frame.end(), input.begin(), input.end());
    return frame;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(ConnectionDecoder, ByteByByteYieldsTheSameRequestsAsOneBlock) {
    const Bytes stream = Concat(
        {OpenFrame(3), CallFrame(0x0D010102, {1, 2, 3, 4, 5}, 36), CallFrame(0x0D810115, {}, 64)});
    for (size_t chunk : {size_t(1), size_t(3), size_t(13), stream.size()}) {
        SCOPED_TRACE(chunk);
        ConnectionDecoder decoder;
        std::vector<Request> got;
        for (size_t at = 0; at < stream.size(); at += chunk) {
            const size_t n = std::min(chunk, stream.size() - at);
            ASSERT_TRUE(decoder.FeedAll(stream.data() + at, n, [&](Request& r) {
                got.push_back(r);
                return true;
            }));
        }
        ASSERT_EQ(got.size(), 3u);
        EXPECT_EQ(got[0].kind, Request::Kind::Open);
        EXPECT_EQ(got[0].open.version, kVersion);
        EXPECT_EQ(got[0].open.connectionType, 3u);
        EXPECT_EQ(got[1].kind, Request::Kind::Call);
        EXPECT_EQ(got[1].call.selector, 0x0D010102u);
        EXPECT_EQ(got[1].call.outputCapacity, 36u);
        EXPECT_EQ(got[1].input, (Bytes{1, 2, 3, 4, 5}));
        EXPECT_EQ(got[2].call.selector, 0x0D810115u);
        EXPECT_TRUE(got[2].input.empty());
        EXPECT_EQ(decoder.state(), ConnectionDecoder::State::NeedMore);
        EXPECT_EQ(decoder.BufferedBytes(), 0u);
    }
}

// Feed takes no byte past the end of a frame, so a server can leave the
// next frame in its own buffer until the answer is out.
TEST(ConnectionDecoder, FeedStopsAtTheEndOfAFrame) {
    const Bytes stream = Concat({OpenFrame(), CallFrame(1, {9}, 0)});
    ConnectionDecoder decoder;
    EXPECT_EQ(decoder.BytesWanted(), kOpenSize);
    EXPECT_EQ(decoder.Feed(stream.data(), stream.size()), kOpenSize);
    EXPECT_EQ(decoder.state(), ConnectionDecoder::State::Ready);
    EXPECT_EQ(decoder.Feed(stream.data() + kOpenSize, 1), 0u);  // take the request first
    EXPECT_EQ(decoder.TakeRequest().kind, Request::Kind::Open);
    EXPECT_TRUE(decoder.IsOpen());
    EXPECT_EQ(decoder.BytesWanted(), kCallHeaderSize);
    EXPECT_EQ(decoder.Feed(stream.data() + kOpenSize, stream.size() - kOpenSize),
              stream.size() - kOpenSize);
    EXPECT_EQ(decoder.TakeRequest().input, Bytes{9});
}

TEST(ConnectionDecoder, LargestFrameIsHeldButNeverMore) {
    ConnectionDecoder decoder;
    const Bytes open = OpenFrame();
    decoder.Feed(open.data(), open.size());
    decoder.TakeRequest();
    const Bytes frame = CallFrame(5, Bytes(kMaxStructSize, 0x5A), kMaxStructSize);
    size_t most = 0;
    size_t at = 0;
    while (at < frame.size()) {
        at += decoder.Feed(frame.data() + at, std::min<size_t>(4000, frame.size() - at));
        most = std::max(most, decoder.BufferedBytes());
    }
    EXPECT_LE(most, kCallHeaderSize + kMaxStructSize);
    ASSERT_EQ(decoder.state(), ConnectionDecoder::State::Ready);
    EXPECT_EQ(decoder.TakeRequest().input.size(), kMaxStructSize);
}

TEST(ConnectionDecoder, MalformedStreamsAreRefused) {
    Bytes badOpen = OpenFrame();
    badOpen[0] = 'X';
    Bytes badCall = CallFrame(1, {}, 0);
    badCall[3] = 0;
    Bytes tooLong = CallFrame(1, {}, 0);
    Put32(tooLong.data() + 8, uint32_t(kMaxStructSize + 1));
    Bytes hugeCapacity = CallFrame(1, {}, uint32_t(kMaxStructSize + 1));
    Bytes maxLength = CallFrame(1, {}, 0);
    Put32(maxLength.data() + 8, 0xFFFFFFFF);

    struct Case {
        const char* what;
        Bytes stream;
        size_t refusedAfter;  // bytes consumed when the error is seen
    };
    const std::vector<Case> cases = {
        {"bad open magic", badOpen, 4},
        {"call before open", CallFrame(1, {}, 0), 4},
        {"second open", Concat({OpenFrame(), OpenFrame()}), kOpenSize + 4},
        {"bad call magic", Concat({OpenFrame(), badCall}), kOpenSize + 4},
        {"input above the largest structure", Concat({OpenFrame(), tooLong}),
         kOpenSize + kCallHeaderSize},
        {"input length of 4 GiB", Concat({OpenFrame(), maxLength}), kOpenSize + kCallHeaderSize},
        {"capacity above the largest structure", Concat({OpenFrame(), hugeCapacity}),
         kOpenSize + kCallHeaderSize},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ConnectionDecoder decoder;
        size_t consumed = 0;
        size_t requests = 0;
        // Byte by byte, to see where the decoder stops.
        for (size_t i = 0; i < c.stream.size(); ++i) {
            if (!decoder.FeedAll(&c.stream[i], 1, [&](Request&) { return ++requests, true; })) {
                consumed = i + 1;
                break;
            }
        }
        EXPECT_EQ(decoder.state(), ConnectionDecoder::State::Error);
        EXPECT_EQ(consumed, c.refusedAfter);
        EXPECT_FALSE(decoder.error().empty());
        EXPECT_EQ(decoder.BufferedBytes(), 0u);
        // It stays refused: nothing more is taken.
        const Bytes more = OpenFrame();
        EXPECT_EQ(decoder.Feed(more.data(), more.size()), 0u);
    }
}

TEST(ConnectionDecoder, CallbackCanStopFeeding) {
    const Bytes stream = Concat({OpenFrame(), CallFrame(1, {}, 0), CallFrame(2, {}, 0)});
    ConnectionDecoder decoder;
    int seen = 0;
    EXPECT_FALSE(decoder.FeedAll(stream.data(), stream.size(), [&](Request& r) {
        ++seen;
        return r.kind == Request::Kind::Open;
    }));
    EXPECT_EQ(seen, 2);
}

TEST(WireAnswers, CallAnswerLongerThanTheCapacityBecomesAnError) {
    const CallHeader request{1, 0, 4};
    const Bytes fits = EncodeCallAnswer(request, KERN_SUCCESS, Bytes{1, 2, 3, 4});
    ASSERT_EQ(fits.size(), kCallAnswerHeaderSize + 4);
    auto header = DecodeCallAnswerHeader(fits.data(), 4);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->result, KERN_SUCCESS);
    EXPECT_EQ(header->outputLength, 4u);

    const Bytes tooLong = EncodeCallAnswer(request, KERN_SUCCESS, Bytes{1, 2, 3, 4, 5});
    ASSERT_EQ(tooLong.size(), kCallAnswerHeaderSize);
    header = DecodeCallAnswerHeader(tooLong.data(), 4);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->result, kIOReturnError);
    EXPECT_EQ(header->outputLength, 0u);
}

TEST(WireAnswers, AnswerCallRunsTheClientWithinTheDeclaredCapacity) {
    struct Client : UserClient {
        size_t claim = 0;
        size_t sawCapacity = 0;
        kern_return_t CallStructMethod(uint32_t selector, const uint8_t* in, size_t inSize,
                                       uint8_t* out, size_t* outSize) override {
            sawCapacity = *outSize;
            for (size_t i = 0; i < std::min(inSize, *outSize); ++i)
                out[i] = uint8_t(in[i] ^ selector);
            *outSize = claim;
            return KERN_SUCCESS;
        }
    } client;
    Request call;
    call.kind = Request::Kind::Call;
    call.call = CallHeader{0xFF, 3, 8};
    call.input = {1, 2, 3};

    client.claim = 3;
    Bytes answer = AnswerCall(client, call);
    EXPECT_EQ(client.sawCapacity, 8u);
    ASSERT_EQ(answer.size(), kCallAnswerHeaderSize + 3);
    EXPECT_EQ(Bytes(answer.begin() + kCallAnswerHeaderSize, answer.end()),
              (Bytes{0xFE, 0xFD, 0xFC}));

    client.claim = 9;  // more than it was given room for
    answer = AnswerCall(client, call);
    ASSERT_EQ(answer.size(), kCallAnswerHeaderSize);
    EXPECT_EQ(int32_t(Get32(answer.data() + 4)), kIOReturnError);
}

TEST(WireFormat, AnswerHeaderRefusesBadMagicAndOverlongLengths) {
    auto good = Encode(CallAnswerHeader{0, 10});
    EXPECT_TRUE(DecodeCallAnswerHeader(good.data(), 10));
    EXPECT_FALSE(DecodeCallAnswerHeader(good.data(), 9));
    auto huge = Encode(CallAnswerHeader{0, uint32_t(kMaxStructSize + 1)});
    EXPECT_FALSE(DecodeCallAnswerHeader(huge.data(), 0xFFFFFFFF));
    good[1] ^= 1;
    EXPECT_FALSE(DecodeCallAnswerHeader(good.data(), 10));
    auto open = Encode(OpenAnswer{5});
    EXPECT_EQ(DecodeOpenAnswer(open.data())->result, 5);
    open[0] ^= 1;
    EXPECT_FALSE(DecodeOpenAnswer(open.data()));
}

}  // namespace
}  // namespace platform::wire
