// Network names as people see them. An SSID is up to 32 bytes of anything:
// often UTF-8, sometimes another encoding, now and then control bytes. What
// is shown keeps well-formed, printable UTF-8 as it is and writes every
// other byte as \xNN (a backslash as \\), so a name can neither pass for
// another one nor act on a terminal (escape sequences, C1 controls,
// reordering marks).
#pragma once

#include <string>
#include <string_view>

namespace corvane {

std::string PrintableText(std::string_view bytes);

}  // namespace corvane
