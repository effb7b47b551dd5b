#include "tests/support/RecordingUserClientProvider.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace corvane::test {

using platform::kern_return_t;

class RecordingUserClientProvider::Client : public platform::UserClient {
public:
    explicit Client(RecordingUserClientProvider& owner) : owner_(owner) { ++owner_.openClients_; }
    ~Client() override { --owner_.openClients_; }
    kern_return_t CallStructMethod(uint32_t selector, const uint8_t* input, size_t inputSize,
                                   uint8_t* output, size_t* outputSize) override {
        return owner_.Answer(selector, input, inputSize, output, outputSize);
    }

private:
    RecordingUserClientProvider& owner_;
};

RecordingUserClientProvider::RecordingUserClientProvider(std::string className)
    : className_(std::move(className)),
      registration_(platform::RegisterInProcessService(className_, this)) {}

RecordingUserClientProvider::~RecordingUserClientProvider() { Unregister(); }

void RecordingUserClientProvider::Unregister() {
    if (registration_) platform::UnregisterInProcessService(registration_);
    registration_ = 0;
}

std::vector<uint32_t> RecordingUserClientProvider::Selectors() const {
    std::vector<uint32_t> selectors;
    for (const RecordedCall& call : calls_) selectors.push_back(call.selector);
    return selectors;
}

std::vector<RecordedCall> RecordingUserClientProvider::CallsFor(uint32_t selector) const {
    std::vector<RecordedCall> found;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(found),
                 [&](const RecordedCall& call) { return call.selector == selector; });
    return found;
}

std::unique_ptr<platform::UserClient> RecordingUserClientProvider::OpenUserClient(uint32_t) {
    return openFails_ ? nullptr : std::make_unique<Client>(*this);
}

kern_return_t RecordingUserClientProvider::Answer(uint32_t selector, const uint8_t* input,
                                                  size_t inputSize, uint8_t* output,
                                                  size_t* outputSize) {
    const size_t capacity = outputSize ? *outputSize : 0;
    RecordedCall call{selector, {}, capacity, calls_.size()};
    if (input && inputSize) call.input.assign(input, input + inputSize);
    calls_.push_back(call);
    if (hook_) {
        size_t written = capacity;
        if (std::optional<kern_return_t> result = hook_(call, output, &written)) {
            if (outputSize) *outputSize = std::min(written, capacity);
            return *result;
        }
    }
    ScriptedAnswer answer;
    if (auto q = queued_.find(selector); q != queued_.end() && !q->second.empty()) {
        answer = std::move(q->second.front());
        q->second.pop_front();
    } else if (auto s = standing_.find(selector); s != standing_.end()) {
        answer = s->second;
    }
    const size_t n = output ? std::min(answer.output.size(), capacity) : 0;
    if (n) std::memcpy(output, answer.output.data(), n);
    if (outputSize) *outputSize = n;
    return answer.result;
}

}  // namespace corvane::test
