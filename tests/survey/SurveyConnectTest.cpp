// Connecting to a scanned network and adding it to the profiles: the
// refusals, the key dialog's preselection, and the connect record as the
// driver receives it through the apply sequence, byte for byte.
#include <gtest/gtest.h>

#include "adapter/Oids.h"
#include "profiles/ConnectEngine.h"
#include "survey/SurveyConnect.h"
#include "tests/adapter/AdapterFixture.h"
#include "tests/support/RequestBytes.h"

namespace corvane::test {
namespace {

// The pairwise master key of "password" with SSID "IEEE" (IEEE 802.11i).
const std::string kIeeePmk = "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e";
const ByteVec kBssid = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};

// The site survey's preamble 2 and thresholds 2347 / 2346.
Calls SurveyHead(uint32_t mode, uint32_t auth, uint32_t enc) {
    return Head(mode, auth, enc, 100, {2, 2347, 2346});
}
Calls ByBssid(uint32_t khz) {
    return Join({kPowerMode, Configure(khz), Calls{{0x0D810101, kBssid}}});
}

ScanEntrySpec Network(const std::string& tagged, uint32_t privacy = 1, uint32_t mode = 1,
                      uint32_t khz = 2437000, const std::string& ssid = "IEEE") {
    ScanEntrySpec s;
    s.ssid = ssid;
    s.privacy = privacy;
    s.infrastructureMode = mode;
    s.dsConfig = khz;
    s.tagged = HexBytes(tagged);
    return s;
}

// What the user types into the key dialog after the page preselected it.
struct Typed {
    std::array<int32_t, 4> keyType = {};
    std::array<std::string, 4> keyText;
    int radio = 0;  // 0..3
    std::string psk;
};

using SurveyConnect = AdapterTest;

TEST_F(SurveyConnect, RecordsReachTheDriverByteForByte) {
    driver_.SetAnswer(0x0D010211, Config(2412000));
    const ByteVec key1 = {0x01, 0x23, 0x45, 0x67, 0x89};

    struct Row {
        const char* name;
        ScanEntrySpec network;
        std::optional<Typed> typed;          // the key dialog runs
        std::array<int32_t, 3> preset = {};  // list kind, authentication, encryption
        Calls expected;
    } rows[] = {
        // clang-format off
        {"open infrastructure: by BSSID, no dialog", Network("", 0), std::nullopt, {},
         Join({SurveyHead(1, 0, 1), ByBssid(2437000)})},
        {"WEP, keys 1 and 3, key 3 transmits", Network("", 1, 1, 2412000),
         Typed{{0, 0, 1, 0}, {"0123456789", "", "abcdefghijklm", ""}, 2, ""}, {1, 0, 1},
         Join({SurveyHead(1, 0, 0), AddKey(KeyBlock(76, 0, key1)), RemoveKey(1),
               AddKey(KeyBlock(84, 0x80000002, Text("abcdefghijklm"))), RemoveKey(3),
               ByBssid(2412000)})},
        {"ad hoc WEP: the ad hoc list, by SSID", Network("", 1, 0, 2412000),
         Typed{{1, 0, 0, 0}, {"abcde", "", "", ""}, 0, ""}, {0, 0, 1},
         Join({SurveyHead(0, 0, 0), AddKey(KeyBlock(76, 0x80000000, Text("abcde"))), RemoveKey(1),
               RemoveKey(2), RemoveKey(3), Configure(2412000), kPowerMode, Ssid("IEEE")})},
        {"WPA and WPA2 mixed: WPA2-PSK with AES", Network(Rsn(4, {4}, {2}) + Wpa(2, {2}, {2})),
         Typed{{}, {}, 0, "password"}, {1, 3, 1},
         Join({SurveyHead(1, 7, 6), PskKey(HexBytes(kIeeePmk)), ByBssid(2437000)})},
        // clang-format on
    };
    for (Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ByteVec bytes = ScanEntry(row.network);
        const BssEntry entry(bytes);
        const auto ap = AccessPointForEntry(*adapter_, entry);
        ASSERT_TRUE(ap);
        const ConnectPlan plan = PlanSurveyConnect(*ap, entry);
        ASSERT_EQ(plan.refusal, std::nullopt);
        ASSERT_EQ(plan.needsKeys, row.typed.has_value());

        WEPSettingValues values;
        if (row.typed) {
            KeyEntryGroup dialog(SecurityListOwner::KeyDialog);
            PresetKeyDialog(dialog, plan.preset);
            EXPECT_EQ((std::array{plan.preset.listKind, dialog.fields.nAuthenType,
                                  dialog.fields.nEncryType}),
                      row.preset);
            EXPECT_EQ(plan.preset.focus, dialog.fields.PskInUse() ? 1 : 0);
            dialog.fields.keyType = row.typed->keyType;
            dialog.fields.keyText = row.typed->keyText;
            dialog.fields.radio = {};
            dialog.fields.radio[size_t(row.typed->radio)] = true;
            dialog.fields.wpaPreSharedKey = row.typed->psk;
            ASSERT_TRUE(ConfirmKeyDialog(dialog, values));
        }
        ProfileRecordPtr record = BuildSurveyConnectRecord(entry, row.typed ? &values : nullptr);
        driver_.ClearCalls();
        ApplyProfile(*adapter_, *record, kPaneTask);
        EXPECT_EQ(Recorded(driver_), row.expected);
    }
    EXPECT_TRUE(alerts_.alerts.empty());
}

TEST_F(SurveyConnect, RefusalsAndTheAddToProfilePrefill) {
    const std::string kEnterprise = "WPA-Enterprise / WPA2-Enterprise isn't supported yet!!!";
    const std::string k5GHzAdhoc = "5GHz band of Adhoc isn't supported yet!!!";
    auto unsupported = [](const std::string& name) {
        return "This network uses " + name + " security, which this adapter doesn't support.";
    };
    struct Prefill {
        int32_t auth, enc;
        uint32_t channel;
    };
    struct Row {
        const char* name;
        ScanEntrySpec network;
        std::optional<std::string> connectRefusal, addRefusal;
        std::optional<Prefill> prefill;  // when adding is not refused
    } rows[] = {
        // clang-format off
        {"WPA 802.1X", Network(Wpa(2, {2}, {1})), kEnterprise, kEnterprise, std::nullopt},
        {"ad hoc WPA-NONE", Network(Wpa(2, {2}, {2}), 1, 0), "WPA-NONE of Adhoc doesn't supported!!!",
         "WPA-NONE of Adhoc doesn't supported!!!", std::nullopt},
        {"ad hoc WPA2-NONE", Network(Rsn(4, {4}, {2}), 1, 0), unsupported("WPA2-NONE"),
         unsupported("WPA2-NONE"), std::nullopt},
        {"WPA3-SAE", Network(Rsn(4, {4}, {8})), unsupported("WPA3-SAE"), unsupported("WPA3-SAE"),
         std::nullopt},
        {"WPA2-PSK with GCMP", Network(Rsn(8, {8}, {2})), unsupported("WPA2-PSK with GCMP"),
         unsupported("WPA2-PSK with GCMP"), std::nullopt},
        {"hidden infrastructure network", Network("", 0, 1, 2412000, ""),
         "This access point has advanced security settings. "
         "Please add the profile manually by button [Add to Profile]",
         std::nullopt, Prefill{0, 1, 1}},
        {"5 GHz ad hoc: adding only", Network("", 0, 0, 5180000), std::nullopt, k5GHzAdhoc,
         std::nullopt},
        {"5 GHz ad hoc with unsupported security: the band first",
         Network(Rsn(4, {4}, {2}), 1, 0, 5180000), unsupported("WPA2-NONE"), k5GHzAdhoc, std::nullopt},
        {"WPA2-PSK AES", Network(Rsn(4, {4}, {2})), std::nullopt, std::nullopt, Prefill{7, 6, 6}},
        {"WPA-PSK TKIP", Network(Wpa(2, {2}, {2})), std::nullopt, std::nullopt, Prefill{4, 4, 6}},
        {"WEP", Network("", 1), std::nullopt, std::nullopt, Prefill{0, 0, 6}},
        {"open", Network("", 0), std::nullopt, std::nullopt, Prefill{0, 1, 6}},
        // clang-format on
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ByteVec bytes = ScanEntry(row.network);
        const BssEntry entry(bytes);
        const auto ap = AccessPointForEntry(*adapter_, entry);
        ASSERT_TRUE(ap);
        EXPECT_EQ(PlanSurveyConnect(*ap, entry).refusal, row.connectRefusal);
        const AddToProfilePlan add = PlanAddToProfile(*ap, entry);
        EXPECT_EQ(add.refusal, row.addRefusal);
        if (!row.prefill) continue;
        EXPECT_EQ(add.prefill.ssid, row.network.ssid);
        EXPECT_EQ(ByteVec(add.prefill.bssid.begin(), add.prefill.bssid.end()), kBssid);
        EXPECT_EQ(add.prefill.networkType, int32_t(row.network.infrastructureMode));
        EXPECT_EQ((std::array{add.prefill.authenticationMode, add.prefill.encryptionStatus}),
                  (std::array{row.prefill->auth, row.prefill->enc}));
        EXPECT_EQ(add.prefill.channel, row.prefill->channel);
    }
}

}  // namespace
}  // namespace corvane::test
