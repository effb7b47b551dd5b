// Rebuilding the site survey rows from a full scan-list buffer: the list
// buffer (64 KiB) is filled with entries replaying the captured beacons,
// cycling through them until no further entry fits, and the rebuild
// (BuildAccessPointRows: names, addresses, signal, channel, the element walk
// deciding the security texts) is timed side by side with a plain walk that
// reads only each entry's header (Length, MacAddress, DSConfig) over the
// same buffer. Medians over many repetitions.
//
//   bench_row_rebuild [BEACONS.jsonl] [REPETITIONS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <vector>

#include "adapter/ByteOrder.h"
#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "adapter/Records.h"
#include "survey/AccessPoint.h"

namespace {

using Clock = std::chrono::steady_clock;
using corvane::bss::kDSConfig;
using corvane::bss::kMacAddress;

std::vector<uint8_t> Hex(const std::string& hex) {
    std::vector<uint8_t> out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(uint8_t(std::stoul(hex.substr(i, 2), nullptr, 16)));
    return out;
}

uint32_t CentreKhz(uint32_t channel) {
    if (channel == 14) return 2484000;
    return (channel < 14 ? 2407 + 5 * channel : 5000 + 5 * channel) * 1000;
}

// One scan entry as the driver lays it out, for one captured beacon.
std::vector<uint8_t> EntryFor(const nlohmann::json& b, int32_t rssi) {
    namespace bss = corvane::bss;
    const std::vector<uint8_t> ies = Hex(b["ies_hex"]);
    const std::vector<uint8_t> ssid = Hex(b["ssid_hex"]);
    std::string mac = b["bssid"];
    std::erase(mac, ':');
    const size_t ieLength = bss::kFixedBeaconFields + ies.size();
    const size_t length = (bss::kIEs + ieLength + 3) & ~size_t(3);
    std::vector<uint8_t> e(length, 0);
    corvane::WriteLe32(&e[bss::kLength], uint32_t(length));
    const std::vector<uint8_t> macBytes = Hex(mac);
    std::copy_n(macBytes.begin(), std::min<size_t>(6, macBytes.size()), &e[bss::kMacAddress]);
    const size_t nameBytes = std::min<size_t>(ssid.size(), corvane::kSsidMaxLength);
    corvane::WriteLe32(&e[bss::kSsidLength], uint32_t(nameBytes));
    std::copy_n(ssid.begin(), nameBytes, &e[bss::kSsid]);
    corvane::WriteLe32(&e[bss::kPrivacy], b["privacy"].get<bool>() ? 1 : 0);
    corvane::WriteLe32(&e[bss::kRssi], uint32_t(rssi));
    corvane::WriteLe32(&e[bss::kDSConfig], CentreKhz(b["channel"].get<uint32_t>()));
    corvane::WriteLe32(&e[bss::kInfrastructureMode], b["ibss"].get<bool>() ? 0 : 1);
    corvane::WriteLe32(&e[bss::kIELength], uint32_t(ieLength));
    std::copy(ies.begin(), ies.end(), &e[bss::kTaggedElements]);
    return e;
}

// Fills `list` with entries cycling through `entries`; returns how many fit.
uint32_t FillList(uint8_t* list, size_t size, const std::vector<std::vector<uint8_t>>& entries) {
    std::memset(list, 0, size);
    size_t offset = 4;
    uint32_t count = 0;
    for (size_t i = 0;; i = (i + 1) % entries.size()) {
        const std::vector<uint8_t>& e = entries[i];
        if (e.size() > size - offset) break;
        std::memcpy(list + offset, e.data(), e.size());
        offset += e.size();
        ++count;
    }
    corvane::WriteLe32(list, count);
    return count;
}

// Reads each entry's Length, MacAddress and DSConfig, nothing more.
uint64_t PlainWalk(const uint8_t* list, size_t size) {
    const uint32_t count = corvane::ReadLe32(list);
    uint64_t sum = 0;
    size_t offset = 4;
    for (uint32_t i = 0; i < count; ++i) {
        if (size - offset < kDSConfig + 4) break;
        const uint8_t* e = list + offset;
        const uint32_t length = corvane::ReadLe32(e);
        if (length < kDSConfig + 4 || length > size - offset) break;
        uint64_t mac = 0;
        for (size_t k = 0; k < corvane::kMacLength; ++k) mac = mac << 8 | e[kMacAddress + k];
        sum += mac ^ corvane::ReadLe32(e + kDSConfig);
        offset += length;
    }
    return sum;
}

template <typename Run>
double MedianMicroseconds(int repetitions, int batch, Run run) {
    std::vector<double> times;
    times.reserve(size_t(repetitions));
    for (int r = 0; r < repetitions; ++r) {
        const auto start = Clock::now();
        for (int b = 0; b < batch; ++b) run();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() /
                        batch);
    }
    std::nth_element(times.begin(), times.begin() + long(times.size() / 2), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : CORVANE_BEACONS_FILE;
    const int repetitions = argc > 2 ? std::max(11, std::atoi(argv[2])) : 2001;
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "bench_row_rebuild: no captured beacons at %s\n", path.c_str());
        return 1;
    }
    std::vector<std::vector<uint8_t>> entries;
    int index = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty()) continue;
        const nlohmann::json b = nlohmann::json::parse(line);
        if (!b["channel"].is_number()) continue;
        entries.push_back(EntryFor(b, -40 - index++ % 55));
    }
    if (entries.empty()) {
        std::fprintf(stderr, "bench_row_rebuild: no beacons in %s\n", path.c_str());
        return 1;
    }

    corvane::__DEBUG__ = 0;  // no trace lines
    corvane::KestrelAccess adapter;
    uint8_t* list = corvane::G_pBssidList;
    const uint32_t count = FillList(list, corvane::kBssidListBufferSize, entries);
    const std::span<const uint8_t> buffer(list, corvane::kBssidListBufferSize);

    const size_t rows = corvane::BuildAccessPointRows(adapter, buffer).size();
    if (rows != count) {
        std::fprintf(stderr, "bench_row_rebuild: %zu rows from %u entries\n", rows, count);
        return 1;
    }

    volatile uint64_t sink = 0;
    // Interleaved rounds, so that both see the same machine load.
    std::vector<double> rebuild, walk;
    for (int round = 0; round < 5; ++round) {
        rebuild.push_back(MedianMicroseconds(repetitions / 5, 1, [&] {
            sink = sink + corvane::BuildAccessPointRows(adapter, buffer).size();
        }));
        walk.push_back(MedianMicroseconds(repetitions / 5, 100,
                                          [&] { sink = sink + PlainWalk(list, buffer.size()); }));
    }
    std::sort(rebuild.begin(), rebuild.end());
    std::sort(walk.begin(), walk.end());
    const double rebuildUs = rebuild[2], walkUs = walk[2];

    std::printf("list buffer: %zu bytes, %u entries from %zu captured beacons\n",
                corvane::kBssidListBufferSize, count, entries.size());
    std::printf("%-34s %10.2f us per rebuild %8.1f ns per entry\n", "BuildAccessPointRows",
                rebuildUs, rebuildUs * 1000.0 / count);
    std::printf("%-34s %10.3f us per walk    %8.2f ns per entry\n",
                "plain walk (Length, MAC, DSConfig)", walkUs, walkUs * 1000.0 / count);
    std::printf("ratio rebuild / plain walk: %.0f\n", rebuildUs / walkUs);
    return 0;
}
