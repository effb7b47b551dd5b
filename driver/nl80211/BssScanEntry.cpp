#include "driver/nl80211/BssScanEntry.h"

#include <algorithm>
#include <span>

#include "adapter/ChannelTable.h"
#include "adapter/Elements.h"
#include "driver/ScanEntryRecord.h"

namespace corvane::nl80211 {

bool Listable(const BssRecord& bss) {
    return TableChannelForFrequency(bss.frequencyMhz * 1000).has_value();
}

std::string SsidOfElements(const std::vector<uint8_t>& elements) {
    const auto body = FindElement(elements, kElementSsid);
    return body ? std::string(body->begin(), body->end()) : std::string();
}

std::vector<uint8_t> ScanEntryForBss(const BssRecord& bss) {
    const std::string ssid = SsidOfElements(bss.elements);
    std::vector<uint8_t> rates;
    for (ElementIterator it(bss.elements); it.Next();) {
        const Element& e = it.Current();
        if (e.id == kElementRates || e.id == kElementExtendedRates)
            rates.insert(rates.end(), e.body.begin(), e.body.end());
    }
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
