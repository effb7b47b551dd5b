#include "platform/Translate.h"

#include <utility>
#include <vector>

namespace corvane {
namespace {

TextTranslator& CurrentTranslator() {
    static TextTranslator translator;
    return translator;
}

}  // namespace

void SetTextTranslator(TextTranslator translator) { CurrentTranslator() = std::move(translator); }

std::string Tr(const char* context, const char* source) {
    const TextTranslator& translator = CurrentTranslator();
    if (!translator) return source;
    std::string text = translator(context, source);
    return text.empty() ? std::string(source) : text;
}

std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args) {
    const std::vector<std::string_view> values(args);
    std::string out;
    out.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const size_t n = size_t(pattern[i + 1] - '1');
            if (n < values.size()) {
                out += values[n];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

}  // namespace corvane
