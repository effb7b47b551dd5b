#include "survey/LinkStatus.h"

#include <algorithm>
#include <cstdio>

#include "adapter/ChannelPlan.h"
#include "adapter/Globals.h"
#include "adapter/LinkQuality.h"
#include "adapter/Oids.h"
#include "adapter/Records.h"
#include "adapter/Requests.h"
#include "platform/Translate.h"

namespace corvane {
namespace {

// The words stay English here (the command prints them, also as JSON); the
// window translates them in the "LinkStatus" context.
constexpr const char* kNone = QT_TRANSLATE_NOOP("LinkStatus", "None");

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
        view.attachedState = QT_TRANSLATE_NOOP("LinkStatus", "No wireless connection");
        if (!G_bDeviceExist || !answered) {
            view.linkState = QT_TRANSLATE_NOOP("LinkStatus", "No connection");
            return view;
        }
        view.linkState = QT_TRANSLATE_NOOP("LinkStatus", "Radio OFF");
        if (G_bRadio && QueryStaConfig(adapter).HwRadioStatus != 0)
            view.linkState = QT_TRANSLATE_NOOP("LinkStatus", "Disconnected");
        return view;
    }

    view.associated = true;
    view.linkState = QT_TRANSLATE_NOOP("LinkStatus", "Connected");
    // The name bytes up to the first zero byte, all 32 when there is none;
    // SsidLength is not read.
    const NDIS_802_11_SSID ssid = QuerySsid(adapter, SsidBuffer::WithSpareByte);
    const uint8_t* name = ssid.Ssid;
    view.networkName.assign(name, std::find(name, name + kSsidMaxLength, uint8_t{0}));

    view.bssid = FormatMac(QueryBssid(adapter));

    // Unchecked answers are preset to zero so a failed query reads as a
    // defined value.
    uint32_t mode = 0;
    QueryWord(adapter, OID_802_11_INFRASTRUCTURE_MODE, mode);
    switch (mode) {
        case Ndis802_11Infrastructure:
            view.networkType = QT_TRANSLATE_NOOP("LinkStatus", "Infrastructure");
            break;
        case Ndis802_11IBSS:
            view.networkType = QT_TRANSLATE_NOOP("LinkStatus", "Ad Hoc");
            break;
        default:
            view.networkType = "";
            break;
    }

    view.channel = FormatChannel(QueryConfiguration(adapter).DSConfig);
    view.signalStrength =
        SmoothLinkQuality(QueryLinkStatus(adapter).ChannelQuality, channelQuality);
    return view;
}

}  // namespace corvane
