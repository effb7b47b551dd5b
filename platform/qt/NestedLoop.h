// The pane runs everything on its main thread, as the system always has:
// the driver wait and the scan wait are sleeps, dialogs run modally. On a
// desktop the window must still paint and answer the window manager during
// those, so they run a nested event loop. The two kinds are told apart:
//
// - The wait of an operation (the clock's sleeps): no page timer may start
//   work in the middle of the operation that waits, so every timer handler
//   of the pane asks InOperationWait() first and lets its tick pass.
// - The modal run of a dialog or an alert: the pane goes on living behind
//   it. The link status refresh and the device watch keep running (the
//   device watch never starts a tick inside one of its own); the site
//   survey's probe and task runner hold only while one of that page's own
//   dialogs or alerts is open, whose outcome is waiting to become a task.
//
// Closing the window is put off while a loop of either kind runs
// (InNestedLoop()), since ending the program would cut its operation off.
#pragma once

#include <cstdint>

#include "platform/Clock.h"

class QDialog;

namespace platform {

enum class NestedLoopKind { OperationWait, ModalRun };

bool InNestedLoop();     // of either kind
bool InOperationWait();  // an operation's wait runs (possibly inside a modal run)

// Marks a nested loop for its lifetime.
class NestedLoopScope {
public:
    explicit NestedLoopScope(NestedLoopKind kind = NestedLoopKind::OperationWait);
    ~NestedLoopScope();
    NestedLoopScope(const NestedLoopScope&) = delete;
    NestedLoopScope& operator=(const NestedLoopScope&) = delete;

private:
    NestedLoopKind kind_;
};

// Runs `dialog` modally (its own modality setting decides window- or
// application-modal) inside a modal-run scope; returns its result code.
int RunModal(QDialog& dialog);

// The pane's clock: a sleep keeps the windows painting and answering (no
// user input is taken) until its time is up, inside an operation-wait scope.
// Without a running application it sleeps like the system clock.
class ResponsiveClock : public Clock {
public:
    uint64_t NowMicroseconds() override;
    void SleepMicroseconds(uint64_t us) override;
};

}  // namespace platform
