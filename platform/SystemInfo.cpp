#include "platform/SystemInfo.h"

#include <sys/utsname.h>
#include <syslog.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace platform {

int Gestalt(uint32_t selector, int32_t* response) {
    if (selector != gestaltSystemVersion || !response) return -5551;  // gestaltUndefSelectorErr
    utsname name{};
    if (uname(&name) != 0) return -5550;
    unsigned parts[3] = {0, 0, 0};
    const char* p = name.release;
    for (unsigned& part : parts) {
        char* end = nullptr;
        unsigned long v = std::strtoul(p, &end, 10);
        if (end == p) break;
        part = v > 0xFF ? 0xFF : unsigned(v);
        if (*end != '.') break;
        p = end + 1;
    }
    *response = int32_t(parts[0] << 16 | parts[1] << 8 | parts[2]);
    return 0;
}

namespace {
SystemLogSink* g_sink = nullptr;
}

void SetSystemLogSink(SystemLogSink* sink) { g_sink = sink; }

void SystemLog(const char* format, ...) {
    va_list args;
    va_start(args, format);
    if (g_sink) {
        char line[1024];
        std::vsnprintf(line, sizeof line, format, args);
        g_sink->WriteLine(line);
    } else {
        vsyslog(LOG_USER | LOG_NOTICE, format, args);
    }
    va_end(args);
}

}  // namespace platform
