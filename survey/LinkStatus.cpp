#include "survey/LinkStatus.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "adapter/ChannelPlan.h"
#include "adapter/Globals.h"
#include "adapter/LinkQuality.h"
#include "adapter/Oids.h"
#include "adapter/Records.h"

namespace corvane {
namespace {

constexpr const char* kNone = "None";

}  // namespace

std::string FormatChannel(uint32_t dsConfigKhz) {
    auto channel = ChannelForFrequency(dsConfigKhz);
    char text[40];
    if (channel && *channel != 0xFFFFFFFFu)
        std::snprintf(text, sizeof text, "%u (%.3f GHz)", *channel, dsConfigKhz / 1000000.0);
    else
        std::snprintf(text, sizeof text, "%u", 0u);
    return text;
}

LinkStatusView ReadLinkStatus(KestrelAccess& adapter, uint32_t& channelQuality) {
    LinkStatusView view;
    uint32_t media = kMediaDisconnected;
    bool answered = QueryWord(adapter, OID_GEN_MEDIA_CONNECT_STATUS, media);

    if (media != kMediaConnected) {
        view.networkName = view.networkType = view.channel = view.bssid = kNone;
        view.attachedState = "No wireless connection";
        if (!G_bDeviceExist || !answered) {
            view.linkState = "No connection";
            return view;
        }
        view.linkState = "Radio OFF";
        if (G_bRadio) {
            std::array<uint8_t, sizeof(VX_802_11_STA_CONFIG)> sta{};
            uint64_t returned = 0;
            adapter.OidQueryInformation(OID_VX_STA_CONFIG, sta.data(), sta.size(), &returned);
            if (DecodeStaConfig(sta).HwRadioStatus != 0) view.linkState = "Disconnected";
        }
        return view;
    }

    view.associated = true;
    view.linkState = "Connected";
    uint64_t returned = 0;

    // One spare zero byte so that a 32-byte name reads as a whole C string.
    uint8_t ssid[sizeof(NDIS_802_11_SSID) + 1] = {};
    adapter.OidQueryInformation(OID_802_11_SSID, ssid, sizeof ssid, &returned);
    view.networkName = std::string(reinterpret_cast<const char*>(ssid + 4));

    uint8_t bssid[kMacLength] = {};
    adapter.OidQueryInformation(OID_802_11_BSSID, bssid, sizeof bssid, &returned);
    view.bssid = FormatMac(bssid);

    // Unchecked answers are preset to zero so a failed query reads as a
    // defined value.
    uint32_t mode = 0;
    QueryWord(adapter, OID_802_11_INFRASTRUCTURE_MODE, mode);
    switch (mode) {
        case Ndis802_11Infrastructure: view.networkType = "Infrastructure"; break;
        case Ndis802_11IBSS: view.networkType = "Ad Hoc"; break;
        default: view.networkType = ""; break;
    }

    Config32 config{};
    adapter.OidQueryInformation(OID_802_11_CONFIGURATION, config.data(), config.size(), &returned);
    view.channel = FormatChannel(DecodeConfiguration(config).DSConfig);

    std::array<uint8_t, sizeof(VX_802_11_LINK_STATUS)> link{};
    adapter.OidQueryInformation(OID_VX_LINK_STATUS, link.data(), link.size(), &returned);
    view.signalStrength = SmoothLinkQuality(DecodeLinkStatus(link).ChannelQuality, channelQuality);
    return view;
}

}  // namespace corvane
