// The advanced page's rules without widgets: what set-up offers and selects
// for each adapter kind and stored file, and what Apply stores after a mode
// change. The window's tests follow the requests and reconnects.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "pane/AdvancedSettings.h"
#include "platform/Clock.h"
#include "profiles/StoredIndexes.h"
#include "tests/support/ManualClock.h"
#include "tests/support/ProcessValues.h"
#include "tests/support/RecordingUserClientProvider.h"
#include "tests/support/TempFolders.h"

namespace corvane {
namespace {

PrefDictionary Stored(int rate, int bg, int burst, int adhoc, int mode) {
    return {{kKeyTxRate, FormatInt(rate)},
            {kKeyBgProtection, FormatInt(bg)},
            {kKeyTxBurst, FormatInt(burst)},
            {kKeyAdHocMode, FormatInt(adhoc)},
            {kKeyWirelessMode, FormatInt(mode)}};
}

class AdvancedSettingsTest : public ::testing::Test {
protected:
    AdvancedSettingsTest() {
        corvane::test::ResetGlobals();
        __DEBUG__ = 0;
    }
    ~AdvancedSettingsTest() override { corvane::test::ResetGlobals(); }

    // The adapter found under `driverClass` (Current_Device follows it).
    void Plug(const char* driverClass) {
        driver_.reset();
        driver_.emplace(driverClass);
        ASSERT_TRUE(adapter_.SearchDevice());
        adapter_.CloseConnectToDevice();
    }
    void Store(const PrefDictionary& record) {
        WritePreferenceArray(kAdvancedSettingPath, {record});
    }
    // No active profile; reconnects are dropped (the window's tests follow them).
    static ReconnectHooks Hooks() {
        return {[] { return false; }, [](ProfileRecordPtr) {}};
    }

