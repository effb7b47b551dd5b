// The security a scan entry announces, read from its WPA and RSN elements.
//
// Parsing and deciding are kept apart: ParseWpaElement / ParseRsnElement
// read one element's suites into a plain result without judging them, and
// DecodeSecurity walks an entry's tagged elements and turns the parsed
// suites into the Authentication and Encryption texts the site survey shows.
// Every read is bounded by the element's own length and by the bytes really
// there; a suite that would run past either ends that element.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "adapter/Elements.h"

namespace corvane {

struct CipherSuite {
    uint8_t oui[3] = {};
    uint8_t type = 0;
};

struct ParsedSecurityElement {
    bool rsn = false;         // RSN element (else the WPA vendor element)
    bool groupValid = false;  // false: the walk over the entry ends here
    uint8_t groupType = 0;
    // Pairwise suite types up to the first one with a foreign code.
    std::vector<uint8_t> pairwise;
    // Every key-management suite within the element, in order.
    std::vector<CipherSuite> akm;
    // False when a suite count ran past the element: nothing after that
    // point was read.
    bool complete = true;
};

// One element, header included (identifier, length, body). nullopt when the
// bytes are not that kind of element or too short to be one.
std::optional<ParsedSecurityElement> ParseWpaElement(std::span<const uint8_t> element);
std::optional<ParsedSecurityElement> ParseRsnElement(std::span<const uint8_t> element);

// Calls `visit` with each tagged element (header included) in the order the
// site survey reads them: starting at the first element, while at least four
// bytes remain, stopping at an element of length zero after the first one;
// an element that runs past the area is read as far as its bytes go. Returns
// early when `visit` returns false.
template <typename Visit>
void WalkTaggedElements(std::span<const uint8_t> tagged, Visit visit) {
    bool first = true;
    auto reads = [&first](std::span<const uint8_t> from) {
        return from.size() >= 4 && (first || from[1] != 0);
    };
    ElementIterator it(tagged);
    while (it.Next()) {
        if (!reads(tagged.subspan(it.Offset()))) return;
        if (!visit(it.Current().bytes)) return;
        first = false;
    }
    if (reads(it.Rest())) visit(it.Rest());
}

struct SecurityTexts {
    std::string authentication;
    std::string encryption;
};

// The Authentication and Encryption texts of an entry: `privacy` and no
// elements give "Open"/"Not Used" or "Open/Shared"/"WEP"; WPA and RSN
// elements refine them. `infrastructureMode` 0 (ad hoc) turns a pre-shared
// key into "WPA-NONE" / "WPA2-NONE".
//
// Suites the adapter can use (TKIP, AES-WRAP, AES-CCMP; 802.1X, PSK and the
// ad hoc "none") decide as they always have. A network whose key management
// offers none of them is named for what it uses ("WPA3-SAE", "OWE",
// "WPA2-PSK-SHA256", "FT-PSK", "WPA2" for the other 802.1X kinds, ...), and a
// cipher the adapter lacks ("GCMP", "GCMP-256", "CCMP-256") names the
// Encryption until a usable one is seen, so such rows never look joinable.
SecurityTexts DecodeSecurity(std::span<const uint8_t> taggedElements, uint32_t privacy,
                             uint32_t infrastructureMode);

// The name of a key-management suite this adapter cannot use.
std::string UnusableAkmName(const CipherSuite& suite);

}  // namespace corvane
