// The "Wireless Mode" codes as the advanced page and the agent read them:
// the numbers are written out here as the preference files hold them.
#include <gtest/gtest.h>

#include "profiles/StoredIndexes.h"

namespace corvane {
namespace {

TEST(WirelessModes, EachCodeShowsItsEntryRatesAndProtection) {
    struct Row {
        int32_t code;
        int setUpEntry, cancelEntry;
        size_t rates;
        bool ofdmOnly, applyTurnsOffBg;
    } const rows[] = {
        {0, 0, 0, 13, false, false}, {1, 0, 0, 0, false, true},   {2, 1, 1, 9, true, true},
        {3, 2, 2, 13, false, false}, {4, 0, 0, 9, true, false},   {5, 2, 2, 13, false, false},
        {6, 0, 0, 0, false, false},  {8, 1, 1, 13, false, false}, {9, 0, 0, 13, false, false},
        {11, 2, 0, 0, false, false}, {-1, 0, 0, 0, false, false}, {12, 0, 0, 0, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.code);
        EXPECT_EQ(WirelessModeEntry(r.code, true), r.setUpEntry);
        EXPECT_EQ(WirelessModeEntry(r.code, false), r.cancelEntry);
        EXPECT_EQ(TxRateTexts(r.code).size(), r.rates);
        EXPECT_EQ(IsOfdmOnlyMode(r.code), r.ofdmOnly);
        EXPECT_EQ(ApplyTurnsOffBgProtection(r.code), r.applyTurnsOffBg);
    }
}

TEST(WirelessModes, CodesByEntryAndDefaultsByAdapterKind) {
    struct Row {
        AdapterKind kind;
        std::optional<int32_t> entry24, entry5, entryBoth;
        int32_t nOnly, aOnly, both, neither;  // the agent's default by the bands it has
    } const rows[] = {
        {AdapterKind::Osprey, 9, 8, 5, 9, 8, 5, 5},
        {AdapterKind::Merlin, 0, 2, 3, 0, 2, 3, 5},
        {AdapterKind::Kestrel, 0, 2, 3, 0, 2, 3, 5},
        {AdapterKind::Falcon, std::nullopt, std::nullopt, std::nullopt, 5, 5, 5, 5},
        {AdapterKind::CardBus, std::nullopt, std::nullopt, std::nullopt, 5, 5, 5, 5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(uint32_t(r.kind));
        EXPECT_EQ(WirelessModeCode(kWirelessModeEntry24, r.kind), r.entry24);
        EXPECT_EQ(WirelessModeCode(kWirelessModeEntry5, r.kind), r.entry5);
        EXPECT_EQ(WirelessModeCode(kWirelessModeEntryBoth, r.kind), r.entryBoth);
        EXPECT_EQ(WirelessModeCode(3, r.kind), std::nullopt);
        EXPECT_EQ(DefaultWirelessMode(r.kind, true, false), r.nOnly);
        EXPECT_EQ(DefaultWirelessMode(r.kind, false, true), r.aOnly);
        EXPECT_EQ(DefaultWirelessMode(r.kind, true, true), r.both);
        EXPECT_EQ(DefaultWirelessMode(r.kind, false, false), r.neither);
    }
}

}  // namespace
}  // namespace corvane
