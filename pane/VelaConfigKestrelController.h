// The pane's heartbeat: every two seconds it checks that the adapter is
// there, brings every page up when it appears (or asks to be set up again),
// and stops the pages when it goes.
#pragma once

#include <QObject>
#include <QTimer>

#include "pane/PaneObjects.h"

namespace corvane {

inline constexpr int kDeviceWatchIntervalMs = 2000;
inline constexpr int kRestartDonePollCount = 32;
inline constexpr uint64_t kRestartDonePollPauseUs = 300;

class VelaConfigKestrelController : public QObject {
public:
    VelaConfigKestrelController();  // G_bUse64Bits = 1

    void connectOutlets(const PaneObjects& objects);
    void awakeFromNib();  // the repeating 2.0 s timer, for the life of the pane

    bool IsDeviceDriverExist();
    void OnTimer();
    QTimer& timer() { return timer_; }

private:
    void TimerFired();
    void BringUp();
    void StopPages();

    PaneObjects outlets_;
    QTimer timer_;
    bool ticking_ = false;  // OnTimer runs
};

}  // namespace corvane
