// The driver side of the user-client socket (framing in WireFormat.h), for a
// driver process that serves its connections from a poll loop.
//
// Use, per accepted connection:
//
//   wire::ConnectionDecoder decoder;            // one per connection
//   ... on POLLIN: n = read(fd, buf, sizeof buf) (n == 0: peer gone, drop it)
//   bool ok = decoder.FeedAll(buf, n, [&](wire::Request& r) {
//       std::vector<uint8_t> answer;
//       if (r.kind == wire::Request::Kind::Open)
//           answer = wire::EncodeOpenAnswer(CanOpen(r.open) ? KERN_SUCCESS : kIOReturnUnsupported);
//       else
//           answer = wire::AnswerCall(*client, r);  // or EncodeCallAnswer(r.call, result, bytes)
//       return SendAll(fd, answer);                  // false stops feeding
//   });
//   if (!ok) drop the connection (protocol error or the callback said stop).
//
// The first frame of a connection must be an open; every later frame must be
// a call. An open whose `version` is not kVersion should be answered with a
// failure and the connection dropped; the decoder leaves that choice to the
// driver. The decoder refuses a bad magic, a second open, and an input length
// or output capacity above kMaxStructSize, and from then on stays in the
// error state. It never holds more than one frame (at most
// kCallHeaderSize + kMaxStructSize bytes), so a peer cannot make it grow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/DeviceAccess.h"
#include "platform/WireFormat.h"

namespace platform::wire {

// One complete request taken off a connection.
struct Request {
    enum class Kind { Open, Call };
    Kind kind = Kind::Open;
    Open open;                   // Kind::Open
    CallHeader call;             // Kind::Call
    std::vector<uint8_t> input;  // Kind::Call: exactly call.inputLength bytes
};

class ConnectionDecoder {
public:
    enum class State { NeedMore, Ready, Error };

    // Consumes bytes up to the end of the current frame at most and returns
    // how many it took; it takes nothing while a request is Ready (take it
    // first) or after an error. Feed the rest of the bytes again afterwards.
    size_t Feed(const uint8_t* data, size_t size);

    // Feeds all `size` bytes, handing every complete request to `onRequest`
    // in order. Returns false on a protocol error or when `onRequest`
    // returns false; the connection should then be dropped.
    bool FeedAll(const uint8_t* data, size_t size, const std::function<bool(Request&)>& onRequest);

    State state() const { return state_; }
    // Valid while state() is Ready; moves the request out and makes the
    // decoder wait for the next frame.
    Request TakeRequest();
    // Why the decoder is in the Error state.
    const std::string& error() const { return error_; }
    // Bytes still missing from the current frame (0 when Ready or Error).
    // A server may read exactly this many so that nothing is left over.
    size_t BytesWanted() const;

private:
    void Fail(std::string why);
    void HeaderComplete();

    State state_ = State::NeedMore;
    bool opened_ = false;
    bool haveCallHeader_ = false;
    size_t need_ = kOpenSize;  // size of the piece being collected
    std::vector<uint8_t> buffer_;
    Request ready_;
    std::string error_;
};

// Answer to an open.
std::vector<uint8_t> EncodeOpenAnswer(kern_return_t result);

// Answer to a call. An `output` longer than the capacity the request
// declared is not sent: the answer becomes kIOReturnError with no bytes, as
// the client would refuse it anyway.
std::vector<uint8_t> EncodeCallAnswer(const CallHeader& request, kern_return_t result,
                                      std::span<const uint8_t> output);

// Runs one call request against `client` and encodes its answer. The client
// gets a separate output area of the declared capacity; a client that
// claims to have written more than that gets a kIOReturnError answer.
std::vector<uint8_t> AnswerCall(UserClient& client, const Request& call);

}  // namespace platform::wire
