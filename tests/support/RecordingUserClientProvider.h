// A fake driver registered in-process under a driver class name. It records
// every call in order (selector, input bytes, output capacity) and answers
// from a per-selector script, so a test can check the exact bytes of a
// request sequence and steer the answers.
//
//   corvane::test::RecordingUserClientProvider driver;    // "OspreyUSBWirelessDriver"
//   driver.SetAnswer(0x0D710108, {1});                    // radio query answers "on"
//   driver.QueueAnswer(0x0D710299, {}, kIOReturnError);   // first DRIVER_READY fails
//   ... run the code under test ...
//   EXPECT_EQ(driver.Selectors(), (std::vector<uint32_t>{0x0D710299, 0x0D710299, ...}));
//
// Answer order for one call: the hook (when set and it returns a result),
// then the selector's queued answers (first in, first out), then its
// standing answer, then the default (success with 0 bytes). Answer bytes
// longer than the caller's capacity are cut to the capacity, as a driver
// fills only the room it was given.
//
// Single-threaded, like the code it stands in for. Registers itself on
// construction and unregisters on destruction (or Unregister()).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/DeviceAccess.h"

namespace corvane::test {

struct RecordedCall {
    uint32_t selector = 0;
    std::vector<uint8_t> input;
    size_t outputCapacity = 0;
    size_t index = 0;  // position in the provider's call list
};

class RecordingUserClientProvider : public platform::UserClientProvider {
public:
    // Returns a result to answer the call itself (after writing up to
    // `*outputSize` bytes to `output` and setting `*outputSize` to the count
    // written), or nullopt to let the script answer.
    using Hook = std::function<std::optional<platform::kern_return_t>(
        const RecordedCall& call, uint8_t* output, size_t* outputSize)>;

    explicit RecordingUserClientProvider(std::string className = "OspreyUSBWirelessDriver");
    ~RecordingUserClientProvider() override;
    RecordingUserClientProvider(const RecordingUserClientProvider&) = delete;
    RecordingUserClientProvider& operator=(const RecordingUserClientProvider&) = delete;

    void Unregister();
    const std::string& ClassName() const { return className_; }

    // The standing answer of `selector`.
    void SetAnswer(uint32_t selector, std::vector<uint8_t> output,
                   platform::kern_return_t result = platform::KERN_SUCCESS) {
        standing_[selector] = {result, std::move(output)};
    }
    void SetResult(uint32_t selector, platform::kern_return_t result) {
        standing_[selector].result = result;
    }
    // One-shot answers of `selector`, used up in order before the standing one.
    void QueueAnswer(uint32_t selector, std::vector<uint8_t> output,
                     platform::kern_return_t result = platform::KERN_SUCCESS) {
        queued_[selector].push_back({result, std::move(output)});
    }
    void SetHook(Hook hook) { hook_ = std::move(hook); }
    // Opens fail (null client) while set.
    void SetOpenFails(bool fails) { openFails_ = fails; }

    const std::vector<RecordedCall>& Calls() const { return calls_; }
    std::vector<uint32_t> Selectors() const;
    std::vector<RecordedCall> CallsFor(uint32_t selector) const;
    void ClearCalls() { calls_.clear(); }

    // User clients currently open (not yet closed by the caller).
    size_t OpenClients() const { return openClients_; }

    // platform::UserClientProvider
    std::unique_ptr<platform::UserClient> OpenUserClient(uint32_t connectionType) override;

private:
    class Client;
    struct ScriptedAnswer {
        platform::kern_return_t result = platform::KERN_SUCCESS;
        std::vector<uint8_t> output;
    };
    platform::kern_return_t Answer(uint32_t selector, const uint8_t* input, size_t inputSize,
                                   uint8_t* output, size_t* outputSize);

    std::string className_;
    uint32_t registration_ = 0;
    bool openFails_ = false;
    size_t openClients_ = 0;
    std::vector<RecordedCall> calls_;
    std::map<uint32_t, ScriptedAnswer> standing_;
    std::map<uint32_t, std::deque<ScriptedAnswer>> queued_;
    Hook hook_;
};

}  // namespace corvane::test
