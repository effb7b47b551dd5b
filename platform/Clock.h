// The one clock every wait goes through: the driver wait of card
// initialisation, the scan wait, the short pauses between requests and the
// agent's console-user poll. Tests install one that only moves when slept
// on, so that a 30-second wait costs no real time.
#pragma once

#include <cstdint>

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
