// The words of a control command line, as the driver core and the
// backends read them: blanks are spaces and tabs; a line may end in a
// carriage return.
#pragma once

#include <string_view>

namespace corvane::driver {

// `line` without its leading and trailing blanks (and a trailing return).
inline std::string_view TrimBlanks(std::string_view line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
        line.remove_suffix(1);
    return line;
}

// The first word of `rest`, which then holds what follows it.
inline std::string_view NextWord(std::string_view& rest) {
    const size_t start = rest.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        rest = {};
        return {};
    }
    rest.remove_prefix(start);
    const size_t end = rest.find_first_of(" \t");
    const std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
    return word;
}

}  // namespace corvane::driver
