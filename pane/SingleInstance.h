// One settings window per user and session. Two windows would run two task
// queues against one adapter, so a second start (the agent's menu, the
// desktop entry, a command line) asks the running window to come to the
// front and ends.
//
// The running window listens on a local socket in a folder only its user
// can reach ($XDG_RUNTIME_DIR, else a private folder under /tmp), named per
// login session when $XDG_SESSION_ID is set. A start asks "raise" and is
// answered "raised <pid>". A lock file beside the socket keeps two starts at
// the same moment from both becoming the running window.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>

namespace corvane {

class SingleInstance : public QObject {
public:
    enum class Outcome {
        First,         // no window was running; this one now answers later starts
        Raised,        // a running window was asked to the front
        NotAnswering,  // one is there but did not answer in time
        Unguarded,     // no private folder or socket: this one runs on its own
    };

    // `raise` is run when a later start asks for the window.
    explicit SingleInstance(std::function<void()> raise);
    ~SingleInstance() override;

    // `otherPid` receives the running window's process id when it answered.
    Outcome Start(qint64* otherPid = nullptr);

    // "<folder>/CorvaneWirelessUtility[-<session>].socket"; empty when no
    // private folder can be had.
    static QString SocketPath();

private:
    void AcceptConnection();
    void ReadRequest();

    QLocalServer server_;
    std::function<void()> raise_;
};

}  // namespace corvane
