#include "driver/nm/NmBackend.h"

#include <linux/nl80211.h>

#include <QUuid>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "adapter/Oids.h"
#include "driver/nl80211/BssScanEntry.h"
#include "driver/nl80211/RegulatoryRegion.h"
#include "driver/nm/NmConnection.h"
#include "platform/Clock.h"

namespace corvane::nm {

using platform::kern_return_t;
using platform::KERN_SUCCESS;
using platform::kIOReturnError;
using platform::kIOReturnNoDevice;
using platform::kIOReturnUnsupported;

namespace {

// How long radio on waits for NetworkManager to see an unblocked switch,
// and then for the device it manages again to be ready for a join.
constexpr int kRadioOnPolls = 50;
constexpr uint64_t kRadioOnPollMicroseconds = 100'000;

std::string ErrnoText(int negative) { return std::strerror(-negative); }

}  // namespace

NmBackend::NmBackend(std::unique_ptr<NetworkService> nm,
                     std::unique_ptr<nl80211::WirelessStack> kernel, RfkillSwitches switches,
                     NmDevice device)
    : nm_(std::move(nm)),
      kernel_(std::move(kernel)),
      switches_(std::move(switches)),
      device_(std::move(device)) {}

NmBackend::~NmBackend() = default;

void NmBackend::Follow(const Outcome& outcome) {
    if (outcome.text == problem_) return;
    if (outcome.Ok())
        station().Note(device_.interfaceName + ": NetworkManager answers again");
    else
        station().Note(outcome.text);
    problem_ = outcome.text;
}

kern_return_t NmBackend::Failed(const Outcome& outcome) {
    station().Note(outcome.text);
    info_.reset();
    return outcome.trouble == Trouble::NoDevice ? kIOReturnNoDevice : kIOReturnError;
}

void NmBackend::NoteTime(const std::string& what) {
    if (!device_.timings) return;
    const double now =
        std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%.3f", now);
    station().Note(device_.interfaceName + ": " + what + " at " + stamp);
}

bool NmBackend::SwitchedOffHere() const { return std::ifstream(device_.radioOffMarker).good(); }

const std::optional<DeviceInfo>& NmBackend::Device() {
    if (!info_) {
        Outcome why;
        info_ = nm_->Device(device_.interfaceName, &why);
        if (!info_) Follow(why);
    }
    return info_;
}

void NmBackend::Tick() { nm_->ServeIncoming(); }

bool NmBackend::Open() {
    nm_->ServeIncoming();
    interface_ = kernel_->Interface();
    info_.reset();
    served_ = false;
    if (!interface_) {
        Follow({Trouble::NoDevice, "the device " + device_.interfaceName +
                                       " is gone; the adapter counts as unplugged"});
        return false;
    }
    if (knownIfindex_ != 0 && interface_->ifindex != knownIfindex_) {
        station().RaiseRestartPending();
        ++generation_;
    }
    knownIfindex_ = interface_->ifindex;
    if (!Device()) return false;
    served_ = info_->managed || SwitchedOffHere();
    if (!served_)
        Follow({Trouble::Unmanaged, "NetworkManager does not manage " + device_.interfaceName +
                                        " (`nmcli device set " + device_.interfaceName +
                                        " managed yes` hands it back)"});
    else
        Follow({});
    infoFresh_ = true;
    return served_;
}

void NmBackend::BeforeRequest() {
    // The device as Open found it serves this request; a client that holds
    // its connection asks afresh for each further one.
    if (!infoFresh_) info_.reset();
    infoFresh_ = false;
    nm_->ServeIncoming();
}

uint32_t NmBackend::CountryRegion() {
    const std::optional<nl80211::RegulatoryDomain> domain = kernel_->Regulatory();
    return domain ? nl80211::CountryRegionCode(*domain) : nl80211::kRegionTaken;
}

std::optional<bool> NmBackend::Supports5GHz() {
    const std::optional<nl80211::PhyInfo> phy = kernel_->Phy(interface_->wiphy);
    if (!phy) return std::nullopt;
    return phy->has5GHz;
}

bool NmBackend::DriverReady() { return Device().has_value(); }

driver::RadioSwitches NmBackend::Radio() {
    const std::optional<RfkillSwitch> own = switches_.OfPhy(interface_->wiphy);
    driver::RadioSwitches r;
    r.hardwareOn = !(own && own->hard);
    const bool managed = Device() && info_->managed;
    r.on = managed && !(own && (own->soft || own->hard)) && nm_->WirelessEnabled() != false;
    return r;
}

std::optional<uint32_t> NmBackend::InfrastructureModeInUse() {
    return interface_->iftype == NL80211_IFTYPE_ADHOC ? uint32_t(Ndis802_11IBSS)
                                                      : uint32_t(Ndis802_11Infrastructure);
}

driver::LinkState NmBackend::Link() {
    driver::LinkState link;
    if (!Device() || !Associated(info_->state)) return link;
    link.associated = true;
    if (const auto& ap = info_->accessPoint) {
        link.ssid = ap->ssid;
        link.bssid = ap->bssid;
        link.frequencyKhz = ap->frequencyMhz * 1000;
        return link;
    }
    // NetworkManager names no access point (an ad hoc network it started):
    // the BSS the kernel has joined.
    if (const auto results = kernel_->ScanResults(interface_->ifindex))
        for (const nl80211::BssRecord& bss : *results)
            if (bss.associated) {
                link.ssid = nl80211::SsidOfElements(bss.elements);
                link.bssid = bss.bssid;
                link.frequencyKhz = bss.frequencyMhz * 1000;
            }
    return link;
}

driver::LinkStatistics NmBackend::Statistics() {
    driver::LinkStatistics statistics;
    const driver::LinkState link = Link();
    if (!link.associated) return statistics;
    std::optional<nl80211::StationInfo> peer;
    for (const nl80211::StationInfo& station : kernel_->Stations(interface_->ifindex))
        if (!peer || station.mac == link.bssid) peer = station;
    if (peer) {
        statistics.rate500Kbps = peer->txBitrate100Kbps / 5;
        statistics.signalDbm = peer->signalDbm;
        statistics.txPackets = peer->txPackets;
        statistics.rxPackets = peer->rxPackets;
    }
    return statistics;
}

kern_return_t NmBackend::Scan() {
    NoteTime("scan asked");
    const Outcome outcome = nm_->RequestScan(device_.interfaceName);
    return outcome.Ok() ? KERN_SUCCESS : Failed(outcome);
}

std::vector<std::vector<uint8_t>> NmBackend::ScanList() {
    std::vector<std::vector<uint8_t>> entries;
    if (const auto results = kernel_->ScanResults(interface_->ifindex))
        for (const nl80211::BssRecord& bss : *results)
            if (nl80211::Listable(bss)) entries.push_back(nl80211::ScanEntryForBss(bss));
    return entries;
}

kern_return_t NmBackend::Join(const driver::JoinRequest& request) {
    JoinTarget target{request.ssid, request.bssid, false, std::nullopt};
    std::vector<uint32_t> frequencies;
    if (const auto results = kernel_->ScanResults(interface_->ifindex))
        for (const nl80211::BssRecord& bss : *results) {
            const std::string ssid = nl80211::SsidOfElements(bss.elements);
            if (request.bssid ? bss.bssid != *request.bssid : ssid != request.ssid) continue;
            target.seen = true;
            if (request.bssid) target.ssid = ssid;
            if (std::find(frequencies.begin(), frequencies.end(), bss.frequencyMhz) ==
                frequencies.end())
                frequencies.push_back(bss.frequencyMhz);
        }
    if (frequencies.size() == 1) target.frequencyMhz = frequencies[0];
    NoteTime("join asked");
    const ConnectionOwner owner{QString::fromStdString(device_.user),
                                QUuid::createUuid().toString(QUuid::WithoutBraces)};
    const NmConnection connection = ConnectionFor(station().Settings(), target, owner);
    info_.reset();
    if (!connection.refusal.empty()) {
        station().Note("not joining: " + connection.refusal);
        nm_->Disconnect(device_.interfaceName);
        return kIOReturnUnsupported;
    }
    const Outcome outcome = nm_->Activate(device_.interfaceName, connection.settings);
    return outcome.Ok() ? KERN_SUCCESS : Failed(outcome);
}

kern_return_t NmBackend::Disassociate(bool) {
    // The connection is volatile: NetworkManager deletes it as it goes, so
    // nothing the last join committed brings the link back.
    info_.reset();
    const Outcome outcome = nm_->Disconnect(device_.interfaceName);
    return outcome.Ok() ? KERN_SUCCESS : Failed(outcome);
}

std::optional<std::string> NmBackend::RadioOff() {
    nm_->Disconnect(device_.interfaceName);
    if (const Outcome o = nm_->SetManaged(device_.interfaceName, false); !o.Ok()) return o.text;
    std::ofstream(device_.radioOffMarker) << "switched off by the utility\n";
    return std::nullopt;
}

std::optional<std::string> NmBackend::RadioOn() {
    const std::optional<RfkillSwitch> own = switches_.OfPhy(interface_->wiphy);
    if (own && own->hard) return "the adapter's hardware radio switch is off";
    if (own && own->soft) {
        const auto all = switches_.All();
        const bool othersBlocked = std::any_of(all.begin(), all.end(), [&](const RfkillSwitch& s) {
            return s.type == "wlan" && s.index != own->index && s.soft;
        });
        // Only a block of this adapter alone is this adapter's to lift.
        if (!othersBlocked) {
            if (const int e = switches_.Unblock(own->index); e != 0)
                return "cannot unblock the adapter's radio switch rfkill" +
                       std::to_string(own->index) + " through /dev/rfkill: " + ErrnoText(e);
            for (int i = 0; i < kRadioOnPolls && nm_->WirelessEnabled() == false; ++i)
                platform::USleep(kRadioOnPollMicroseconds);
        }
    }
    if (nm_->WirelessEnabled() == false)
        return "Wi-Fi is switched off for the whole machine (NetworkManager's WirelessEnabled, "
               "the desktop's Wi-Fi switch or airplane mode): switch it on there";
    if (const Outcome o = nm_->SetManaged(device_.interfaceName, true); !o.Ok()) return o.text;
    std::remove(device_.radioOffMarker.c_str());
    // The reconnect that follows radio on needs a device that takes a join.
    for (int i = 0; i < kRadioOnPolls; ++i) {
        const std::optional<DeviceInfo> d = nm_->Device(device_.interfaceName, nullptr);
        if (!d || d->state >= kStateDisconnected) break;
        platform::USleep(kRadioOnPollMicroseconds);
    }
    return std::nullopt;
}

std::optional<std::string> NmBackend::Apply(driver::PhySetting setting, uint32_t value) {
    info_.reset();
    if (setting != driver::PhySetting::Radio)
        return std::nullopt;  // kept: NetworkManager has no say
    return value == 0 ? RadioOff() : RadioOn();
}

nlohmann::json NmBackend::Status() {
    interface_ = kernel_->Interface();
    info_.reset();
    nlohmann::json status = {{"backend", "NetworkManager"},
                             {"interface", device_.interfaceName},
                             {"present", interface_.has_value()},
                             {"user", device_.user}};
    if (Device()) {
        status["networkmanager"] = "answers";
        status["device_state"] = info_->state;
        status["managed"] = info_->managed;
        status["associated"] = Associated(info_->state);
    } else {
        status["networkmanager"] = problem_;
    }
    if (const auto enabled = nm_->WirelessEnabled()) status["wireless_enabled"] = *enabled;
    status["switched_off_here"] = SwitchedOffHere();
    if (interface_) {
        const driver::LinkState link = Link();
        status["ssid"] = link.ssid;
        if (const auto own = switches_.OfPhy(interface_->wiphy))
            status["rfkill"] = {{"index", own->index}, {"soft", own->soft}, {"hard", own->hard}};
    }
    return status;
}

}  // namespace corvane::nm
