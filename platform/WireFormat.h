// Framing of the user-client socket between a client process and a driver
// process. All integers are little-endian u32 with explicit lengths:
//
//   open    client -> driver  magic 'CVOP', version, connection type       (12 bytes)
//           driver -> client  magic 'CVOA', result                         (8 bytes)
//   call    client -> driver  magic 'CVCL', selector, input length,
//                             output capacity, then the input bytes         (16 + n)
//           driver -> client  magic 'CVRS', result, output length,
//                             then the output bytes                         (12 + m)
//
// One connection is one open user client; any number of calls follow the
// open, one at a time. A side that sees a bad magic, a length above
// kMaxStructSize, or an answer longer than the capacity it declared drops
// the connection.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/DeviceAccess.h"

namespace platform::wire {

inline constexpr uint32_t Magic(char a, char b, char c, char d) {
    return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 |
           uint32_t(uint8_t(d)) << 24;
}

inline constexpr uint32_t kOpenMagic = Magic('C', 'V', 'O', 'P');
inline constexpr uint32_t kOpenAnswerMagic = Magic('C', 'V', 'O', 'A');
inline constexpr uint32_t kCallMagic = Magic('C', 'V', 'C', 'L');
inline constexpr uint32_t kCallAnswerMagic = Magic('C', 'V', 'R', 'S');
inline constexpr uint32_t kVersion = 1;

inline constexpr size_t kOpenSize = 12;
inline constexpr size_t kOpenAnswerSize = 8;
inline constexpr size_t kCallHeaderSize = 16;
inline constexpr size_t kCallAnswerHeaderSize = 12;

// How long one side waits for the other before it gives up on a call.
inline constexpr int kCallTimeoutMs = 5000;

inline void Put32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}
inline uint32_t Get32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

struct Open {
    uint32_t version = kVersion;
    uint32_t connectionType = 0;
};
struct OpenAnswer {
    int32_t result = 0;
};
struct CallHeader {
    uint32_t selector = 0;
    uint32_t inputLength = 0;
    uint32_t outputCapacity = 0;
};
struct CallAnswerHeader {
    int32_t result = 0;
    uint32_t outputLength = 0;
};

inline std::array<uint8_t, kOpenSize> Encode(const Open& m) {
    std::array<uint8_t, kOpenSize> b{};
    Put32(b.data(), kOpenMagic);
    Put32(b.data() + 4, m.version);
    Put32(b.data() + 8, m.connectionType);
    return b;
}
inline std::optional<Open> DecodeOpen(const uint8_t* b) {
    if (Get32(b) != kOpenMagic) return std::nullopt;
    return Open{Get32(b + 4), Get32(b + 8)};
}

inline std::array<uint8_t, kOpenAnswerSize> Encode(const OpenAnswer& m) {
    std::array<uint8_t, kOpenAnswerSize> b{};
    Put32(b.data(), kOpenAnswerMagic);
    Put32(b.data() + 4, uint32_t(m.result));
    return b;
}
inline std::optional<OpenAnswer> DecodeOpenAnswer(const uint8_t* b) {
    if (Get32(b) != kOpenAnswerMagic) return std::nullopt;
    return OpenAnswer{int32_t(Get32(b + 4))};
}

inline std::array<uint8_t, kCallHeaderSize> Encode(const CallHeader& m) {
    std::array<uint8_t, kCallHeaderSize> b{};
    Put32(b.data(), kCallMagic);
    Put32(b.data() + 4, m.selector);
    Put32(b.data() + 8, m.inputLength);
    Put32(b.data() + 12, m.outputCapacity);
    return b;
}
// Refuses a bad magic and lengths above kMaxStructSize.
inline std::optional<CallHeader> DecodeCallHeader(const uint8_t* b) {
    if (Get32(b) != kCallMagic) return std::nullopt;
    CallHeader h{Get32(b + 4), Get32(b + 8), Get32(b + 12)};
    if (h.inputLength > kMaxStructSize || h.outputCapacity > kMaxStructSize) return std::nullopt;
    return h;
}

inline std::array<uint8_t, kCallAnswerHeaderSize> Encode(const CallAnswerHeader& m) {
    std::array<uint8_t, kCallAnswerHeaderSize> b{};
    Put32(b.data(), kCallAnswerMagic);
    Put32(b.data() + 4, uint32_t(m.result));
    Put32(b.data() + 8, m.outputLength);
    return b;
}
// Refuses a bad magic and an answer longer than the capacity that was asked for.
inline std::optional<CallAnswerHeader> DecodeCallAnswerHeader(const uint8_t* b,
                                                              uint32_t outputCapacity) {
    if (Get32(b) != kCallAnswerMagic) return std::nullopt;
    CallAnswerHeader h{int32_t(Get32(b + 4)), Get32(b + 8)};
    if (h.outputLength > outputCapacity || h.outputLength > kMaxStructSize) return std::nullopt;
    return h;
}

}  // namespace platform::wire
