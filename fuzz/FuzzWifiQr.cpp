// A Wi-Fi QR text as `corvane join --qr` and the site survey's "Join from QR
// text…" read it: parsed, and a text that parses is encoded again and must
// read back as the same network.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "exchange/WifiQr.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const corvane::WifiQrParse parsed = corvane::ParseWifiQr(text);
    if (parsed.outcome != corvane::WifiQrParse::Outcome::kNetwork) return 0;
    const corvane::WifiQrParse again = corvane::ParseWifiQr(corvane::EncodeWifiQr(parsed.network));
    if (again.outcome != corvane::WifiQrParse::Outcome::kNetwork ||
        !(again.network == parsed.network))
        std::abort();
    return 0;
}
