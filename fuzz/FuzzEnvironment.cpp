// The simulated driver's environment files and its add-network command.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "driver/sim/Environment.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    corvane::sim::ParseEnvironment(text, &error);
    corvane::sim::ParseNetwork(text, &error);
    corvane::sim::ParseMac(text);
    return 0;
}
