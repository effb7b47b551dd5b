#include "driver/SimDriver.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "adapter/ByteOrder.h"
#include "adapter/Oids.h"
#include "adapter/Records.h"
#include "driver/Journal.h"
#include "driver/ScanEntry.h"
#include "driver/ScanEntryRecord.h"
#include "platform/Clock.h"

namespace corvane::sim {

using platform::kern_return_t;
using platform::kIOReturnBadArgument;
using platform::kIOReturnError;
using platform::kIOReturnNoDevice;
using platform::kIOReturnUnsupported;
using platform::KERN_SUCCESS;

namespace {

constexpr uint32_t kSelectorSetFlag = OID_SET_FLAG;
constexpr uint32_t kDefaultFrequencyKhz = 2437000;  // channel 6
constexpr uint32_t kStaConfigHwRadio = 5;
constexpr uint32_t kStaConfigErrorBitmap = 7;

// The vendor OIDs whose published number already carries the set flag
// (0x0DF1....); their base form is the number without it.
constexpr uint32_t Base(uint32_t oid) { return oid & ~kSelectorSetFlag; }

constexpr uint32_t kBaseRadio = Base(OID_VX_RADIO);
constexpr uint32_t kBasePreamble = Base(OID_VX_PREAMBLE);
constexpr uint32_t kBaseTxPower = Base(OID_VX_TX_POWER);
constexpr uint32_t kBaseClient64 = Base(OID_VX_CLIENT_64BIT);
constexpr uint32_t kBasePskKey = Base(OID_VX_WPA_PSK_KEY);
constexpr uint32_t kBaseAddKey = Base(OID_VX_ADD_KEY);

class SimUserClient : public platform::UserClient {
public:
    SimUserClient(SimDriver& driver, uint64_t generation)
        : driver_(driver), generation_(generation) {}
    kern_return_t CallStructMethod(uint32_t selector, const uint8_t* input, size_t inputSize,
                                   uint8_t* output, size_t* outputSize) override {
        return driver_.ClientCall(generation_, selector, input, inputSize, output, outputSize);
    }

private:
    SimDriver& driver_;
    uint64_t generation_;
};

bool ModeFits(uint32_t infrastructureMode, NetworkMode mode) {
    if (infrastructureMode == uint32_t(Ndis802_11AutoUnknown)) return true;
    return mode == NetworkMode::AdHoc ? infrastructureMode == uint32_t(Ndis802_11IBSS)
                                      : infrastructureMode == uint32_t(Ndis802_11Infrastructure);
}

}  // namespace

SimDriver::SimDriver(Environment environment) : environment_(std::move(environment)) {
    pluggedAt_ = Now();
    ResetStation();
}

SimDriver::~SimDriver() = default;

uint64_t SimDriver::Now() const { return platform::CurrentClock().NowMicroseconds(); }

void SimDriver::ResetStation() {
    swRadio_ = true;
    infrastructureMode_ = uint32_t(Ndis802_11Infrastructure);
    authMode_ = uint32_t(Ndis802_11AuthModeOpen);
    encryption_ = uint32_t(Ndis802_11WEPDisabled);
    preamble_ = 0;
    txPower_ = 100;
    rts_ = 2347;
    frag_ = 2346;
    powerMode_ = 0;
    client64Bit_ = 0;
    NDIS_802_11_CONFIGURATION config;
    config.Length = sizeof(NDIS_802_11_CONFIGURATION);
    config.BeaconPeriod = 100;
    config.DSConfig = kDefaultFrequencyKhz;
    configuration_ = EncodeConfiguration(config);
    staConfig_ = {};
    staConfig_[3] = 1;  // short slot time
    for (KeySlot& k : keys_) k.material.clear();
    transmitSlot_ = -1;
    psk_.reset();
    restartPending_ = false;
    association_ = Association{};

    const AdapterSpec& a = environment_.adapter;
    deviceWords_.fill(0xFFFF);
    deviceWords_[0x00] = a.kind == AdapterKind::Osprey ? 0x2573 : 0x2571;
    deviceWords_[0x01] = uint16_t(a.eepromMinor << 8 | a.eepromMajor);
    deviceWords_[0x02] = uint16_t(a.mac[1] << 8 | a.mac[0]);
    deviceWords_[0x03] = uint16_t(a.mac[3] << 8 | a.mac[2]);
    deviceWords_[0x04] = 0x0101;  // frequency-offset word the About page corrects
    deviceWords_[0x05] = uint16_t(a.mac[5] << 8 | a.mac[4]);
    deviceWords_[0x16] = 0x0101;
    deviceWords_[0x1C] = uint16_t(a.countryRegion);

    // The adapter scans on its own when it comes up.
    scanList_.clear();
    scanCursor_ = 0;
    StartScan(false);
}

void SimDriver::Tick() {
    const uint64_t now = Now();
    if (scanning_ && now - scanStartedAt_ >= kScanDurationUs) CompleteScan();
    if (association_.phase == Phase::None) return;
    if (!RadioOn()) return Disassociate();
    if (!association_.own) {
        const NetworkSpec* n = FindNetwork(association_.network.bssid);
        if (!n || !InRange(*n)) return Disassociate();
        association_.network.rssi = n->rssi;
    }
    if (association_.phase == Phase::Joining && now - association_.since >= kAssociationDelayUs) {
        association_.phase = Phase::Joined;
        association_.since += kAssociationDelayUs;
    }
}

const NetworkSpec* SimDriver::FindNetwork(const MacAddress& bssid) const {
    for (const NetworkSpec& n : environment_.networks)
        if (n.bssid == bssid) return &n;
    return nullptr;
}

void SimDriver::StartScan(bool counted) {
    if (counted) ++scansStarted_;
    if (scanning_) return;  // the running scan answers this request too
    scanning_ = true;
    scanStartedAt_ = Now();
}

void SimDriver::CompleteScan() {
    scanning_ = false;
    scanList_.clear();
    if (RadioOn()) {
        const uint64_t timestamp = scanStartedAt_ + kScanDurationUs;
        for (const NetworkSpec& n : environment_.networks)
            if (InRange(n)) scanList_.push_back(BuildScanEntry(n, timestamp));
    }
    // A further chunk continues only a list whose first chunk was read.
    scanCursor_ = scanList_.size();
}

// --- association ---------------------------------------------------------

bool SimDriver::KeysFit(const NetworkSpec& n) const {
    auto cipherFits = [&] {
        return (encryption_ == uint32_t(Ndis802_11Encryption2Enabled) && n.tkip) ||
               (encryption_ == uint32_t(Ndis802_11Encryption3Enabled) && n.ccmp);
    };
    switch (n.security) {
        case Security::Open:
            return authMode_ == uint32_t(Ndis802_11AuthModeOpen) &&
                   encryption_ == uint32_t(Ndis802_11WEPDisabled);
        case Security::Wep: {
            const uint32_t wantAuth = n.wepAuth == WepAuth::Shared
                                          ? uint32_t(Ndis802_11AuthModeShared)
                                          : uint32_t(Ndis802_11AuthModeOpen);
            if (authMode_ != wantAuth || encryption_ != uint32_t(Ndis802_11WEPEnabled))
                return false;
            if (transmitSlot_ < 0) return false;
            const std::vector<uint8_t>& ours = keys_[size_t(transmitSlot_)].material;
            return !ours.empty() && ours == n.wepKeys[size_t(transmitSlot_)];
        }
        case Security::WpaPsk:
        case Security::Wpa2Psk:
        case Security::WpaWpa2Psk: {
            const bool wpa1 = authMode_ == uint32_t(Ndis802_11AuthModeWPAPSK);
            const bool wpa2 = authMode_ == uint32_t(Ndis802_11AuthModeWPA2PSK);
            const bool authFits = n.security == Security::WpaPsk    ? wpa1
                                  : n.security == Security::Wpa2Psk ? wpa2
                                                                    : wpa1 || wpa2;
            return authFits && cipherFits() && psk_ && n.pmk && *psk_ == *n.pmk;
        }
        case Security::WpaNone: {
            if (authMode_ != uint32_t(Ndis802_11AuthModeWPANone) || !cipherFits()) return false;
            if (transmitSlot_ < 0 || !n.pmk) return false;
            const std::vector<uint8_t>& ours = keys_[size_t(transmitSlot_)].material;
            return ours.size() == n.pmk->size() && std::equal(ours.begin(), ours.end(), n.pmk->begin());
        }
        case Security::WpaEnterprise:
        case Security::Wpa2Enterprise:
            return false;  // no supplicant behind this driver
    }
    return false;
}

void SimDriver::Associate(const NetworkSpec& n, bool own) {
    association_.phase = Phase::Joining;
    association_.network = n;
    association_.own = own;
    association_.since = Now();
}

void SimDriver::Disassociate() {
    std::tie(txCounter_, rxCounter_) = Counters();
    association_ = Association{};
}

MacAddress SimDriver::OwnAdHocBssid(const std::string& ssid) const {
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

void SimDriver::JoinBySsid(const std::string& ssid) {
    Disassociate();
    if (ssid.empty() || !RadioOn()) return;
    const NetworkSpec* best = nullptr;
    for (const NetworkSpec& n : environment_.networks) {
        if (n.ssid != ssid || !InRange(n) || !ModeFits(infrastructureMode_, n.mode)) continue;
        if (!best || n.rssi > best->rssi) best = &n;
    }
    if (best) {
        if (KeysFit(*best)) Associate(*best, false);
        return;
    }
    if (infrastructureMode_ != uint32_t(Ndis802_11IBSS)) return;
    // Nobody carries this ad hoc network: start it ourselves.
    const bool wpaAuth = authMode_ == uint32_t(Ndis802_11AuthModeWPAPSK) ||
                         authMode_ == uint32_t(Ndis802_11AuthModeWPA2PSK) ||
                         authMode_ == uint32_t(Ndis802_11AuthModeWPA) ||
                         authMode_ == uint32_t(Ndis802_11AuthModeWPA2);
    if (wpaAuth) return;
    NetworkSpec own;
    own.ssid = ssid;
    own.bssid = OwnAdHocBssid(ssid);
    const uint32_t freq = ReadLe32(&configuration_[12]);
    own.frequencyKhz = ChannelOfFrequency(freq) != 0 ? freq : kDefaultFrequencyKhz;
    own.rssi = -45;
    own.mode = NetworkMode::AdHoc;
    own.privacy = encryption_ != uint32_t(Ndis802_11WEPDisabled);
    Associate(own, true);
}

void SimDriver::JoinByBssid(const MacAddress& bssid) {
    Disassociate();
    if (!RadioOn()) return;
    const NetworkSpec* n = FindNetwork(bssid);
    if (!n || !InRange(*n) || !ModeFits(infrastructureMode_, n->mode) || !KeysFit(*n)) return;
    Associate(*n, false);
}

uint32_t SimDriver::LinkQuality() const {
    if (!Associated()) return 0;
    const int32_t rssi = association_.network.rssi;
    if (rssi <= -90) return 0;
    if (rssi >= -40) return 100;
    return uint32_t((rssi + 90) * 2);
}

// Traffic grows with the time spent associated: one frame sent every 20 ms,
// one received every 8 ms.
std::pair<uint64_t, uint64_t> SimDriver::Counters() const {
    if (!Associated()) return {txCounter_, rxCounter_};
    const uint64_t elapsedMs = (Now() - association_.since) / 1000;
    return {txCounter_ + elapsedMs / 20, rxCounter_ + elapsedMs / 8};
}

// --- requests ------------------------------------------------------------

kern_return_t SimDriver::ClientCall(uint64_t generation, uint32_t selector, const uint8_t* input,
                                    size_t inputSize, uint8_t* output, size_t* outputSize) {
    if (generation != generation_ || !present_) {
        const size_t capacity = outputSize ? *outputSize : 0;
        if (outputSize) *outputSize = 0;
        Journal(selector, input, inputSize, capacity, kIOReturnNoDevice, output, 0);
        return kIOReturnNoDevice;
    }
    return Call(selector, input, inputSize, output, outputSize);
}

kern_return_t SimDriver::Call(uint32_t selector, const uint8_t* input, size_t inputSize,
                              uint8_t* output, size_t* outputSize) {
    const size_t capacity = outputSize ? *outputSize : 0;
    if (!outputSize || (capacity > 0 && !output) || (inputSize > 0 && !input) ||
        inputSize > platform::kMaxStructSize) {
        if (outputSize) *outputSize = 0;
        Journal(selector, nullptr, 0, capacity, kIOReturnBadArgument, nullptr, 0);
        return kIOReturnBadArgument;
    }
    kern_return_t result = kIOReturnNoDevice;
    std::vector<uint8_t> answer;
    if (present_) {
        Tick();
        // The answer is built aside and copied only when it fits, so a
        // caller's buffer never sees more than it has room for.
        result = Dispatch(selector, {input, inputSize}, capacity, answer);
        if (result == KERN_SUCCESS && answer.size() > capacity) result = kIOReturnBadArgument;
    }
    if (result != KERN_SUCCESS) answer.clear();
    if (!answer.empty()) std::memcpy(output, answer.data(), answer.size());
    *outputSize = answer.size();
    Journal(selector, input, inputSize, capacity, result, answer.data(), answer.size());
    return result;
}

kern_return_t SimDriver::Dispatch(uint32_t selector, std::span<const uint8_t> input,
                                  size_t capacity, std::vector<uint8_t>& answer) {
    const bool set = (selector & kSelectorSetFlag) != 0;
    const uint32_t oid = selector & ~kSelectorSetFlag;
    // The two operations that travel through the query call under a set
    // number: the driver tells them by the selector alone.
    if (oid == OID_802_11_BSSID_LIST_SCAN) {
        StartScan(true);
        return KERN_SUCCESS;
    }
    return set ? Set(oid, input) : Query(oid, input, capacity, answer);
}

kern_return_t SimDriver::Query(uint32_t oid, std::span<const uint8_t> input, size_t capacity,
                               std::vector<uint8_t>& answer) {
    const AdapterSpec& a = environment_.adapter;
    switch (oid) {
        case OID_GEN_MEDIA_CONNECT_STATUS:
            answer = LeWord(Associated() ? kMediaConnected : kMediaDisconnected);
            return KERN_SUCCESS;
        case OID_802_3_CURRENT_ADDRESS:
            answer.assign(a.mac.begin(), a.mac.end());
            return KERN_SUCCESS;
        case OID_802_11_BSSID:
            answer.assign(6, 0);
            if (Associated())
                std::copy(association_.network.bssid.begin(), association_.network.bssid.end(),
                          answer.begin());
            return KERN_SUCCESS;
        case OID_802_11_SSID: {
            NDIS_802_11_SSID ssid;
            if (Associated()) ssid = MakeSsid(association_.network.ssid);
            const Ssid36 bytes = EncodeSsid(ssid);
            answer.assign(bytes.begin(), bytes.end());
            return KERN_SUCCESS;
        }
        case OID_802_11_INFRASTRUCTURE_MODE:
            answer = LeWord(infrastructureMode_);
            return KERN_SUCCESS;
        case OID_802_11_AUTHENTICATION_MODE:
            answer = LeWord(authMode_);
            return KERN_SUCCESS;
        case OID_802_11_ENCRYPTION_STATUS:
            answer = LeWord(encryption_);
            return KERN_SUCCESS;
        case OID_VX_RESTART_PENDING:
            answer = LeWord(restartPending_ ? 1 : 0);
            return KERN_SUCCESS;
        case OID_VX_RESTART_DONE:
            restartPending_ = false;
            answer = LeWord(1);
            return KERN_SUCCESS;
        case OID_802_11_NETWORK_TYPES_SUPPORTED: {
            NetworkTypeList list;
            list.NetworkType[list.NumberOfItems++] = 1;  // DS
            list.NetworkType[list.NumberOfItems++] = 3;  // OFDM 2.4 GHz
            if (a.supports5GHz) list.NetworkType[list.NumberOfItems++] = Ndis802_11OFDM5;
            const auto bytes = EncodeNetworkTypes(list);
            answer.assign(bytes.begin(), bytes.end());
            return KERN_SUCCESS;
        }
        case OID_802_11_FRAGMENTATION_THRESHOLD:
            answer = LeWord(frag_);
            return KERN_SUCCESS;
        case OID_802_11_RTS_THRESHOLD:
            answer = LeWord(rts_);
            return KERN_SUCCESS;
        case OID_802_11_CONFIGURATION: {
            answer.assign(configuration_.begin(), configuration_.end());
            if (Associated()) WriteLe32(&answer[12], association_.network.frequencyKhz);
            return KERN_SUCCESS;
        }
        case OID_802_11_POWER_MODE:
            answer = LeWord(powerMode_);
            return KERN_SUCCESS;
        case OID_802_11_BSSID_LIST:
            AnswerFirstChunk(std::min(capacity, kBssidListChunkSize), answer);
            return KERN_SUCCESS;
        case OID_VX_BSSID_LIST_NEXT:
            return AnswerNextChunk(std::min(capacity, kBssidListChunkSize), answer);
        case OID_VX_LINK_STATUS: {
            VX_802_11_LINK_STATUS status;
            status.Word0 = Associated() ? 108 : 0;  // rate in 500 kbit/s units
            status.ChannelQuality = LinkQuality();
            const auto [tx, rx] = Counters();
            status.TxCount = uint32_t(tx);
            status.RxCount = uint32_t(rx);
            const auto bytes = EncodeLinkStatus(status);
            answer.assign(bytes.begin(), bytes.end());
            return KERN_SUCCESS;
        }
        case OID_VX_COUNTRY_REGION:
            answer = LeWord(a.countryRegion);
            return KERN_SUCCESS;
        case kBaseRadio:
            answer.assign(1, RadioOn() ? 1 : 0);
            return KERN_SUCCESS;
        case OID_VX_STA_CONFIG: {
            VX_802_11_STA_CONFIG c;
            c.EnableTxBurst = staConfig_[0];
            c.EnableTurboRate = staConfig_[1];
            c.UseBGProtection = staConfig_[2];
            c.UseShortSlotTime = staConfig_[3];
            c.AdhocMode = staConfig_[4];
            c.HwRadioStatus = a.hwRadio ? 1 : 0;
            c.Rsv1 = staConfig_[6];
            c.SystemErrorBitmap = a.eepromError ? kSystemErrorEeprom : 0;
            const auto bytes = EncodeStaConfig(c);
            answer.assign(bytes.begin(), bytes.end());
            return KERN_SUCCESS;
        }
        case OID_VX_EEPROM_VERSION:
            answer = {a.eepromMajor, a.eepromMinor, 0, 0};
            return KERN_SUCCESS;
        case OID_VX_DRIVER_READY:
            if (Now() - pluggedAt_ < uint64_t(a.readyDelayMs) * 1000) return kIOReturnNoDevice;
            answer = LeWord(1);
            return KERN_SUCCESS;
        case OID_VX_DEVICE_WORD_WRITE:
        case OID_VX_DEVICE_WORD_READ: {
            if (input.size() < sizeof(DeviceWordRecord)) return kIOReturnBadArgument;
            answer.assign(input.begin(), input.begin() + sizeof(DeviceWordRecord));
            uint16_t& word = deviceWords_[input[0]];
            if (oid == OID_VX_DEVICE_WORD_WRITE) word = ReadLe16(&input[4]);
            else WriteLe16(&answer[4], word);
            return KERN_SUCCESS;
        }
        case kBasePreamble:
            answer = LeWord(preamble_);
            return KERN_SUCCESS;
        case kBaseTxPower:
            answer = LeWord(txPower_);
            return KERN_SUCCESS;
        case kBaseClient64:
            answer.assign(1, client64Bit_);
            return KERN_SUCCESS;
        default:
            return kIOReturnUnsupported;
    }
}

kern_return_t SimDriver::Set(uint32_t oid, std::span<const uint8_t> input) {
    uint32_t v = 0;
    switch (oid) {
        case OID_802_11_BSSID: {
            if (input.size() != kMacLength) return kIOReturnBadArgument;
            MacAddress bssid{};
            std::copy(input.begin(), input.end(), bssid.begin());
            JoinByBssid(bssid);
            return KERN_SUCCESS;
        }
        case OID_802_11_SSID: {
            if (input.size() != sizeof(NDIS_802_11_SSID)) return kIOReturnBadArgument;
            const uint32_t length = ReadLe32(input.data());
            if (length > kSsidMaxLength) return kIOReturnBadArgument;
            JoinBySsid(std::string(reinterpret_cast<const char*>(input.data() + 4), length));
            return KERN_SUCCESS;
        }
        case OID_802_11_INFRASTRUCTURE_MODE:
            if (!ReadExactLe32(input, &v) || v > uint32_t(Ndis802_11AutoUnknown))
                return kIOReturnBadArgument;
            infrastructureMode_ = v;
            return KERN_SUCCESS;
        case OID_802_11_DISASSOCIATE:
            Disassociate();
            return KERN_SUCCESS;
        case OID_802_11_AUTHENTICATION_MODE:
            if (!ReadExactLe32(input, &v) || v > uint32_t(Ndis802_11AuthModeWPA2PSK))
                return kIOReturnBadArgument;
            authMode_ = v;
            return KERN_SUCCESS;
        case OID_802_11_ENCRYPTION_STATUS:
            if (!ReadExactLe32(input, &v) || v > 7) return kIOReturnBadArgument;
            encryption_ = v;
            return KERN_SUCCESS;
        case OID_802_11_REMOVE_KEY:
            return RemoveKey(input);
        case OID_802_11_FRAGMENTATION_THRESHOLD:
            if (!ReadExactLe32(input, &v)) return kIOReturnBadArgument;
            frag_ = v;
            return KERN_SUCCESS;
        case OID_802_11_RTS_THRESHOLD:
            if (!ReadExactLe32(input, &v)) return kIOReturnBadArgument;
            rts_ = v;
            return KERN_SUCCESS;
        case OID_802_11_CONFIGURATION:
            if (input.size() != configuration_.size()) return kIOReturnBadArgument;
            std::copy(input.begin(), input.end(), configuration_.begin());
            return KERN_SUCCESS;
        case OID_802_11_POWER_MODE:
            if (!ReadExactLe32(input, &v)) return kIOReturnBadArgument;
            powerMode_ = v;
            return KERN_SUCCESS;
        case kBaseRadio:
            if (!ReadExactLe32(input, &v) || v > 1) return kIOReturnBadArgument;
            swRadio_ = v != 0;
            if (!RadioOn()) Disassociate();
            return KERN_SUCCESS;
        case OID_VX_STA_CONFIG:
            if (input.size() != sizeof(VX_802_11_STA_CONFIG)) return kIOReturnBadArgument;
            for (size_t i = 0; i < staConfig_.size(); ++i)
                if (i != kStaConfigHwRadio && i != kStaConfigErrorBitmap)
                    staConfig_[i] = ReadLe32(&input[i * 4]);
            return KERN_SUCCESS;
        case kBasePreamble:
            if (!ReadExactLe32(input, &v)) return kIOReturnBadArgument;
            preamble_ = v;
            return KERN_SUCCESS;
        case kBaseTxPower:
            if (!ReadExactLe32(input, &v) || v > 100) return kIOReturnBadArgument;
            txPower_ = v;
            return KERN_SUCCESS;
        case kBaseClient64:
            if (input.size() != 1 || input[0] > 1) return kIOReturnBadArgument;
            client64Bit_ = input[0];
            return KERN_SUCCESS;
        case kBasePskKey:
            return SetKey(input, true);
        case kBaseAddKey:
            return SetKey(input, false);
        default:
            return kIOReturnUnsupported;
    }
}

// An NDIS_802_11_KEY record: every length it states must lie inside the
// bytes really sent, and the record is taken whole or not at all.
kern_return_t SimDriver::SetKey(std::span<const uint8_t> input, bool pskRecord) {
    if (input.size() < kKeyMaterialOffset) return kIOReturnBadArgument;
    const NDIS_802_11_KEY_HEADER h = DecodeKeyHeader(input);
    if (h.KeyLength == 0 || h.KeyLength > 32) return kIOReturnBadArgument;
    if (h.Length > input.size() || h.Length < kKeyMaterialOffset + h.KeyLength)
        return kIOReturnBadArgument;
    const uint32_t slot = h.KeyIndex & 0xFF;
    if (slot > 3 || (h.KeyIndex & 0x1FFFFF00) != 0) return kIOReturnBadArgument;
    const uint8_t* material = input.data() + kKeyMaterialOffset;
    if (pskRecord) {
        if (h.KeyLength != 32) return kIOReturnBadArgument;
        std::array<uint8_t, 32> psk{};
        std::copy(material, material + 32, psk.begin());
        psk_ = psk;
        return KERN_SUCCESS;
    }
    keys_[slot].material.assign(material, material + h.KeyLength);
    if (h.KeyIndex & kKeyIndexTransmit) transmitSlot_ = int(slot);
    return KERN_SUCCESS;
}

kern_return_t SimDriver::RemoveKey(std::span<const uint8_t> input) {
    if (input.size() != sizeof(NDIS_802_11_REMOVE_KEY)) return kIOReturnBadArgument;
    const uint32_t length = ReadLe32(input.data());
    const uint32_t index = ReadLe32(input.data() + 4);
    const uint32_t slot = index & 0xFF;
    if (length != sizeof(NDIS_802_11_REMOVE_KEY) || slot > 3 || (index & 0x1FFFFF00) != 0)
        return kIOReturnBadArgument;
    keys_[slot].material.clear();
    if (transmitSlot_ == int(slot)) transmitSlot_ = -1;
    return KERN_SUCCESS;
}

// --- scan list -----------------------------------------------------------

void SimDriver::AnswerFirstChunk(size_t capacity, std::vector<uint8_t>& answer) {
    answer.assign(4, 0);
    scanCursor_ = 0;
    if (scanning_) {
        scanCursor_ = scanList_.size();  // nothing to continue with
        return;
    }
    // Counted first: appending may move the answer's bytes.
    const uint32_t count = AppendWholeEntries(scanList_, scanCursor_, capacity, answer);
    WriteLe32(answer.data(), count);
}

kern_return_t SimDriver::AnswerNextChunk(size_t capacity, std::vector<uint8_t>& answer) {
    answer.clear();
    if (scanning_) return KERN_SUCCESS;
    AppendWholeEntries(scanList_, scanCursor_, capacity, answer);
    return KERN_SUCCESS;
}

// --- hardware side -------------------------------------------------------

std::unique_ptr<platform::UserClient> SimDriver::OpenUserClient(uint32_t connectionType) {
    if (!present_ || connectionType != 0) return nullptr;
    return std::make_unique<SimUserClient>(*this, generation_);
}

void SimDriver::Plug() {
    if (present_) return;
    present_ = true;
    ++generation_;
    pluggedAt_ = Now();
    ResetStation();
}

void SimDriver::Unplug() {
    if (!present_) return;
    Disassociate();
    present_ = false;
    ++generation_;
    scanning_ = false;
}

ScopedInProcessService::ScopedInProcessService(SimDriver& driver)
    : id_(platform::RegisterInProcessService(driver.ClassName(), &driver)) {}

ScopedInProcessService::~ScopedInProcessService() { platform::UnregisterInProcessService(id_); }

void SimDriver::Restart() {
    Disassociate();
    for (KeySlot& k : keys_) k.material.clear();
    transmitSlot_ = -1;
    psk_.reset();
    restartPending_ = true;
}

void SimDriver::SetHardwareRadio(bool on) {
    environment_.adapter.hwRadio = on;
    if (!RadioOn()) Disassociate();
}

void SimDriver::SetEepromError(bool on) { environment_.adapter.eepromError = on; }

bool SimDriver::SetRssi(const MacAddress& bssid, int32_t dbm) {
    for (NetworkSpec& n : environment_.networks) {
        if (n.bssid != bssid) continue;
        n.rssi = dbm;
        Tick();
        return true;
    }
    return false;
}

bool SimDriver::AddNetwork(NetworkSpec network, std::string* error) {
    if (FindNetwork(network.bssid)) {
        if (error) *error = "a network with BSSID " + FormatMacColons(network.bssid) + " exists";
        return false;
    }
    environment_.networks.push_back(std::move(network));
    return true;
}

bool SimDriver::RemoveNetwork(const MacAddress& bssid) {
    auto it = std::find_if(environment_.networks.begin(), environment_.networks.end(),
                           [&](const NetworkSpec& n) { return n.bssid == bssid; });
    if (it == environment_.networks.end()) return false;
    environment_.networks.erase(it);
    Tick();
    return true;
}

void SimDriver::Journal(uint32_t selector, const uint8_t* input, size_t inputSize,
                        size_t capacity, kern_return_t result, const uint8_t* output,
                        size_t outputSize) {
    if (journal_)
        WriteJournalLine(*journal_, selector, input, inputSize, capacity, result, output,
                         outputSize);
}

}  // namespace corvane::sim
