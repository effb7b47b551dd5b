#include "agent/LinkNotices.h"

#include "platform/Clock.h"
#include "platform/Translate.h"

namespace corvane {

Notification ConnectedNotification(const std::string& network) {
    return {FormatText(Tr("LinkNotices", "Connected to %1"), {network}), "", kConnectedCategory};
}

Notification LostNotification(const std::string& network) {
    return {FormatText(Tr("LinkNotices", "Connection to %1 lost"), {network}), "",
            kDisconnectedCategory};
}

Notification CouldNotConnectNotification(const std::string& network, bool keyed) {
    return {FormatText(Tr("LinkNotices", "Could not connect to %1"), {network}),
            Tr("LinkNotices", keyed ? kCouldNotConnectHint : kOutOfRangeHint),
            kConnectFailedCategory};
}

LinkNotices::LinkNotices(Notifier& notifier, bool enabled)
    : notifier_(notifier), enabled_(enabled) {}

void LinkNotices::LinkUp(const std::string& network) {
    reconnect_.reset();
    failureTold_.reset();
    See(network);
}

void LinkNotices::LinkDown() { See(std::nullopt); }

void LinkNotices::AdapterSearched() {
    reconnect_.reset();
    See(std::nullopt);
}

void LinkNotices::ReconnectApplied(const std::string& network, bool keyed) {
    // The link has not been up since the last reconnect: it had its time.
    if (reconnect_ && failureTold_ != reconnect_->network) {
        Show(CouldNotConnectNotification(reconnect_->network, reconnect_->keyed));
        failureTold_ = reconnect_->network;
        told_.reset();
    }
    reconnect_ = Reconnect{network, keyed};
}

void LinkNotices::See(const Link& link) {
    const uint64_t now = platform::CurrentClock().NowMicroseconds();
    const bool steady = !lastChangeUs_ || now - *lastChangeUs_ >= kLinkFlapWindowUs;
    if (link != seen_) {
        seen_ = link;
        lastChangeUs_ = now;
        if (steady) Tell(link);
    } else if (steady) {
        Tell(link);  // after a flap: the state it settled in
    }
}

void LinkNotices::Tell(const Link& link) {
    if (link == told_) return;
    if (link)
        Show(ConnectedNotification(*link));
    else
        Show(LostNotification(*told_));
    told_ = link;
}

void LinkNotices::Show(const Notification& notification) {
    if (enabled_) notifier_.Notify(notification);
}

}  // namespace corvane
