#include "driver/nl80211/Nl80211Backend.h"

#include <linux/nl80211.h>

#include <algorithm>
#include <cstring>

#include "adapter/ChannelTable.h"
#include "adapter/Oids.h"
#include "driver/nl80211/BssScanEntry.h"
#include "driver/nl80211/PhySettings.h"
#include "driver/nl80211/RegulatoryRegion.h"

namespace corvane::nl80211 {

using driver::PhySetting;
using platform::kern_return_t;
using platform::KERN_SUCCESS;
using platform::kIOReturnError;
using platform::kIOReturnUnsupported;

namespace {

// The kernel's answer to a change: nullopt when taken, else why not.
std::optional<std::string> Refusal(int status) {
    if (status == 0) return std::nullopt;
    return std::string("the kernel refused it: ") + std::strerror(-status);
}

kern_return_t FromErrno(int status) { return status == 0 ? KERN_SUCCESS : kIOReturnError; }

}  // namespace

Nl80211Backend::Nl80211Backend(WirelessStack& stack, Supplicant& supplicant,
                               std::string interfaceName, AdapterKind kind)
    : stack_(stack),
      supplicant_(supplicant),
      interfaceName_(std::move(interfaceName)),
      kind_(kind) {}

bool Nl80211Backend::Open() {
    interface_ = stack_.Interface();
    if (!interface_) {
        if (!std::exchange(interfaceGone_, true))
            station().Note("interface " + interfaceName_ +
                           " is gone; the adapter counts as unplugged");
        return false;
    }
    if (interfaceGone_) {
        interfaceGone_ = false;
        station().Note("interface " + interfaceName_ + " is back");
    }
    if (knownIfindex_ != 0 && interface_->ifindex != knownIfindex_) {
        station().RaiseRestartPending();
        ++generation_;
    }
    knownIfindex_ = interface_->ifindex;
    return true;
}

// --- wpa_supplicant ----------------------------------------------------------

std::optional<std::string> Nl80211Backend::Ask(const std::string& command) {
    std::optional<std::string> reply = supplicant_.Request(command);
    if (!reply && supplicantAnswers_ != false) station().Note(supplicant_.Problem());
    if (reply && supplicantAnswers_ == false) station().Note("wpa_supplicant answers again");
    supplicantAnswers_ = reply.has_value();
    return reply;
}

bool Nl80211Backend::AskOk(const std::string& command) {
    const std::optional<std::string> reply = Ask(command);
    return reply && reply->rfind("OK", 0) == 0;
}

SupplicantStatus Nl80211Backend::SupplicantState() {
    const std::optional<std::string> reply = Ask("STATUS");
    return reply ? ReadStatus(*reply) : SupplicantStatus{};
}

void Nl80211Backend::RemoveOwnNetworks() {
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

kern_return_t Nl80211Backend::Commit(const NetworkTarget& target) {
    RemoveOwnNetworks();
    const CommittedNetwork network = NetworkFor(station().Settings(), target);
    if (!network.refusal.empty()) {
        station().Note("not joining: " + network.refusal);
        Ask("DISCONNECT");
        return kIOReturnUnsupported;
    }
    const std::optional<std::string> added = Ask("ADD_NETWORK");
    const std::optional<int> id = added ? NetworkId(*added) : std::nullopt;
    if (!id) return kIOReturnError;
    const std::string prefix = "SET_NETWORK " + std::to_string(*id) + " ";
    for (const auto& [name, value] : network.variables) {
        if (!AskOk(prefix + name + " " + value)) {
            station().Note("wpa_supplicant refused the network variable " + name);
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

// --- facts -------------------------------------------------------------------

uint32_t Nl80211Backend::CountryRegion() {
    const std::optional<RegulatoryDomain> domain = stack_.Regulatory();
    return domain ? CountryRegionCode(*domain) : kRegionTaken;
}

std::optional<bool> Nl80211Backend::Supports5GHz() {
    const std::optional<PhyInfo> phy = stack_.Phy(interface_->wiphy);
    if (!phy) return std::nullopt;
    return phy->has5GHz;
}

bool Nl80211Backend::DriverReady() {
    const std::optional<std::string> pong = Ask("PING");
    return pong && pong->rfind("PONG", 0) == 0;
}

driver::RadioSwitches Nl80211Backend::Radio() {
    const std::optional<RadioSwitch> radio = stack_.Radio(interface_->wiphy);
    if (!radio) return {};
    return {!radio->softBlocked && !radio->hardBlocked, !radio->hardBlocked};
}

std::optional<uint32_t> Nl80211Backend::InfrastructureModeInUse() {
    return interface_->iftype == NL80211_IFTYPE_ADHOC ? uint32_t(Ndis802_11IBSS)
                                                      : uint32_t(Ndis802_11Infrastructure);
}

driver::LinkState Nl80211Backend::Link() {
    const SupplicantStatus s = SupplicantState();
    driver::LinkState link;
    if (!s.Completed()) return link;
    link.associated = true;
    link.ssid = s.ssid;
    if (s.bssid) link.bssid = *s.bssid;
    link.frequencyKhz = s.frequencyMhz * 1000;
    return link;
}

// The access point's (or the ad hoc peer's) station record.
driver::LinkStatistics Nl80211Backend::Statistics() {
    driver::LinkStatistics statistics;
    const SupplicantStatus s = SupplicantState();
    if (!s.Completed()) return statistics;
    std::optional<StationInfo> peer;
    for (const StationInfo& station : stack_.Stations(interface_->ifindex))
        if (!peer || (s.bssid && station.mac == *s.bssid)) peer = station;
    if (!peer) return statistics;
    statistics.rate500Kbps = peer->txBitrate100Kbps / 5;
    statistics.signalDbm = peer->signalDbm;
    statistics.txPackets = peer->txPackets;
    statistics.rxPackets = peer->rxPackets;
    return statistics;
}

std::optional<uint32_t> Nl80211Backend::Current(PhySetting setting) {
    const driver::StationSettings& taken = station().Settings();
    switch (setting) {
        case PhySetting::RtsThreshold:
        case PhySetting::FragmentationThreshold: {
            const std::optional<PhyInfo> phy = stack_.Phy(interface_->wiphy);
            if (!phy) return std::nullopt;
            return setting == PhySetting::RtsThreshold
                       ? AnsweredRtsThreshold(taken.rtsThreshold, phy->rtsThreshold)
                       : AnsweredFragThreshold(taken.fragThreshold, phy->fragThreshold);
        }
        case PhySetting::TxPower: {
            const std::optional<InterfaceInfo> now = stack_.Interface();
            if (!now || !now->txPowerMbm || *now->txPowerMbm <= 0) return std::nullopt;
            return AnsweredTxPower(taken.txPowerPercent, *now->txPowerMbm);
        }
        case PhySetting::PowerMode:
        case PhySetting::Radio:
            return std::nullopt;
    }
    return std::nullopt;
}

// --- what the requests ask of the radio ------------------------------------------

std::vector<uint32_t> Nl80211Backend::ScanFrequencies() {
    std::vector<uint32_t> wanted;
    const std::optional<PhyInfo> phy = stack_.Phy(interface_->wiphy);
    if (!phy) return wanted;
    for (const ChannelFreq& row : ChannelFreqTable) {
        const uint32_t mhz = row.frequencyKhz / 1000;
        if (std::find(phy->frequenciesMhz.begin(), phy->frequenciesMhz.end(), mhz) !=
                phy->frequenciesMhz.end() &&
            std::find(wanted.begin(), wanted.end(), mhz) == wanted.end())
            wanted.push_back(mhz);
    }
    return wanted;
}

// Only the channels the system's table knows are scanned: the others could
// not be listed, and leaving them out keeps the scan short.
kern_return_t Nl80211Backend::Scan() {
    const int status = stack_.TriggerScan(interface_->ifindex, ScanFrequencies());
    return status == -EBUSY ? KERN_SUCCESS : FromErrno(status);  // a running scan answers too
}

// Read afresh from the kernel.
std::vector<std::vector<uint8_t>> Nl80211Backend::ScanList() {
    std::vector<std::vector<uint8_t>> entries;
    if (auto results = stack_.ScanResults(interface_->ifindex))
        for (const BssRecord& bss : *results)
            if (Listable(bss)) entries.push_back(ScanEntryForBss(bss));
    return entries;
}

// A BSSID request names the network the scan results place there; an SSID
// request every frequency the results place that name on.
kern_return_t Nl80211Backend::Join(const driver::JoinRequest& request) {
    NetworkTarget target;
    target.ssid = request.ssid;
    target.bssid = request.bssid;
    if (auto results = stack_.ScanResults(interface_->ifindex)) {
        for (const BssRecord& bss : *results) {
            if (request.bssid) {
                if (bss.bssid != *request.bssid) continue;
                target.ssid = SsidOfElements(bss.elements);
                target.frequenciesMhz = {bss.frequencyMhz};
            } else if (SsidOfElements(bss.elements) == target.ssid &&
                       std::find(target.frequenciesMhz.begin(), target.frequenciesMhz.end(),
                                 bss.frequencyMhz) == target.frequenciesMhz.end()) {
                target.frequenciesMhz.push_back(bss.frequencyMhz);
            }
        }
    }
    return Commit(target);
}

kern_return_t Nl80211Backend::Disassociate(bool forget) {
    if (forget) RemoveOwnNetworks();
    return AskOk("DISCONNECT") ? KERN_SUCCESS : kIOReturnError;
}

std::optional<std::string> Nl80211Backend::Apply(PhySetting setting, uint32_t value) {
    WiphySettings phy;
    switch (setting) {
        case PhySetting::RtsThreshold:
            phy.rtsThreshold = KernelRtsThreshold(value);
            break;
        case PhySetting::FragmentationThreshold:
            phy.fragThreshold = KernelFragThreshold(value);
            break;
        case PhySetting::TxPower:
            phy.txPowerLimitMbm = PowerLimitMbm(value);
            break;
        case PhySetting::PowerMode:
            return Refusal(stack_.SetPowerSave(interface_->ifindex,
                                               value != uint32_t(Ndis802_11PowerModeCAM)));
        case PhySetting::Radio:
            return Refusal(stack_.SetSoftBlocked(interface_->wiphy, value == 0));
    }
    return Refusal(stack_.SetWiphy(interface_->wiphy, phy));
}

// --- control -----------------------------------------------------------------

nlohmann::json Nl80211Backend::Status() {
    nlohmann::json status = {{"interface", interfaceName_}};
    interface_ = stack_.Interface();
    status["present"] = interface_.has_value();
    if (interface_) {
        status["ifindex"] = interface_->ifindex;
        status["wiphy"] = interface_->wiphy;
        status["radio"] = Radio().on;
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
    return status;
}

nlohmann::json Nl80211Backend::Control(std::string_view) {
    return {{"ok", false}, {"error", "the nl80211 driver answers only: status"}};
}

}  // namespace corvane::nl80211
