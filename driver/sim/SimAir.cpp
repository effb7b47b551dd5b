#include "driver/sim/SimAir.h"

#include <algorithm>
#include <tuple>

#include "adapter/Oids.h"
#include "driver/sim/ScanEntry.h"
#include "platform/Clock.h"

namespace corvane::sim {

using platform::kern_return_t;
using platform::KERN_SUCCESS;

namespace {

constexpr uint32_t kDefaultFrequencyKhz = 2437000;  // channel 6
constexpr uint32_t kAssociatedRate500Kbps = 108;    // 54 Mbit/s
constexpr int32_t kOwnAdHocDbm = -45;

bool ModeFits(uint32_t infrastructureMode, NetworkMode mode) {
    if (infrastructureMode == uint32_t(Ndis802_11AutoUnknown)) return true;
    return mode == NetworkMode::AdHoc ? infrastructureMode == uint32_t(Ndis802_11IBSS)
                                      : infrastructureMode == uint32_t(Ndis802_11Infrastructure);
}

}  // namespace

SimAir::SimAir(Environment environment) : environment_(std::move(environment)) {
    pluggedAt_ = Now();
    ResetWorld();
}

uint64_t SimAir::Now() const { return platform::CurrentClock().NowMicroseconds(); }

void SimAir::ResetWorld() {
    swRadio_ = true;
    association_ = Association{};
    // The adapter scans on its own when it comes up.
    scanList_.clear();
    StartScan(false);
}

void SimAir::Tick() {
    const uint64_t now = Now();
    if (scanning_ && now - scanStartedAt_ >= kScanDurationUs) CompleteScan();
    if (association_.phase == Phase::None) return;
    if (!RadioOn()) return Drop();
    if (!association_.own) {
        const NetworkSpec* n = FindNetwork(association_.network.bssid);
        if (!n || !InRange(*n)) return Drop();
        association_.network.rssi = n->rssi;
    }
    if (association_.phase == Phase::Joining && now - association_.since >= kAssociationDelayUs) {
        association_.phase = Phase::Joined;
        association_.since += kAssociationDelayUs;
    }
}

const NetworkSpec* SimAir::FindNetwork(const MacAddress& bssid) const {
    for (const NetworkSpec& n : environment_.networks)
        if (n.bssid == bssid) return &n;
    return nullptr;
}

void SimAir::StartScan(bool counted) {
    if (counted) ++scansStarted_;
    if (scanning_) return;  // the running scan answers this request too
    scanning_ = true;
    scanStartedAt_ = Now();
    ++scanEpoch_;
}

void SimAir::CompleteScan() {
    scanning_ = false;
    scanList_.clear();
    if (!RadioOn()) return;
    const uint64_t timestamp = scanStartedAt_ + kScanDurationUs;
    for (const NetworkSpec& n : environment_.networks)
        if (InRange(n)) scanList_.push_back(BuildScanEntry(n, timestamp));
}

kern_return_t SimAir::Scan() {
    StartScan(true);
    return KERN_SUCCESS;
}

std::vector<std::vector<uint8_t>> SimAir::ScanList() {
    if (scanning_) return {};
    return scanList_;
}

// --- association ---------------------------------------------------------

bool SimAir::KeysFit(const NetworkSpec& n) const {
    const driver::StationSettings& s = station().Settings();
    auto cipherFits = [&] {
        return (s.encryption == uint32_t(Ndis802_11Encryption2Enabled) && n.tkip) ||
               (s.encryption == uint32_t(Ndis802_11Encryption3Enabled) && n.ccmp);
    };
    auto transmitKey = [&]() -> const std::vector<uint8_t>* {
        return s.transmitKey < 0 ? nullptr : &s.wepKeys[size_t(s.transmitKey)];
    };
    switch (n.security) {
        case Security::Open:
            return s.authMode == uint32_t(Ndis802_11AuthModeOpen) &&
                   s.encryption == uint32_t(Ndis802_11WEPDisabled);
        case Security::Wep: {
            const uint32_t wantAuth = n.wepAuth == WepAuth::Shared
                                          ? uint32_t(Ndis802_11AuthModeShared)
                                          : uint32_t(Ndis802_11AuthModeOpen);
            if (s.authMode != wantAuth || s.encryption != uint32_t(Ndis802_11WEPEnabled))
                return false;
            const std::vector<uint8_t>* ours = transmitKey();
            return ours && !ours->empty() && *ours == n.wepKeys[size_t(s.transmitKey)];
        }
        case Security::WpaPsk:
        case Security::Wpa2Psk:
        case Security::WpaWpa2Psk: {
            const bool wpa1 = s.authMode == uint32_t(Ndis802_11AuthModeWPAPSK);
            const bool wpa2 = s.authMode == uint32_t(Ndis802_11AuthModeWPA2PSK);
            const bool authFits = n.security == Security::WpaPsk    ? wpa1
                                  : n.security == Security::Wpa2Psk ? wpa2
                                                                    : wpa1 || wpa2;
            return authFits && cipherFits() && s.psk && n.pmk && *s.psk == *n.pmk;
        }
        case Security::WpaNone: {
            if (s.authMode != uint32_t(Ndis802_11AuthModeWPANone) || !cipherFits()) return false;
            const std::vector<uint8_t>* ours = transmitKey();
            return ours && n.pmk && ours->size() == n.pmk->size() &&
                   std::equal(ours->begin(), ours->end(), n.pmk->begin());
        }
        case Security::WpaEnterprise:
        case Security::Wpa2Enterprise:
            return false;  // no supplicant behind this driver
    }
    return false;
}

void SimAir::Associate(const NetworkSpec& n, bool own) {
    association_.phase = Phase::Joining;
    association_.network = n;
    association_.own = own;
    association_.since = Now();
}

void SimAir::Drop() {
    std::tie(txCounter_, rxCounter_) = Counters();
    association_ = Association{};
}

MacAddress SimAir::OwnAdHocBssid(const std::string& ssid) const {
    // FNV-1a over the SSID and the adapter's address: looks random, is the
    // same every time for the same network.
    uint64_t h = 1469598103934665603ull;
    auto mix = [&](uint8_t b) { h = (h ^ b) * 1099511628211ull; };
    for (char c : ssid) mix(uint8_t(c));
    for (uint8_t b : environment_.adapter.mac) mix(b);
    MacAddress mac{};
    for (size_t i = 0; i < 6; ++i) mac[i] = uint8_t(h >> (8 * i));
    mac[0] = uint8_t((mac[0] & 0xFC) | 0x02);  // locally administered, unicast
    return mac;
}

void SimAir::JoinBySsid(const std::string& ssid) {
    Drop();
    if (!RadioOn()) return;
    const driver::StationSettings& s = station().Settings();
    const NetworkSpec* best = nullptr;
    for (const NetworkSpec& n : environment_.networks) {
        if (n.ssid != ssid || !InRange(n) || !ModeFits(s.infrastructureMode, n.mode)) continue;
        if (!best || n.rssi > best->rssi) best = &n;
    }
    if (best) {
        if (KeysFit(*best)) Associate(*best, false);
        return;
    }
    if (s.infrastructureMode != uint32_t(Ndis802_11IBSS)) return;
    // Nobody carries this ad hoc network: start it ourselves.
    const bool wpaAuth = s.authMode == uint32_t(Ndis802_11AuthModeWPAPSK) ||
                         s.authMode == uint32_t(Ndis802_11AuthModeWPA2PSK) ||
                         s.authMode == uint32_t(Ndis802_11AuthModeWPA) ||
                         s.authMode == uint32_t(Ndis802_11AuthModeWPA2);
    if (wpaAuth) return;
    NetworkSpec own;
    own.ssid = ssid;
    own.bssid = OwnAdHocBssid(ssid);
    own.frequencyKhz =
        ChannelOfFrequency(s.frequencyKhz) != 0 ? s.frequencyKhz : kDefaultFrequencyKhz;
    own.rssi = kOwnAdHocDbm;
    own.mode = NetworkMode::AdHoc;
    own.privacy = s.encryption != uint32_t(Ndis802_11WEPDisabled);
    Associate(own, true);
}

void SimAir::JoinByBssid(const MacAddress& bssid) {
    Drop();
    if (!RadioOn()) return;
    const NetworkSpec* n = FindNetwork(bssid);
    if (!n || !InRange(*n) || !ModeFits(station().Settings().infrastructureMode, n->mode) ||
        !KeysFit(*n))
        return;
    Associate(*n, false);
}

kern_return_t SimAir::Join(const driver::JoinRequest& request) {
    if (request.bssid)
        JoinByBssid(*request.bssid);
    else
        JoinBySsid(request.ssid);
    return KERN_SUCCESS;
}

kern_return_t SimAir::Disassociate(bool) {
    Drop();
    return KERN_SUCCESS;
}

std::optional<std::string> SimAir::Apply(driver::PhySetting setting, uint32_t value) {
    if (setting == driver::PhySetting::Radio) {
        swRadio_ = value != 0;
        if (!RadioOn()) Drop();
    }
    return std::nullopt;  // the rest is only kept
}

// --- what the requests read ---------------------------------------------------

driver::EepromVersion SimAir::Eeprom() {
    return {environment_.adapter.eepromMajor, environment_.adapter.eepromMinor};
}

bool SimAir::DriverReady() {
    return Now() - pluggedAt_ >= uint64_t(environment_.adapter.readyDelayMs) * 1000;
}

driver::LinkState SimAir::Link() {
    driver::LinkState link;
    if (!Associated()) return link;
    link.associated = true;
    link.ssid = association_.network.ssid;
    link.bssid = association_.network.bssid;
    link.frequencyKhz = association_.network.frequencyKhz;
    return link;
}

// Traffic grows with the time spent associated: one frame sent every 20 ms,
// one received every 8 ms.
std::pair<uint64_t, uint64_t> SimAir::Counters() const {
    if (!Associated()) return {txCounter_, rxCounter_};
    const uint64_t elapsedMs = (Now() - association_.since) / 1000;
    return {txCounter_ + elapsedMs / 20, rxCounter_ + elapsedMs / 8};
}

driver::LinkStatistics SimAir::Statistics() {
    driver::LinkStatistics s;
    const auto [tx, rx] = Counters();
    s.txPackets = uint32_t(tx);
    s.rxPackets = uint32_t(rx);
    if (Associated()) {
        s.rate500Kbps = kAssociatedRate500Kbps;
        s.signalDbm = association_.network.rssi;
    }
    return s;
}

// --- hardware side -------------------------------------------------------

void SimAir::Plug() {
    if (present_) return;
    present_ = true;
    ++generation_;
    pluggedAt_ = Now();
    station().Reset();
    ResetWorld();
}

void SimAir::Unplug() {
    if (!present_) return;
    Drop();
    present_ = false;
    ++generation_;
    scanning_ = false;
}

void SimAir::Restart() {
    Drop();
    station().ForgetKeys();
    station().RaiseRestartPending();
}

void SimAir::SetHardwareRadio(bool on) {
    environment_.adapter.hwRadio = on;
    if (!RadioOn()) Drop();
}

void SimAir::SetEepromError(bool on) { environment_.adapter.eepromError = on; }

bool SimAir::SetRssi(const MacAddress& bssid, int32_t dbm) {
    for (NetworkSpec& n : environment_.networks) {
        if (n.bssid != bssid) continue;
        n.rssi = dbm;
        Tick();
        return true;
    }
    return false;
}

bool SimAir::AddNetwork(NetworkSpec network, std::string* error) {
    if (FindNetwork(network.bssid)) {
        if (error) *error = "a network with BSSID " + FormatMacColons(network.bssid) + " exists";
        return false;
    }
    environment_.networks.push_back(std::move(network));
    return true;
}

bool SimAir::RemoveNetwork(const MacAddress& bssid) {
    auto it = std::find_if(environment_.networks.begin(), environment_.networks.end(),
                           [&](const NetworkSpec& n) { return n.bssid == bssid; });
    if (it == environment_.networks.end()) return false;
    environment_.networks.erase(it);
    Tick();
    return true;
}

}  // namespace corvane::sim
