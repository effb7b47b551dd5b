// The pane runs everything on its main thread, as the system always has:
// the driver wait and the scan wait are sleeps, dialogs run modally. On a
// desktop the window must still paint and answer the window manager during
// those, so they run a nested event loop. While one runs, no page timer may
// start work in the middle of the operation that waits: every timer
// handler of the pane asks InNestedLoop() first and lets its tick pass.
#pragma once

#include <cstdint>

#include "platform/Clock.h"

class QDialog;

namespace platform {

bool InNestedLoop();

// Marks a nested loop for its lifetime.
class NestedLoopScope {
public:
    NestedLoopScope();
    ~NestedLoopScope();
    NestedLoopScope(const NestedLoopScope&) = delete;
    NestedLoopScope& operator=(const NestedLoopScope&) = delete;
};

// Runs `dialog` modally (its own modality setting decides window- or
// application-modal) inside a NestedLoopScope; returns its result code.
int RunModal(QDialog& dialog);

// The pane's clock: a sleep keeps the windows painting and answering (no
// user input is taken) until its time is up, inside a NestedLoopScope.
// Without a running application it sleeps like the system clock.
class ResponsiveClock : public Clock {
public:
    uint64_t NowMicroseconds() override;
    void SleepMicroseconds(uint64_t us) override;
};

}  // namespace platform
