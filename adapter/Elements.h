// 802.11 information elements: the numbers beacons are built and read with
// (element ids, organisation codes, suite types, capability bits), and the
// one bounded walk over a run of elements that the drivers and the site
// survey share.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace corvane {

// Element ids.
inline constexpr uint8_t kElementSsid = 0;
inline constexpr uint8_t kElementRates = 1;
inline constexpr uint8_t kElementDsParameters = 3;
inline constexpr uint8_t kElementIbssParameters = 6;
inline constexpr uint8_t kElementRsn = 48;
inline constexpr uint8_t kElementExtendedRates = 50;
inline constexpr uint8_t kElementVendor = 221;

// The capability field of the fixed beacon fields.
inline constexpr uint16_t kCapabilityEss = 0x0001;
inline constexpr uint16_t kCapabilityIbss = 0x0002;
inline constexpr uint16_t kCapabilityPrivacy = 0x0010;

// Organisation codes. The WPA element is a vendor element of the WPA code
// with type 1; its suites carry the WPA code, the RSN element's the IEEE
// 802.11 one. Some old drivers report key management under 00 00 42.
using Oui = std::array<uint8_t, 3>;
inline constexpr Oui kOuiWpa = {0x00, 0x50, 0xF2};
inline constexpr Oui kOuiRsn = {0x00, 0x0F, 0xAC};
inline constexpr Oui kOuiWfa = {0x50, 0x6F, 0x9A};
inline constexpr Oui kOuiLegacyAkm = {0x00, 0x00, 0x42};
inline constexpr uint8_t kWpaOuiType = 1;

// A suite: an organisation code and a type, 4 bytes.
inline constexpr size_t kSuiteSize = 4;

// Cipher suite types.
inline constexpr uint8_t kCipherTkip = 2;
inline constexpr uint8_t kCipherWrap = 3;
inline constexpr uint8_t kCipherCcmp = 4;
inline constexpr uint8_t kCipherGcmp = 8;
inline constexpr uint8_t kCipherGcmp256 = 9;
inline constexpr uint8_t kCipherCcmp256 = 10;

// Key-management suite types: 802.1X and PSK, and 0, which ad hoc WPA
// networks announce for their shared key (WPA-NONE).
inline constexpr uint8_t kAkmNone = 0;
inline constexpr uint8_t kAkm8021X = 1;
inline constexpr uint8_t kAkmPsk = 2;

struct Element {
    uint8_t id = 0;
    std::span<const uint8_t> body;   // the element's length bytes
    std::span<const uint8_t> bytes;  // header and body
};

// A walk over a run of elements that never reads past it: each step checks
// the 2-byte header, then the body, against the bytes that remain. When
// Next() answers false, Rest() tells a clean end (empty) from a truncated
// tail (a lone byte, or an element whose body runs past the run).
class ElementIterator {
public:
    explicit ElementIterator(std::span<const uint8_t> run) : run_(run) {}

    // Steps to the next whole element; false when there is none.
    bool Next();
    const Element& Current() const { return current_; }
    // Where the current element starts in the run.
    size_t Offset() const { return offset_; }
    // The bytes after the current element.
    std::span<const uint8_t> Rest() const { return run_.subspan(next_); }

private:
    std::span<const uint8_t> run_;
    size_t next_ = 0;
    size_t offset_ = 0;
    Element current_;
};

// The body of the first whole element with this id.
std::optional<std::span<const uint8_t>> FindElement(std::span<const uint8_t> run, uint8_t id);

}  // namespace corvane
