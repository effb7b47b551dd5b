// The system log and the operating-system version.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

inline constexpr uint32_t gestaltSystemVersion = 0x73797376;  // 'sysv'

// Answers the operating-system version for gestaltSystemVersion, taken from
// uname's release as 0xMMmmpp (major, minor, patch, two hex digits each, cut
// to 0xFF). Other selectors fail. Returns 0 (noErr) on success.
int Gestalt(uint32_t selector, int32_t* response);

// Where the lines of SystemLog go instead of syslog while one is installed:
// a program that keeps its own log, or a test that records them.
class SystemLogSink {
public:
    virtual ~SystemLogSink() = default;
    // One formatted line, without a trailing newline of its own.
    virtual void WriteLine(const std::string& line) = 0;
};

void SetSystemLogSink(SystemLogSink* sink);  // nullptr restores syslog

// Installs a sink for the lifetime of the guard.
class ScopedSystemLog {
public:
    explicit ScopedSystemLog(SystemLogSink& sink) { SetSystemLogSink(&sink); }
    ~ScopedSystemLog() { SetSystemLogSink(nullptr); }
    ScopedSystemLog(const ScopedSystemLog&) = delete;
    ScopedSystemLog& operator=(const ScopedSystemLog&) = delete;
};

// One line to the system log (syslog, facility user, level notice), or to
// the installed sink.
void SystemLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace platform
