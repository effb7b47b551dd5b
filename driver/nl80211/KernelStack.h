// The kernel's wireless stack for one interface: nl80211 through a libnl
// generic netlink socket, and the phy's radio switch through rfkill's
// files in sysfs. Asking for scans and changing the phy or the radio
// switch needs CAP_NET_ADMIN (root, or a service granted it).
#pragma once

#include <functional>
#include <string>

#include "driver/nl80211/RfkillSwitches.h"
#include "driver/nl80211/Stack.h"

struct nl_sock;
struct nl_msg;
struct nlmsghdr;

namespace corvane::nl80211 {

class KernelStack : public WirelessStack {
public:
    explicit KernelStack(std::string interfaceName);
    ~KernelStack() override;
    KernelStack(const KernelStack&) = delete;
    KernelStack& operator=(const KernelStack&) = delete;

    // Empty when the nl80211 socket is open, else why it is not.
    const std::string& Problem() const { return problem_; }
    // Sees every answer message as it arrives (to record answers).
    void SetTap(std::function<void(const nlmsghdr*)> tap) { tap_ = std::move(tap); }

    std::optional<InterfaceInfo> Interface() override;
    std::optional<PhyInfo> Phy(uint32_t wiphy) override;
    int TriggerScan(uint32_t ifindex, const std::vector<uint32_t>& frequenciesMhz) override;
    std::optional<std::vector<BssRecord>> ScanResults(uint32_t ifindex) override;
    std::vector<StationInfo> Stations(uint32_t ifindex) override;
    std::optional<RegulatoryDomain> Regulatory() override;
    std::optional<RadioSwitch> Radio(uint32_t wiphy) override;
    int SetSoftBlocked(uint32_t wiphy, bool blocked) override;
    int SetWiphy(uint32_t wiphy, const WiphySettings& settings) override;
    int SetPowerSave(uint32_t ifindex, bool enabled) override;

private:
    template <typename Each>
    int Transact(nl_msg* message, Each each);
    nl_msg* NewMessage(uint8_t command, int flags) const;

    std::string interface_;
    nl_sock* socket_ = nullptr;
    int family_ = -1;
    std::string problem_;
    RfkillSwitches rfkill_;
    std::function<void(const nlmsghdr*)> tap_;
};

}  // namespace corvane::nl80211
