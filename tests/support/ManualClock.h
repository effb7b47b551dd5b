// A clock for tests that only moves when slept on or advanced, so that a
// 30-second wait costs no real time. Every sleep is recorded; an optional
// hook runs after each sleep, so that a test can change the world in the
// middle of a wait. Install it with platform::ScopedClock.
#pragma once

#include <cstdint>
#include <functional>
#include <numeric>
#include <vector>

#include "platform/Clock.h"

namespace corvane::test {

class ManualClock : public platform::Clock {
public:
    uint64_t NowMicroseconds() override { return now_; }
    void SleepMicroseconds(uint64_t us) override {
        sleeps_.push_back(us);
        now_ += us;
        if (hook_) hook_(us);
    }
    void Advance(uint64_t us) { now_ += us; }

    const std::vector<uint64_t>& Sleeps() const { return sleeps_; }
    uint64_t TotalSlept() const {
        return std::accumulate(sleeps_.begin(), sleeps_.end(), uint64_t{0});
    }
    void ClearSleeps() { sleeps_.clear(); }
    void SetSleepHook(std::function<void(uint64_t)> hook) { hook_ = std::move(hook); }

private:
    uint64_t now_ = 0;
    std::vector<uint64_t> sleeps_;
    std::function<void(uint64_t)> hook_;
};

}  // namespace corvane::test
