// What the agent tells the desktop about the link, decided from its ticks:
// "Connected to NAME", "Connection to NAME lost", and "Could not connect to
// NAME" when a reconnect of the active profile did not associate. NAME is
// the network's name (the SSID the menu's network line shows, or the
// active profile's SSID).
//
// The rules, with the link seen once per tick as up on a network or down
// (a tick that finds the adapter disconnected, or has to search for it):
//  - A change is a tick that sees the link otherwise than the tick before:
//    down to up, up to down, or up on another network.
//  - A change 10 s or more after the change before it (the link was steady)
//    is told at once, unless the user was last told just that.
//  - A change sooner than that is a flap and is not told. Once the link has
//    then stayed as it is for 10 s, its state is told if it is not what the
//    user was last told; a flap that ends where it began says nothing.
//    So no two link notices are less than 10 s apart.
//  - A reconnect of the active profile has until the agent makes the next
//    one (ten disconnected ticks later) to bring the link up. One that did
//    not is told as "Could not connect to NAME", once: not again for the
//    same name until the link has been up. It tells the user the link is
//    down, so a "lost" still waiting to be told is not told after it. A
//    reconnect is void when the adapter has to be searched for (it was
//    unplugged, or its driver restarted).
//  - Turned off, nothing is told, but the rules go on following the link,
//    so turning them on again does not tell old news.
//
// Time is read from platform::CurrentClock(). Qt-free.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "agent/Notifier.h"
#include "platform/Translate.h"

namespace corvane {

// Changes of the link closer together than this are a flap.
inline constexpr uint64_t kLinkFlapWindowUs = 10'000'000;

inline constexpr const char* kConnectedCategory = "network.connected";
inline constexpr const char* kDisconnectedCategory = "network.disconnected";
inline constexpr const char* kConnectFailedCategory = "network.error";
// The body of "Could not connect to NAME": the key is named only where the
// profile has one (an open network's failure says nothing of keys).
inline constexpr const char* kCouldNotConnectHint = QT_TRANSLATE_NOOP(
    "LinkNotices",
    "The key in the active profile may be wrong, or the network may be out of range.");
inline constexpr const char* kOutOfRangeHint =
    QT_TRANSLATE_NOOP("LinkNotices", "The network may be out of range.");

Notification ConnectedNotification(const std::string& network);
Notification LostNotification(const std::string& network);
Notification CouldNotConnectNotification(const std::string& network, bool keyed);

class LinkNotices {
public:
    explicit LinkNotices(Notifier& notifier, bool enabled = true);

    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Enabled() const { return enabled_; }

    // One of these three per tick.
    void LinkUp(const std::string& network);
    void LinkDown();
    void AdapterSearched();  // the link is down; a reconnect under way is void

    // The agent applied the active profile, whose network is `network`;
    // `keyed` when the profile has a key (WEP or WPA).
    void ReconnectApplied(const std::string& network, bool keyed);

private:
    using Link = std::optional<std::string>;  // the network's name while up
    struct Reconnect {
        std::string network;
        bool keyed;
    };

    void See(const Link& link);
    void Tell(const Link& link);
    void Show(const Notification& notification);

    Notifier& notifier_;
    bool enabled_;
    Link seen_;                             // the link at the last tick
    std::optional<uint64_t> lastChangeUs_;  // none yet: steady since the start
    Link told_;                             // what the user was last told
    std::optional<Reconnect> reconnect_;    // the reconnect under way
    std::optional<std::string> failureTold_;
};

}  // namespace corvane
