// Label-and-value lines as the command prints a page of facts
// ("Link state   : Connected"): the labels are padded to the widest of their
// set, counted in characters rather than bytes, so that translated labels
// with accented letters still line up.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane::cli {

struct Field {
    std::string label;
    std::string value;
};

// The number of characters in UTF-8 `text` (each byte that does not
// continue a sequence counts one).
size_t TextWidth(std::string_view text);

// `text` followed by blanks up to `width` characters; a longer text stays
// whole.
std::string PadRight(const std::string& text, size_t width);

// A word a shared model puts in its view (a link state, a network type,
// "None") in the user's language. The models keep such words English, as
// they store them and print them for scripts; `context` is the model's.
std::string ShownWord(const char* context, const std::string& word);

// "LABEL : VALUE\n" for each field, every label padded to `labelWidth` or to
// the widest label of `fields`, whichever is wider.
std::string FieldLines(const std::vector<Field>& fields, size_t labelWidth = 0);

}  // namespace corvane::cli
