// Progress for the command-line tool's long waits (the driver wait of card
// initialisation, the scan wait): a clock that sleeps like the real one and,
// when standard error is a terminal, counts the seconds down on one line.
#pragma once

#include <string>

#include "platform/Clock.h"
#include "platform/Translate.h"

namespace corvane::cli {

class ProgressClock : public platform::Clock {
public:
    explicit ProgressClock(bool show) : show_(show) {}
    uint64_t NowMicroseconds() override { return platform::SystemClock().NowMicroseconds(); }
    void SleepMicroseconds(uint64_t us) override;

    // What the next waits are for, e.g. "Scanning", in the user's language.
    void SetActivity(std::string activity) { activity_ = std::move(activity); }

private:
    bool show_;
    std::string activity_ = Tr("cli::Progress", "Waiting");
};

}  // namespace corvane::cli
