// A system log for tests that keeps every line instead of sending it to
// syslog. Install it with platform::ScopedSystemLog.
#pragma once

#include <string>
#include <vector>

#include "platform/SystemInfo.h"

namespace corvane::test {

class RecordingSystemLog : public platform::SystemLogSink {
public:
    void WriteLine(const std::string& line) override { lines.push_back(line); }

    std::vector<std::string> lines;
};

}  // namespace corvane::test
