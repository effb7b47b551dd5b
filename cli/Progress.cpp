#include "cli/Progress.h"

#include <cstdio>

namespace corvane::cli {

void ProgressClock::SleepMicroseconds(uint64_t us) {
    constexpr uint64_t kSecond = 1000000;
    if (!show_ || us < kSecond) {
        platform::SystemClock().SleepMicroseconds(us);
        return;
    }
    for (uint64_t left = us; left > 0;) {
        std::fprintf(stderr, "\r%s... %llu s ", activity_.c_str(),
                     (unsigned long long)((left + kSecond - 1) / kSecond));
        std::fflush(stderr);
        uint64_t slice = left < kSecond / 4 ? left : kSecond / 4;
        platform::SystemClock().SleepMicroseconds(slice);
        left -= slice;
    }
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
}

}  // namespace corvane::cli