    test::TempHome home_;
    corvane::test::ManualClock clock_;
    platform::ScopedClock clockScope_{clock_};
    std::optional<test::RecordingUserClientProvider> driver_;
    KestrelAccess adapter_;
    AdvancedSettingsModel model_;
};

TEST_F(AdvancedSettingsTest, SetUpOffersAndSelectsByAdapterKind) {
    const std::vector<std::string> both = {"2.4G", "5G", "2.4+5G"};
    struct Row {
        const char* driverClass;
        bool aSupport;
        std::optional<PrefDictionary> stored;
        std::vector<std::string> modes;
        int entry;
        int32_t code;
        size_t rates;
        int rateSelected, bgSelected;
        RateControls controls;
        bool burstChecked = true;
    } const rows[] = {
        // clang-format off
        // No 5 GHz: one entry, the list off, a stored dual-band code shows 2.4G.
        {"OspreyUSBWirelessDriver", false, Stored(3, 1, 1, 1, 5), {"2.4G"}, 0, 9, 13, 0, 0,
         RateControls::Hidden},
        {"MerlinUSBWirelessDriver", false, Stored(3, 1, 1, 1, 3), {"2.4G"}, 0, 0, 13, 3, 1,
         RateControls::Shown},
        // 5 GHz only: nine OFDM rates, index 12 back to Auto, protection off.
        {"MerlinUSBWirelessDriver", true, Stored(12, 2, 1, 1, 2), both, 1, 2, 9, 0, 0,
         RateControls::Shown},
        // Code 11 stands for dual band at set-up.
        {"MerlinUSBWirelessDriver", true, Stored(5, 2, 0, 0, 11), both, 2, 3, 13, 5, 2,
         RateControls::Shown, false},
        // Indexes the lists do not have show and store the first entry.
        {"MerlinUSBWirelessDriver", true, Stored(40, 9, 1, 1, 0), both, 0, 0, 13, 0, 0,
         RateControls::Shown},
        // No file: the start values (dual band on Osprey).
        {"OspreyUSBWirelessDriver", true, std::nullopt, both, 2, 5, 13, 0, 0, RateControls::Hidden},
        // clang-format on
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.driverClass + std::string(row.aSupport ? " 5GHz" : ""));
        Plug(row.driverClass);
        std::remove(home_.PreferencesFile("AdvancedProfileSetting.plist").c_str());
        if (row.stored) Store(*row.stored);
        model_ = AdvancedSettingsModel();
        model_.InitAdvanceSetting(row.aSupport, Current_Device);
        EXPECT_EQ(model_.wirelessModes, row.modes);
        EXPECT_EQ(model_.wirelessModeEnabled, row.aSupport);
        EXPECT_EQ(model_.wirelessModeSelected, row.entry);
        EXPECT_EQ(model_.nWirelessMode, row.code);
        EXPECT_EQ(model_.txRates.size(), row.rates);
        EXPECT_EQ(model_.txRateSelected, row.rateSelected);
        EXPECT_EQ(model_.bgProtectionSelected, row.bgSelected);
        EXPECT_EQ(model_.rateControls, row.controls);
        EXPECT_EQ(model_.txBurstChecked, row.burstChecked) << "the box shows what is stored";
        EXPECT_TRUE(model_.buttonsEnabled) << "set-up runs the mode handler";
        EXPECT_EQ(model_.bToBeRescan, 0);
    }
}

TEST_F(AdvancedSettingsTest, ApplyRescansAfterAModeChangeAndResendsRadioOff) {
    Plug("OspreyUSBWirelessDriver");
    model_.InitAdvanceSetting(true, Current_Device);  // no file: code 5
    model_.OnSelChangeWirelessMode(kWirelessModeEntryBoth, Current_Device);
    EXPECT_EQ(model_.bToBeRescan, 0) << "the mode shown, not the 0 applied last";
    model_.OnSelChangeWirelessMode(kWirelessModeEntry5, Current_Device);
    EXPECT_EQ(model_.nWirelessMode, 8);
    ApplyOutcome first = ApplyAdvancedSettings(adapter_, model_, Hooks());
    EXPECT_TRUE(first.rescanLater) << "the first Apply of a code other than 0";
    EXPECT_FALSE(first.radioOffAgain);
    EXPECT_EQ(G_enumWirelessMode, 8);

    model_.OnTxBurst(false);  // the same mode again: no rescan
    model_.OnSelChangeWirelessMode(kWirelessModeEntry5, Current_Device);
    EXPECT_FALSE(ApplyAdvancedSettings(adapter_, model_, Hooks()).rescanLater);

    G_bRadio = 0;
    model_.OnSelChangeWirelessMode(kWirelessModeEntry24, Current_Device);
    ApplyOutcome off = ApplyAdvancedSettings(adapter_, model_, Hooks());
    EXPECT_FALSE(off.rescanLater) << "no rescan while the radio is off";
    EXPECT_TRUE(off.radioOffAgain);
    EXPECT_EQ(ReadPreferenceArray(kAdvancedSettingPath).at(0), Stored(0, 0, 0, 1, 9));
}

TEST_F(AdvancedSettingsTest, FiveGigahertzModeForcesProtectionOff) {
    Plug("MerlinUSBWirelessDriver");
    Store(Stored(4, 1, 1, 1, 0));
    model_.InitAdvanceSetting(true, Current_Device);
    model_.OnSelChangeWirelessMode(kWirelessModeEntry5, Current_Device);
    EXPECT_EQ(model_.txRates.size(), 9u);
    EXPECT_EQ(model_.txRates.at(4), "18 Mbps");
    EXPECT_EQ(model_.bgProtectionSelected, 0);
    model_.OnSelBGProtection(1);  // offered, but a 5 GHz mode stores none
    ApplyAdvancedSettings(adapter_, model_, Hooks());
    EXPECT_EQ(ReadPreferenceArray(kAdvancedSettingPath).at(0), Stored(4, 0, 1, 1, 2));
}

}  // namespace
}  // namespace corvane
