// Writes the seed corpora of the fuzz targets from the simulated driver's
// sample world: scan lists as the driver assembles them, request series as
// the system sends them, socket frames, environment documents. The corpora
// in fuzz/corpus were made with it:
//
//   make-fuzz-seeds fuzz/corpus
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "adapter/ByteOrder.h"
#include "adapter/Oids.h"
#include "adapter/Records.h"
#include "driver/sim/Environment.h"
#include "driver/sim/ScanEntry.h"
#include "platform/WireFormat.h"

namespace {

using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

void Write(const fs::path& folder, const std::string& name, const Bytes& bytes) {
    fs::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void Put32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}

Bytes List(const std::vector<corvane::sim::NetworkSpec>& networks) {
    Bytes list(4, 0);
    uint32_t count = 0;
    for (const auto& n : networks) {
        Bytes entry = corvane::sim::BuildScanEntry(n, 1000);
        if (list.size() + entry.size() > corvane::kBssidListBufferSize) break;
        list.insert(list.end(), entry.begin(), entry.end());
        ++count;
    }
    corvane::WriteLe32(list.data(), count);
    return list;
}

// One call of the simulated-driver target: selector, room, input length, input.
void Call(Bytes& series, uint32_t selector, uint16_t room, const Bytes& input = {}) {
    Put32(series, selector);
    series.push_back(uint8_t(room));
    series.push_back(uint8_t(room >> 8));
    series.push_back(uint8_t(input.size()));
    series.push_back(uint8_t(input.size() >> 8));
    series.insert(series.end(), input.begin(), input.end());
}

Bytes Word(uint32_t v) {
    Bytes b;
    Put32(b, v);
    return b;
}

Bytes KeyRecord(uint32_t length, uint32_t index, const Bytes& key) {
    Bytes r(length, 0);
    corvane::WriteLe32(&r[0], length);
    corvane::WriteLe32(&r[4], index);
    corvane::WriteLe32(&r[8], uint32_t(key.size()));
    for (int i = 12; i < 18; ++i) r[size_t(i)] = 0xFF;
    std::copy(key.begin(), key.end(), r.begin() + 32);
    return r;
}

Bytes Connect(uint32_t mode, uint32_t auth, uint32_t encryption, const std::vector<Bytes>& keys,
              uint32_t keyOid, const std::string& ssid) {
    using namespace corvane;
    Bytes s;
    Call(s, OID_VX_CLIENT_64BIT | OID_SET_FLAG, 64, {1});
    Call(s, OID_802_11_DISASSOCIATE | OID_SET_FLAG, 64, Word(0));
    Call(s, OID_802_11_INFRASTRUCTURE_MODE_SET, 64, Word(mode));
    Call(s, OID_802_11_AUTHENTICATION_MODE_SET, 64, Word(auth));
    Call(s, OID_802_11_ENCRYPTION_STATUS_SET, 64, Word(encryption));
    for (const Bytes& key : keys) Call(s, keyOid | OID_SET_FLAG, 64, key);
    Call(s, OID_802_11_CONFIGURATION, 32);
    auto record = EncodeSsid(MakeSsid(ssid));
    Call(s, OID_802_11_SSID | OID_SET_FLAG, 64, Bytes(record.begin(), record.end()));
    Call(s, OID_GEN_MEDIA_CONNECT_STATUS, 4);
    Call(s, OID_GEN_MEDIA_CONNECT_STATUS, 4);
    Call(s, OID_802_11_SSID, 36);
    Call(s, OID_VX_LINK_STATUS, 20);
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-fuzz-seeds FOLDER\n");
        return 2;
    }
    const fs::path root = argv[1];
    std::string error;
    auto environment =
        corvane::sim::ParseEnvironment(corvane::sim::BundledSampleEnvironment(), &error);
    if (!environment) {
        std::fprintf(stderr, "make-fuzz-seeds: %s\n", error.c_str());
        return 1;
    }
    const auto& networks = environment->networks;

