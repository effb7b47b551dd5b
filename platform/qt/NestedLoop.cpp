#include "platform/qt/NestedLoop.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEventLoop>
#include <algorithm>

namespace platform {
namespace {

int g_waits = 0;
int g_modalRuns = 0;

// Short enough that a repaint never waits noticeably, long enough that the
// wait costs no processor time to speak of.
constexpr uint64_t kSliceMicroseconds = 10000;

}  // namespace

bool InNestedLoop() { return g_waits > 0 || g_modalRuns > 0; }
bool InOperationWait() { return g_waits > 0; }

NestedLoopScope::NestedLoopScope(NestedLoopKind kind) : kind_(kind) {
    ++(kind_ == NestedLoopKind::OperationWait ? g_waits : g_modalRuns);
}
NestedLoopScope::~NestedLoopScope() {
    --(kind_ == NestedLoopKind::OperationWait ? g_waits : g_modalRuns);
}

int RunModal(QDialog& dialog) {
    NestedLoopScope scope(NestedLoopKind::ModalRun);
    return dialog.exec();
}

uint64_t ResponsiveClock::NowMicroseconds() { return SystemClock().NowMicroseconds(); }

void ResponsiveClock::SleepMicroseconds(uint64_t us) {
    if (!QCoreApplication::instance()) {
        SystemClock().SleepMicroseconds(us);
        return;
    }
    NestedLoopScope scope(NestedLoopKind::OperationWait);
    const uint64_t end = NowMicroseconds() + us;
    for (;;) {
        if (NowMicroseconds() >= end) break;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
        const uint64_t now = NowMicroseconds();
        if (now >= end) break;
        SystemClock().SleepMicroseconds(std::min(end - now, kSliceMicroseconds));
    }
}

}  // namespace platform
