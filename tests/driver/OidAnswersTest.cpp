// Every request of the driver's table answers with its payload size;
// malformed requests fail without touching anything (the simulated driver's
// fuzz target runs random requests).
#include "SimDriverTestSupport.h"

namespace corvane::sim::test {
namespace {

using OidAnswers = SimDriverTest;
constexpr uint32_t S = OID_SET_FLAG;

struct Row {
    uint32_t selector;
    ByteVec input;  // empty: zeros of the capacity
    size_t capacity, answered;
    const char* field = nullptr;  // a set shows in this status field
    nlohmann::json value = {};
};

// Every selector of the driver's table, in the form the system sends it.
std::vector<Row> TableRows() {
    const ByteVec word = {4, 1, 2, 0, 0x06, 0x02};
    return {
        {OID_GEN_MEDIA_CONNECT_STATUS, {}, 4, 4},
        {OID_802_3_CURRENT_ADDRESS, {}, 6, 6},
        {OID_802_11_BSSID, {}, 6, 6},
        {OID_802_11_SSID, {}, 37, 36},  // the spare byte stays the caller's
        {OID_802_11_INFRASTRUCTURE_MODE, {}, 4, 4},
        {OID_VX_RESTART_PENDING, {}, 4, 4},
        {OID_VX_RESTART_DONE, {}, 4, 4},
        {OID_802_11_NETWORK_TYPES_SUPPORTED, {}, 20, 20},
        {OID_802_11_CONFIGURATION, {}, 32, 32},
        {OID_VX_LINK_STATUS, {}, 20, 20},
        {OID_VX_COUNTRY_REGION, {}, 4, 4},
        {OID_VX_RADIO, {}, 1, 1},
        {OID_VX_STA_CONFIG, {}, 32, 32},
        {OID_VX_EEPROM_VERSION, {}, 4, 4},
        {OID_VX_DRIVER_READY, {}, 4, 4},
        {OID_VX_DEVICE_WORD_READ, word, 6, 6},
        {OID_VX_DEVICE_WORD_WRITE, word, 6, 6},
        {OID_802_11_BSSID_LIST, {}, 4096, 4},  // start-up scan still running
        {OID_VX_BSSID_LIST_NEXT, {}, 4096, 0},
        {OID_802_11_BSSID_LIST_SCAN_PASSED, {}, 4, 0, "scans", 1},
        {OID_802_11_BSSID_LIST_SCAN, {}, 4, 0, "scans", 2},
        {OID_VX_CLIENT_64BIT, {1}, 64, 0, "client_64bit", 1},
        {OID_802_11_INFRASTRUCTURE_MODE_SET, U32Bytes(0), 64, 0, "infrastructure_mode", 0},
        {OID_VX_PREAMBLE, U32Bytes(1), 64, 0, "preamble", 1},
        {OID_802_11_RTS_THRESHOLD | S, U32Bytes(2347), 64, 0, "rts", 2347},
        {OID_802_11_FRAGMENTATION_THRESHOLD | S, U32Bytes(2346), 64, 0, "frag", 2346},
        {OID_802_11_AUTHENTICATION_MODE_SET, U32Bytes(7), 64, 0, "auth_mode", 7},
        {OID_802_11_ENCRYPTION_STATUS_SET, U32Bytes(6), 64, 0, "encryption", 6},
        {OID_VX_TX_POWER, U32Bytes(25), 64, 0, "tx_power", 25},
        {OID_802_11_POWER_MODE | S, U32Bytes(1), 64, 0, "power_mode", 1},
        {OID_VX_WPA_PSK_KEY, KeyRecord(kKeyIndexTransmit, ByteVec(32, 7), 104), 64, 0,
         "psk_installed", true},
        {OID_VX_ADD_KEY, KeyRecord(kKeyIndexTransmit | 2, Bytes("0123456789abc")), 64, 0, "keys",
         nlohmann::json::parse(R"([{"slot":2,"length":13,"transmit":true}])")},
        {OID_802_11_REMOVE_KEY | S, RemoveKeyRecord(2), 64, 0, "keys", nlohmann::json::array()},
        {OID_802_11_CONFIGURATION | S, Vec(EncodeConfiguration({32, 100, 0, 2462000, {}})), 64, 0},
        {OID_802_11_DISASSOCIATE | S, U32Bytes(0), 64, 0, "associated", false},
        {OID_802_11_SSID | S, SsidRecord(""), 64, 0, "associated", false},
        {OID_802_11_BSSID_SET, ByteVec(6, 0), 64, 0, "associated", false},
        {OID_VX_RADIO_SET, U32Bytes(0), 64, 0, "radio", false},
    };
}

TEST_F(OidAnswers, EveryRequestAnswersWithItsPayloadSize) {
    for (const Row& row : TableRows()) {
        SCOPED_TRACE(testing::Message() << std::hex << row.selector);
        const Reply r = Query(row.selector, row.capacity, row.input);
        EXPECT_EQ(r.result, 0);
        EXPECT_EQ(r.bytes.size(), row.answered);
        if (row.field) {
            EXPECT_EQ(driver_->Status()[row.field], row.value) << row.field;
        }
    }
    EXPECT_EQ(ReadLe32(&Query(OID_802_11_CONFIGURATION, 32).bytes[12]), 2462000u)
        << "the configuration set reads back while on no network";
    EXPECT_EQ(Query(OID_VX_RADIO, 1).bytes, ByteVec{0}) << "u32 set, 1-byte query";
}

TEST_F(OidAnswers, MalformedRequestsFailAndChangeNothing) {
    auto with = [](ByteVec v, size_t at, uint32_t value) { return WriteLe32(&v[at], value), v; };
    const ByteVec key = KeyRecord(kKeyIndexTransmit, Bytes("abcde"));
    struct Row {
        const char* what;
        uint32_t selector;
        ByteVec input;
        size_t capacity = 64;
    };
    const std::vector<Row> rows = {
        {"unknown query", 0x0D7199FF, {}},
        {"ssid set short", OID_802_11_SSID | S, ByteVec(35, 0)},
        {"ssid length 33", OID_802_11_SSID | S, with(SsidRecord("CafeOpen"), 0, 33)},
        {"bssid set short", OID_802_11_BSSID_SET, {1, 2, 3}},
        {"auth mode out of range", OID_802_11_AUTHENTICATION_MODE_SET, U32Bytes(99)},
        {"tx power over 100", OID_VX_TX_POWER, U32Bytes(101)},
        {"radio set as a byte", OID_VX_RADIO_SET, {0}},
        {"config short", OID_802_11_CONFIGURATION | S, ByteVec(31, 0)},
        {"key header short", OID_VX_ADD_KEY, ByteVec(31, 0)},
        {"key length past end", OID_VX_ADD_KEY, with(key, 8, 200)},
        {"key slot 9", OID_VX_ADD_KEY, KeyRecord(9, Bytes("abcde"))},
        {"key slot 4", OID_VX_ADD_KEY, KeyRecord(4, Bytes("abcde"))},
        {"key index reserved bit", OID_VX_ADD_KEY, KeyRecord(0x10000001, Bytes("abcde"))},
        {"key of 33 bytes", OID_VX_ADD_KEY, KeyRecord(1, ByteVec(33, 1))},
        {"remove slot 4", OID_802_11_REMOVE_KEY | S, RemoveKeyRecord(4)},
        {"remove reserved bit", OID_802_11_REMOVE_KEY | S, RemoveKeyRecord(0x100)},
        {"psk not 32 bytes", OID_VX_WPA_PSK_KEY, KeyRecord(kKeyIndexTransmit, ByteVec(16, 1))},
        {"remove slot 7", OID_802_11_REMOVE_KEY | S, RemoveKeyRecord(7)},
        {"disassociate has no query", OID_802_11_DISASSOCIATE, {}, 4},
        {"connect status has no set", OID_GEN_MEDIA_CONNECT_STATUS | S, U32Bytes(0)},
        {"ssid query too small", OID_802_11_SSID, {}, 35},
    };
    // State worth protecting: an association and a WEP key.
    Configure(Ndis802_11Infrastructure, Ndis802_11AuthModeOpen, Ndis802_11WEPDisabled);
    ASSERT_EQ(Set(OID_802_11_SSID, SsidRecord("CafeOpen")), 0);
    Advance(500);
    ASSERT_TRUE(Connected());
    ASSERT_EQ(Set(OID_VX_ADD_KEY, KeyRecord(1, Bytes("abcde"))), 0);
    const nlohmann::json before = driver_->Status();
    const ByteVec word4 = Query(OID_VX_DEVICE_WORD_READ, 6, {4, 1, 2, 0, 0, 0}).bytes;
    for (const Row& row : rows) {
        ByteVec out(row.capacity + 8, 0xAA);
        size_t size = row.capacity;
        EXPECT_NE(
            driver_->Call(row.selector, row.input.data(), row.input.size(), out.data(), &size), 0)
            << row.what;
        EXPECT_EQ(size, 0u) << row.what;
        EXPECT_EQ(out, ByteVec(row.capacity + 8, 0xAA)) << row.what;
        EXPECT_EQ(driver_->Status(), before) << row.what;
    }
    EXPECT_EQ(Query(OID_VX_DEVICE_WORD_READ, 6, {4, 1, 2, 0, 0, 0}).bytes, word4);
}

}  // namespace
}  // namespace corvane::sim::test
