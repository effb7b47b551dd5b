// The simulated driver's request handling: a series of calls with any
// selector, input and room, on the sample world, on a clock that only
// moves when the driver waits.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "driver/sim/Environment.h"
#include "driver/sim/SimAir.h"
#include "platform/Clock.h"

namespace {

// Time moves only when the driver waits or a call is over.
class StoppedClock : public platform::Clock {
public:
    uint64_t NowMicroseconds() override { return now_; }
    void SleepMicroseconds(uint64_t us) override { now_ += us; }
    void Advance(uint64_t us) { now_ += us; }

private:
    uint64_t now_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static StoppedClock clock;
    static platform::ScopedClock clockScope(clock);
    static const corvane::sim::Environment environment = [] {
        std::string error;
        return *corvane::sim::ParseEnvironment(corvane::sim::BundledSampleEnvironment(), &error);
    }();
    corvane::sim::SimDriver driver(environment);
    std::vector<uint8_t> output(65536);

    // Each call: selector (4 bytes), room (2), input length (2), input.
    size_t at = 0;
    while (size - at >= 8) {
        const uint32_t selector = uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 |
                                  uint32_t(data[at + 2]) << 16 | uint32_t(data[at + 3]) << 24;
        size_t room = size_t(data[at + 4] | data[at + 5] << 8);
        const size_t length = std::min<size_t>(data[at + 6] | data[at + 7] << 8, size - at - 8);
        at += 8;
        size_t outputSize = room;
        driver.Call(selector, data + at, length, output.data(), &outputSize);
        at += length;
        clock.Advance(400'000);  // scans and associations complete over a few calls
    }
    return 0;
}
