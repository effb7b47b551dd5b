#include <gtest/gtest.h>

#include <cstring>

#include "crypto/MathFunc.h"
#include "profiles/ConnectEngine.h"
#include "tests/profiles/ProfileFixtures.h"

namespace corvane {
namespace {

using namespace test;

std::vector<uint8_t> Block(std::span<const uint8_t> b) { return {b.begin(), b.end()}; }

TEST(ConvertProfile, SsidIsCutTo32Bytes) {
    ConverterKeyBuffers keys;
    const std::string longName(40, 'n');
    auto r = ConvertProfile(With(BaseProfile(), {{"SSID", longName}}), 103, keys);
    EXPECT_EQ(r->SsidRecord.SsidLength, 32u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(r->SsidRecord.Ssid), 32), longName.substr(0, 32));
}

TEST(ConvertProfile, SecurityModes) {
    const struct {
        const char* name;
        PrefDictionary changes;
        int32_t auth, enc;
        uint32_t pskLength;
    } rows[] = {
        {"open none", {}, 0, 1, 0},
        {"open wep", {{"Encryption Type", "1"}}, 0, 0, 0},
        {"shared, enc 1 still wep",
         {{"Authentication Type", "1"}, {"Encryption Type", "1"}},
         1,
         0,
         0},
        {"open, unknown enc", {{"Encryption Type", "5"}}, 0, 1, 0},
        {"negative auth", {{"Authentication Type", "-1"}, {"Encryption Type", "1"}}, 0, 1, 0},
        {"wpa-psk tkip", {{"Authentication Type", "2"}}, 4, 4, 103},
        {"wpa2-psk aes", {{"Authentication Type", "3"}, {"Encryption Type", "1"}}, 7, 6, 103},
        {"wpa2 ad hoc -> wpa-none",
         {{"Authentication Type", "3"}, {"Network Type", "0"}},
         5,
         4,
         103},
        {"auth 4 infrastructure",
         {{"Authentication Type", "4"}, {"Encryption Type", "9"}},
         0,
         6,
         103},
    };
    for (const auto& row : rows) {
        PrefDictionary p = BaseProfile();
        for (const auto& [k, v] : row.changes.Entries()) p.Set(k, v);
        ConverterKeyBuffers keys;
        auto r = ConvertProfile(p, 103, keys);
        EXPECT_EQ(r->AuthMode, row.auth) << row.name;
        EXPECT_EQ(r->EncryptionStatus, row.enc) << row.name;
        EXPECT_EQ(r->PskKeyLength, row.pskLength) << row.name;
        EXPECT_EQ(r->PskKey != nullptr, row.pskLength != 0) << row.name;
    }
}

TEST(ConvertProfile, WepKeyTexts) {
    const struct {
        const char* name;
        std::string text;
        const char* type;
        std::vector<uint8_t> key;  // empty: no key in the slot
    } rows[] = {
        {"ascii 5", "abcde", "1", Bytes("abcde")},
        {"ascii 13", "0123456789abc", "1", Bytes("0123456789abc")},
        {"hex 10", "0A1b2C3d4E", "0", Hex("0a1b2c3d4e")},
        {"hex 26", "00112233445566778899aabbcc", "0", Hex("00112233445566778899aabbcc")},
        {"hex odd: last digit ignored", "0A1b2C3d4E5", "0", Hex("0a1b2c3d4e")},
        {"one hex digit: no key", "A", "0", {}},
        {"empty", "", "1", {}},
        {"ascii 14: too long, no key", "0123456789abcd", "1", {}},
        {"hex 28: too long, no key", "00112233445566778899aabbccdd", "0", {}},
        {"hex 200: too long, no key", std::string(200, 'f'), "0", {}},
    };
    for (const auto& row : rows) {
        ConverterKeyBuffers keys;
        std::fill_n(keys.Key3Material, sizeof keys.Key3Material, 0xEE);  // stale bytes
        auto r = ConvertProfile(With(BaseProfile(), {{"Encryption Type", "1"},
                                                     {"WEPKeyUse", "2"},
                                                     {"WEPKey3", row.text},
                                                     {"WEPKey3 Type", row.type}}),
                                71, keys);
        const uint32_t length = row.key.empty() ? 0 : uint32_t(row.key.size() + 39);
        EXPECT_EQ(r->WepKey3Length, length) << row.name;
        EXPECT_EQ(Block(WepSlotBytes(*r, 2)),
                  row.key.empty() ? std::vector<uint8_t>{} : KeyBlock(length, 0x80000002, row.key))
            << row.name;
        EXPECT_EQ(keys.Key3Len, row.key.size()) << row.name;
        EXPECT_EQ(std::vector<uint8_t>(keys.Key3Material, keys.Key3Material + row.key.size()),
                  row.key)
            << row.name;
        EXPECT_EQ(r->EncryptionStatus, 0) << row.name;
        for (int other : {0, 1, 3}) EXPECT_EQ(WepSlotBytes(*r, other).size(), 0u) << row.name;
    }
}

TEST(ConvertProfile, TransmitBitOnlyOnTheUsedSlot) {
    ConverterKeyBuffers keys;
    auto r = ConvertProfile(With(BaseProfile(), {{"Authentication Type", "1"},
                                                 {"WEPKeyUse", "0"},
                                                 {"WEPKey1", "abcde"},
                                                 {"WEPKey1 Type", "1"},
                                                 {"WEPKey2", "fghij"},
                                                 {"WEPKey2 Type", "1"}}),
                            71, keys);
    EXPECT_EQ(Block(WepSlotBytes(*r, 0)), KeyBlock(44, 0x80000000, Bytes("abcde")));
    EXPECT_EQ(Block(WepSlotBytes(*r, 1)), KeyBlock(44, 0x00000001, Bytes("fghij")));
}

TEST(ConvertProfile, PreSharedKey) {
    const std::string hex64 = std::string(kIeeePmk);
    const struct {
        const char* name;
        std::string ssid, psk;
        std::vector<uint8_t> key;
    } rows[] = {
        {"passphrase hashed with the ssid", "IEEE", "password", Hex(kIeeePmk)},
        {"64 hex digits decoded", "other", hex64, Hex(kIeeePmk)},
        {"63 characters hashed, not decoded", "IEEE", hex64.substr(0, 63), {}},
        // The derivation refuses 65 characters; the key is then the text itself.
        {"65 characters: first 32 bytes", "IEEE", hex64 + "0", Bytes(hex64.substr(0, 32))},
    };
    for (const auto& row : rows) {
        ConverterKeyBuffers keys;
        auto r = ConvertProfile(
            With(BaseProfile(),
                 {{"Authentication Type", "2"}, {"SSID", row.ssid}, {"WPAPSK", row.psk}}),
            104, keys);
        auto block = Block(PskKeyBytes(*r));
        ASSERT_EQ(block.size(), 104u) << row.name;
        std::vector<uint8_t> expected = row.key;
        if (expected.empty()) {
            unsigned char pmk[40] = {};
            PasswordHash(row.psk.c_str(), reinterpret_cast<const unsigned char*>(row.ssid.data()),
                         int(row.ssid.size()), pmk);
            expected.assign(pmk, pmk + 32);
        }
        EXPECT_EQ(block, KeyBlock(104, 0x80000000, expected)) << row.name;
    }
}

TEST(ConvertProfile, AdhocChannelFrequency) {
    const struct {
        const char* channel;
        uint32_t frequency;
    } rows[] = {
        {"1", 2412000},
        {"6", 2437000},
        {"14", 2484000},
        {"36", 5180000},
        // No table row: channel 1's frequency.
        {"15", 2412000},
        {"0", 2412000},
        {"-6", 2412000},
        {"", 2412000},
        {"abc", 2412000},
    };
    for (const auto& row : rows) {
        ConverterKeyBuffers keys;
        auto r = ConvertProfile(
            With(BaseProfile(), {{"Network Type", "0"}, {"Channel", row.channel}}), 104, keys);
        EXPECT_EQ(r->ChannelFrequency, row.frequency) << row.channel;
    }
}

TEST(ConvertProfile, EmptyDictionaryIsAnOpenAdhocRecord) {
    ConverterKeyBuffers keys;
    auto r = ConvertProfile({}, 104, keys);
    EXPECT_EQ(r->NetworkType, 0);
    EXPECT_EQ(r->AuthMode, 0);
    EXPECT_EQ(r->EncryptionStatus, 1);
    EXPECT_EQ(r->SsidRecord.SsidLength, 0u);
    EXPECT_EQ(r->ChannelFrequency, 2412000u);
}

TEST(ProfileRecord, ResetRecordAndRelease) {
    auto reset = MakeResetRecord();
    EXPECT_EQ(reset->NetworkType, 1);
    EXPECT_EQ(reset->EncryptionStatus, 1);
    EXPECT_EQ(reset->bDisassociateFirst, 1);
    EXPECT_EQ(reset->AuthMode, 0);
    EXPECT_EQ(reset->PskKeyLength + reset->WepKey1Length, 0u);

    ConverterKeyBuffers keys;
    auto r = ConvertProfile(
        With(BaseProfile(),
             {{"Authentication Type", "1"}, {"WEPKey1", "abcde"}, {"WEPKey1 Type", "1"}}),
        71, keys);
    r->PskKey = BuildKeyRecord(104, 0x80000000, Hex(kIeeePmk));
    r->PskKeyLength = 104;
    ReleaseKeyRecords(*r);
    EXPECT_EQ(r->PskKey, nullptr);
    EXPECT_EQ(r->PskKeyLength, 0u);
    EXPECT_EQ(r->WepKey1, nullptr);
    EXPECT_EQ(r->WepKey1Length, 0u);
    ReleaseProfileData(r);
    EXPECT_EQ(r, nullptr);
    ReleaseProfileData(r);                                     // a second release is harmless
    EXPECT_EQ(BuildKeyRecord(40, 0, Hex(kIeeePmk)), nullptr);  // no room for the key
}

}  // namespace
}  // namespace corvane
