#include "platform/WireServer.h"

#include <algorithm>
#include <utility>

namespace platform::wire {

namespace {

constexpr size_t kMagicSize = 4;

}  // namespace

void ConnectionDecoder::Fail(std::string why) {
    state_ = State::Error;
    error_ = std::move(why);
    buffer_.clear();
    buffer_.shrink_to_fit();
}

size_t ConnectionDecoder::BytesWanted() const {
    if (state_ != State::NeedMore) return 0;
    return need_ - buffer_.size();
}

// Called when the fixed-size part being collected (the open frame or a call
// header) is complete.
void ConnectionDecoder::HeaderComplete() {
    if (!opened_) {
        std::optional<Open> open = DecodeOpen(buffer_.data());
        if (!open) return Fail("bad open magic");
        opened_ = true;
        ready_ = Request{};
        ready_.kind = Request::Kind::Open;
        ready_.open = *open;
        buffer_.clear();
        state_ = State::Ready;
        return;
    }
    std::optional<CallHeader> header = DecodeCallHeader(buffer_.data());
    if (!header) return Fail("call length above the largest structure");
    ready_ = Request{};
    ready_.kind = Request::Kind::Call;
    ready_.call = *header;
    buffer_.clear();
    if (header->inputLength == 0) {
        state_ = State::Ready;
        return;
    }
    haveCallHeader_ = true;
    need_ = header->inputLength;
    buffer_.reserve(need_);
}

size_t ConnectionDecoder::Feed(const uint8_t* data, size_t size) {
    size_t used = 0;
    while (state_ == State::NeedMore && used < size) {
        size_t take = std::min(need_ - buffer_.size(), size - used);
        // Stop at the magic so that a wrong one is refused before the rest
        // of its frame is waited for.
        if (!haveCallHeader_ && buffer_.size() < kMagicSize)
            take = std::min(take, kMagicSize - buffer_.size());
        buffer_.insert(buffer_.end(), data + used, data + used + take);
        used += take;

        if (!haveCallHeader_ && buffer_.size() == kMagicSize) {
            const uint32_t magic = Get32(buffer_.data());
            if (!opened_ && magic != kOpenMagic) {
                Fail("bad open magic");
                break;
            }
            if (opened_ && magic == kOpenMagic) {
                Fail("second open on one connection");
                break;
            }
            if (opened_ && magic != kCallMagic) {
                Fail("bad call magic");
                break;
            }
        }
        if (buffer_.size() < need_) continue;
        if (haveCallHeader_) {
            ready_.input = std::move(buffer_);
            buffer_ = {};
            haveCallHeader_ = false;
            state_ = State::Ready;
        } else {
            HeaderComplete();
        }
    }
    return used;
}

Request ConnectionDecoder::TakeRequest() {
    Request taken = std::move(ready_);
    ready_ = Request{};
    if (state_ == State::Ready) {
        state_ = State::NeedMore;
        need_ = opened_ ? kCallHeaderSize : kOpenSize;
    }
    return taken;
}

bool ConnectionDecoder::FeedAll(const uint8_t* data, size_t size,
                                const std::function<bool(Request&)>& onRequest) {
    size_t used = 0;
    for (;;) {
        used += Feed(data + used, size - used);
        if (state_ == State::Error) return false;
        if (state_ == State::Ready) {
            Request request = TakeRequest();
            if (!onRequest(request)) return false;
            continue;
        }
        if (used == size) return true;
    }
}

std::vector<uint8_t> EncodeOpenAnswer(kern_return_t result) {
    const auto frame = Encode(OpenAnswer{result});
    return {frame.begin(), frame.end()};
}

std::vector<uint8_t> EncodeCallAnswer(const CallHeader& request, kern_return_t result,
                                      std::span<const uint8_t> output) {
    if (output.size() > request.outputCapacity || output.size() > kMaxStructSize) {
        result = kIOReturnError;
        output = {};
    }
    const auto header = Encode(CallAnswerHeader{result, uint32_t(output.size())});
    std::vector<uint8_t> answer(header.size() + output.size());
    std::copy(header.begin(), header.end(), answer.begin());
    std::copy(output.begin(), output.end(), answer.begin() + header.size());
    return answer;
}

std::vector<uint8_t> AnswerCall(UserClient& client, const Request& call) {
    const size_t capacity = std::min<size_t>(call.call.outputCapacity, kMaxStructSize);
    std::vector<uint8_t> output(capacity);
    size_t written = capacity;
    const kern_return_t result = client.CallStructMethod(
        call.call.selector, call.input.data(), call.input.size(), output.data(), &written);
    if (written > capacity) return EncodeCallAnswer(call.call, kIOReturnError, {});
    return EncodeCallAnswer(call.call, result, std::span<const uint8_t>(output.data(), written));
}

}  // namespace platform::wire
