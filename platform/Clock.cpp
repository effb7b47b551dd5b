#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace platform {
namespace {

class SteadyClock : public Clock {
public:
    uint64_t NowMicroseconds() override {
        using namespace std::chrono;
        return uint64_t(
            duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
    }
    void SleepMicroseconds(uint64_t us) override {
        std::this_thread::sleep_for(std::chrono::microseconds(us));
    }
};

Clock* g_current = nullptr;

}  // namespace

Clock& SystemClock() {
    static SteadyClock clock;
    return clock;
}

Clock& CurrentClock() { return g_current ? *g_current : SystemClock(); }

void SetCurrentClock(Clock* clock) { g_current = clock; }

void Delay(unsigned long ticks, unsigned long* finalTicks) {
    Clock& clock = CurrentClock();
    clock.SleepMicroseconds(uint64_t(ticks) * 1000000 / 60);
    if (finalTicks) *finalTicks = (unsigned long)(clock.NowMicroseconds() * 60 / 1000000);
}

unsigned int Sleep(unsigned int seconds) {
    CurrentClock().SleepMicroseconds(uint64_t(seconds) * 1000000);
    return 0;
}

int USleep(uint64_t microseconds) {
    CurrentClock().SleepMicroseconds(microseconds);
    return 0;
}

}  // namespace platform
