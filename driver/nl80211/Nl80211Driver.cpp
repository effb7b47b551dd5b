#include "driver/nl80211/Nl80211Driver.h"

#include <linux/nl80211.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "adapter/ByteOrder.h"
#include "adapter/ChannelPlan.h"
#include "adapter/Oids.h"
#include "adapter/Records.h"
#include "driver/Journal.h"
#include "driver/ScanEntryRecord.h"
#include "driver/nl80211/BssScanEntry.h"
#include "driver/nl80211/RegulatoryRegion.h"

namespace corvane::nl80211 {

using platform::kern_return_t;
using platform::KERN_SUCCESS;
using platform::kIOReturnBadArgument;
using platform::kIOReturnError;
using platform::kIOReturnNoDevice;
using platform::kIOReturnUnsupported;

struct Nl80211Driver::QueryRow {
    uint32_t oid;
    kern_return_t (Nl80211Driver::*answer)(Input, Answer&);
};

struct Nl80211Driver::SetRow {
    uint32_t oid;
    kern_return_t (Nl80211Driver::*apply)(Input);
};

namespace {

// The vendor OIDs whose published number already carries the set flag.
constexpr uint32_t Base(uint32_t oid) { return oid & ~OID_SET_FLAG; }

constexpr uint32_t kOffThreshold = UINT32_MAX;
constexpr uint32_t kRtsMax = 2347;
constexpr uint32_t kFragMax = 2346;
constexpr uint32_t kFragMin = 256;
constexpr uint32_t kBeaconPeriod = 100;
constexpr uint32_t kDefaultFrequencyKhz = 2437000;  // channel 6
constexpr size_t kStaConfigHwRadio = 5;
constexpr size_t kStaConfigErrorBitmap = 7;

WiphySettings Rts(uint32_t v) {
    WiphySettings s;
    s.rtsThreshold = v;
    return s;
}

WiphySettings Frag(uint32_t v) {
    WiphySettings s;
    s.fragThreshold = v;
    return s;
}

WiphySettings PowerLimit(int32_t mbm) {
    WiphySettings s;
    s.txPowerLimitMbm = mbm;
    return s;
}

kern_return_t FromErrno(int status) { return status == 0 ? KERN_SUCCESS : kIOReturnError; }

// The system's own RSSI scale (as its RSSI-to-percent conversion).
uint32_t QualityPercent(int32_t dbm) {
    if (dbm >= -50) return 100;
    if (dbm >= -80) return uint32_t(double(dbm + 80) * 2.6 + 24);
    if (dbm >= -90) return uint32_t(double(dbm + 90) * 2.6);
    return 0;
}

// A transmit power in percent as a limit: that share of 100 mW.
int32_t PowerLimitMbm(uint32_t percent) {
    if (percent >= 100 || percent == 0) return 0;  // automatic
    return int32_t(std::lround(1000.0 * std::log10(double(percent))));
}

class DriverClient : public platform::UserClient {
public:
    explicit DriverClient(Nl80211Driver& driver) : driver_(driver) {}
    kern_return_t CallStructMethod(uint32_t selector, const uint8_t* input, size_t inputSize,
                                   uint8_t* output, size_t* outputSize) override {
        return driver_.Call(selector, input, inputSize, output, outputSize);
    }

private:
    Nl80211Driver& driver_;
};

}  // namespace

const Nl80211Driver::QueryRow Nl80211Driver::kQueries[] = {
    {OID_GEN_MEDIA_CONNECT_STATUS, &Nl80211Driver::MediaConnectStatus},
    {OID_802_3_CURRENT_ADDRESS, &Nl80211Driver::CurrentAddress},
    {OID_802_11_BSSID, &Nl80211Driver::CurrentBssid},
    {OID_802_11_SSID, &Nl80211Driver::CurrentSsid},
    {OID_802_11_INFRASTRUCTURE_MODE, &Nl80211Driver::InfrastructureMode},
    {OID_802_11_AUTHENTICATION_MODE, &Nl80211Driver::AuthenticationMode},
    {OID_802_11_ENCRYPTION_STATUS, &Nl80211Driver::EncryptionStatus},
    {OID_VX_RESTART_PENDING, &Nl80211Driver::RestartPending},
    {OID_VX_RESTART_DONE, &Nl80211Driver::RestartDone},
    {OID_802_11_NETWORK_TYPES_SUPPORTED, &Nl80211Driver::NetworkTypes},
    {OID_802_11_FRAGMENTATION_THRESHOLD, &Nl80211Driver::FragmentationThreshold},
    {OID_802_11_RTS_THRESHOLD, &Nl80211Driver::RtsThreshold},
    {OID_802_11_CONFIGURATION, &Nl80211Driver::Configuration},
    {OID_802_11_POWER_MODE, &Nl80211Driver::PowerMode},
    {OID_802_11_BSSID_LIST, &Nl80211Driver::FirstChunk},
    {OID_VX_BSSID_LIST_NEXT, &Nl80211Driver::NextChunk},
    {OID_VX_LINK_STATUS, &Nl80211Driver::LinkStatus},
    {OID_VX_COUNTRY_REGION, &Nl80211Driver::CountryRegion},
    {OID_VX_RADIO, &Nl80211Driver::RadioState},
    {OID_VX_STA_CONFIG, &Nl80211Driver::StaConfig},
    {OID_VX_EEPROM_VERSION, &Nl80211Driver::EepromVersion},
    {OID_VX_DRIVER_READY, &Nl80211Driver::DriverReady},
    {OID_VX_DEVICE_WORD_READ, &Nl80211Driver::ReadDeviceWord},
    {OID_VX_DEVICE_WORD_WRITE, &Nl80211Driver::WriteDeviceWord},
    {Base(OID_VX_PREAMBLE), &Nl80211Driver::Preamble},
    {Base(OID_VX_TX_POWER), &Nl80211Driver::TxPower},
};

const Nl80211Driver::SetRow Nl80211Driver::kSets[] = {
    {OID_802_11_BSSID, &Nl80211Driver::JoinBssid},
    {OID_802_11_SSID, &Nl80211Driver::JoinSsid},
    {OID_802_11_INFRASTRUCTURE_MODE, &Nl80211Driver::SetInfrastructureMode},
    {OID_802_11_DISASSOCIATE, &Nl80211Driver::Disassociate},
    {OID_802_11_AUTHENTICATION_MODE, &Nl80211Driver::SetAuthenticationMode},
    {OID_802_11_BSSID_LIST_SCAN, &Nl80211Driver::Scan},
    {OID_802_11_ENCRYPTION_STATUS, &Nl80211Driver::SetEncryptionStatus},
    {OID_802_11_REMOVE_KEY, &Nl80211Driver::RemoveKey},
    {OID_802_11_FRAGMENTATION_THRESHOLD, &Nl80211Driver::SetFragmentationThreshold},
    {OID_802_11_RTS_THRESHOLD, &Nl80211Driver::SetRtsThreshold},
    {OID_802_11_CONFIGURATION, &Nl80211Driver::SetConfiguration},
    {OID_802_11_POWER_MODE, &Nl80211Driver::SetPowerMode},
    {OID_VX_RADIO, &Nl80211Driver::SetRadio},
    {OID_VX_STA_CONFIG, &Nl80211Driver::SetStaConfig},
    {Base(OID_VX_PREAMBLE), &Nl80211Driver::SetPreamble},
    {Base(OID_VX_TX_POWER), &Nl80211Driver::SetTxPower},
    {Base(OID_VX_CLIENT_64BIT), &Nl80211Driver::SetClientWidth},
    {Base(OID_VX_ADD_KEY), &Nl80211Driver::AddKey},
    {Base(OID_VX_WPA_PSK_KEY), &Nl80211Driver::SetPskKey},
};

Nl80211Driver::Nl80211Driver(WirelessStack& stack, Supplicant& supplicant,
                             std::string interfaceName, AdapterKind kind)
    : stack_(stack),
      supplicant_(supplicant),
      interfaceName_(std::move(interfaceName)),
      kind_(kind) {
    NDIS_802_11_CONFIGURATION config;
    config.Length = sizeof(NDIS_802_11_CONFIGURATION);
    config.BeaconPeriod = kBeaconPeriod;
    config.DSConfig = kDefaultFrequencyKhz;
    configuration_ = EncodeConfiguration(config);
    staConfig_[3] = 1;  // short slot time
}

Nl80211Driver::~Nl80211Driver() = default;

const char* Nl80211Driver::ClassName() const {
    return kind_ == AdapterKind::Osprey ? "OspreyUSBWirelessDriver" : "MerlinUSBWirelessDriver";
}

void Nl80211Driver::Note(const std::string& line) {
    if (log_) *log_ << "corvane-nl80211d: " << line << std::endl;
}

std::unique_ptr<platform::UserClient> Nl80211Driver::OpenUserClient(uint32_t connectionType) {
    if (connectionType != 0) return nullptr;
    interface_ = stack_.Interface();
    if (!interface_) {
        if (!std::exchange(interfaceGone_, true))
            Note("interface " + interfaceName_ + " is gone; the adapter counts as unplugged");
        return nullptr;
    }
    if (interfaceGone_) {
        interfaceGone_ = false;
        Note("interface " + interfaceName_ + " is back");
    }
    if (knownIfindex_ != 0 && interface_->ifindex != knownIfindex_) {
        restartPending_ = true;
        ++generation_;
        scanList_.clear();
        scanCursor_ = 0;
    }
    knownIfindex_ = interface_->ifindex;
    return std::make_unique<DriverClient>(*this);
}

kern_return_t Nl80211Driver::Call(uint32_t selector, const uint8_t* input, size_t inputSize,
                                  uint8_t* output, size_t* outputSize) {
    const size_t capacity = outputSize ? *outputSize : 0;
    if (!outputSize || (capacity > 0 && !output) || (inputSize > 0 && !input) ||
        inputSize > platform::kMaxStructSize) {
        if (outputSize) *outputSize = 0;
        if (journal_)
            WriteJournalLine(*journal_, selector, nullptr, 0, capacity, kIOReturnBadArgument,
                             nullptr, 0);
        return kIOReturnBadArgument;
    }
    Answer answer;
    kern_return_t result =
        interface_ ? Dispatch(selector, {input, inputSize}, answer) : kIOReturnNoDevice;
    // Built aside and copied only when it fits the caller's room.
    if (result == KERN_SUCCESS && answer.size() > capacity) result = kIOReturnBadArgument;
    if (result != KERN_SUCCESS) answer.clear();
    if (!answer.empty()) std::memcpy(output, answer.data(), answer.size());
    *outputSize = answer.size();
    if (journal_)
        WriteJournalLine(*journal_, selector, input, inputSize, capacity, result, answer.data(),
                         answer.size());
    return result;
}

kern_return_t Nl80211Driver::Dispatch(uint32_t selector, Input input, Answer& answer) {
    const uint32_t oid = Base(selector);
    if (selector & OID_SET_FLAG) {
        for (const SetRow& row : kSets)
            if (row.oid == oid) return (this->*row.apply)(input);
    } else {
        for (const QueryRow& row : kQueries)
            if (row.oid == oid) return (this->*row.answer)(input, answer);
    }
    return kIOReturnUnsupported;
}

// --- wpa_supplicant ----------------------------------------------------------

std::optional<std::string> Nl80211Driver::Ask(const std::string& command) {
    std::optional<std::string> reply = supplicant_.Request(command);
    if (!reply && supplicantAnswers_ != false) Note(supplicant_.Problem());
    if (reply && supplicantAnswers_ == false) Note("wpa_supplicant answers again");
    supplicantAnswers_ = reply.has_value();
    return reply;
}

bool Nl80211Driver::AskOk(const std::string& command) {
    const std::optional<std::string> reply = Ask(command);
    return reply && reply->rfind("OK", 0) == 0;
}

SupplicantStatus Nl80211Driver::Status() {
    const std::optional<std::string> reply = Ask("STATUS");
    return reply ? ReadStatus(*reply) : SupplicantStatus{};
}

void Nl80211Driver::RemoveOwnNetworks() {
    const std::optional<std::string> list = Ask("LIST_NETWORKS");
    if (!list) return;
    const std::string tag = std::string("\"") + kNetworkTag + "\"";
    for (int id : NetworkIds(*list)) {
        const std::optional<std::string> idStr =
            Ask("GET_NETWORK " + std::to_string(id) + " id_str");
        if (idStr && idStr->substr(0, idStr->find('\n')) == tag)
            Ask("REMOVE_NETWORK " + std::to_string(id));
    }
}

kern_return_t Nl80211Driver::Commit(const NetworkTarget& target) {
    RemoveOwnNetworks();
    const CommittedNetwork network = NetworkFor(settings_, target);
    if (!network.refusal.empty()) {
        Note("not joining: " + network.refusal);
        Ask("DISCONNECT");
        return kIOReturnUnsupported;
    }
    const std::optional<std::string> added = Ask("ADD_NETWORK");
    const std::optional<int> id = added ? NetworkId(*added) : std::nullopt;
    if (!id) return kIOReturnError;
    const std::string prefix = "SET_NETWORK " + std::to_string(*id) + " ";
    for (const auto& [name, value] : network.variables) {
        if (!AskOk(prefix + name + " " + value)) {
            Note("wpa_supplicant refused the network variable " + name);
            Ask("REMOVE_NETWORK " + std::to_string(*id));
            return kIOReturnError;
        }
    }
    if (!AskOk("SELECT_NETWORK " + std::to_string(*id))) {
        Ask("REMOVE_NETWORK " + std::to_string(*id));
        return kIOReturnError;
    }
    return KERN_SUCCESS;
}

// --- queries -----------------------------------------------------------------

kern_return_t Nl80211Driver::MediaConnectStatus(Input, Answer& a) {
    a = LeWord(Status().Completed() ? kMediaConnected : kMediaDisconnected);
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::CurrentAddress(Input, Answer& a) {
    a.assign(interface_->mac.begin(), interface_->mac.end());
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::CurrentBssid(Input, Answer& a) {
    const SupplicantStatus s = Status();
    a.assign(6, 0);
    if (s.Completed() && s.bssid) std::copy(s.bssid->begin(), s.bssid->end(), a.begin());
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::CurrentSsid(Input, Answer& a) {
    const SupplicantStatus s = Status();
    const Ssid36 bytes = EncodeSsid(s.Completed() ? MakeSsid(s.ssid) : NDIS_802_11_SSID{});
    a.assign(bytes.begin(), bytes.end());
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::InfrastructureMode(Input, Answer& a) {
    a = LeWord(interface_->iftype == NL80211_IFTYPE_ADHOC ? uint32_t(Ndis802_11IBSS)
                                                       : uint32_t(Ndis802_11Infrastructure));
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::AuthenticationMode(Input, Answer& a) {
    a = LeWord(settings_.authMode);
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::EncryptionStatus(Input, Answer& a) {
    a = LeWord(settings_.encryption);
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::RestartPending(Input, Answer& a) {
    a = LeWord(restartPending_ ? 1 : 0);
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::RestartDone(Input, Answer& a) {
    restartPending_ = false;
    a = LeWord(1);
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::NetworkTypes(Input, Answer& a) {
    const std::optional<PhyInfo> phy = stack_.Phy(interface_->wiphy);
    if (!phy) return kIOReturnError;
    NetworkTypeList list;
    list.NetworkType[list.NumberOfItems++] = 1;  // DS
    list.NetworkType[list.NumberOfItems++] = 3;  // OFDM 2.4 GHz
    if (phy->has5GHz) list.NetworkType[list.NumberOfItems++] = Ndis802_11OFDM5;
    const auto bytes = EncodeNetworkTypes(list);
    a.assign(bytes.begin(), bytes.end());
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::FragmentationThreshold(Input, Answer& a) {
    a = LeWord(frag_);
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::RtsThreshold(Input, Answer& a) {
    a = LeWord(rts_);
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::Configuration(Input, Answer& a) {
    a.assign(configuration_.begin(), configuration_.end());
    const SupplicantStatus s = Status();
    if (s.Completed() && s.frequencyMhz) WriteLe32(&a[12], s.frequencyMhz * 1000);
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::PowerMode(Input, Answer& a) {
    a = LeWord(powerMode_);
    return KERN_SUCCESS;
}

// The list is read afresh from the kernel at the first chunk and served
// from that copy, in whole entries, until an empty answer ends it.
kern_return_t Nl80211Driver::FirstChunk(Input, Answer& a) {
    scanList_.clear();
    scanCursor_ = 0;
    if (auto results = stack_.ScanResults(interface_->ifindex)) {
        size_t total = 4;
        for (const BssRecord& bss : *results) {
            if (!Listable(bss)) continue;
            std::vector<uint8_t> entry = ScanEntryForBss(bss);
            // An entry that fits no chunk, or no longer fits the system's
            // list buffer, would stop the list: it is left out.
            if (entry.size() > kBssidListChunkSize - 4 ||
                total + entry.size() > kBssidListBufferSize)
                continue;
            total += entry.size();
            scanList_.push_back(std::move(entry));
        }
    }
    a.assign(4, 0);
    // Counted first: appending may move the answer's bytes.
    const uint32_t count = AppendWholeEntries(scanList_, scanCursor_, kBssidListChunkSize, a);
    WriteLe32(a.data(), count);
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::NextChunk(Input, Answer& a) {
    a.clear();
    AppendWholeEntries(scanList_, scanCursor_, kBssidListChunkSize, a);
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::LinkStatus(Input, Answer& a) {
    VX_802_11_LINK_STATUS status;
    const SupplicantStatus s = Status();
    if (s.Completed()) {
        std::optional<StationInfo> peer;
        for (const StationInfo& station : stack_.Stations(interface_->ifindex))
            if (!peer || (s.bssid && station.mac == *s.bssid)) peer = station;
        if (peer) {
            status.Word0 = peer->txBitrate100Kbps / 5;  // in 500 kbit/s
            status.ChannelQuality = peer->signalDbm ? QualityPercent(*peer->signalDbm) : 0;
            status.TxCount = peer->txPackets;
            status.RxCount = peer->rxPackets;
        }
    }
    const auto bytes = EncodeLinkStatus(status);
    a.assign(bytes.begin(), bytes.end());
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::CountryRegion(Input, Answer& a) {
    const std::optional<RegulatoryDomain> domain = stack_.Regulatory();
    a = LeWord(domain ? CountryRegionCode(*domain) : kRegionTaken);
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::RadioState(Input, Answer& a) {
    const std::optional<RadioSwitch> radio = stack_.Radio(interface_->wiphy);
    a.assign(1, radio && (radio->softBlocked || radio->hardBlocked) ? 0 : 1);
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::StaConfig(Input, Answer& a) {
    const std::optional<RadioSwitch> radio = stack_.Radio(interface_->wiphy);
    VX_802_11_STA_CONFIG c;
    c.EnableTxBurst = staConfig_[0];
    c.EnableTurboRate = staConfig_[1];
    c.UseBGProtection = staConfig_[2];
    c.UseShortSlotTime = staConfig_[3];
    c.AdhocMode = staConfig_[4];
    c.HwRadioStatus = radio && radio->hardBlocked ? 0 : 1;
    c.Rsv1 = staConfig_[6];
    c.SystemErrorBitmap = 0;
    const auto bytes = EncodeStaConfig(c);
    a.assign(bytes.begin(), bytes.end());
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::EepromVersion(Input, Answer& a) {
    a = {1, 0, 0, 0};
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::DriverReady(Input, Answer& a) {
    const std::optional<std::string> pong = Ask("PING");
    if (!pong || pong->rfind("PONG", 0) != 0) return kIOReturnNoDevice;
    a = LeWord(1);
    return KERN_SUCCESS;
}

uint16_t Nl80211Driver::DeviceWord(uint8_t address) {
    if (writtenWords_[address]) return *writtenWords_[address];
    const Mac& m = interface_->mac;
    switch (address) {
        case 0x00:
            return kind_ == AdapterKind::Osprey ? 0x2573 : 0x2571;
        case 0x01:
            return 0x0001;  // EEPROM version 1.0
        case 0x02:
            return uint16_t(m[1] << 8 | m[0]);
        case 0x03:
            return uint16_t(m[3] << 8 | m[2]);
        case 0x05:
            return uint16_t(m[5] << 8 | m[4]);
        case 0x04:
        case 0x16:
            return 0x0101;
        case 0x1C: {
            const std::optional<RegulatoryDomain> domain = stack_.Regulatory();
            return uint16_t(domain ? CountryRegionCode(*domain) : kRegionTaken);
        }
        default:
            return 0xFFFF;
    }
}

kern_return_t Nl80211Driver::ReadDeviceWord(Input input, Answer& a) {
    if (input.size() < sizeof(DeviceWordRecord)) return kIOReturnBadArgument;
    a.assign(input.begin(), input.begin() + sizeof(DeviceWordRecord));
    WriteLe16(&a[4], DeviceWord(input[0]));
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::WriteDeviceWord(Input input, Answer& a) {
    if (input.size() < sizeof(DeviceWordRecord)) return kIOReturnBadArgument;
    a.assign(input.begin(), input.begin() + sizeof(DeviceWordRecord));
    writtenWords_[input[0]] = ReadLe16(&input[4]);
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::Preamble(Input, Answer& a) {
    a = LeWord(preamble_);
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::TxPower(Input, Answer& a) {
    a = LeWord(txPower_);
    return KERN_SUCCESS;
}

// --- set requests ------------------------------------------------------------

kern_return_t Nl80211Driver::JoinBssid(Input input) {
    if (input.size() != kMacLength) return kIOReturnBadArgument;
    NetworkTarget target;
    Mac bssid{};
    std::copy(input.begin(), input.end(), bssid.begin());
    target.bssid = bssid;
    if (auto results = stack_.ScanResults(interface_->ifindex))
        for (const BssRecord& bss : *results)
            if (bss.bssid == bssid) {
                target.ssid = SsidOfElements(bss.elements);
                target.frequenciesMhz = {bss.frequencyMhz};
            }
    return Commit(target);
}

kern_return_t Nl80211Driver::JoinSsid(Input input) {
    if (input.size() != sizeof(NDIS_802_11_SSID)) return kIOReturnBadArgument;
    const NDIS_802_11_SSID ssid = DecodeSsid(input);
    if (ssid.SsidLength > kSsidMaxLength) return kIOReturnBadArgument;
    if (ssid.SsidLength == 0) {  // the reset record: no network, stay disconnected
        RemoveOwnNetworks();
        return AskOk("DISCONNECT") ? KERN_SUCCESS : kIOReturnError;
    }
    NetworkTarget target;
    target.ssid.assign(reinterpret_cast<const char*>(ssid.Ssid), ssid.SsidLength);
    if (auto results = stack_.ScanResults(interface_->ifindex))
        for (const BssRecord& bss : *results)
            if (SsidOfElements(bss.elements) == target.ssid &&
                std::find(target.frequenciesMhz.begin(), target.frequenciesMhz.end(),
                          bss.frequencyMhz) == target.frequenciesMhz.end())
                target.frequenciesMhz.push_back(bss.frequencyMhz);
    return Commit(target);
}

kern_return_t Nl80211Driver::SetInfrastructureMode(Input input) {
    uint32_t v = 0;
    if (!ReadExactLe32(input, &v) || v > uint32_t(Ndis802_11AutoUnknown)) return kIOReturnBadArgument;
    settings_.infrastructureMode = v;
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::Disassociate(Input) {
    return AskOk("DISCONNECT") ? KERN_SUCCESS : kIOReturnError;
}

kern_return_t Nl80211Driver::SetAuthenticationMode(Input input) {
    uint32_t v = 0;
    if (!ReadExactLe32(input, &v) || v > uint32_t(Ndis802_11AuthModeWPA2PSK)) return kIOReturnBadArgument;
    settings_.authMode = v;
    return KERN_SUCCESS;
}

std::vector<uint32_t> Nl80211Driver::ScanFrequencies() {
    std::vector<uint32_t> wanted;
    const std::optional<PhyInfo> phy = stack_.Phy(interface_->wiphy);
    if (!phy) return wanted;
    for (uint32_t i = 0; i < G_nChanFreqCount && i < ChannelFreqTable.size(); ++i) {
        const uint32_t mhz = ChannelFreqTable[i].frequencyKhz / 1000;
        if (std::find(phy->frequenciesMhz.begin(), phy->frequenciesMhz.end(), mhz) !=
                phy->frequenciesMhz.end() &&
            std::find(wanted.begin(), wanted.end(), mhz) == wanted.end())
            wanted.push_back(mhz);
    }
    return wanted;
}

// Only the channels the system's table knows are scanned: the others could
// not be listed, and leaving them out keeps the scan short.
kern_return_t Nl80211Driver::Scan(Input) {
    const int status = stack_.TriggerScan(interface_->ifindex, ScanFrequencies());
    return status == -EBUSY ? KERN_SUCCESS : FromErrno(status);  // a running scan answers too
}

kern_return_t Nl80211Driver::SetEncryptionStatus(Input input) {
    uint32_t v = 0;
    if (!ReadExactLe32(input, &v) || v > 7) return kIOReturnBadArgument;
    settings_.encryption = v;
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::RemoveKey(Input input) {
    if (input.size() != sizeof(NDIS_802_11_REMOVE_KEY)) return kIOReturnBadArgument;
    const uint32_t length = ReadLe32(input.data());
    const uint32_t index = ReadLe32(input.data() + 4);
    const uint32_t slot = index & 0xFF;
    if (length != sizeof(NDIS_802_11_REMOVE_KEY) || slot > 3 || (index & 0x1FFFFF00) != 0)
        return kIOReturnBadArgument;
    settings_.wepKeys[slot].clear();
    if (settings_.transmitKey == int(slot)) settings_.transmitKey = -1;
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::SetFragmentationThreshold(Input input) {
    uint32_t v = 0;
    if (!ReadExactLe32(input, &v)) return kIOReturnBadArgument;
    frag_ = v;
    // 0 and the maximum mean no fragmentation; the kernel takes even
    // values from 256 on.
    const uint32_t kernel = v == 0 || v >= kFragMax ? kOffThreshold : std::max(v, kFragMin) & ~1u;
    return FromErrno(stack_.SetWiphy(interface_->wiphy, Frag(kernel)));
}

kern_return_t Nl80211Driver::SetRtsThreshold(Input input) {
    uint32_t v = 0;
    if (!ReadExactLe32(input, &v)) return kIOReturnBadArgument;
    rts_ = v;
    const uint32_t kernel = v == 0 || v >= kRtsMax ? kOffThreshold : v;
    return FromErrno(stack_.SetWiphy(interface_->wiphy, Rts(kernel)));
}

kern_return_t Nl80211Driver::SetConfiguration(Input input) {
    if (input.size() != configuration_.size()) return kIOReturnBadArgument;
    std::copy(input.begin(), input.end(), configuration_.begin());
    settings_.frequencyKhz = DecodeConfiguration(input).DSConfig;
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::SetPowerMode(Input input) {
    uint32_t v = 0;
    if (!ReadExactLe32(input, &v)) return kIOReturnBadArgument;
    powerMode_ = v;
    return FromErrno(
        stack_.SetPowerSave(interface_->ifindex, v != uint32_t(Ndis802_11PowerModeCAM)));
}

kern_return_t Nl80211Driver::SetRadio(Input input) {
    uint32_t v = 0;
    if (!ReadExactLe32(input, &v) || v > 1) return kIOReturnBadArgument;
    return FromErrno(stack_.SetSoftBlocked(interface_->wiphy, v == 0));
}

kern_return_t Nl80211Driver::SetStaConfig(Input input) {
    if (input.size() != sizeof(VX_802_11_STA_CONFIG)) return kIOReturnBadArgument;
    for (size_t i = 0; i < staConfig_.size(); ++i)
        if (i != kStaConfigHwRadio && i != kStaConfigErrorBitmap)
            staConfig_[i] = ReadLe32(&input[i * 4]);
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::SetPreamble(Input input) {
    return ReadExactLe32(input, &preamble_) ? KERN_SUCCESS : kIOReturnBadArgument;
}

kern_return_t Nl80211Driver::SetTxPower(Input input) {
    uint32_t v = 0;
    if (!ReadExactLe32(input, &v) || v > 100) return kIOReturnBadArgument;
    txPower_ = v;
    return FromErrno(stack_.SetWiphy(interface_->wiphy, PowerLimit(PowerLimitMbm(v))));
}

kern_return_t Nl80211Driver::SetClientWidth(Input input) {
    if (input.size() != 1 || input[0] > 1) return kIOReturnBadArgument;
    client64Bit_ = input[0];
    return KERN_SUCCESS;
}

// An NDIS_802_11_KEY record: every length it states must lie inside the
// bytes really sent. A WEP key (5, 13 or 16 bytes) fills its slot; the
// 32-byte key of WPA-NONE has no slot and is not kept (that network is
// refused when it is joined).
kern_return_t Nl80211Driver::AddKey(Input input) {
    if (input.size() < kKeyMaterialOffset) return kIOReturnBadArgument;
    const NDIS_802_11_KEY_HEADER h = DecodeKeyHeader(input);
    if (h.KeyLength == 0 || h.KeyLength > 32 || h.Length > input.size() ||
        h.Length < kKeyMaterialOffset + h.KeyLength)
        return kIOReturnBadArgument;
    const uint32_t slot = h.KeyIndex & 0xFF;
    if (slot > 3 || (h.KeyIndex & 0x1FFFFF00) != 0) return kIOReturnBadArgument;
    if (h.KeyLength != 5 && h.KeyLength != 13 && h.KeyLength != 16) return KERN_SUCCESS;
    const uint8_t* material = input.data() + kKeyMaterialOffset;
    settings_.wepKeys[slot].assign(material, material + h.KeyLength);
    if (h.KeyIndex & kKeyIndexTransmit) settings_.transmitKey = int(slot);
    return KERN_SUCCESS;
}

kern_return_t Nl80211Driver::SetPskKey(Input input) {
    if (input.size() < kKeyMaterialOffset) return kIOReturnBadArgument;
    const NDIS_802_11_KEY_HEADER h = DecodeKeyHeader(input);
    if (h.KeyLength != 32 || h.Length > input.size() || h.Length < kKeyMaterialOffset + 32)
        return kIOReturnBadArgument;
    std::array<uint8_t, 32> psk{};
    std::copy_n(input.data() + kKeyMaterialOffset, 32, psk.begin());
    settings_.psk = psk;
    return KERN_SUCCESS;
}

// --- control -----------------------------------------------------------------

nlohmann::json Nl80211Driver::Control(std::string_view line) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.remove_suffix(1);
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    if (line != "status")
        return {{"ok", false}, {"error", "the nl80211 driver answers only: status"}};
    nlohmann::json status = {{"driver_class", ClassName()}, {"interface", interfaceName_}};
    interface_ = stack_.Interface();
    status["present"] = interface_.has_value();
    if (interface_) {
        status["ifindex"] = interface_->ifindex;
        status["wiphy"] = interface_->wiphy;
        const std::optional<RadioSwitch> radio = stack_.Radio(interface_->wiphy);
        status["radio"] = !(radio && (radio->softBlocked || radio->hardBlocked));
    }
    const std::optional<std::string> reply = Ask("STATUS");
    status["supplicant"] = reply ? "answers" : supplicant_.Problem();
    const SupplicantStatus s = reply ? ReadStatus(*reply) : SupplicantStatus{};
    status["wpa_state"] = s.state;
    status["associated"] = s.Completed();
    status["ssid"] = s.Completed() ? s.ssid : "";
    if (const std::optional<RegulatoryDomain> domain = stack_.Regulatory()) {
        status["regulatory_domain"] = domain->alpha2;
        status["country_region"] = CountryRegionCode(*domain);
    }
    status["infrastructure_mode"] = settings_.infrastructureMode;
    status["auth_mode"] = settings_.authMode;
    status["encryption"] = settings_.encryption;
    status["psk_installed"] = settings_.psk.has_value();
    status["restart_pending"] = restartPending_;
    status["tx_power"] = txPower_;
    return {{"ok", true}, {"status", status}};
}

}  // namespace corvane::nl80211
