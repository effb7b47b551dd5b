#include "profiles/PlistXml.h"

#include <cstdint>

namespace corvane {
namespace {

constexpr std::string_view kHeader =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
    "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n";

// The code point of the UTF-8 sequence at text[i], advancing i; -1 for a
// broken, overlong or surrogate sequence or one beyond U+10FFFF.
int32_t NextCodePoint(std::string_view text, size_t& i) {
    const uint8_t lead = uint8_t(text[i++]);
    if (lead < 0x80) return lead;
    size_t more;
    int32_t cp;
    int32_t least;
    if ((lead & 0xE0) == 0xC0)
        more = 1, cp = lead & 0x1F, least = 0x80;
    else if ((lead & 0xF0) == 0xE0)
        more = 2, cp = lead & 0x0F, least = 0x800;
    else if ((lead & 0xF8) == 0xF0)
        more = 3, cp = lead & 0x07, least = 0x10000;
    else
        return -1;
    if (more > text.size() - i) return -1;
    for (size_t k = 0; k < more; ++k) {
        const uint8_t b = uint8_t(text[i++]);
        if ((b & 0xC0) != 0x80) return -1;
        cp = cp << 6 | (b & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
    return cp;
}

bool IsXmlChar(int32_t cp) {
    return cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) ||
           (cp >= 0xE000 && cp <= 0xFFFD) || cp >= 0x10000;
}

void AppendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;  // also keeps "]]>" out of the text
            case '\r':
                out += "&#13;";
                break;
            default:
                out += c;
        }
    }
}

void AppendBase64(std::string& out, std::string_view bytes) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const uint32_t v = uint32_t(uint8_t(bytes[i])) << 16 |
                           uint32_t(uint8_t(bytes[i + 1])) << 8 | uint8_t(bytes[i + 2]);
        out += kDigits[v >> 18];
        out += kDigits[v >> 12 & 63];
        out += kDigits[v >> 6 & 63];
        out += kDigits[v & 63];
    }
    if (const size_t left = bytes.size() - i; left > 0) {
        uint32_t v = uint32_t(uint8_t(bytes[i])) << 16;
        if (left == 2) v |= uint32_t(uint8_t(bytes[i + 1])) << 8;
        out += kDigits[v >> 18];
        out += kDigits[v >> 12 & 63];
        out += left == 2 ? kDigits[v >> 6 & 63] : '=';
        out += '=';
    }
}

}  // namespace

bool IsXmlText(std::string_view text) {
    for (size_t i = 0; i < text.size();)
        if (!IsXmlChar(NextCodePoint(text, i))) return false;
    return true;
}

std::optional<std::string> PreferenceXml(const PrefArray& array) {
    std::string out(kHeader);
    if (array.empty()) {
        out += "<array/>\n</plist>\n";
        return out;
    }
    out += "<array>\n";
    for (const PrefDictionary& dict : array) {
        if (dict.empty()) {
            out += "\t<dict/>\n";
            continue;
        }
        out += "\t<dict>\n";
        for (const auto& [key, value] : dict.Entries()) {
            if (!IsXmlText(key)) return std::nullopt;
            out += "\t\t<key>";
            AppendEscaped(out, key);
            out += "</key>\n";
            if (IsXmlText(value)) {
                out += "\t\t<string>";
                AppendEscaped(out, value);
                out += "</string>\n";
            } else {
                out += "\t\t<data>";
                AppendBase64(out, value);
                out += "</data>\n";
            }
        }
        out += "\t</dict>\n";
    }
    out += "</array>\n</plist>\n";
    return out;
}

}  // namespace corvane
