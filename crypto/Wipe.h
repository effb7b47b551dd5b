// Clearing of key material the compiler may not optimise away.
#pragma once

#include <cstddef>

namespace corvane::detail {

inline void SecureWipe(void* p, size_t n) {
    volatile unsigned char* b = static_cast<volatile unsigned char*>(p);
    while (n--) *b++ = 0;
}

}  // namespace corvane::detail
