// Joining: the key, mode and authentication must fit the network.
#include "SimDriverTestSupport.h"

namespace corvane::sim::test {
namespace {

using Association = SimDriverTest;

TEST_F(Association, Wpa2PskJoinsOnlyWithTheRightKey) {
    const ByteVec home = {0x00, 0x0C, 0x43, 0xA1, 0x00, 0x01};
    struct Row {
        const char* what;
        std::string passphrase;
        uint32_t auth, encryption;
        bool byBssid, joins;
    };
    const std::string right = "correct horse battery";
    const uint32_t wpa2 = Ndis802_11AuthModeWPA2PSK, ccmp = Ndis802_11Encryption3Enabled;
    const Row rows[] = {
        // clang-format off
        {"by SSID", right, wpa2, ccmp, false, true},
        {"by BSSID", right, wpa2, ccmp, true, true},
        {"wrong passphrase", right + "!", wpa2, ccmp, true, false},
        {"WPA1 auth on a WPA2 network", right, Ndis802_11AuthModeWPAPSK, ccmp, false, false},
        {"TKIP on a CCMP-only network", right, wpa2, Ndis802_11Encryption2Enabled, false, false},
        // clang-format on
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Configure(Ndis802_11Infrastructure, row.auth, row.encryption);
        const ByteVec pmk = Vec(DerivePmk(row.passphrase, "CorvaneHome"));
        ASSERT_EQ(Set(OID_VX_WPA_PSK_KEY, KeyRecord(kKeyIndexTransmit, pmk, 104)), 0);
        ASSERT_EQ(row.byBssid ? Set(OID_802_11_BSSID, home)
                              : Set(OID_802_11_SSID, SsidRecord("CorvaneHome")),
                  0);
        EXPECT_FALSE(Connected()) << "association takes a moment";
        Advance(300);
        EXPECT_EQ(Connected(), row.joins);
        if (!row.joins) continue;
        EXPECT_EQ(Query(OID_802_11_BSSID, 6).bytes, home);
        EXPECT_EQ(Query(OID_802_11_SSID, 36).bytes, SsidRecord("CorvaneHome"));
        EXPECT_EQ(ReadLe32(&Query(OID_802_11_CONFIGURATION, 32).bytes[12]), 2437000u);
    }
}

// OldRouter-WEP: "abcde" in slot 0, 01..05 in slot 2, open authentication.
// Warehouse-Shared: "Corvane13abcd" in slot 2, shared authentication.
TEST_F(Association, WepNeedsTheKeyInTheTransmitSlot) {
    struct Key {
        uint32_t index;  // slot, with T for the transmit key
        ByteVec bytes;
    };
    struct Row {
        const char* what;
        std::string ssid;
        uint32_t auth;
        std::vector<Key> keys;
        bool joins;
    };
    const ByteVec abcde = Bytes("abcde"), shared = Bytes("Corvane13abcd");
    const uint32_t open = Ndis802_11AuthModeOpen, sharedAuth = Ndis802_11AuthModeShared;
    const uint32_t T = kKeyIndexTransmit;
    const std::vector<Row> rows = {
        // clang-format off
        {"slot 0 transmit", "OldRouter-WEP", open, {{0 | T, abcde}}, true},
        {"slot 2 transmit", "OldRouter-WEP", open,
         {{0, Bytes("zzzzz")}, {2 | T, {1, 2, 3, 4, 5}}}, true},
        {"right key, not transmit", "OldRouter-WEP", open, {{0, abcde}}, false},
        {"shared auth on an open-auth network", "OldRouter-WEP", sharedAuth,
         {{0 | T, abcde}}, false},
        {"shared network, shared auth", "Warehouse-Shared", sharedAuth, {{2 | T, shared}}, true},
        {"shared network, open auth", "Warehouse-Shared", open, {{2 | T, shared}}, false},
        // clang-format on
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        driver_ = std::make_unique<SimDriver>(Sample());
        Configure(Ndis802_11Infrastructure, row.auth, Ndis802_11WEPEnabled);
        for (const Key& k : row.keys)
            ASSERT_EQ(Set(OID_VX_ADD_KEY, KeyRecord(k.index, k.bytes)), 0);
        ASSERT_EQ(Set(OID_802_11_SSID, SsidRecord(row.ssid)), 0);
        Advance(300);
        EXPECT_EQ(Connected(), row.joins);
    }
}

}  // namespace
}  // namespace corvane::sim::test
