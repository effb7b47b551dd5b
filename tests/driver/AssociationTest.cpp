// Joining networks: the key, mode and authentication must fit the network;
// ad hoc networks nobody carries are started; the link follows the radio.
#include "SimDriverTestSupport.h"

namespace corvane::sim::test {
namespace {

using Association = SimDriverTest;

const std::vector<uint8_t> kHomeBssid = {0x00, 0x0C, 0x43, 0xA1, 0x00, 0x01};

std::vector<uint8_t> PskRecord(const std::array<uint8_t, 32>& pmk, uint32_t length = 104) {
    return KeyRecord(kKeyIndexTransmit, {pmk.begin(), pmk.end()}, length);
}

TEST_F(Association, Wpa2PskJoinsOnlyWithTheRightKey) {
    struct Row {
        const char* what;
        std::string passphrase;
        int32_t auth;
        int32_t encryption;
        bool byBssid;
        bool joins;
    };
    const Row rows[] = {
        {"by SSID", "correct horse battery", Ndis802_11AuthModeWPA2PSK,
         Ndis802_11Encryption3Enabled, false, true},
        {"by BSSID", "correct horse battery", Ndis802_11AuthModeWPA2PSK,
         Ndis802_11Encryption3Enabled, true, true},
        {"wrong passphrase", "correct horse battery!", Ndis802_11AuthModeWPA2PSK,
         Ndis802_11Encryption3Enabled, true, false},
        {"WPA1 auth on a WPA2 network", "correct horse battery", Ndis802_11AuthModeWPAPSK,
         Ndis802_11Encryption3Enabled, false, false},
        {"TKIP on a CCMP-only network", "correct horse battery", Ndis802_11AuthModeWPA2PSK,
         Ndis802_11Encryption2Enabled, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Configure(Ndis802_11Infrastructure, row.auth, row.encryption);
        ASSERT_EQ(Set(OID_VX_WPA_PSK_KEY, PskRecord(DerivePmk(row.passphrase, "CorvaneHome"))),
                  0);
        if (row.byBssid) ASSERT_EQ(Set(OID_802_11_BSSID, kHomeBssid), 0);
        else ASSERT_EQ(Set(OID_802_11_SSID, SsidRecord("CorvaneHome")), 0);
        EXPECT_FALSE(Connected()) << "association takes a moment";
        Advance(300);
        EXPECT_EQ(Connected(), row.joins);
        if (!row.joins) continue;
        EXPECT_EQ(Query(OID_802_11_BSSID, 6).bytes, kHomeBssid);
        const NDIS_802_11_SSID ssid = DecodeSsid(Query(OID_802_11_SSID, 37).bytes);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(ssid.Ssid), ssid.SsidLength),
                  "CorvaneHome");
        EXPECT_EQ(ReadLe32(&Query(OID_802_11_CONFIGURATION, 32).bytes[12]), 2437000u);
        EXPECT_EQ(QueryU32(OID_802_11_INFRASTRUCTURE_MODE), 1u);
        const nlohmann::json status = driver_->Status();
        EXPECT_EQ(status["ssid"], "CorvaneHome");
        EXPECT_EQ(status["bssid"], "00:0C:43:A1:00:01");
        EXPECT_EQ(status["channel"], 6);
    }
}

TEST_F(Association, LinkStatusReflectsSignalAndTraffic) {
    Configure(Ndis802_11Infrastructure, Ndis802_11AuthModeOpen, Ndis802_11WEPDisabled);
    ASSERT_EQ(Set(OID_802_11_SSID, SsidRecord("CafeOpen")), 0);  // -55 dBm
    Advance(300);
    ASSERT_TRUE(Connected());
    VX_802_11_LINK_STATUS first = DecodeLinkStatus(Query(OID_VX_LINK_STATUS, 20).bytes);
    EXPECT_EQ(first.ChannelQuality, 70u);
    Advance(1000);
    VX_802_11_LINK_STATUS later = DecodeLinkStatus(Query(OID_VX_LINK_STATUS, 20).bytes);
    EXPECT_GT(later.TxCount, first.TxCount);
    EXPECT_GT(later.RxCount, first.RxCount);
    ASSERT_TRUE(driver_->SetRssi(*ParseMac("00:0C:43:A1:00:02"), -85));
    EXPECT_EQ(DecodeLinkStatus(Query(OID_VX_LINK_STATUS, 20).bytes).ChannelQuality, 10u);
    // Out of range drops the link.
    ASSERT_TRUE(driver_->SetRssi(*ParseMac("00:0C:43:A1:00:02"), -100));
    EXPECT_FALSE(Connected());
    EXPECT_EQ(DecodeLinkStatus(Query(OID_VX_LINK_STATUS, 20).bytes).ChannelQuality, 0u);
}

// OldRouter-WEP holds "abcde" in slot 0 and 01 02 03 04 05 in slot 2, open
// authentication; Warehouse-Shared a 13-byte hex key in slot 0 and
// "Corvane13abcd" in slot 2, shared authentication.
TEST_F(Association, WepNeedsTheTransmitSlotsKey) {
    struct Key {
        uint32_t slot;
        std::vector<uint8_t> bytes;
        bool transmit;
    };
    struct Row {
        const char* what;
        std::string ssid;
        int32_t auth;
        std::vector<Key> keys;
        bool joins;
    };
    const std::vector<uint8_t> abcde = Bytes("abcde");
    const std::vector<uint8_t> hex5 = {1, 2, 3, 4, 5};
    const std::vector<Row> rows = {
        {"slot 0 transmit", "OldRouter-WEP", Ndis802_11AuthModeOpen, {{0, abcde, true}}, true},
        {"slot 2 transmit", "OldRouter-WEP", Ndis802_11AuthModeOpen,
         {{0, Bytes("zzzzz"), false}, {2, hex5, true}}, true},
        {"right key, not transmit", "OldRouter-WEP", Ndis802_11AuthModeOpen,
         {{0, abcde, false}}, false},
        {"key in the wrong slot", "OldRouter-WEP", Ndis802_11AuthModeOpen, {{1, abcde, true}},
         false},
        {"shared auth on an open-auth network", "OldRouter-WEP", Ndis802_11AuthModeShared,
         {{0, abcde, true}}, false},
        {"shared network, shared auth", "Warehouse-Shared", Ndis802_11AuthModeShared,
         {{2, Bytes("Corvane13abcd"), true}}, true},
        {"shared network, open auth", "Warehouse-Shared", Ndis802_11AuthModeOpen,
         {{2, Bytes("Corvane13abcd"), true}}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Configure(Ndis802_11Infrastructure, row.auth, Ndis802_11WEPEnabled);
        for (uint32_t slot = 0; slot < 4; ++slot)
            ASSERT_EQ(Set(OID_802_11_REMOVE_KEY, RemoveKeyRecord(slot)), 0);
        for (const Key& k : row.keys)
            ASSERT_EQ(Set(OID_VX_ADD_KEY,
                          KeyRecord(k.slot | (k.transmit ? kKeyIndexTransmit : 0), k.bytes)),
                      0);
        ASSERT_EQ(Set(OID_802_11_SSID, SsidRecord(row.ssid)), 0);
        Advance(300);
        EXPECT_EQ(Connected(), row.joins);
    }
}

TEST_F(Association, OpenNetworkRefusesEncryptionAndEnterpriseNeverJoins) {
    Configure(Ndis802_11Infrastructure, Ndis802_11AuthModeOpen, Ndis802_11WEPEnabled);
    ASSERT_EQ(Set(OID_802_11_SSID, SsidRecord("CafeOpen")), 0);
    Advance(300);
    EXPECT_FALSE(Connected());
    Configure(Ndis802_11Infrastructure, Ndis802_11AuthModeWPA2PSK, Ndis802_11Encryption3Enabled);
    ASSERT_EQ(Set(OID_802_11_SSID, SsidRecord("eduroam")), 0);
    Advance(300);
    EXPECT_FALSE(Connected());
}

TEST_F(Association, HiddenNetworkJoinsByItsName) {
    Configure(Ndis802_11Infrastructure, Ndis802_11AuthModeWPA2PSK, Ndis802_11Encryption3Enabled);
    ASSERT_EQ(Set(OID_VX_WPA_PSK_KEY, PskRecord(DerivePmk("hidden in plain sight", "SecretLab"))),
              0);
    ASSERT_EQ(Set(OID_802_11_SSID, SsidRecord("SecretLab")), 0);
    Advance(300);
    EXPECT_TRUE(Connected());
}

TEST_F(Association, AdHocJoinsOrStartsANetwork) {
    // WPA-NONE: the key goes in through the add-key request.
    Configure(Ndis802_11IBSS, Ndis802_11AuthModeWPANone, Ndis802_11Encryption2Enabled);
    const auto pmk = DerivePmk("fragfest2008", "GameLAN-WPA-None");
    ASSERT_EQ(Set(OID_VX_ADD_KEY, KeyRecord(kKeyIndexTransmit, {pmk.begin(), pmk.end()}, 103)), 0);
    ASSERT_EQ(Set(OID_802_11_SSID, SsidRecord("GameLAN-WPA-None")), 0);
    Advance(300);
    EXPECT_TRUE(Connected());
    EXPECT_FALSE(driver_->Status()["own_adhoc"]);

    // A name nobody carries: started on the channel last configured.
    Configure(Ndis802_11IBSS, Ndis802_11AuthModeOpen, Ndis802_11WEPDisabled);
    std::vector<uint8_t> config = Query(OID_802_11_CONFIGURATION, 32).bytes;
    WriteLe32(&config[12], 2462000);
    ASSERT_EQ(Set(OID_802_11_CONFIGURATION, config), 0);
    ASSERT_EQ(Set(OID_802_11_SSID, SsidRecord("MyOwnIbss")), 0);
    Advance(300);
    ASSERT_TRUE(Connected());
    const nlohmann::json status = driver_->Status();
    EXPECT_TRUE(status["own_adhoc"]);
    EXPECT_EQ(status["channel"], 11);
    const std::vector<uint8_t> bssid = Query(OID_802_11_BSSID, 6).bytes;
    EXPECT_EQ(bssid[0] & 0x03, 0x02) << "locally administered unicast";
    EXPECT_EQ(QueryU32(OID_802_11_INFRASTRUCTURE_MODE), 0u);

    // The same name gives the same BSSID again.
    ASSERT_EQ(Set(OID_802_11_DISASSOCIATE, U32Bytes(0)), 0);
    EXPECT_FALSE(Connected());
    ASSERT_EQ(Set(OID_802_11_SSID, SsidRecord("MyOwnIbss")), 0);
    Advance(300);
    EXPECT_EQ(Query(OID_802_11_BSSID, 6).bytes, bssid);

    // An infrastructure network's name in ad hoc mode does not join it.
    ASSERT_EQ(Set(OID_802_11_SSID, SsidRecord("CafeOpen")), 0);
    Advance(300);
    EXPECT_TRUE(driver_->Status()["own_adhoc"]);
}

TEST_F(Association, EmptySsidRadioOffUnplugAndRemovalDisconnect) {
    auto join = [&] {
        Configure(Ndis802_11Infrastructure, Ndis802_11AuthModeOpen, Ndis802_11WEPDisabled);
        ASSERT_EQ(Set(OID_802_11_SSID, SsidRecord("CafeOpen")), 0);
        Advance(300);
        ASSERT_TRUE(Connected());
    };
    join();
    ASSERT_EQ(Set(OID_802_11_SSID, SsidRecord("")), 0);
    EXPECT_FALSE(Connected());
    EXPECT_EQ(DecodeSsid(Query(OID_802_11_SSID, 36).bytes).SsidLength, 0u);

    join();
    ASSERT_EQ(Set(OID_VX_RADIO_SET, U32Bytes(0)), 0);
    EXPECT_FALSE(Connected());
    ASSERT_EQ(Set(OID_802_11_SSID, SsidRecord("CafeOpen")), 0);
    Advance(300);
    EXPECT_FALSE(Connected()) << "no joining with the radio off";
    ASSERT_EQ(Set(OID_VX_RADIO_SET, U32Bytes(1)), 0);

    join();
    driver_->SetHardwareRadio(false);
    EXPECT_FALSE(Connected());
    driver_->SetHardwareRadio(true);

    join();
    ASSERT_TRUE(driver_->RemoveNetwork(*ParseMac("00:0C:43:A1:00:02")));
    EXPECT_FALSE(Connected());

    std::string error;
    auto cafe = ParseNetwork(
        R"({"ssid":"CafeOpen","bssid":"00:0C:43:A1:00:02","channel":1,"rssi":-50})", &error);
    ASSERT_TRUE(cafe) << error;
    ASSERT_TRUE(driver_->AddNetwork(*cafe, &error)) << error;
    EXPECT_FALSE(driver_->AddNetwork(*cafe, &error));
    join();
    driver_->Restart();
    EXPECT_FALSE(Connected());
}

}  // namespace
}  // namespace corvane::sim::test
