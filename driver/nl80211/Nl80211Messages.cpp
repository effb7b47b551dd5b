#include "driver/nl80211/Nl80211Messages.h"

#include <linux/nl80211.h>
#include <netlink/attr.h>
#include <netlink/genl/genl.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace corvane::nl80211 {
namespace {

using Attributes = std::vector<nlattr*>;

// The message's top-level attributes, indexed by type; empty when the
// message is not a well-formed generic netlink message.
Attributes Parse(const nlmsghdr* message) {
    Attributes tb(NL80211_ATTR_MAX + 1, nullptr);
    if (!message || message->nlmsg_len < NLMSG_HDRLEN + GENL_HDRLEN) return {};
    if (genlmsg_parse(const_cast<nlmsghdr*>(message), 0, tb.data(), NL80211_ATTR_MAX, nullptr) < 0)
        return {};
    return tb;
}

Attributes Nested(nlattr* attribute, int maxType) {
    Attributes tb(size_t(maxType) + 1, nullptr);
    if (!attribute || nla_parse_nested(tb.data(), maxType, attribute, nullptr) < 0) return {};
    return tb;
}

// Attribute readers that check the payload length before reading.
template <typename T>
std::optional<T> Get(const Attributes& tb, int type) {
    if (size_t(type) >= tb.size() || !tb[size_t(type)] ||
        nla_len(tb[size_t(type)]) < int(sizeof(T)))
        return std::nullopt;
    T value;
    std::memcpy(&value, nla_data(tb[size_t(type)]), sizeof value);
    return value;
}

std::optional<MacAddress> GetMac(const Attributes& tb, int type) {
    if (size_t(type) >= tb.size() || !tb[size_t(type)] || nla_len(tb[size_t(type)]) < 6)
        return std::nullopt;
    MacAddress mac;
    std::memcpy(mac.data(), nla_data(tb[size_t(type)]), mac.size());
    return mac;
}

std::vector<uint8_t> GetBytes(const Attributes& tb, int type) {
    if (size_t(type) >= tb.size() || !tb[size_t(type)]) return {};
    const auto* data = static_cast<const uint8_t*>(nla_data(tb[size_t(type)]));
    return {data, data + nla_len(tb[size_t(type)])};
}

uint8_t Command(const nlmsghdr* message) {
    return static_cast<const genlmsghdr*>(nlmsg_data(message))->cmd;
}

// A span that holds exactly one whole message.
const nlmsghdr* WholeMessage(std::span<const uint8_t> bytes, std::vector<uint8_t>& aligned) {
    if (bytes.size() < NLMSG_HDRLEN) return nullptr;
    aligned.assign(bytes.begin(), bytes.end());
    const auto* message = reinterpret_cast<const nlmsghdr*>(aligned.data());
    if (message->nlmsg_len < NLMSG_HDRLEN || message->nlmsg_len > aligned.size()) return nullptr;
    return message;
}

}  // namespace

std::optional<InterfaceInfo> ReadInterface(const nlmsghdr* message) {
    const Attributes tb = Parse(message);
    if (tb.empty() || Command(message) != NL80211_CMD_NEW_INTERFACE) return std::nullopt;
    const auto ifindex = Get<uint32_t>(tb, NL80211_ATTR_IFINDEX);
    const auto wiphy = Get<uint32_t>(tb, NL80211_ATTR_WIPHY);
    const auto mac = GetMac(tb, NL80211_ATTR_MAC);
    if (!ifindex || !wiphy || !mac) return std::nullopt;
    InterfaceInfo info;
    info.ifindex = *ifindex;
    info.wiphy = *wiphy;
    info.iftype = Get<uint32_t>(tb, NL80211_ATTR_IFTYPE).value_or(NL80211_IFTYPE_STATION);
    info.mac = *mac;
    if (const auto level = Get<uint32_t>(tb, NL80211_ATTR_WIPHY_TX_POWER_LEVEL))
        info.txPowerMbm = int32_t(*level);
    return info;
}

