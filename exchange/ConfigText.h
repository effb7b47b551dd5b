// The white space of the configuration files profiles are imported from
// (wpa_supplicant's and NetworkManager's): blanks and tabs, and the carriage
// returns of files written on other systems; never a line break.
#pragma once

#include <string_view>

namespace corvane::config_text {

inline bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

inline std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

}  // namespace corvane::config_text
