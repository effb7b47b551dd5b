// Every request of the driver's table answers with its payload size; the
// set flag and the query-path operations are told apart by the selector;
// malformed requests fail without touching the state.
#include <algorithm>
#include <cstring>
#include <sstream>

#include "SimDriverTestSupport.h"

namespace corvane::sim::test {
namespace {

using OidAnswers = SimDriverTest;

TEST_F(OidAnswers, EveryQueryAnswersWithItsPayloadSize) {
    struct Row {
        uint32_t selector;
        size_t capacity;
        size_t answered;
    };
    const Row rows[] = {
        {OID_GEN_MEDIA_CONNECT_STATUS, 4, 4},
        {OID_802_3_CURRENT_ADDRESS, 6, 6},
        {OID_802_11_BSSID, 6, 6},
        {OID_802_11_SSID, 36, 36},
        {OID_802_11_SSID, 37, 36},  // spare byte left as the caller made it
        {OID_802_11_INFRASTRUCTURE_MODE, 4, 4},
        {OID_VX_RESTART_PENDING, 4, 4},
        {OID_VX_RESTART_DONE, 4, 4},
        {OID_802_11_NETWORK_TYPES_SUPPORTED, 20, 20},
        {OID_802_11_CONFIGURATION, 32, 32},
        {OID_VX_LINK_STATUS, 20, 20},
        {OID_VX_COUNTRY_REGION, 4, 4},
        {OID_VX_RADIO, 1, 1},
        {OID_VX_STA_CONFIG, 32, 32},
        {OID_VX_EEPROM_VERSION, 4, 4},
        {OID_VX_DRIVER_READY, 4, 4},
        {OID_VX_DEVICE_WORD_READ, 6, 6},
        {OID_VX_DEVICE_WORD_WRITE, 6, 6},
        {OID_802_11_BSSID_LIST_SCAN_PASSED, 4, 0},
        {OID_802_11_BSSID_LIST, 4096, 4},  // the start-up scan is still running
        {OID_VX_BSSID_LIST_NEXT, 4096, 0},
    };
    for (const Row& row : rows) {
        std::vector<uint8_t> input(row.capacity, 0);
        if (row.selector == OID_VX_DEVICE_WORD_READ || row.selector == OID_VX_DEVICE_WORD_WRITE)
            input = {4, 1, 2, 0, 0x06, 0x02};
        Reply r = Query(row.selector, row.capacity, input);
        EXPECT_EQ(r.result, 0) << std::hex << row.selector;
        EXPECT_EQ(r.bytes.size(), row.answered) << std::hex << row.selector;
    }
}

TEST_F(OidAnswers, EverySetOfTheTableIsTakenAndShowsInTheState) {
    struct Row {
        uint32_t selector;  // as the caller passes it to the set call
        std::vector<uint8_t> payload;
        const char* field;
        nlohmann::json expected;
    };
    NDIS_802_11_CONFIGURATION config;
    config.Length = 32;
    config.DSConfig = 2462000;
    const Config32 configBytes = EncodeConfiguration(config);
    const std::vector<Row> rows = {
        {OID_VX_CLIENT_64BIT, {1}, "client_64bit", 1},
        {OID_802_11_INFRASTRUCTURE_MODE_SET, U32Bytes(0), "infrastructure_mode", 0},
        {OID_VX_PREAMBLE, U32Bytes(1), "preamble", 1},
        {OID_802_11_RTS_THRESHOLD, U32Bytes(2347), "rts", 2347},
        {OID_802_11_FRAGMENTATION_THRESHOLD, U32Bytes(2346), "frag", 2346},
        {OID_802_11_AUTHENTICATION_MODE_SET, U32Bytes(7), "auth_mode", 7},
        {OID_802_11_ENCRYPTION_STATUS_SET, U32Bytes(6), "encryption", 6},
        {OID_VX_TX_POWER, U32Bytes(25), "tx_power", 25},
        {OID_802_11_POWER_MODE, U32Bytes(1), "power_mode", 1},
        {OID_VX_WPA_PSK_KEY, KeyRecord(kKeyIndexTransmit, std::vector<uint8_t>(32, 7), 104),
         "psk_installed", true},
        {OID_802_11_CONFIGURATION, {configBytes.begin(), configBytes.end()}, "associated", false},
        {OID_802_11_DISASSOCIATE, U32Bytes(0), "associated", false},
        {OID_802_11_SSID, SsidRecord(""), "associated", false},
        {OID_802_11_BSSID_SET, std::vector<uint8_t>(6, 0), "associated", false},
        {OID_VX_RADIO_SET, U32Bytes(0), "radio", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Set(row.selector, row.payload), 0) << std::hex << row.selector;
        EXPECT_EQ(driver_->Status()[row.field], row.expected) << row.field;
    }
    EXPECT_EQ(Set(OID_VX_ADD_KEY, KeyRecord(kKeyIndexTransmit | 2, Bytes("0123456789abc"))), 0);
    EXPECT_EQ(Set(OID_802_11_REMOVE_KEY, RemoveKeyRecord(1)),
              0);
    EXPECT_EQ(driver_->Status()["keys"],
              nlohmann::json::parse(R"([{"slot":2,"length":13,"transmit":true}])"));
    // The configuration set is what a later query reads back while on no network.
    Reply r = Query(OID_802_11_CONFIGURATION, 32);
    EXPECT_EQ(ReadLe32(&r.bytes[12]), 2462000u);
}

TEST_F(OidAnswers, SetFlagSelectsTheDirection) {
    // Query of the BSSID answers; the same number with the set flag sets it.
    EXPECT_EQ(Query(OID_802_11_BSSID, 6).bytes, std::vector<uint8_t>(6, 0));
    EXPECT_EQ(Call(OID_802_11_BSSID_SET, {0, 0x0C, 0x43, 0xA1, 0, 2}, 64).result, 0);
    // Radio: 1-byte query under the base number, u32 set under 0x0DF10108.
    EXPECT_EQ(Query(OID_VX_RADIO, 1).bytes, std::vector<uint8_t>{1});
    EXPECT_EQ(Call(OID_VX_RADIO_SET, U32Bytes(0), 64).result, 0);
    EXPECT_EQ(Query(OID_VX_RADIO, 1).bytes, std::vector<uint8_t>{0});
    // The scan starts under either form, and both travel the query call.
    const uint64_t before = driver_->Status()["scans"];
    EXPECT_EQ(Query(OID_802_11_BSSID_LIST_SCAN_PASSED, 4).result, 0);
    EXPECT_EQ(Query(OID_802_11_BSSID_LIST_SCAN, 4).result, 0);
    EXPECT_EQ(driver_->Status()["scans"], before + 2);
    // Set-only requests have no query form, query-only ones no set form.
    EXPECT_NE(Query(OID_802_11_DISASSOCIATE, 4).result, 0);
    EXPECT_NE(Set(OID_GEN_MEDIA_CONNECT_STATUS, U32Bytes(0)), 0);
    EXPECT_NE(Set(OID_VX_COUNTRY_REGION, U32Bytes(1)), 0);
}

TEST_F(OidAnswers, AnswersFromTheEnvironment) {
    EXPECT_EQ(Query(OID_802_3_CURRENT_ADDRESS, 6).bytes,
              (std::vector<uint8_t>{0x00, 0x0C, 0x43, 0x25, 0x73, 0x01}));
    EXPECT_EQ(QueryU32(OID_VX_COUNTRY_REGION), 0x81u);
    EXPECT_EQ(Query(OID_VX_EEPROM_VERSION, 4).bytes, (std::vector<uint8_t>{1, 2, 0, 0}));
    const NetworkTypeList types =
        DecodeNetworkTypes(Query(OID_802_11_NETWORK_TYPES_SUPPORTED, 20).bytes);
    ASSERT_LE(types.NumberOfItems, 4u);
    EXPECT_NE(std::find(types.NetworkType, types.NetworkType + types.NumberOfItems, 2u),
              types.NetworkType + types.NumberOfItems);
    VX_802_11_STA_CONFIG sta = DecodeStaConfig(Query(OID_VX_STA_CONFIG, 32).bytes);
    EXPECT_EQ(sta.HwRadioStatus, 1u);
    EXPECT_EQ(sta.SystemErrorBitmap, 0u);
    driver_->SetEepromError(true);
    driver_->SetHardwareRadio(false);
    sta = DecodeStaConfig(Query(OID_VX_STA_CONFIG, 32).bytes);
    EXPECT_EQ(sta.HwRadioStatus, 0u);
    EXPECT_EQ(sta.SystemErrorBitmap & kSystemErrorEeprom, kSystemErrorEeprom);
    EXPECT_EQ(Query(OID_VX_RADIO, 1).bytes, std::vector<uint8_t>{0});
}

TEST_F(OidAnswers, DeviceWordsAreStoredPerAddress) {
    Reply r = Query(OID_VX_DEVICE_WORD_READ, 6, {22, 1, 2, 0, 0, 0});
    ASSERT_EQ(r.result, 0);
    EXPECT_EQ(r.bytes[0], 22);
    EXPECT_NE(ReadLe16(&r.bytes[4]), 0x0206);
    EXPECT_EQ(Query(OID_VX_DEVICE_WORD_WRITE, 6, {22, 1, 2, 0, 0x06, 0x02}).result, 0);
    r = Query(OID_VX_DEVICE_WORD_READ, 6, {22, 1, 2, 0, 0, 0});
    EXPECT_EQ(ReadLe16(&r.bytes[4]), 0x0206);
    r = Query(OID_VX_DEVICE_WORD_READ, 6, {4, 1, 2, 0, 0, 0});
    EXPECT_NE(ReadLe16(&r.bytes[4]), 0x0206);  // other words untouched
}

TEST_F(OidAnswers, DriverReadyAfterTheDelayAndRestartHandshake) {
    std::string error;
    auto env = ParseEnvironment(R"({"adapter": {"ready_delay_ms": 2000}})", &error);
    ASSERT_TRUE(env) << error;
    driver_ = std::make_unique<SimDriver>(std::move(*env));
    EXPECT_NE(Query(OID_VX_DRIVER_READY, 4).result, 0);
    Advance(1999);
    EXPECT_NE(Query(OID_VX_DRIVER_READY, 4).result, 0);
    Advance(1);
    EXPECT_EQ(Query(OID_VX_DRIVER_READY, 4).result, 0);

    EXPECT_EQ(QueryU32(OID_VX_RESTART_PENDING) & 0xFF, 0u);
    driver_->Restart();
    EXPECT_EQ(QueryU32(OID_VX_RESTART_PENDING) & 0xFF, 1u);
    EXPECT_EQ(QueryU32(OID_VX_RESTART_PENDING) & 0xFF, 1u);
    EXPECT_EQ(QueryU32(OID_VX_RESTART_DONE), 1u);
    EXPECT_EQ(QueryU32(OID_VX_RESTART_PENDING) & 0xFF, 0u);
}

TEST_F(OidAnswers, UnplugClosesTheServiceAndKillsOpenClients) {
    auto client = driver_->OpenUserClient(0);
    ASSERT_TRUE(client);
    EXPECT_FALSE(driver_->OpenUserClient(1));
    uint8_t out[4];
    size_t size = 4;
    EXPECT_EQ(client->CallStructMethod(OID_GEN_MEDIA_CONNECT_STATUS, out, 4, out, &size), 0);
    driver_->Unplug();
    EXPECT_FALSE(driver_->OpenUserClient(0));
    size = 4;
    EXPECT_NE(client->CallStructMethod(OID_GEN_MEDIA_CONNECT_STATUS, out, 4, out, &size), 0);
    EXPECT_EQ(size, 0u);
    driver_->Plug();
    size = 4;
    EXPECT_NE(client->CallStructMethod(OID_GEN_MEDIA_CONNECT_STATUS, out, 4, out, &size), 0);
    auto fresh = driver_->OpenUserClient(0);
    ASSERT_TRUE(fresh);
    size = 4;
    EXPECT_EQ(fresh->CallStructMethod(OID_GEN_MEDIA_CONNECT_STATUS, out, 4, out, &size), 0);
}

// Each row is a request that must fail and leave everything as it was.
TEST_F(OidAnswers, MalformedRequestsFailAndChangeNothing) {
    std::vector<uint8_t> longSsid = SsidRecord("CafeOpen");
    WriteLe32(longSsid.data(), 33);
    std::vector<uint8_t> keyPastEnd = KeyRecord(kKeyIndexTransmit, Bytes("abcde"));
    WriteLe32(&keyPastEnd[8], 200);  // KeyLength runs past the payload
    std::vector<uint8_t> lengthPastEnd = KeyRecord(kKeyIndexTransmit, Bytes("abcde"));
    WriteLe32(&lengthPastEnd[0], 400);
    std::vector<uint8_t> shortPsk = KeyRecord(kKeyIndexTransmit, std::vector<uint8_t>(16, 1));
    std::vector<uint8_t> slot9 = KeyRecord(9, Bytes("abcde"));
    std::vector<uint8_t> removeSlot7 = RemoveKeyRecord(7);
    struct Row {
        const char* what;
        uint32_t selector;
        std::vector<uint8_t> input;
        size_t capacity;
    };
    const uint32_t S = OID_SET_FLAG;
    const std::vector<Row> rows = {
        {"unknown selector", 0x0D7199FF, {}, 64},
        {"unknown set", 0x0DF199FF, U32Bytes(1), 64},
        {"ssid set short", OID_802_11_SSID | S, std::vector<uint8_t>(35, 0), 64},
        {"ssid set long", OID_802_11_SSID | S, std::vector<uint8_t>(40, 0), 64},
        {"ssid length 33", OID_802_11_SSID | S, longSsid, 64},
        {"bssid set short", OID_802_11_BSSID | S, {1, 2, 3}, 64},
        {"u32 set short", OID_802_11_AUTHENTICATION_MODE | S, {7, 0}, 64},
        {"u32 set long", OID_VX_TX_POWER, std::vector<uint8_t>(8, 0), 64},
        {"auth mode out of range", OID_802_11_AUTHENTICATION_MODE | S, U32Bytes(99), 64},
        {"infra mode out of range", OID_802_11_INFRASTRUCTURE_MODE | S, U32Bytes(3), 64},
        {"tx power over 100", OID_VX_TX_POWER, U32Bytes(101), 64},
        {"radio set byte", OID_VX_RADIO_SET, {0}, 64},
        {"config short", OID_802_11_CONFIGURATION | S, std::vector<uint8_t>(31, 0), 64},
        {"client width empty", OID_VX_CLIENT_64BIT, {}, 64},
        {"key header short", OID_VX_ADD_KEY, std::vector<uint8_t>(31, 0), 64},
        {"key length past end", OID_VX_ADD_KEY, keyPastEnd, 64},
        {"record length past end", OID_VX_ADD_KEY, lengthPastEnd, 64},
        {"key slot 9", OID_VX_ADD_KEY, slot9, 64},
        {"psk not 32 bytes", OID_VX_WPA_PSK_KEY, shortPsk, 64},
        {"remove slot 7", OID_802_11_REMOVE_KEY | S, removeSlot7, 64},
        {"remove short", OID_802_11_REMOVE_KEY | S, std::vector<uint8_t>(12, 0), 64},
        {"ssid query too small", OID_802_11_SSID, {}, 35},
        {"radio query no room", OID_VX_RADIO, {}, 0},
        {"link status too small", OID_VX_LINK_STATUS, {}, 19},
        {"word read short", OID_VX_DEVICE_WORD_READ, {4, 1, 2}, 6},
        {"word write short", OID_VX_DEVICE_WORD_WRITE, {4, 1, 2, 0, 6}, 6},
    };
    // Some state worth protecting first: a WEP key and an association.
    Configure(Ndis802_11Infrastructure, Ndis802_11AuthModeOpen, Ndis802_11WEPDisabled);
    ASSERT_EQ(Set(OID_802_11_SSID, SsidRecord("CafeOpen")), 0);
    Advance(500);
    ASSERT_TRUE(Connected());
    ASSERT_EQ(Set(OID_VX_ADD_KEY, KeyRecord(1, Bytes("abcde"))), 0);
    const nlohmann::json before = driver_->Status();
    const Reply word4 = Query(OID_VX_DEVICE_WORD_READ, 6, {4, 1, 2, 0, 0, 0});
    for (const Row& row : rows) {
        std::vector<uint8_t> out(row.capacity + 8, 0xAA);
        size_t size = row.capacity;
        const auto result =
            driver_->Call(row.selector, row.input.data(), row.input.size(), out.data(), &size);
        EXPECT_NE(result, 0) << row.what;
        EXPECT_EQ(size, 0u) << row.what;
        EXPECT_EQ(out, std::vector<uint8_t>(row.capacity + 8, 0xAA)) << row.what;
        EXPECT_EQ(driver_->Status(), before) << row.what;
    }
    EXPECT_EQ(Query(OID_VX_DEVICE_WORD_READ, 6, {4, 1, 2, 0, 0, 0}).bytes, word4.bytes);
}

// Random requests under the table's selectors (both forms) never write past
// the capacity, never report more than they wrote, and never crash.
TEST_F(OidAnswers, RandomRequestsStayInsideTheirBuffers) {
    const uint32_t selectors[] = {
        OID_GEN_MEDIA_CONNECT_STATUS, OID_802_3_CURRENT_ADDRESS, OID_802_11_BSSID,
        OID_802_11_SSID, OID_802_11_INFRASTRUCTURE_MODE, OID_802_11_DISASSOCIATE,
        OID_802_11_AUTHENTICATION_MODE, OID_802_11_BSSID_LIST_SCAN, OID_802_11_ENCRYPTION_STATUS,
        OID_802_11_REMOVE_KEY, OID_VX_RESTART_PENDING, OID_VX_RESTART_DONE,
        OID_802_11_NETWORK_TYPES_SUPPORTED, OID_802_11_FRAGMENTATION_THRESHOLD,
        OID_802_11_RTS_THRESHOLD, OID_802_11_CONFIGURATION, OID_802_11_POWER_MODE,
        OID_802_11_BSSID_LIST, OID_VX_BSSID_LIST_NEXT, OID_VX_LINK_STATUS, OID_VX_COUNTRY_REGION,
        OID_VX_RADIO, OID_VX_STA_CONFIG, OID_VX_EEPROM_VERSION, OID_VX_DRIVER_READY,
        OID_VX_DEVICE_WORD_WRITE, OID_VX_DEVICE_WORD_READ, OID_VX_PREAMBLE, OID_VX_TX_POWER,
        OID_VX_CLIENT_64BIT, OID_VX_WPA_PSK_KEY, OID_VX_ADD_KEY};
    uint64_t seed = 0x9E3779B97F4A7C15ull;
    auto next = [&] {
        seed ^= seed << 13;
        seed ^= seed >> 7;
        seed ^= seed << 17;
        return seed;
    };
    Advance(2000);  // let the start-up scan finish so list chunks carry entries
    for (int i = 0; i < 3000; ++i) {
        uint32_t selector = selectors[next() % std::size(selectors)];
        if (next() % 2) selector ^= OID_SET_FLAG;
        const size_t inputSize = next() % 3 ? next() % 48 : next() % 5000;
        std::vector<uint8_t> input(inputSize);
        for (uint8_t& b : input) b = uint8_t(next() % 4 ? next() : 0);
        if (inputSize >= 12 && next() % 2) WriteLe32(&input[8], uint32_t(next() % 40));
        if (inputSize >= 4 && next() % 2) WriteLe32(&input[0], uint32_t(inputSize));
        const size_t capacity = next() % 4 ? next() % 64 : next() % 5000;
        std::vector<uint8_t> out(capacity + 16, 0xC5);
        size_t size = capacity;
        const auto result =
            driver_->Call(selector, input.data(), input.size(), out.data(), &size);
        ASSERT_LE(size, capacity);
        if (result != 0) {
            EXPECT_EQ(size, 0u);
        }
        for (size_t k = capacity; k < out.size(); ++k) ASSERT_EQ(out[k], 0xC5);
        if (next() % 50 == 0) Advance(next() % 2000);
    }
}

TEST_F(OidAnswers, JournalRecordsEveryCallInOrder) {
    std::ostringstream journal;
    driver_->SetJournal(&journal);
    Query(OID_VX_EEPROM_VERSION, 4);
    Set(OID_VX_TX_POWER, U32Bytes(101));
    std::istringstream lines(journal.str());
    std::string first, second, third;
    ASSERT_TRUE(std::getline(lines, first));
    ASSERT_TRUE(std::getline(lines, second));
    EXPECT_FALSE(std::getline(lines, third));
    const auto a = nlohmann::json::parse(first), b = nlohmann::json::parse(second);
    EXPECT_EQ(a["selector"], OID_VX_EEPROM_VERSION);
    EXPECT_EQ(a["input"], "00000000");
    EXPECT_EQ(a["output_capacity"], 4);
    EXPECT_EQ(a["result"], 0);
    EXPECT_EQ(a["output"], "01020000");
    EXPECT_EQ(b["selector"], OID_VX_TX_POWER);
    EXPECT_EQ(b["input"], "65000000");
    EXPECT_NE(b["result"], 0);
    EXPECT_EQ(b["output"], "");
}

}  // namespace
}  // namespace corvane::sim::test
