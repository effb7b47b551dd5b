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
        const std::string count = std::to_string((left + kSecond - 1) / kSecond);
        std::fputs(
            ("\r" + FormatText(Tr("cli::Progress", "%1... %2 s "), {activity_, count})).c_str(),
            stderr);
        std::fflush(stderr);
        uint64_t slice = left < kSecond / 4 ? left : kSecond / 4;
        platform::SystemClock().SleepMicroseconds(slice);
        left -= slice;
    }
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
}

}  // namespace corvane::cli
