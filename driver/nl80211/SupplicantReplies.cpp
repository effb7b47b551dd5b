#include "driver/nl80211/SupplicantReplies.h"

#include <charconv>
#include <utility>

namespace corvane::nl80211 {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' '))
        s.remove_suffix(1);
    return s;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<MacAddress> ReadMac(std::string_view text) {
    if (text.size() != 17) return std::nullopt;
    MacAddress mac{};
    for (size_t i = 0; i < 6; ++i) {
        const int hi = HexDigit(text[3 * i]), lo = HexDigit(text[3 * i + 1]);
        if (hi < 0 || lo < 0 || (i < 5 && text[3 * i + 2] != ':')) return std::nullopt;
        mac[i] = uint8_t(hi << 4 | lo);
    }
    return mac;
}

template <typename Each>
void ForEachLine(std::string_view text, Each each) {
    while (!text.empty()) {
        const size_t end = text.find('\n');
        each(Trim(text.substr(0, end)));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

}  // namespace

std::string UnescapeSsid(std::string_view t) {
    std::string out;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] != '\\' || i + 1 >= t.size()) {
            out.push_back(t[i]);
            continue;
        }
        const char c = t[++i];
        switch (c) {
            case 'e':
                out.push_back('\033');
                break;
            case 'n':
                out.push_back('\n');
                break;
            case 'r':
                out.push_back('\r');
                break;
            case 't':
                out.push_back('\t');
                break;
            case 'x': {
                const int hi = i + 1 < t.size() ? HexDigit(t[i + 1]) : -1;
                const int lo = i + 2 < t.size() ? HexDigit(t[i + 2]) : -1;
                if (hi < 0 || lo < 0) {
                    out += "\\x";
                    break;
                }
                out.push_back(char(hi << 4 | lo));
                i += 2;
                break;
            }
            default:
                out.push_back(c);  // \\ and \"
        }
    }
    return out;
}

SupplicantStatus ReadStatus(std::string_view reply) {
    SupplicantStatus s;
    ForEachLine(reply, [&](std::string_view line) {
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) return;
        const std::string_view key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "wpa_state")
            s.state = value;
        else if (key == "bssid")
            s.bssid = ReadMac(value);
        else if (key == "ssid")
            s.ssid = UnescapeSsid(value);
        else if (key == "freq")
            std::from_chars(value.data(), value.data() + value.size(), s.frequencyMhz);
    });
    return s;
}

std::vector<int> NetworkIds(std::string_view reply) {
    std::vector<int> ids;
    bool header = true;
    ForEachLine(reply, [&](std::string_view line) {
        if (std::exchange(header, false) || line.empty()) return;
        if (auto id = NetworkId(line.substr(0, line.find('\t')))) ids.push_back(*id);
    });
    return ids;
}

std::optional<int> NetworkId(std::string_view reply) {
    reply = Trim(reply);
    int id = -1;
    auto [end, ec] = std::from_chars(reply.data(), reply.data() + reply.size(), id);
    if (ec != std::errc() || end != reply.data() + reply.size() || id < 0) return std::nullopt;
    return id;
}

}  // namespace corvane::nl80211
