#include "driver/sim/ScanEntry.h"

#include <algorithm>

#include "adapter/Elements.h"
#include "driver/ScanEntryRecord.h"

namespace corvane::sim {

namespace {

constexpr uint16_t kBeaconInterval = 100;

const std::vector<uint8_t> kRates24 = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12,
                                       0x18, 0x24, 0x30, 0x48, 0x60, 0x6C};
const std::vector<uint8_t> kRates5 = {0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C};

bool Is5GHz(const NetworkSpec& n) { return n.frequencyKhz >= 4900000; }

void PutElement(std::vector<uint8_t>& out, uint8_t id, const std::vector<uint8_t>& body) {
    out.push_back(id);
    out.push_back(uint8_t(body.size()));
    out.insert(out.end(), body.begin(), body.end());
}

void PutSuite(std::vector<uint8_t>& body, const Oui& oui, uint8_t type) {
    body.insert(body.end(), oui.begin(), oui.end());
    body.push_back(type);
}

void PutLe16(std::vector<uint8_t>& body, uint16_t v) {
    body.push_back(uint8_t(v));
    body.push_back(uint8_t(v >> 8));
}

// The cipher and key-management suites shared by the WPA and RSN elements.
void PutSuites(std::vector<uint8_t>& body, const Oui& oui, const NetworkSpec& n, uint8_t akm) {
    PutSuite(body, oui, n.tkip ? kCipherTkip : kCipherCcmp);  // group
    PutLe16(body, uint16_t(int(n.tkip) + int(n.ccmp)));
    if (n.tkip) PutSuite(body, oui, kCipherTkip);
    if (n.ccmp) PutSuite(body, oui, kCipherCcmp);
    PutLe16(body, 1);
    PutSuite(body, oui, akm);
}

std::vector<uint8_t> WpaElementBody(const NetworkSpec& n, uint8_t akm) {
    std::vector<uint8_t> body(kOuiWpa.begin(), kOuiWpa.end());
    body.push_back(kWpaOuiType);
    PutLe16(body, 1);  // version
    PutSuites(body, kOuiWpa, n, akm);
    return body;
}

std::vector<uint8_t> RsnElementBody(const NetworkSpec& n, uint8_t akm) {
    std::vector<uint8_t> body;
    PutLe16(body, 1);  // version
    PutSuites(body, kOuiRsn, n, akm);
    PutLe16(body, 0);  // capabilities
    return body;
}

}  // namespace

std::vector<uint8_t> BeaconElements(const NetworkSpec& n) {
    if (n.ies) return *n.ies;
    std::vector<uint8_t> out;
    std::vector<uint8_t> ssid;
    if (!n.hidden) ssid.assign(n.ssid.begin(), n.ssid.end());
    PutElement(out, kElementSsid, ssid);

    const std::vector<uint8_t>& rates = Is5GHz(n) ? kRates5 : kRates24;
    const size_t basic = std::min<size_t>(rates.size(), 8);
    PutElement(out, kElementRates, {rates.begin(), rates.begin() + basic});
    if (const uint32_t channel = ChannelOfFrequency(n.frequencyKhz); channel != 0)
        PutElement(out, kElementDsParameters, {uint8_t(channel)});
    if (n.mode == NetworkMode::AdHoc) PutElement(out, kElementIbssParameters, {0x00, 0x00});
    if (rates.size() > basic)
        PutElement(out, kElementExtendedRates, {rates.begin() + basic, rates.end()});

    switch (n.security) {
        case Security::WpaPsk:
            PutElement(out, kElementVendor, WpaElementBody(n, kAkmPsk));
            break;
        case Security::WpaEnterprise:
            PutElement(out, kElementVendor, WpaElementBody(n, kAkm8021X));
            break;
        case Security::WpaNone:
            PutElement(out, kElementVendor, WpaElementBody(n, kAkmNone));
            break;
        case Security::Wpa2Psk:
            PutElement(out, kElementRsn, RsnElementBody(n, kAkmPsk));
            break;
        case Security::Wpa2Enterprise:
            PutElement(out, kElementRsn, RsnElementBody(n, kAkm8021X));
            break;
        case Security::WpaWpa2Psk:
            PutElement(out, kElementRsn, RsnElementBody(n, kAkmPsk));
            PutElement(out, kElementVendor, WpaElementBody(n, kAkmPsk));
            break;
        case Security::Open:
        case Security::Wep:
            break;
    }
    return out;
}

std::vector<uint8_t> BuildScanEntry(const NetworkSpec& n, uint64_t timestampUs) {
    const std::vector<uint8_t> elements = BeaconElements(n);
    uint16_t capability = n.mode == NetworkMode::AdHoc ? kCapabilityIbss : kCapabilityEss;
    if (n.privacy) capability |= kCapabilityPrivacy;
    ScanEntryFields f;
    f.bssid = n.bssid;
    if (!n.hidden) f.ssid = n.ssid;
    f.privacy = n.privacy;
    f.rssiDbm = n.rssi;
    f.frequencyKhz = n.frequencyKhz;
    f.infrastructureMode = n.mode == NetworkMode::AdHoc ? 0 : 1;
    f.supportedRates = Is5GHz(n) ? kRates5 : kRates24;
    f.timestamp = timestampUs;
    f.beaconInterval = kBeaconInterval;
    f.capability = capability;
    f.elements = elements;
    return EncodeScanEntry(f);
}

}  // namespace corvane::sim