std::optional<BssRecord> ReadBss(const nlmsghdr* message) {
    const Attributes tb = Parse(message);
    if (tb.empty() || Command(message) != NL80211_CMD_NEW_SCAN_RESULTS) return std::nullopt;
    const Attributes bss = Nested(tb[NL80211_ATTR_BSS], NL80211_BSS_MAX);
    if (bss.empty()) return std::nullopt;
    const auto bssid = GetMac(bss, NL80211_BSS_BSSID);
    const auto frequency = Get<uint32_t>(bss, NL80211_BSS_FREQUENCY);
    if (!bssid || !frequency) return std::nullopt;
    BssRecord r;
    r.bssid = *bssid;
    r.frequencyMhz = *frequency;
    r.signalMbm = Get<int32_t>(bss, NL80211_BSS_SIGNAL_MBM).value_or(-10000);
    r.capability = Get<uint16_t>(bss, NL80211_BSS_CAPABILITY).value_or(0);
    r.beaconInterval = Get<uint16_t>(bss, NL80211_BSS_BEACON_INTERVAL).value_or(100);
    r.tsf = Get<uint64_t>(bss, NL80211_BSS_TSF).value_or(0);
    r.elements = GetBytes(bss, NL80211_BSS_INFORMATION_ELEMENTS);
    if (r.elements.empty()) r.elements = GetBytes(bss, NL80211_BSS_BEACON_IES);
    const auto status = Get<uint32_t>(bss, NL80211_BSS_STATUS);
    r.associated = status && (*status == NL80211_BSS_STATUS_ASSOCIATED ||
                              *status == NL80211_BSS_STATUS_IBSS_JOINED);
    return r;
}

std::optional<StationInfo> ReadStation(const nlmsghdr* message) {
    const Attributes tb = Parse(message);
    if (tb.empty() || Command(message) != NL80211_CMD_NEW_STATION) return std::nullopt;
    const auto mac = GetMac(tb, NL80211_ATTR_MAC);
    const Attributes info = Nested(tb[NL80211_ATTR_STA_INFO], NL80211_STA_INFO_MAX);
    if (!mac || info.empty()) return std::nullopt;
    StationInfo s;
    s.mac = *mac;
    if (auto signal = Get<int8_t>(info, NL80211_STA_INFO_SIGNAL)) s.signalDbm = *signal;
    s.txPackets = Get<uint32_t>(info, NL80211_STA_INFO_TX_PACKETS).value_or(0);
    s.rxPackets = Get<uint32_t>(info, NL80211_STA_INFO_RX_PACKETS).value_or(0);
    const Attributes rate = Nested(info[NL80211_STA_INFO_TX_BITRATE], NL80211_RATE_INFO_MAX);
    if (!rate.empty()) {
        if (auto r32 = Get<uint32_t>(rate, NL80211_RATE_INFO_BITRATE32))
            s.txBitrate100Kbps = *r32;
        else if (auto r16 = Get<uint16_t>(rate, NL80211_RATE_INFO_BITRATE))
            s.txBitrate100Kbps = *r16;
    }
    return s;
}

std::optional<RegulatoryDomain> ReadRegulatory(const nlmsghdr* message) {
    const Attributes tb = Parse(message);
    if (tb.empty() || Command(message) != NL80211_CMD_GET_REG) return std::nullopt;
    const std::vector<uint8_t> alpha2 = GetBytes(tb, NL80211_ATTR_REG_ALPHA2);
    if (alpha2.size() < 2 || !tb[NL80211_ATTR_REG_RULES]) return std::nullopt;
    RegulatoryDomain domain;
    domain.alpha2.assign(alpha2.begin(), alpha2.begin() + 2);
    nlattr* rule;
    int remaining;
    nla_for_each_nested(rule, tb[NL80211_ATTR_REG_RULES], remaining) {
        const Attributes r = Nested(rule, NL80211_REG_RULE_ATTR_MAX);
        if (r.empty()) continue;
        RegulatoryRule out;
        out.flags = Get<uint32_t>(r, NL80211_ATTR_REG_RULE_FLAGS).value_or(0);
        out.startKhz = Get<uint32_t>(r, NL80211_ATTR_FREQ_RANGE_START).value_or(0);
        out.endKhz = Get<uint32_t>(r, NL80211_ATTR_FREQ_RANGE_END).value_or(0);
        out.maxBandwidthKhz = Get<uint32_t>(r, NL80211_ATTR_FREQ_RANGE_MAX_BW).value_or(0);
        domain.rules.push_back(out);
    }
    return domain;
}

