// The link status page: once a second, what the adapter is associated with
// and how well, and the button that opens and closes the profile drawer.
// Its form is CurrentWirelessNetworkController.ui; what it shows is
// computed by ReadLinkStatus (survey/LinkStatus.h).
#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "pane/PaneObjects.h"

class QPushButton;

namespace Ui {
class CurrentWirelessNetworkController;
}

namespace corvane {

struct LinkStatusView;

inline constexpr int kLinkStatusIntervalMs = 1000;
inline constexpr const char* kOpenProfileDrawerTitle = "Open Profile Drawer";
inline constexpr const char* kCloseProfileDrawerTitle = "Close Profile Drawer";

class CurrentWirelessNetworkController : public QWidget {
public:
    explicit CurrentWirelessNetworkController(QWidget* parent = nullptr);
    ~CurrentWirelessNetworkController() override;

    void connectOutlets(const PaneObjects& objects);
    void awakeFromNib();  // ChannelQuality = 0

    void StartTimer();  // 1.0 s, repeating; a second call does nothing
    void StopTimer();
    bool TimerRunning() const;
    QTimer* Timer() const { return timer_; }
    void OnTimer();          // one refresh
    void OnProfileDrawer();  // toggles the drawer and retitles ShowMyNetworks

    QPushButton* ShowMyNetworks() const;
    uint32_t ChannelQuality = 0;

private:
    void TimerFired();
    void Show(const LinkStatusView& view);

    std::unique_ptr<Ui::CurrentWirelessNetworkController> ui_;
    PaneObjects outlets_;
    QPointer<QTimer> timer_;
};

}  // namespace corvane
