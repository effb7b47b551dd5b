// Keeps every notification the agent shows, in order.
#pragma once

#include <vector>

#include "agent/Notifier.h"

namespace corvane::test {

class RecordingNotifier : public Notifier {
public:
    void Notify(const Notification& notification) override { shown.push_back(notification); }

    std::vector<Notification> shown;
};

}  // namespace corvane::test
