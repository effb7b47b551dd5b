#include "driver/nl80211/BssScanEntry.h"

#include <algorithm>
#include <span>

#include "adapter/ChannelTable.h"
#include "driver/BeaconElements.h"
#include "driver/ScanEntryRecord.h"

namespace corvane::nl80211 {
namespace {

using namespace driver;

// Calls `visit(id, body)` for each whole element; stops at a truncated one.
template <typename Visit>
void ForEachElement(std::span<const uint8_t> elements, Visit visit) {
    size_t p = 0;
    while (elements.size() - p >= 2) {
        const size_t length = elements[p + 1];
        if (elements.size() - p - 2 < length) return;
        visit(elements[p], elements.subspan(p + 2, length));
        p += 2 + length;
    }
}

}  // namespace

bool Listable(const BssRecord& bss) {
    return TableChannelForFrequency(bss.frequencyMhz * 1000).has_value();
}

std::string SsidOfElements(const std::vector<uint8_t>& elements) {
    std::string ssid;
    bool found = false;
    ForEachElement(elements, [&](uint8_t id, std::span<const uint8_t> body) {
        if (id != kElementSsid || found) return;
        found = true;
        ssid.assign(body.begin(), body.end());
    });
    return ssid;
}

std::vector<uint8_t> ScanEntryForBss(const BssRecord& bss) {
    const std::string ssid = SsidOfElements(bss.elements);
    std::vector<uint8_t> rates;
    ForEachElement(bss.elements, [&](uint8_t id, std::span<const uint8_t> body) {
        if (id == kElementRates || id == kElementExtendedRates)
            rates.insert(rates.end(), body.begin(), body.end());
    });
    ScanEntryFields f;
    f.bssid = bss.bssid;
    f.ssid = ssid;
    f.privacy = (bss.capability & kCapabilityPrivacy) != 0;
    f.rssiDbm = bss.signalMbm / 100;
    f.frequencyKhz = bss.frequencyMhz * 1000;
    f.infrastructureMode = (bss.capability & kCapabilityIbss) ? 0 : 1;
    f.supportedRates = rates;
    f.timestamp = bss.tsf;
    f.beaconInterval = bss.beaconInterval;
    f.capability = bss.capability;
    f.elements = bss.elements;
    return EncodeScanEntry(f);
}

}  // namespace corvane::nl80211
