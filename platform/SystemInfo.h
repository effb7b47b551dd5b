// The system log and the operating-system version.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

inline constexpr uint32_t gestaltSystemVersion = 0x73797376;  // 'sysv'

// Answers the operating-system version for gestaltSystemVersion, taken from
// uname's release as 0xMMmmpp (major, minor, patch, two hex digits each, cut
// to 0xFF). Other selectors fail. Returns 0 (noErr) on success.
int Gestalt(uint32_t selector, int32_t* response);

// One line to the system log (syslog, facility user, level notice).
void SystemLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Test seam: the lines go to `sink` instead while it is set; an empty
// function restores the system log.
void SetSystemLogForTest(std::function<void(const std::string&)> sink);

}  // namespace platform
