// The desktop notifications the agent shows about the link: what one is,
// and the one seam they go out through (DesktopNotifier on a desktop, a
// recording one in tests).
#pragma once

#include <string>

namespace corvane {

struct Notification {
    // One line. The only place a network's name goes: a summary is plain
    // text to every notification server, a body may be read as markup.
    std::string summary;
    std::string body;  // fixed text, or empty
    // The freedesktop category: "network.connected", "network.disconnected"
    // or "network.error".
    std::string category;

    bool operator==(const Notification&) const = default;
};

class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void Notify(const Notification& notification) = 0;
};

}  // namespace corvane
