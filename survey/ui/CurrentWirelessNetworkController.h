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

class QPushButton;

namespace Ui {
class CurrentWirelessNetworkController;
}

namespace corvane {

class KestrelAccess;
class SignalHistoryGraph;
struct LinkStatusView;

inline constexpr int kLinkStatusIntervalMs = 1000;
inline constexpr const char* kOpenProfileDrawerTitle =
    QT_TRANSLATE_NOOP("CurrentWirelessNetworkController", "Open Profile Drawer");
inline constexpr const char* kCloseProfileDrawerTitle =
    QT_TRANSLATE_NOOP("CurrentWirelessNetworkController", "Close Profile Drawer");

class CurrentWirelessNetworkController : public QWidget {
    Q_OBJECT

public:
    struct Outlets {
        KestrelAccess* Adapter = nullptr;
    };

    explicit CurrentWirelessNetworkController(QWidget* parent = nullptr);
    ~CurrentWirelessNetworkController() override;

    void connectOutlets(const Outlets& outlets);
    void awakeFromNib();  // ChannelQuality = 0

    void StartTimer();  // 1.0 s, repeating; a second call does nothing
    void StopTimer();
    bool TimerRunning() const;
    QTimer* Timer() const { return timer_; }
    void OnTimer();          // one refresh
    void OnProfileDrawer();  // ShowMyNetworks pressed: the drawer is to open or close
    // The drawer button's title names what pressing it does next.
    void ShowProfileDrawerTitle(bool drawerOpen);

    QPushButton* ShowMyNetworks() const;
    SignalHistoryGraph* History() const { return history_; }
    uint32_t ChannelQuality = 0;

signals:
    // The user asked for the profile drawer to open when closed, else to
    // close; whoever holds the drawer does it and calls
    // ShowProfileDrawerTitle with its new state.
    void profileDrawerToggled();

private:
    void TimerFired();
    void Show(const LinkStatusView& view);

    std::unique_ptr<Ui::CurrentWirelessNetworkController> ui_;
    Outlets outlets_;
    QPointer<QTimer> timer_;
    SignalHistoryGraph* history_;  // under the fields, one sample per refresh
};

}  // namespace corvane
