#include "cli/FieldLines.h"

#include <algorithm>

#include "platform/Translate.h"

namespace corvane::cli {

size_t TextWidth(std::string_view text) {
    return size_t(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string ShownWord(const char* context, const std::string& word) {
    return Tr(context, word.c_str());
}

std::string PadRight(const std::string& text, size_t width) {
    const size_t have = TextWidth(text);
    return have >= width ? text : text + std::string(width - have, ' ');
}

std::string FieldLines(const std::vector<Field>& fields, size_t labelWidth) {
    for (const Field& field : fields) labelWidth = std::max(labelWidth, TextWidth(field.label));
    std::string lines;
    for (const Field& field : fields)
        lines += PadRight(field.label, labelWidth) + " : " + field.value + "\n";
    return lines;
}

}  // namespace corvane::cli
