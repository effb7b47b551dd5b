// The driver journal: one JSON object per user-client call, one per line,
// with the keys "selector", "input" (hex), "output_capacity", "result" and
// "output" (hex). Both driver processes write it alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>

#include "platform/DeviceAccess.h"

namespace corvane {

void WriteJournalLine(std::ostream& journal, uint32_t selector, const uint8_t* input,
                      size_t inputSize, size_t capacity, platform::kern_return_t result,
                      const uint8_t* output, size_t outputSize);

}  // namespace corvane
