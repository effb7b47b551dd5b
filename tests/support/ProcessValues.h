// The client's process-wide values (adapter/Globals.h and the channel plan)
// put back as they stood when the test process started, so that no test
// sees the adapter, plan or switches another test left behind. The scan
// buffers, once attached, stay attached and are zeroed.
#pragma once

#include <cstddef>
#include <cstring>
#include <span>
#include <vector>

#include "adapter/ChannelPlan.h"
#include "adapter/Globals.h"

namespace corvane::test {
namespace detail {

template <typename T>
std::span<std::byte> BytesOf(T& value) {
    return {reinterpret_cast<std::byte*>(&value), sizeof value};
}

inline std::vector<std::span<std::byte>> ProcessValueBytes() {
    return {BytesOf(__DEBUG__),        BytesOf(Current_Device),    BytesOf(G_bUse64Bits),
            BytesOf(G_bDeviceExist),   BytesOf(G_bDeviceRemove),   BytesOf(G_bRadio),
            BytesOf(G_bDialogRunning), BytesOf(G_bRescan),         BytesOf(G_enumWirelessMode),
            BytesOf(G_encryCapa),      BytesOf(VelaConfigVerChar), BytesOf(G_nCountryRegion),
            BytesOf(G_Channel_List),   BytesOf(G_Channel_Numbers), BytesOf(G_nChanFreqCount)};
}

// Taken before main, while every value still has its start value.
inline const std::vector<std::vector<std::byte>> kStartValues = [] {
    std::vector<std::vector<std::byte>> copies;
    for (std::span<std::byte> bytes : ProcessValueBytes())
        copies.emplace_back(bytes.begin(), bytes.end());
    return copies;
}();

}  // namespace detail

inline void ResetGlobals() {
    const auto values = detail::ProcessValueBytes();
    for (size_t i = 0; i < values.size(); ++i)
        std::memcpy(values[i].data(), detail::kStartValues[i].data(), values[i].size());
    if (G_pBssidList) std::memset(G_pBssidList, 0, kBssidListBufferSize);
    if (G_pRepositBssidList) std::memset(G_pRepositBssidList, 0, sizeof *G_pRepositBssidList);
}

}  // namespace corvane::test
