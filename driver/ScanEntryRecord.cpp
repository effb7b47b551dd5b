#include "driver/ScanEntryRecord.h"

#include <algorithm>

#include "adapter/ByteOrder.h"
#include "adapter/Oids.h"
#include "adapter/Records.h"

namespace corvane {

std::vector<uint8_t> EncodeScanEntry(const ScanEntryFields& f) {
    const size_t ieLength = bss::kFixedBeaconFields + f.elements.size();
    const size_t length = (bss::kIEs + ieLength + 3) & ~size_t(3);
    std::vector<uint8_t> e(length, 0);

    WriteLe32(&e[bss::kLength], uint32_t(length));
    std::copy(f.bssid.begin(), f.bssid.end(), &e[bss::kMacAddress]);
    const size_t ssidLength = std::min(f.ssid.size(), kSsidMaxLength);
    WriteLe32(&e[bss::kSsidLength], uint32_t(ssidLength));
    std::copy_n(f.ssid.begin(), ssidLength, &e[bss::kSsid]);
    WriteLe32(&e[bss::kPrivacy], f.privacy ? 1 : 0);
    WriteLe32(&e[bss::kRssi], uint32_t(f.rssiDbm));
    WriteLe32(&e[bss::kNetworkTypeInUse],
              f.frequencyKhz >= 4900000 ? Ndis802_11OFDM5 : Ndis802_11OFDM24);
    WriteLe32(&e[bss::kConfiguration], uint32_t(sizeof(NDIS_802_11_CONFIGURATION)));
    WriteLe32(&e[bss::kConfiguration + 4], f.beaconInterval);
    WriteLe32(&e[bss::kDSConfig], f.frequencyKhz);
    WriteLe32(&e[bss::kInfrastructureMode], f.infrastructureMode);
    std::copy_n(f.supportedRates.begin(), std::min<size_t>(f.supportedRates.size(), 16),
                &e[bss::kSupportedRates]);
    WriteLe32(&e[bss::kIELength], uint32_t(ieLength));

    uint8_t* fixed = &e[bss::kIEs];
    for (int i = 0; i < 8; ++i) fixed[i] = uint8_t(f.timestamp >> (8 * i));
    WriteLe16(fixed + 8, f.beaconInterval);
    WriteLe16(fixed + 10, f.capability);
    std::copy(f.elements.begin(), f.elements.end(), &e[bss::kTaggedElements]);
    return e;
}

uint32_t AppendWholeEntries(const std::vector<std::vector<uint8_t>>& list, size_t& cursor,
                            size_t capacity, std::vector<uint8_t>& out) {
    uint32_t count = 0;
    while (cursor < list.size() && out.size() + list[cursor].size() <= capacity) {
        const auto& e = list[cursor++];
        out.insert(out.end(), e.begin(), e.end());
        ++count;
    }
    return count;
}

}  // namespace corvane
