#include "driver/nl80211/KernelStack.h"

#include <fcntl.h>
#include <linux/nl80211.h>
#include <net/if.h>
#include <netlink/genl/ctrl.h>
#include <netlink/genl/genl.h>
#include <netlink/msg.h>
#include <netlink/netlink.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "driver/nl80211/Nl80211Messages.h"
#include "platform/RegularFile.h"

namespace corvane::nl80211 {
namespace {

// The state of one transaction, shared with libnl's callbacks.
struct Exchange {
    int status = 1;  // 1: waiting; 0: done; < 0: -errno
    void* each = nullptr;
    void (*deliver)(void* each, const nlmsghdr* message) = nullptr;
    const std::function<void(const nlmsghdr*)>* tap = nullptr;
};

int OnValid(nl_msg* message, void* arg) {
    auto* x = static_cast<Exchange*>(arg);
    if (*x->tap) (*x->tap)(nlmsg_hdr(message));
    if (x->deliver) x->deliver(x->each, nlmsg_hdr(message));
    return NL_OK;
}

int OnFinish(nl_msg*, void* arg) {
    static_cast<Exchange*>(arg)->status = 0;
    return NL_SKIP;
}

int OnAck(nl_msg*, void* arg) {
    static_cast<Exchange*>(arg)->status = 0;
    return NL_STOP;
}

int OnError(sockaddr_nl*, nlmsgerr* error, void* arg) {
    static_cast<Exchange*>(arg)->status = error->error < 0 ? error->error : -EIO;
    return NL_STOP;
}

}  // namespace

// --- nl80211 -----------------------------------------------------------------

KernelStack::KernelStack(std::string interfaceName) : interface_(std::move(interfaceName)) {
    socket_ = nl_socket_alloc();
    if (!socket_) {
        problem_ = "cannot allocate a netlink socket";
        return;
    }
    if (int e = genl_connect(socket_); e < 0) {
        problem_ = std::string("cannot open a generic netlink socket: ") + nl_geterror(e);
        return;
    }
    nl_socket_enable_msg_peek(socket_);
    nl_socket_set_buffer_size(socket_, 1 << 20, 1 << 20);
    family_ = genl_ctrl_resolve(socket_, "nl80211");
    if (family_ < 0) problem_ = "the kernel has no nl80211 (is cfg80211 loaded?)";
}

KernelStack::~KernelStack() {
    if (socket_) nl_socket_free(socket_);
}

nl_msg* KernelStack::NewMessage(uint8_t command, int flags) const {
    nl_msg* message = nlmsg_alloc();
    if (message &&
        !genlmsg_put(message, NL_AUTO_PORT, NL_AUTO_SEQ, family_, 0, flags, command, 0)) {
        nlmsg_free(message);
        return nullptr;
    }
    return message;
}

// Sends `message` (and frees it), hands each answer to `each`, and waits for
// the end of the answer: 0, or a negative errno.
template <typename Each>
int KernelStack::Transact(nl_msg* message, Each each) {
    if (!message) return -ENOMEM;
    if (family_ < 0) {
        nlmsg_free(message);
        return -ENOTCONN;
    }
    Exchange x;
    x.each = &each;
    x.deliver = [](void* e, const nlmsghdr* m) { (*static_cast<Each*>(e))(m); };
    x.tap = &tap_;
    nl_cb* cb = nl_cb_alloc(NL_CB_DEFAULT);
    if (!cb) {
        nlmsg_free(message);
        return -ENOMEM;
    }
    nl_cb_set(cb, NL_CB_VALID, NL_CB_CUSTOM, OnValid, &x);
    nl_cb_set(cb, NL_CB_FINISH, NL_CB_CUSTOM, OnFinish, &x);
    nl_cb_set(cb, NL_CB_ACK, NL_CB_CUSTOM, OnAck, &x);
    nl_cb_err(cb, NL_CB_CUSTOM, OnError, &x);
    if (nl_send_auto(socket_, message) < 0) x.status = -EIO;
    while (x.status > 0)
        if (nl_recvmsgs(socket_, cb) < 0 && x.status > 0) x.status = -EIO;
    nl_cb_put(cb);
    nlmsg_free(message);
    return x.status;
}

std::optional<InterfaceInfo> KernelStack::Interface() {
    const unsigned ifindex = if_nametoindex(interface_.c_str());
    if (ifindex == 0) return std::nullopt;
    nl_msg* message = NewMessage(NL80211_CMD_GET_INTERFACE, 0);
    if (message) nla_put_u32(message, NL80211_ATTR_IFINDEX, ifindex);
    std::optional<InterfaceInfo> info;
    Transact(message, [&](const nlmsghdr* m) {
        if (auto i = ReadInterface(m)) info = i;
    });
    return info;
}

std::optional<PhyInfo> KernelStack::Phy(uint32_t wiphy) {
    nl_msg* message = NewMessage(NL80211_CMD_GET_WIPHY, NLM_F_DUMP);
    if (message) {
        nla_put_flag(message, NL80211_ATTR_SPLIT_WIPHY_DUMP);
        nla_put_u32(message, NL80211_ATTR_WIPHY, wiphy);
    }
    PhyInfo phy;
    bool seen = false;
    const int status =
        Transact(message, [&](const nlmsghdr* m) { seen |= AddWiphy(m, wiphy, phy); });
    if (status < 0 || !seen) return std::nullopt;
    return phy;
}

int KernelStack::TriggerScan(uint32_t ifindex, const std::vector<uint32_t>& frequenciesMhz) {
    auto build = [&](bool flush) {
        nl_msg* message = NewMessage(NL80211_CMD_TRIGGER_SCAN, 0);
        if (!message) return message;
        nla_put_u32(message, NL80211_ATTR_IFINDEX, ifindex);
        nlattr* ssids = nla_nest_start(message, NL80211_ATTR_SCAN_SSIDS);
        nla_put(message, 1, 0, "");  // the wildcard SSID: an active scan
        nla_nest_end(message, ssids);
        if (!frequenciesMhz.empty()) {
            nlattr* freqs = nla_nest_start(message, NL80211_ATTR_SCAN_FREQUENCIES);
            for (size_t i = 0; i < frequenciesMhz.size(); ++i)
                nla_put_u32(message, int(i + 1), frequenciesMhz[i]);
            nla_nest_end(message, freqs);
        }
        // Networks this scan no longer hears leave the results at its end.
        if (flush) nla_put_u32(message, NL80211_ATTR_SCAN_FLAGS, NL80211_SCAN_FLAG_FLUSH);
        return message;
    };
    int status = Transact(build(true), [](const nlmsghdr*) {});
    if (status == -EOPNOTSUPP || status == -EINVAL)
        status = Transact(build(false), [](const nlmsghdr*) {});
    return status;
}

std::optional<std::vector<BssRecord>> KernelStack::ScanResults(uint32_t ifindex) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        nl_msg* message = NewMessage(NL80211_CMD_GET_SCAN, NLM_F_DUMP);
        if (message) nla_put_u32(message, NL80211_ATTR_IFINDEX, ifindex);
        std::vector<BssRecord> results;
        const int status = Transact(message, [&](const nlmsghdr* m) {
            if (auto bss = ReadBss(m)) results.push_back(std::move(*bss));
        });
        if (status == 0) return results;
        // A dump that the kernel's list changed under is asked again.
    }
    return std::nullopt;
}