    // Scan lists: the whole sample, and a few small ones.
    Write(root / "scan_list", "sample-full", List(networks));
    for (size_t i = 0; i < networks.size() && i < 16; i += 3)
        Write(root / "scan_list", "sample-" + std::to_string(i),
              List({networks.begin() + long(i), networks.begin() + long(i) + 1}));

    // Request series.
    using namespace corvane;
    Bytes init;
    Call(init, OID_VX_DRIVER_READY, 4);
    Call(init, OID_VX_STA_CONFIG, 32);
    Call(init, OID_VX_COUNTRY_REGION, 4);
    Call(init, OID_VX_RADIO, 1);
    Call(init, OID_802_11_NETWORK_TYPES_SUPPORTED, 20);
    Call(init, OID_VX_EEPROM_VERSION, 4);
    Call(init, OID_802_3_CURRENT_ADDRESS, 6);
    Call(init, OID_VX_DEVICE_WORD_READ, 6, {4, 1, 2, 0, 0, 0});
    Write(root / "simdriver", "init", init);
    Bytes scan;
    Call(scan, OID_802_11_BSSID_LIST_SCAN_PASSED, 64, Word(0));
    for (int i = 0; i < 6; ++i) Call(scan, OID_802_11_BSSID_LIST, 4096);
    for (int i = 0; i < 4; ++i) Call(scan, OID_VX_BSSID_LIST_NEXT, 4096);
    Write(root / "simdriver", "scan", scan);
    Write(root / "simdriver", "wpa2",
          Connect(1, 7, 6, {KeyRecord(104, 0x80000000, Bytes(32, 0x42))}, OID_VX_WPA_PSK_KEY,
                  "CorvaneHome"));
    Write(root / "simdriver", "wep",
          Connect(1, 0, 0, {KeyRecord(76, 0x80000000, {'a', 'b', 'c', 'd', 'e'})}, OID_VX_ADD_KEY,
                  "OldRouter-WEP"));
    Write(root / "simdriver", "adhoc", Connect(0, 0, 1, {}, OID_VX_ADD_KEY, "LAN-Party"));

    // Socket frames: an open, then calls.
    using namespace platform::wire;
    Bytes frames{0x07};  // first byte: the piece size the target feeds
    auto open = Encode(Open{kVersion, 0});
    frames.insert(frames.end(), open.begin(), open.end());
    for (uint32_t selector : {OID_GEN_MEDIA_CONNECT_STATUS, OID_802_11_SSID | OID_SET_FLAG}) {
        auto header = Encode(CallHeader{selector, 4, 36});
        frames.insert(frames.end(), header.begin(), header.end());
        for (int i = 0; i < 4; ++i) frames.push_back(uint8_t(i));
    }
    Write(root / "wire", "open-and-calls", frames);
    Bytes answer{0x01, 0x24, 0x00, 0x00, 0x00};
    auto answerHeader = Encode(CallAnswerHeader{0, 4});
    answer.insert(answer.end(), answerHeader.begin(), answerHeader.end());
    Write(root / "wire", "answer", answer);

    // Environment documents.
    const std::string_view sample = corvane::sim::BundledSampleEnvironment();
    Write(root / "environment", "sample", Bytes(sample.begin(), sample.end()));
    const std::string small =
        R"({"adapter": {"kind": "merlin", "country_region": 129, "ready_delay_ms": 1000},
            "networks": [{"ssid": "Home", "bssid": "00:0C:43:A1:00:01", "channel": 6,
                          "security": "wpa2-psk", "passphrase": "correct horse battery"},
                         {"ssid_hex": "b2e2cad4", "bssid": "00:0C:43:A1:00:03", "channel": 36,
                          "security": "wep", "wep_keys": ["abcde", "", "0102030405"], "hidden": true}]})";
    Write(root / "environment", "small", Bytes(small.begin(), small.end()));
    return 0;
}
