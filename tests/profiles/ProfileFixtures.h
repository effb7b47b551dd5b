// Profile dictionaries and expected driver bytes shared by the profile tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "adapter/Globals.h"
#include "profiles/PreferenceFiles.h"

namespace corvane::test {

// Puts every process-wide value back to its start value on construction and
// destruction.
struct GlobalsAtStart {
    GlobalsAtStart() { ResetGlobalsForTest(); }
    ~GlobalsAtStart() { ResetGlobalsForTest(); }
};

// An open infrastructure profile as the editor writes it.
inline PrefDictionary BaseProfile() {
    return {{"Profile Name", "PROF1"},
            {"SSID", "Corvane"},
            {"BSSID", ""},
            {"Hidden", "0"},
            {"Network Type", "1"},
            {"Channel", "1"},
            {"Authentication Type", "0"},
            {"Encryption Type", "0"},
            {"WEPKey1", ""},
            {"WEPKey1 Type", "0"},
            {"WEPKey2", ""},
            {"WEPKey2 Type", "0"},
            {"WEPKey3", ""},
            {"WEPKey3 Type", "0"},
            {"WEPKey4", ""},
            {"WEPKey4 Type", "0"},
            {"WEPKeyUse", "0"},
            {"WPAPSK", ""},
            {"Tx Power", "0"},
            {"Preamble Type", "1"},
            {"RTS Threshold", "2347"},
            {"Fragmentation Threshold", "2346"},
            {"Power Save Mode", "0"},
            {"AC Power CAM", "1"}};
}

inline PrefDictionary With(PrefDictionary d, std::initializer_list<PrefDictionary::Entry> changes) {
    for (const auto& [k, v] : changes) d.Set(k, v);
    return d;
}

inline std::vector<uint8_t> Hex(const std::string& hex) {
    std::vector<uint8_t> out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(uint8_t(std::stoul(hex.substr(i, 2), nullptr, 16)));
    return out;
}

inline std::vector<uint8_t> U32(uint32_t v) {
    return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

// An NDIS_802_11_KEY block as the driver must see it.
inline std::vector<uint8_t> KeyBlock(uint32_t length, uint32_t index,
                                     const std::vector<uint8_t>& key) {
    std::vector<uint8_t> b(length, 0);
    auto put = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
    };
    put(0, length);
    put(4, index);
    put(8, uint32_t(key.size()));
    for (int i = 12; i < 18; ++i) b[i] = 0xFF;
    for (size_t i = 0; i < key.size(); ++i) b[32 + i] = key[i];
    return b;
}

inline std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

// IEEE 802.11i passphrase vector: "password" with SSID "IEEE".
inline const char* kIeeePmk = "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e";

}  // namespace corvane::test