std::vector<StationInfo> KernelStack::Stations(uint32_t ifindex) {
    nl_msg* message = NewMessage(NL80211_CMD_GET_STATION, NLM_F_DUMP);
    if (message) nla_put_u32(message, NL80211_ATTR_IFINDEX, ifindex);
    std::vector<StationInfo> stations;
    Transact(message, [&](const nlmsghdr* m) {
        if (auto s = ReadStation(m)) stations.push_back(*s);
    });
    return stations;
}

std::optional<RegulatoryDomain> KernelStack::Regulatory() {
    std::optional<RegulatoryDomain> domain;
    Transact(NewMessage(NL80211_CMD_GET_REG, 0), [&](const nlmsghdr* m) {
        if (auto d = ReadRegulatory(m)) domain = d;
    });
    return domain;
}

std::optional<RadioSwitch> KernelStack::Radio(uint32_t wiphy) {
    const std::optional<RfkillSwitch> own = rfkill_.OfPhy(wiphy);
    if (!own) return std::nullopt;
    return RadioSwitch{own->soft, own->hard};
}

int KernelStack::SetSoftBlocked(uint32_t wiphy, bool blocked) {
    const int status = rfkill_.SetSoftBlocked(wiphy, blocked);
    if (status != 0 || blocked) return status;
    const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -errno;
    ifreq request{};
    std::strncpy(request.ifr_name, interface_.c_str(), IFNAMSIZ - 1);
    int result = ioctl(fd, SIOCGIFFLAGS, &request);
    if (result == 0 && !(request.ifr_flags & IFF_UP)) {
        request.ifr_flags |= IFF_UP;
        result = ioctl(fd, SIOCSIFFLAGS, &request);
    }
    const int error = result == 0 ? 0 : -errno;
    close(fd);
    return error;
}

int KernelStack::SetWiphy(uint32_t wiphy, const WiphySettings& s) {
    nl_msg* message = NewMessage(NL80211_CMD_SET_WIPHY, 0);
    if (!message) return -ENOMEM;
    nla_put_u32(message, NL80211_ATTR_WIPHY, wiphy);
    if (s.rtsThreshold) nla_put_u32(message, NL80211_ATTR_WIPHY_RTS_THRESHOLD, *s.rtsThreshold);
    if (s.fragThreshold) nla_put_u32(message, NL80211_ATTR_WIPHY_FRAG_THRESHOLD, *s.fragThreshold);
    if (s.txPowerLimitMbm) {
        nla_put_u32(message, NL80211_ATTR_WIPHY_TX_POWER_SETTING,
                    *s.txPowerLimitMbm ? NL80211_TX_POWER_LIMITED : NL80211_TX_POWER_AUTOMATIC);
        if (*s.txPowerLimitMbm)
            nla_put_u32(message, NL80211_ATTR_WIPHY_TX_POWER_LEVEL, uint32_t(*s.txPowerLimitMbm));
    }
    return Transact(message, [](const nlmsghdr*) {});
}

int KernelStack::SetPowerSave(uint32_t ifindex, bool enabled) {
    nl_msg* message = NewMessage(NL80211_CMD_SET_POWER_SAVE, 0);
    if (!message) return -ENOMEM;
    nla_put_u32(message, NL80211_ATTR_IFINDEX, ifindex);
    nla_put_u32(message, NL80211_ATTR_PS_STATE, enabled ? NL80211_PS_ENABLED : NL80211_PS_DISABLED);
    return Transact(message, [](const nlmsghdr*) {});
}

}  // namespace corvane::nl80211
