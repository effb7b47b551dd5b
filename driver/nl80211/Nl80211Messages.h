// Readers of the kernel's nl80211 answers. Each takes one whole netlink
// message (header included) and reads the attributes it needs through
// libnl's bounded attribute parser; a message that is short, of another
// command, or without the attribute that matters gives nullopt. The span
// forms check the message against the bytes really there first, so that
// recorded answers can be fed straight in.
#pragma once

#include <linux/netlink.h>

#include <cstdint>
#include <optional>
#include <span>

#include "driver/nl80211/Stack.h"

namespace corvane::nl80211 {

std::optional<InterfaceInfo> ReadInterface(const nlmsghdr* message);
std::optional<BssRecord> ReadBss(const nlmsghdr* message);
std::optional<StationInfo> ReadStation(const nlmsghdr* message);
std::optional<RegulatoryDomain> ReadRegulatory(const nlmsghdr* message);
// One message of a (split) wiphy dump, added to what earlier ones gave.
// False when the message is not about `wiphy`.
bool AddWiphy(const nlmsghdr* message, uint32_t wiphy, PhyInfo& phy);

// The same on recorded bytes: nullopt / false when `bytes` is not one
// whole netlink message.
std::optional<InterfaceInfo> ReadInterface(std::span<const uint8_t> bytes);
std::optional<BssRecord> ReadBss(std::span<const uint8_t> bytes);
std::optional<StationInfo> ReadStation(std::span<const uint8_t> bytes);
std::optional<RegulatoryDomain> ReadRegulatory(std::span<const uint8_t> bytes);
bool AddWiphy(std::span<const uint8_t> bytes, uint32_t wiphy, PhyInfo& phy);

}  // namespace corvane::nl80211
