#include "adapter/Trace.h"

#include <cstdio>

#include "adapter/Globals.h"

namespace corvane {

void TraceEntry(const char* className, const char* operation) {
    if (__DEBUG__) std::fprintf(stderr, "#### %s - %s ####\n", className, operation);
}

void TraceLine(const char* format, ...) {
    if (!__DEBUG__) return;
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
}

}  // namespace corvane
