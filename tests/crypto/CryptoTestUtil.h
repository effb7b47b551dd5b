// Helpers shared by the crypto tests: hex text, a reference derivation and
// the optional wpa_passphrase tool.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace corvane::test {

using Bytes = std::vector<uint8_t>;

Bytes FromHex(const std::string& hex);
std::string ToHex(const uint8_t* p, size_t n);
inline std::string ToHex(const Bytes& b) { return ToHex(b.data(), b.size()); }
inline Bytes AsBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

// PBKDF2-HMAC-SHA1 by OpenSSL, the reference.
Bytes ReferencePbkdf2(const std::string& password, const Bytes& salt, int iterations, int len);

// The PSK that wpa_passphrase prints, or nothing when the tool is not
// installed. Only for passphrases and SSIDs of letters and digits.
std::optional<std::string> WpaPassphrasePsk(const std::string& ssid, const std::string& password);
bool HaveWpaPassphrase();

std::string RandomPrintable(std::mt19937& rng, size_t len);
Bytes RandomBytes(std::mt19937& rng, size_t len);
std::string RandomAlnum(std::mt19937& rng, size_t len);

}  // namespace corvane::test
