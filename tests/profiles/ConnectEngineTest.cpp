// Converting stored profiles and applying records, checked byte for byte
// against the recording fake driver.
#include <gtest/gtest.h>

#include <array>

#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "crypto/MathFunc.h"
#include "platform/Clock.h"
#include "profiles/ConnectEngine.h"
#include "tests/support/ManualClock.h"
#include "tests/support/ProcessValues.h"
#include "tests/support/RequestBytes.h"

namespace corvane {
namespace {

using namespace test;
using Bytes = ByteVec;

// The pairwise master key of "password" with SSID "IEEE".
const std::string kIeeePmk = "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e";

// An open infrastructure profile with `changes`; keys left out read as 0 or "".
PrefDictionary BaseProfile(const std::vector<PrefDictionary::Entry>& changes = {}) {
    PrefDictionary d{{"SSID", "IEEE"},          {"WPAPSK", "password"},
                     {"Network Type", "1"},     {"Preamble Type", "1"},
                     {"RTS Threshold", "2347"}, {"Fragmentation Threshold", "2346"}};
    for (const auto& [k, v] : changes) d.Set(k, v);
    return d;
}
Calls Psk(uint32_t oid, uint32_t length) { return PskKey(HexBytes(kIeeePmk), oid, length); }
const Calls kTail = Join({kPowerMode, Ssid("IEEE")});

TEST(ApplySequence, BytesExact) {
    corvane::test::ResetGlobals();  // before the adapter, which marks the client width
    __DEBUG__ = 0;
    test::RecordingUserClientProvider driver;
    corvane::test::ManualClock clock;
    platform::ScopedClock scopedClock{clock};
    KestrelAccess adapter;
    driver.SetAnswer(0x0D010211, Config(2462000));
    const Bytes bssid = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
    auto byBssid = MakeResetRecord();
    byBssid->bDisassociateFirst = 0;
    byBssid->bConnectByBssid = 1;
    byBssid->ChannelFrequency = 2437000;
    std::copy(bssid.begin(), bssid.end(), byBssid->Bssid);
    Calls noDrop = Head(1, 0, 1, 100, {0, 0, 0});
    noDrop.erase(noDrop.begin() + 1);
    const std::string wep104 = "00112233445566778899aabbcc";

    struct Row {
        const char* name;
        ConnectVariant variant;
        PrefDictionary profile;
        Calls expected;
        ProfileRecordPtr record = nullptr;  // instead of the converted profile
    } rows[] = {
        {"open, ssid cut to 32 bytes", kPaneActiveProfileCheck,
         BaseProfile({{"SSID", std::string(40, 'n')}}),
         Join({Head(1, 0, 1), kPowerMode, Ssid(std::string(32, 'n'))})},
        {"open wep, all slots empty", kPaneActivate, BaseProfile({{"Encryption Type", "1"}}),
         Join({Head(1, 0, 0), RemoveKey(0), RemoveKey(1), RemoveKey(2), RemoveKey(3), kTail})},
        {"shared wep, slots 1 and 3 filled, key 3 transmits", kAgent,
         BaseProfile({{"Authentication Type", "1"},
                      {"WEPKeyUse", "2"},
                      {"WEPKey1", "abcde"},
                      {"WEPKey1 Type", "1"},
                      {"WEPKey3", wep104}}),
         Join({Head(1, 1, 0), Calls{{0x0DF101F4, KeyBlock(44, 0, Text("abcde"))}}, RemoveKey(1),
               Calls{{0x0DF101F4, KeyBlock(52, 0x80000002, HexBytes(wep104))}}, RemoveKey(3),
               kTail})},
        {"wpa-psk, pane check: 103-byte key", kPaneActiveProfileCheck,
         BaseProfile({{"Authentication Type", "2"}}),
         Join({Head(1, 4, 4), Psk(0x0DF101F3, 103), kTail})},
        {"wpa2-psk aes, activate: 71-byte key", kPaneActivate,
         BaseProfile({{"Authentication Type", "3"}, {"Encryption Type", "1"}}),
         Join({Head(1, 7, 6), Psk(0x0DF101F3, 71), kTail})},
        {"wpa2-psk, agent: 104-byte key, tx power 12%", kAgent,
         BaseProfile({{"Authentication Type", "3"}, {"Tx Power", "4"}}),
         Join({Head(1, 7, 4, 12), Psk(0x0DF101F3, 104), kTail})},
        {"64 hex digits decoded, not hashed", kAgent,
         BaseProfile({{"Authentication Type", "2"}, {"WPAPSK", kIeeePmk}}),
         Join({Head(1, 4, 4), Psk(0x0DF101F3, 104), kTail})},
        {"wpa-none ad hoc, agent: no power mode", kAgent,
         BaseProfile({{"Authentication Type", "3"}, {"Network Type", "0"}, {"Channel", "6"}}),
         Join({Head(0, 5, 4), Psk(0x0DF101F4, 104), Configure(2437000), Ssid("IEEE")})},
        {"open ad hoc, pane: power mode sent, tx index 7 is 100%", kPaneActivate,
         BaseProfile({{"Network Type", "0"}, {"Channel", "11"}, {"Tx Power", "7"}}),
         Join({Head(0, 0, 1), Configure(2462000), kTail})},
        {"auth 4: open, key not sent", kAgent,
         BaseProfile({{"Authentication Type", "4"}, {"Encryption Type", "9"}}),
         Join({Head(1, 0, 6), kTail})},
        {"empty dictionary: open ad hoc on channel 1", kAgent, PrefDictionary(),
         Join({Head(0, 0, 1, 100, {0, 0, 0}), Configure(2412000), Ssid("")})},
        {"reset record", kPaneTask, PrefDictionary(),
         Join({Head(1, 0, 1, 100, {0, 0, 0}), kPowerMode, Ssid("")}), MakeResetRecord()},
        {"by bssid: no disassociate, configuration then bssid", kPaneTask, PrefDictionary(),
         Join({noDrop, kPowerMode, Configure(2437000), Calls{{0x0D810101, bssid}}}),
         std::move(byBssid)},
    };
    size_t callsAtPause = 0;
    clock.SetSleepHook([&](uint64_t) { callsAtPause = driver.Calls().size(); });
    for (Row& row : rows) {
        driver.ClearCalls();
        clock.ClearSleeps();
        callsAtPause = 0;
        ConverterKeyBuffers keys;
        if (!row.record)
            row.record = ConvertProfile(row.profile, row.variant.pskKeyRecordLength, keys);
        ApplyProfile(adapter, *row.record, row.variant);
        EXPECT_EQ(Recorded(driver), row.expected) << row.name;
        // Only the pane pauses, for 10 ms, right after the disassociate.
        const bool pause = row.variant.waitAfterDisassociate && row.record->bDisassociateFirst;
        EXPECT_EQ(clock.Sleeps(), pause ? std::vector<uint64_t>{10000} : std::vector<uint64_t>{})
            << row.name;
        EXPECT_EQ(callsAtPause, pause ? 2u : 0u) << row.name;
    }
    corvane::test::ResetGlobals();
}

Bytes Block(std::span<const uint8_t> b) { return {b.begin(), b.end()}; }
ProfileRecordPtr Convert(const std::vector<PrefDictionary::Entry>& changes, uint32_t psk = 104) {
    static ConverterKeyBuffers keys;
    return ConvertProfile(BaseProfile(changes), psk, keys);
}

TEST(ConvertProfile, AdhocChannelWithoutATableRowIsChannel1) {
    const std::pair<const char*, uint32_t> channels[] = {{"14", 2484000}, {"36", 5180000},
                                                         {"15", 2412000}, {"0", 2412000},
                                                         {"-6", 2412000}, {"abc", 2412000}};
    for (auto [channel, frequency] : channels)
        EXPECT_EQ(Convert({{"Network Type", "0"}, {"Channel", channel}})->ChannelFrequency,
                  frequency)
            << channel;
}

TEST(ConvertProfile, WepKeyTexts) {
    // Text, type (0: hexadecimal), key bytes (none: no key in the slot).
    const std::tuple<const char*, const char*, Bytes> rows[] = {
        {"0123456789abc", "1", Text("0123456789abc")},
        {"0A1b2C3d4E", "0", HexBytes("0a1b2c3d4e")},
        {"0A1b2C3d4E5", "0", HexBytes("0a1b2c3d4e")},  // odd last digit ignored
        {"A", "0", {}},
        {"0123456789abcd", "1", {}},  // longer than 13 bytes
        {"00112233445566778899aabbccdd", "0", {}},
    };
    for (const auto& [text, type, key] : rows) {
        auto r = Convert({{"Authentication Type", "1"}, {"WEPKey1", text}, {"WEPKey1 Type", type}});
        EXPECT_EQ(Block(WepSlotBytes(*r, 0)),
                  key.empty() ? key : KeyBlock(uint32_t(key.size() + 39), 0x80000000, key))
            << text;
        EXPECT_EQ(r->EncryptionStatus, 0) << text;
    }
}

TEST(ConvertProfile, PassphrasesThatAreNot64HexDigits) {
    auto key = [](const std::string& psk) {
        return Block(PskKeyBytes(*Convert({{"Authentication Type", "2"}, {"WPAPSK", psk}})));
    };
    unsigned char pmk[40] = {};
    PasswordHash(kIeeePmk.substr(0, 63).c_str(), reinterpret_cast<const unsigned char*>("IEEE"), 4,
                 pmk);
    EXPECT_EQ(key(kIeeePmk.substr(0, 63)), KeyBlock(104, 0x80000000, {pmk, pmk + 32}));  // hashed
    // The derivation refuses 65 characters; the key is then the text itself.
    EXPECT_EQ(key(kIeeePmk + "0"), KeyBlock(104, 0x80000000, Text(kIeeePmk.substr(0, 32))));
}

}  // namespace
}  // namespace corvane
