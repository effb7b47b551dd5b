// The one clock every wait goes through: the driver wait of card
// initialisation, the scan wait, the short pauses between requests and the
// agent's console-user poll. Tests install a ManualClock so that a 30-second
// wait costs no real time.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // Monotonic time in microseconds.
    virtual uint64_t NowMicroseconds() = 0;
    virtual void SleepMicroseconds(uint64_t us) = 0;
};

// The real clock (steady_clock and nanosleep).
Clock& SystemClock();

// The clock currently in force; SystemClock() unless a test installed another.
Clock& CurrentClock();
void SetCurrentClock(Clock* clock);  // nullptr restores the system clock

// A clock that only moves when slept on or advanced. Every sleep is recorded;
// an optional hook runs after each sleep, so that a test can change the
// world in the middle of a wait.
class ManualClock : public Clock {
public:
    uint64_t NowMicroseconds() override { return now_; }
    void SleepMicroseconds(uint64_t us) override;
    void Advance(uint64_t us) { now_ += us; }

    const std::vector<uint64_t>& Sleeps() const { return sleeps_; }
    uint64_t TotalSlept() const;
    void ClearSleeps() { sleeps_.clear(); }
    void SetSleepHook(std::function<void(uint64_t)> hook) { hook_ = std::move(hook); }

private:
    uint64_t now_ = 0;
    std::vector<uint64_t> sleeps_;
    std::function<void(uint64_t)> hook_;
};

// Installs a clock for the lifetime of the guard.
class ScopedClock {
public:
    explicit ScopedClock(Clock& clock) { SetCurrentClock(&clock); }
    ~ScopedClock() { SetCurrentClock(nullptr); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;
};

// The waits as the system calls them, all through CurrentClock().
void Delay(unsigned long ticks, unsigned long* finalTicks);  // 1/60 s ticks
unsigned int Sleep(unsigned int seconds);
int USleep(uint64_t microseconds);

}  // namespace platform