bool AddWiphy(const nlmsghdr* message, uint32_t wiphy, PhyInfo& phy) {
    const Attributes tb = Parse(message);
    if (tb.empty() || Command(message) != NL80211_CMD_NEW_WIPHY) return false;
    if (Get<uint32_t>(tb, NL80211_ATTR_WIPHY) != wiphy) return false;
    if (auto rts = Get<uint32_t>(tb, NL80211_ATTR_WIPHY_RTS_THRESHOLD)) phy.rtsThreshold = *rts;
    if (auto frag = Get<uint32_t>(tb, NL80211_ATTR_WIPHY_FRAG_THRESHOLD)) phy.fragThreshold = *frag;
    if (!tb[NL80211_ATTR_WIPHY_BANDS]) return true;
    nlattr* band;
    int remainingBands;
    nla_for_each_nested(band, tb[NL80211_ATTR_WIPHY_BANDS], remainingBands) {
        const Attributes b = Nested(band, NL80211_BAND_ATTR_MAX);
        if (b.empty() || !b[NL80211_BAND_ATTR_FREQS]) continue;
        nlattr* frequency;
        int remaining;
        nla_for_each_nested(frequency, b[NL80211_BAND_ATTR_FREQS], remaining) {
            const Attributes f = Nested(frequency, NL80211_FREQUENCY_ATTR_MAX);
            const auto mhz = Get<uint32_t>(f, NL80211_FREQUENCY_ATTR_FREQ);
            if (!mhz || f[NL80211_FREQUENCY_ATTR_DISABLED]) continue;
            if (nla_type(band) == NL80211_BAND_5GHZ) phy.has5GHz = true;
            if (std::find(phy.frequenciesMhz.begin(), phy.frequenciesMhz.end(), *mhz) ==
                phy.frequenciesMhz.end())
                phy.frequenciesMhz.push_back(*mhz);
        }
    }
    return true;
}

// The span forms: the reader of the message, once the bytes are one.
template <typename T, std::optional<T> (*Read)(const nlmsghdr*)>
std::optional<T> FromBytes(std::span<const uint8_t> bytes) {
    std::vector<uint8_t> aligned;
    const nlmsghdr* message = WholeMessage(bytes, aligned);
    return message ? Read(message) : std::nullopt;
}

std::optional<InterfaceInfo> ReadInterface(std::span<const uint8_t> bytes) {
    return FromBytes<InterfaceInfo, ReadInterface>(bytes);
}

std::optional<BssRecord> ReadBss(std::span<const uint8_t> bytes) {
    return FromBytes<BssRecord, ReadBss>(bytes);
}

std::optional<StationInfo> ReadStation(std::span<const uint8_t> bytes) {
    return FromBytes<StationInfo, ReadStation>(bytes);
}

std::optional<RegulatoryDomain> ReadRegulatory(std::span<const uint8_t> bytes) {
    return FromBytes<RegulatoryDomain, ReadRegulatory>(bytes);
}

bool AddWiphy(std::span<const uint8_t> bytes, uint32_t wiphy, PhyInfo& phy) {
    std::vector<uint8_t> aligned;
    const nlmsghdr* message = WholeMessage(bytes, aligned);
    return message && AddWiphy(message, wiphy, phy);
}

}  // namespace corvane::nl80211
