#include "CryptoTestUtil.h"

#include <openssl/evp.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

namespace corvane::test {
namespace {

const char* WpaPassphrasePath() {
    for (const char* path : {"/usr/sbin/wpa_passphrase", "/usr/bin/wpa_passphrase"}) {
        if (access(path, X_OK) == 0) return path;
    }
    return nullptr;
}

}  // namespace

Bytes FromHex(const std::string& hex) {
    if (hex.size() % 2) throw std::invalid_argument("odd hex length");
    Bytes out;
    for (size_t i = 0; i < hex.size(); i += 2)
        out.push_back(uint8_t(std::stoul(hex.substr(i, 2), nullptr, 16)));
    return out;
}

std::string ToHex(const uint8_t* p, size_t n) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        s += digits[p[i] >> 4];
        s += digits[p[i] & 15];
    }
    return s;
}

Bytes ReferencePbkdf2(const std::string& password, const Bytes& salt, int iterations, int len) {
    Bytes out(static_cast<size_t>(len));
    if (PKCS5_PBKDF2_HMAC_SHA1(password.data(), int(password.size()), salt.data(), int(salt.size()),
                               iterations, len, out.data()) != 1) {
        throw std::runtime_error("PKCS5_PBKDF2_HMAC_SHA1 failed");
    }
    return out;
}

bool HaveWpaPassphrase() { return WpaPassphrasePath() != nullptr; }

std::optional<std::string> WpaPassphrasePsk(const std::string& ssid, const std::string& password) {
    const char* tool = WpaPassphrasePath();
    if (!tool) return std::nullopt;
    const std::string command = std::string(tool) + " '" + ssid + "' '" + password + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return std::nullopt;
    std::string output;
    char buf[256];
    while (size_t n = fread(buf, 1, sizeof buf, pipe)) output.append(buf, n);
    pclose(pipe);
    const std::string key = "\tpsk=";
    const size_t at = output.find(key);
    if (at == std::string::npos) return std::nullopt;
    return output.substr(at + key.size(), 64);
}

std::string RandomPrintable(std::mt19937& rng, size_t len) {
    std::uniform_int_distribution<int> dist(32, 126);
    std::string s;
    for (size_t i = 0; i < len; ++i) s += char(dist(rng));
    return s;
}

Bytes RandomBytes(std::mt19937& rng, size_t len) {
    std::uniform_int_distribution<int> dist(0, 255);
    Bytes b;
    for (size_t i = 0; i < len; ++i) b.push_back(uint8_t(dist(rng)));
    return b;
}

std::string RandomAlnum(std::mt19937& rng, size_t len) {
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<size_t> dist(0, sizeof alphabet - 2);
    std::string s;
    for (size_t i = 0; i < len; ++i) s += alphabet[dist(rng)];
    return s;
}

}  // namespace corvane::test
