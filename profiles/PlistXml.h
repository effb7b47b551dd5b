// The XML form the preference files are written in. libplist's own writer
// takes values as C strings (a NUL cuts them) and copies control characters
// into the document as they are, which no XML reader accepts; this one
// writes every value so that libplist and other property-list readers (for
// example Python's plistlib) read back the same bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "profiles/PreferenceFiles.h"

namespace corvane {

// True when `text` is valid UTF-8 made only of characters XML 1.0 allows:
// tab, line feed, carriage return, U+0020..U+D7FF, U+E000..U+FFFD and
// U+10000..U+10FFFF. Anything else (a NUL or another control character,
// a broken or overlong sequence, an encoded surrogate) cannot stand in an
// XML document, escaped or not.
bool IsXmlText(std::string_view text);

// The array as an XML property list, laid out as libplist lays it out.
// A value that is XML text is a <string> element ("&", "<", ">" escaped, a
// carriage return as "&#13;" because XML readers turn a raw one into a line
// feed); any other value is a <data> element holding its bytes in base64.
// Nothing when a key is not XML text: a key has no such fallback.
std::optional<std::string> PreferenceXml(const PrefArray& array);

}  // namespace corvane
