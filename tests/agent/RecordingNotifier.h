// Keeps every notification the agent shows, in order.
#pragma once

#include <ostream>
#include <vector>

#include "agent/Notifier.h"

namespace corvane {

// Readable in a failed expectation.
inline void PrintTo(const Notification& n, std::ostream* out) {
    *out << '{' << n.summary << " | " << n.body << " | " << n.category << '}';
}

}  // namespace corvane

namespace corvane::test {

class RecordingNotifier : public Notifier {
public:
    void Notify(const Notification& notification) override { shown.push_back(notification); }

    std::vector<Notification> shown;
};

}  // namespace corvane::test
