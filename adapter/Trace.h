// Trace lines: "#### <Class> - <Operation> ####\n" on entry to traced
// operations, "!!!! ... !!!!" for traced failures and "**** ... ****" for
// informational lines, on standard error while __DEBUG__ is set. Tracing
// never changes behaviour.
#pragma once

#include <cstdarg>

namespace corvane {

void TraceEntry(const char* className, const char* operation);
// Writes the formatted text as it stands (the caller supplies the markers).
void TraceLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace corvane
