// The socket framing from both ends: a driver process decoding what a
// client sends (fed in pieces of every size), and a client decoding what a
// driver answers.
#include <cstddef>
#include <cstdint>

#include "platform/WireFormat.h"
#include "platform/WireServer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    // The first byte picks the piece size the bytes arrive in.
    const size_t piece = size_t(data[0] % 64) + 1;
    platform::wire::ConnectionDecoder decoder;
    for (size_t at = 1; at < size;) {
        const size_t n = std::min(piece, size - at);
        size_t used = 0;
        while (used < n) {
            const size_t took = decoder.Feed(data + at + used, n - used);
            if (decoder.state() == platform::wire::ConnectionDecoder::State::Ready) {
                platform::wire::Request request = decoder.TakeRequest();
                (void)request;
            } else if (decoder.state() == platform::wire::ConnectionDecoder::State::Error ||
                       took == 0) {
                break;
            }
            used += took;
        }
        if (decoder.state() == platform::wire::ConnectionDecoder::State::Error) break;
        at += n;
    }

    // The answers a client reads, with a room it asked for.
    using namespace platform::wire;
    if (size >= 1 + kOpenAnswerSize) DecodeOpenAnswer(data + 1);
    if (size >= 5 + kCallAnswerHeaderSize) {
        const uint32_t capacity = uint32_t(data[1]) | uint32_t(data[2]) << 8;
        DecodeCallAnswerHeader(data + 5, capacity);
    }
    if (size >= 1 + kCallHeaderSize) DecodeCallHeader(data + 1);
    return 0;
}
