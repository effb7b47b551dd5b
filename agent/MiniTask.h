// MiniTask: the status-bar agent's one controller. A 0.5-second timer reads
// the adapter's media state; when the adapter is (re)found the card is
// initialised and the association dropped, after ten disconnected ticks the
// active profile is applied again, and the status item follows the link.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "adapter/KestrelAccess.h"
#include "agent/StatusPresenter.h"
#include "profiles/ConnectEngine.h"

namespace corvane {

class LinkNotices;

inline constexpr int kTickIntervalMs = 500;
inline constexpr int kOpenPaneTag = 224;
// Consecutive ticks that find no adapter before the process ends: an
// adapter unplugged for a moment is waited for, one gone for good is not
// (the session starts the agent again when a driver publishes a service;
// see MiniTask-CorvaneUtility.path).
inline constexpr uint32_t kMissingTicksBeforeExit = 3;
// Consecutive disconnected ticks before the active profile is applied.
inline constexpr int32_t kReconnectAfterTicks = 9;  // applied when the count exceeds this
inline constexpr int kRestartDonePolls = 32;
inline constexpr uint64_t kRestartDonePauseUs = 300;

inline constexpr const char* kNoConnectionTitle =
    QT_TRANSLATE_NOOP("MiniTask", "[No Connection!!]");
inline constexpr const char* kWaitConnectionTitle =
    QT_TRANSLATE_NOOP("MiniTask", "[Wait Connection...]");

// The six icon levels: 0; 1-20; 21-40; 41-60; 61-80; above 80.
int SignalIconLevel(uint32_t quality);

class MiniTask : public QObject {
public:
    // Seams of the outside world; defaults do the real thing.
    struct Hooks {
        // Ends the process with this status (default: leave the main loop
        // when there is one, else exit).
        std::function<void(int)> exitProcess;
        // Opens the preference pane (default: platform::OpenBundle).
        std::function<void()> openPane;
    };

    // init: counters at their start values. `statusItem` must outlive this.
    explicit MiniTask(StatusPresenter& statusItem, Hooks hooks = {});
    ~MiniTask() override;

    // Creates the adapter object, shows "[Wait Connection...]" and, when
    // `startTimer` is set, starts the 0.5-second timer. Tests leave the timer
    // off and call OnTimer themselves.
    void awakeFromNib(bool startTimer = true);

    void OnTimer();
    void updateStatus();
    void updateStatusBlank();
    bool IsDeviceDriverExist();
    // Rewrites the advanced settings file (a failed write goes to the
    // system log).
    void InitAdvanceSetting();
    // Menu action: the sender's "tag" property selects what to do.
    void updateDisplayPrefs(const QObject* sender);
    void updateDisplayPrefs(int tag);
    bool CheckProfileSettingForConnect();
    void ToConnect(const PROFILE_DATA* record);

    // Told of the link at every tick and of every reconnect; may be null.
    void SetLinkNotices(LinkNotices* notices) { notices_ = notices; }

    KestrelAccess* adapter() { return Adapter.get(); }
    const QTimer& timer() const { return updater; }

    // State, readable by tests.
    uint32_t ChannelQuality = 0;
    uint32_t SignalQuality = 0;
    uint32_t count = 0;  // consecutive ticks that found no adapter
    // WEP key bytes of the active profile while it is converted and applied
    // (Key1Material .. Key4Material, Key1Len .. Key4Len).
    ConverterKeyBuffers keyMaterial;
    int32_t reconnectCount = 0;
    int32_t checkProfileCount = 0;
    int32_t networktypeformCheckProfile = 1;

private:
    void RestartWait();
    void RecheckTick();

    StatusPresenter& TaskItem;
    Hooks hooks_;
    QTimer updater;
    std::unique_ptr<KestrelAccess> Adapter;
    LinkNotices* notices_ = nullptr;
    std::string networkName_;  // as the network line shows it
};

}  // namespace corvane
