#include "driver/DriverCore.h"

#include <algorithm>
#include <cstring>

#include "adapter/AdapterKind.h"
#include "adapter/ByteOrder.h"
#include "adapter/Oids.h"
#include "adapter/Records.h"
#include "adapter/SignalQuality.h"
#include "driver/ControlLine.h"
#include "driver/Journal.h"
#include "driver/ScanEntryRecord.h"

namespace corvane::driver {

using platform::kern_return_t;
using platform::KERN_SUCCESS;
using platform::kIOReturnBadArgument;
using platform::kIOReturnError;
using platform::kIOReturnNoDevice;
using platform::kIOReturnUnsupported;

// A station setting that a set request gives as one u32 and a query reads
// back: larger than `max` is refused; a `hardware` setting is carried out by
// the backend and read back as the hardware has it.
struct DriverCore::WordRule {
    uint32_t StationSettings::*field;
    uint32_t max = UINT32_MAX;
    std::optional<PhySetting> hardware;
};

namespace {

using Word = DriverCore::WordRule;
constexpr auto kKept = std::nullopt;  // only kept and answered by the core
constexpr Word kInfrastructureMode{&StationSettings::infrastructureMode,
                                   uint32_t(Ndis802_11AutoUnknown), kKept};
constexpr Word kAuthenticationMode{&StationSettings::authMode, uint32_t(Ndis802_11AuthModeWPA2PSK),
                                   kKept};
constexpr Word kEncryptionStatus{&StationSettings::encryption, 7, kKept};
constexpr Word kFragmentationThreshold{&StationSettings::fragThreshold, UINT32_MAX,
                                       PhySetting::FragmentationThreshold};
constexpr Word kRtsThreshold{&StationSettings::rtsThreshold, UINT32_MAX, PhySetting::RtsThreshold};
constexpr Word kPowerMode{&StationSettings::powerMode, UINT32_MAX, PhySetting::PowerMode};
constexpr Word kPreamble{&StationSettings::preamble, UINT32_MAX, kKept};
constexpr Word kTxPower{&StationSettings::txPowerPercent, 100, PhySetting::TxPower};

}  // namespace

// One OID: what its query answers and what its set request does; a word
// rule serves the direction that has no handler; null where the OID has no
// such direction.
struct DriverCore::Handler {
    uint32_t oid;
    kern_return_t (DriverCore::*query)(Input, size_t, Answer&);
    kern_return_t (DriverCore::*set)(Input);
    const WordRule* word = nullptr;
};

namespace {

// The vendor OIDs whose published number already carries the set flag.
constexpr uint32_t Base(uint32_t oid) { return oid & ~OID_SET_FLAG; }

constexpr uint32_t kBeaconPeriod = 100;
constexpr uint32_t kDefaultFrequencyKhz = 2437000;  // channel 6
constexpr size_t kStaConfigShortSlot = 3;
// Words of the station configuration that the hardware reports; a set
// request does not change them.
constexpr size_t kStaConfigHwRadio = 5;
constexpr size_t kStaConfigErrorBitmap = 7;
// The chip ids of device word 0x00.
constexpr uint16_t kOspreyChip = 0x2573;
constexpr uint16_t kMerlinChip = 0x2571;

class CoreClient : public platform::UserClient {
public:
    CoreClient(DriverCore& core, uint64_t generation) : core_(core), generation_(generation) {}
    kern_return_t CallStructMethod(uint32_t selector, const uint8_t* input, size_t inputSize,
                                   uint8_t* output, size_t* outputSize) override {
        return core_.ClientCall(generation_, selector, input, inputSize, output, outputSize);
    }

private:
    DriverCore& core_;
    uint64_t generation_;
};

template <size_t N>
void Assign(std::vector<uint8_t>& answer, const std::array<uint8_t, N>& bytes) {
    answer.assign(bytes.begin(), bytes.end());
}

// An NDIS_802_11_KEY record: every length it states lies inside the bytes
// really sent, the key is 1 to kKeyMaterialMax bytes, the index is valid.
std::optional<NDIS_802_11_KEY_HEADER> CheckedKeyHeader(std::span<const uint8_t> input) {
    if (input.size() < kKeyMaterialOffset) return std::nullopt;
    const NDIS_802_11_KEY_HEADER h = DecodeKeyHeader(input);
    if (h.KeyLength == 0 || h.KeyLength > kKeyMaterialMax) return std::nullopt;
    if (h.Length > input.size() || h.Length < kKeyMaterialOffset + h.KeyLength) return std::nullopt;
    if (!ValidKeyIndex(h.KeyIndex)) return std::nullopt;
    return h;
}

}  // namespace

nlohmann::json RadioBackend::Control(std::string_view line) {
    return {
        {"ok", false},
        {"error", "unknown command or arguments: " + std::string(TrimBlanks(line)).substr(0, 200)}};
}

const DriverCore::Handler DriverCore::kHandlers[] = {
    // clang-format off
    {OID_GEN_MEDIA_CONNECT_STATUS,       &DriverCore::MediaConnectStatus, nullptr},
    {OID_802_3_CURRENT_ADDRESS,          &DriverCore::CurrentAddress,     nullptr},
    {OID_802_11_BSSID,                   &DriverCore::CurrentBssid,       &DriverCore::JoinBssid},
    {OID_802_11_SSID,                    &DriverCore::CurrentSsid,        &DriverCore::JoinSsid},
    {OID_802_11_INFRASTRUCTURE_MODE,     &DriverCore::InfrastructureMode, nullptr, &kInfrastructureMode},
    {OID_802_11_DISASSOCIATE,            nullptr,                         &DriverCore::Disassociate},
    {OID_802_11_AUTHENTICATION_MODE,     nullptr,                         nullptr, &kAuthenticationMode},
    // Passed through the query call under the set number; the selector alone tells it.
    {OID_802_11_BSSID_LIST_SCAN,         &DriverCore::Scan,               &DriverCore::ScanSet},
    {OID_802_11_ENCRYPTION_STATUS,       nullptr,                         nullptr, &kEncryptionStatus},
    {OID_802_11_REMOVE_KEY,              nullptr,                         &DriverCore::RemoveKey},
    {OID_VX_RESTART_PENDING,             &DriverCore::RestartPending,     nullptr},
    {OID_VX_RESTART_DONE,                &DriverCore::RestartDone,        nullptr},
    {OID_802_11_NETWORK_TYPES_SUPPORTED, &DriverCore::NetworkTypes,       nullptr},
    {OID_802_11_FRAGMENTATION_THRESHOLD, nullptr,                         nullptr, &kFragmentationThreshold},
    {OID_802_11_RTS_THRESHOLD,           nullptr,                         nullptr, &kRtsThreshold},
    {OID_802_11_CONFIGURATION,           &DriverCore::Configuration,      &DriverCore::SetConfiguration},
    {OID_802_11_POWER_MODE,              nullptr,                         nullptr, &kPowerMode},
    {OID_802_11_BSSID_LIST,              &DriverCore::FirstChunk,         nullptr},
    {OID_VX_BSSID_LIST_NEXT,             &DriverCore::NextChunk,          nullptr},
    {OID_VX_LINK_STATUS,                 &DriverCore::LinkStatus,         nullptr},
    {OID_VX_COUNTRY_REGION,              &DriverCore::CountryRegion,      nullptr},
    {OID_VX_RADIO,                       &DriverCore::RadioState,         &DriverCore::SetRadio},
    {OID_VX_STA_CONFIG,                  &DriverCore::StaConfig,          &DriverCore::SetStaConfig},
    {OID_VX_EEPROM_VERSION,              &DriverCore::Eeprom,             nullptr},
    {OID_VX_DRIVER_READY,                &DriverCore::DriverReady,        nullptr},
    {OID_VX_DEVICE_WORD_READ,            &DriverCore::ReadDeviceWord,     nullptr},
    {OID_VX_DEVICE_WORD_WRITE,           &DriverCore::WriteDeviceWord,    nullptr},
    {Base(OID_VX_PREAMBLE),              nullptr,                         nullptr, &kPreamble},
    {Base(OID_VX_TX_POWER),              nullptr,                         nullptr, &kTxPower},
    {Base(OID_VX_CLIENT_64BIT),          &DriverCore::ClientWidth,        &DriverCore::SetClientWidth},
    {Base(OID_VX_WPA_PSK_KEY),           nullptr,                         &DriverCore::SetPskKey},
    {Base(OID_VX_ADD_KEY),               nullptr,                         &DriverCore::AddKey},
    // clang-format on
};

DriverCore::DriverCore(std::unique_ptr<RadioBackend> backend) : backend_(std::move(backend)) {
    Reset();
    backend_->Attach(*this);
}

DriverCore::~DriverCore() = default;

void DriverCore::SetLog(std::ostream* log, std::string program) {
    log_ = log;
    program_ = std::move(program);
}

void DriverCore::Note(const std::string& line) {
    if (log_) *log_ << program_ << ": " << line << std::endl;
}

void DriverCore::Reset() {
    settings_ = StationSettings{};
    NDIS_802_11_CONFIGURATION config;
    config.Length = sizeof(NDIS_802_11_CONFIGURATION);
    config.BeaconPeriod = kBeaconPeriod;
    config.DSConfig = kDefaultFrequencyKhz;
    configuration_ = EncodeConfiguration(config);
    staConfig_ = {};
    staConfig_[kStaConfigShortSlot] = 1;
    client64Bit_ = 0;
    writtenWords_ = {};
    restartPending_ = false;
    scanList_.clear();
    scanCursor_ = 0;
}

void DriverCore::ForgetKeys() {
    for (auto& key : settings_.wepKeys) key.clear();
    settings_.transmitKey = -1;
    settings_.psk.reset();
}

// --- clients and calls ----------------------------------------------------------

std::unique_ptr<platform::UserClient> DriverCore::OpenUserClient(uint32_t connectionType) {
    if (connectionType != 0 || !backend_->Open()) return nullptr;
    return std::make_unique<CoreClient>(*this, backend_->Generation());
}

kern_return_t DriverCore::ClientCall(uint64_t generation, uint32_t selector, const uint8_t* input,
                                     size_t inputSize, uint8_t* output, size_t* outputSize) {
    if (generation != backend_->Generation() || !backend_->IsPresent()) {
        const size_t capacity = outputSize ? *outputSize : 0;
        if (outputSize) *outputSize = 0;
        Journal(selector, input, inputSize, capacity, kIOReturnNoDevice, output, 0);
        return kIOReturnNoDevice;
    }
    return Call(selector, input, inputSize, output, outputSize);
}

kern_return_t DriverCore::Call(uint32_t selector, const uint8_t* input, size_t inputSize,
                               uint8_t* output, size_t* outputSize) {
    const size_t capacity = outputSize ? *outputSize : 0;
    if (!outputSize || (capacity > 0 && !output) || (inputSize > 0 && !input) ||
        inputSize > platform::kMaxStructSize) {
        if (outputSize) *outputSize = 0;
        Journal(selector, nullptr, 0, capacity, kIOReturnBadArgument, nullptr, 0);
        return kIOReturnBadArgument;
    }
    kern_return_t result = kIOReturnNoDevice;
    Answer answer;
    if (backend_->Reachable()) {
        backend_->BeforeRequest();
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

kern_return_t DriverCore::Dispatch(uint32_t selector, Input input, size_t capacity,
                                   Answer& answer) {
    const uint32_t oid = Base(selector);
    const bool set = (selector & OID_SET_FLAG) != 0;
    for (const Handler& h : kHandlers) {
        if (h.oid != oid) continue;
        if (set && h.set) return (this->*h.set)(input);
        if (!set && h.query) return (this->*h.query)(input, capacity, answer);
        if (h.word) return set ? SetWord(*h.word, input) : QueryWord(*h.word, answer);
        return kIOReturnUnsupported;
    }
    return kIOReturnUnsupported;
}

void DriverCore::Journal(uint32_t selector, const uint8_t* input, size_t inputSize, size_t capacity,
                         kern_return_t result, const uint8_t* output, size_t outputSize) {
    if (journal_)
        WriteJournalLine(*journal_, selector, input, inputSize, capacity, result, output,
                         outputSize);
}

// --- control -----------------------------------------------------------------------

nlohmann::json DriverCore::Status() {
    nlohmann::json status = backend_->Status();
    nlohmann::json keys = nlohmann::json::array();
    for (size_t slot = 0; slot < settings_.wepKeys.size(); ++slot) {
        if (settings_.wepKeys[slot].empty()) continue;
        keys.push_back({{"slot", slot},
                        {"length", settings_.wepKeys[slot].size()},
                        {"transmit", settings_.transmitKey == int(slot)}});
    }
    status["driver_class"] = ClassName();
    status["infrastructure_mode"] = settings_.infrastructureMode;
    status["auth_mode"] = settings_.authMode;
    status["encryption"] = settings_.encryption;
    // The hardware's values as the queries answer them, while it is there.
    auto answered = [&](PhySetting setting, uint32_t stored) {
        return backend_->Reachable() ? Answered(setting, stored) : stored;
    };
    status["tx_power"] = answered(PhySetting::TxPower, settings_.txPowerPercent);
    status["preamble"] = settings_.preamble;
    status["rts"] = answered(PhySetting::RtsThreshold, settings_.rtsThreshold);
    status["frag"] = answered(PhySetting::FragmentationThreshold, settings_.fragThreshold);
    status["power_mode"] = answered(PhySetting::PowerMode, settings_.powerMode);
    status["client_64bit"] = client64Bit_;
    status["keys"] = keys;
    status["psk_installed"] = settings_.psk.has_value();
    status["restart_pending"] = restartPending_;
    return status;
}

nlohmann::json DriverCore::Control(std::string_view line) {
    if (TrimBlanks(line) == "status") return {{"ok", true}, {"status", Status()}};
    return backend_->Control(line);
}

// --- queries -----------------------------------------------------------------------

kern_return_t DriverCore::MediaConnectStatus(Input, size_t, Answer& a) {
    a = LeWord(backend_->Link().associated ? kMediaConnected : kMediaDisconnected);
    return KERN_SUCCESS;
}

kern_return_t DriverCore::CurrentAddress(Input, size_t, Answer& a) {
    Assign(a, backend_->Address());
    return KERN_SUCCESS;
}

kern_return_t DriverCore::CurrentBssid(Input, size_t, Answer& a) {
    const LinkState link = backend_->Link();
    a.assign(kMacLength, 0);
    if (link.associated) std::copy(link.bssid.begin(), link.bssid.end(), a.begin());
    return KERN_SUCCESS;
}

kern_return_t DriverCore::CurrentSsid(Input, size_t, Answer& a) {
    const LinkState link = backend_->Link();
    Assign(a, EncodeSsid(link.associated ? MakeSsid(link.ssid) : NDIS_802_11_SSID{}));
    return KERN_SUCCESS;
}

kern_return_t DriverCore::InfrastructureMode(Input, size_t, Answer& a) {
    a = LeWord(backend_->InfrastructureModeInUse().value_or(settings_.infrastructureMode));
    return KERN_SUCCESS;
}

kern_return_t DriverCore::RestartPending(Input, size_t, Answer& a) {
    a = LeWord(restartPending_ ? 1 : 0);
    return KERN_SUCCESS;
}

kern_return_t DriverCore::RestartDone(Input, size_t, Answer& a) {
    restartPending_ = false;
    a = LeWord(1);
    return KERN_SUCCESS;
}

kern_return_t DriverCore::NetworkTypes(Input, size_t, Answer& a) {
    const std::optional<bool> has5GHz = backend_->Supports5GHz();
    if (!has5GHz) return kIOReturnError;
    NetworkTypeList list;
    list.NetworkType[list.NumberOfItems++] = Ndis802_11DS;
    list.NetworkType[list.NumberOfItems++] = Ndis802_11OFDM24;
    if (*has5GHz) list.NetworkType[list.NumberOfItems++] = Ndis802_11OFDM5;
    Assign(a, EncodeNetworkTypes(list));
    return KERN_SUCCESS;
}

kern_return_t DriverCore::QueryWord(const WordRule& rule, Answer& a) {
    const uint32_t taken = settings_.*rule.field;
    a = LeWord(rule.hardware ? Answered(*rule.hardware, taken) : taken);
    return KERN_SUCCESS;
}

kern_return_t DriverCore::SetWord(const WordRule& rule, Input input) {
    uint32_t v = 0;
    if (!ReadExactLe32(input, &v) || v > rule.max) return kIOReturnBadArgument;
    if (rule.hardware) return ApplyPhy(*rule.hardware, v, &(settings_.*rule.field));
    settings_.*rule.field = v;
    return KERN_SUCCESS;
}

uint32_t DriverCore::Answered(PhySetting setting, uint32_t stored) {
    return backend_->Current(setting).value_or(stored);
}

kern_return_t DriverCore::Configuration(Input, size_t, Answer& a) {
    Assign(a, configuration_);
    const LinkState link = backend_->Link();
    if (link.associated && link.frequencyKhz != 0) WriteLe32(&a[12], link.frequencyKhz);
    return KERN_SUCCESS;
}

// The list is taken from the backend at the first chunk and served from that
// copy, in whole entries within the caller's room, until an empty answer
// ends it. An entry that fits no chunk, or would no longer fit the system's
// 64 KiB list buffer, would stop the system's reading: it is left out.
kern_return_t DriverCore::FirstChunk(Input, size_t capacity, Answer& a) {
    scanList_.clear();
    scanCursor_ = 0;
    scanListEpoch_ = backend_->ScanListEpoch();
    size_t total = 4;
    for (std::vector<uint8_t>& entry : backend_->ScanList()) {
        if (entry.size() > kBssidListChunkSize - 4 || total + entry.size() > kBssidListBufferSize)
            continue;
        total += entry.size();
        scanList_.push_back(std::move(entry));
    }
    a.assign(4, 0);
    // Counted first: appending may move the answer's bytes.
    const uint32_t count =
        AppendWholeEntries(scanList_, scanCursor_, std::min(capacity, kBssidListChunkSize), a);
    WriteLe32(a.data(), count);
    return KERN_SUCCESS;
}

kern_return_t DriverCore::NextChunk(Input, size_t capacity, Answer& a) {
    a.clear();
    if (backend_->ScanListEpoch() != scanListEpoch_) scanCursor_ = scanList_.size();
    AppendWholeEntries(scanList_, scanCursor_, std::min(capacity, kBssidListChunkSize), a);
    return KERN_SUCCESS;
}

kern_return_t DriverCore::LinkStatus(Input, size_t, Answer& a) {
    const LinkStatistics s = backend_->Statistics();
    VX_802_11_LINK_STATUS status;
    status.Word0 = s.rate500Kbps;
    status.ChannelQuality = s.signalDbm ? SignalQualityPercent(*s.signalDbm) : 0;
    status.TxCount = s.txPackets;
    status.RxCount = s.rxPackets;
    Assign(a, EncodeLinkStatus(status));
    return KERN_SUCCESS;
}

kern_return_t DriverCore::CountryRegion(Input, size_t, Answer& a) {
    a = LeWord(backend_->CountryRegion());
    return KERN_SUCCESS;
}

kern_return_t DriverCore::RadioState(Input, size_t, Answer& a) {
    a.assign(1, backend_->Radio().on ? 1 : 0);
    return KERN_SUCCESS;
}

kern_return_t DriverCore::StaConfig(Input, size_t, Answer& a) {
    VX_802_11_STA_CONFIG c;
    c.EnableTxBurst = staConfig_[0];
    c.EnableTurboRate = staConfig_[1];
    c.UseBGProtection = staConfig_[2];
    c.UseShortSlotTime = staConfig_[3];
    c.AdhocMode = staConfig_[4];
    c.HwRadioStatus = backend_->Radio().hardwareOn ? 1 : 0;
    c.Rsv1 = staConfig_[6];
    c.SystemErrorBitmap = backend_->EepromError() ? kSystemErrorEeprom : 0;
    Assign(a, EncodeStaConfig(c));
    return KERN_SUCCESS;
}

kern_return_t DriverCore::Eeprom(Input, size_t, Answer& a) {
    const EepromVersion v = backend_->Eeprom();
    a = {v.major, v.minor, 0, 0};
    return KERN_SUCCESS;
}

kern_return_t DriverCore::DriverReady(Input, size_t, Answer& a) {
    if (!backend_->DriverReady()) return kIOReturnNoDevice;
    a = LeWord(1);
    return KERN_SUCCESS;
}

// The device words: 0x00 the chip, 0x01 the EEPROM version (minor in the
// high byte), 0x02, 0x03 and 0x05 the MAC address (low byte first), 0x04
// and 0x16 0x0101, 0x1C the country region, every other word 0xFFFF. A
// written word reads back as written until the adapter comes back; nothing
// reaches the hardware.
uint16_t DriverCore::DeviceWord(uint8_t address) {
    if (writtenWords_[address]) return *writtenWords_[address];
    auto macWord = [this](size_t low) {
        const MacAddress m = backend_->Address();
        return uint16_t(m[low + 1] << 8 | m[low]);
    };
    switch (address) {
        case 0x00:
            return backend_->Kind() == AdapterKind::Osprey ? kOspreyChip : kMerlinChip;
        case 0x01: {
            const EepromVersion v = backend_->Eeprom();
            return uint16_t(v.minor << 8 | v.major);
        }
        case 0x02:
            return macWord(0);
        case 0x03:
            return macWord(2);
        case 0x05:
            return macWord(4);
        case 0x04:  // the frequency-offset word the About page corrects
        case 0x16:
            return 0x0101;
        case 0x1C:
            return uint16_t(backend_->CountryRegion());
        default:
            return 0xFFFF;
    }
}

kern_return_t DriverCore::ReadDeviceWord(Input input, size_t, Answer& a) {
    if (input.size() < sizeof(DeviceWordRecord)) return kIOReturnBadArgument;
    a.assign(input.begin(), input.begin() + sizeof(DeviceWordRecord));
    WriteLe16(&a[4], DeviceWord(input[0]));
    return KERN_SUCCESS;
}

kern_return_t DriverCore::WriteDeviceWord(Input input, size_t, Answer& a) {
    if (input.size() < sizeof(DeviceWordRecord)) return kIOReturnBadArgument;
    a.assign(input.begin(), input.begin() + sizeof(DeviceWordRecord));
    writtenWords_[input[0]] = ReadLe16(&input[4]);
    return KERN_SUCCESS;
}

kern_return_t DriverCore::ClientWidth(Input, size_t, Answer& a) {
    a.assign(1, client64Bit_);
    return KERN_SUCCESS;
}

kern_return_t DriverCore::Scan(Input input, size_t, Answer&) { return ScanSet(input); }

// --- set requests ------------------------------------------------------------------

kern_return_t DriverCore::ScanSet(Input) { return backend_->Scan(); }

kern_return_t DriverCore::JoinBssid(Input input) {
    if (input.size() != kMacLength) return kIOReturnBadArgument;
    JoinRequest request;
    request.bssid.emplace();
    std::copy(input.begin(), input.end(), request.bssid->begin());
    return backend_->Join(request);
}

kern_return_t DriverCore::JoinSsid(Input input) {
    if (input.size() != sizeof(NDIS_802_11_SSID)) return kIOReturnBadArgument;
    const NDIS_802_11_SSID ssid = DecodeSsid(input);
    if (ssid.SsidLength > kSsidMaxLength) return kIOReturnBadArgument;
    // The reset record: no network; the adapter stays unassociated.
    if (ssid.SsidLength == 0) return backend_->Disassociate(true);
    JoinRequest request;
    request.ssid.assign(reinterpret_cast<const char*>(ssid.Ssid), ssid.SsidLength);
    return backend_->Join(request);
}

kern_return_t DriverCore::Disassociate(Input) { return backend_->Disassociate(false); }

kern_return_t DriverCore::RemoveKey(Input input) {
    if (input.size() != sizeof(NDIS_802_11_REMOVE_KEY)) return kIOReturnBadArgument;
    const uint32_t length = ReadLe32(input.data());
    const uint32_t index = ReadLe32(input.data() + 4);
    if (length != sizeof(NDIS_802_11_REMOVE_KEY) || !ValidKeyIndex(index))
        return kIOReturnBadArgument;
    const uint32_t slot = KeyIndexSlot(index);
    settings_.wepKeys[slot].clear();
    if (settings_.transmitKey == int(slot)) settings_.transmitKey = -1;
    return KERN_SUCCESS;
}

// A key record is taken whole or not at all.
kern_return_t DriverCore::AddKey(Input input) {
    const std::optional<NDIS_802_11_KEY_HEADER> h = CheckedKeyHeader(input);
    if (!h) return kIOReturnBadArgument;
    const uint32_t slot = KeyIndexSlot(h->KeyIndex);
    const uint8_t* material = input.data() + kKeyMaterialOffset;
    settings_.wepKeys[slot].assign(material, material + h->KeyLength);
    if (h->KeyIndex & kKeyIndexTransmit) settings_.transmitKey = int(slot);
    return KERN_SUCCESS;
}

kern_return_t DriverCore::SetPskKey(Input input) {
    const std::optional<NDIS_802_11_KEY_HEADER> h = CheckedKeyHeader(input);
    if (!h || h->KeyLength != 32) return kIOReturnBadArgument;
    std::array<uint8_t, 32> psk{};
    std::copy_n(input.data() + kKeyMaterialOffset, psk.size(), psk.begin());
    settings_.psk = psk;
    return KERN_SUCCESS;
}

kern_return_t DriverCore::ApplyPhy(PhySetting setting, uint32_t value, uint32_t* stored) {
    static constexpr const char* kNames[] = {"RTS threshold", "fragmentation threshold",
                                             "transmit power", "power mode", "radio"};
    if (const std::optional<std::string> refusal = backend_->Apply(setting, value)) {
        Note(std::string(kNames[size_t(setting)]) + " " + std::to_string(value) +
             " not taken: " + *refusal);
        return kIOReturnError;
    }
    if (stored) *stored = value;
    return KERN_SUCCESS;
}

kern_return_t DriverCore::SetRadio(Input input) {
    uint32_t v = 0;
    if (!ReadExactLe32(input, &v) || v > 1) return kIOReturnBadArgument;
    return ApplyPhy(PhySetting::Radio, v, nullptr);
}

kern_return_t DriverCore::SetConfiguration(Input input) {
    if (input.size() != configuration_.size()) return kIOReturnBadArgument;
    std::copy(input.begin(), input.end(), configuration_.begin());
    settings_.frequencyKhz = DecodeConfiguration(input).DSConfig;
    return KERN_SUCCESS;
}

kern_return_t DriverCore::SetStaConfig(Input input) {
    if (input.size() != sizeof(VX_802_11_STA_CONFIG)) return kIOReturnBadArgument;
    for (size_t i = 0; i < staConfig_.size(); ++i)
        if (i != kStaConfigHwRadio && i != kStaConfigErrorBitmap)
            staConfig_[i] = ReadLe32(&input[i * 4]);
    return KERN_SUCCESS;
}

kern_return_t DriverCore::SetClientWidth(Input input) {
    if (input.size() != 1 || input[0] > 1) return kIOReturnBadArgument;
    client64Bit_ = input[0];
    return KERN_SUCCESS;
}

}  // namespace corvane::driver
