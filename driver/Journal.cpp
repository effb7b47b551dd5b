#include "driver/Journal.h"

#include <nlohmann/json.hpp>
#include <string>

namespace corvane {
namespace {

std::string Hex(const uint8_t* data, size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    s.reserve(size * 2);
    for (size_t i = 0; i < size; ++i) {
        s.push_back(digits[data[i] >> 4]);
        s.push_back(digits[data[i] & 0xF]);
    }
    return s;
}

}  // namespace

void WriteJournalLine(std::ostream& journal, uint32_t selector, const uint8_t* input,
                      size_t inputSize, size_t capacity, platform::kern_return_t result,
                      const uint8_t* output, size_t outputSize) {
    const nlohmann::json line = {{"selector", selector},
                                 {"input", Hex(input, input ? inputSize : 0)},
                                 {"output_capacity", capacity},
                                 {"result", result},
                                 {"output", Hex(output, output ? outputSize : 0)}};
    journal << line.dump() << '\n';
    journal.flush();
}

}  // namespace corvane
