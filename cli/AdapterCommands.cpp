#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "adapter/AdapterKind.h"
#include "adapter/ChannelPlan.h"
#include "adapter/Globals.h"
#include "adapter/Oids.h"
#include "adapter/Requests.h"
#include "adapter/ScanList.h"
#include "adapter/SsidText.h"
#include "cli/Commands.h"
#include "cli/StatusWatch.h"
#include "platform/Registry.h"
#include "survey/LinkStatus.h"

namespace corvane::cli {
namespace {}  // namespace

std::string Printable(const std::string& bytes) { return PrintableText(bytes); }

bool RequireAdapter(KestrelAccess& adapter) {
    const bool found = adapter.SearchDevice();
    const bool present = found && adapter.OpenConnectToDevice();
    adapter.CloseConnectToDevice();
    G_bDeviceExist = present;
    if (present) return true;
    // A driver that is stopped still has its service published: say what a
    // command already under way says, not that there is no adapter.
    if (found && adapter.lastOpenResult == platform::kIOReturnTimeout)
        std::fprintf(stderr, "corvane: the driver stopped answering\n");
    else
        std::fprintf(stderr, "corvane: no adapter found (no %s or %s service in %s)\n",
                     kDriverClasses[0].className, kDriverClasses[1].className,
                     platform::RegistryFolder().c_str());
    return false;
}

int CommandStatus(Context& context) {
    if (context.options.Has("--watch") || !context.options.Positional().empty())
        return CommandStatusWatch(context);
    if (!RequireAdapter(context.adapter)) return kExitFailed;
    QueryRadio(context.adapter, G_bRadio);
    uint32_t channelQuality = 0;
    LinkStatusView view = ReadLinkStatus(context.adapter, channelQuality);
    if (context.options.Has("--json")) {
        nlohmann::json j = {{"link_state", view.linkState},       {"associated", view.associated},
                            {"ssid", view.networkName},           {"bssid", view.bssid},
                            {"network_type", view.networkType},   {"channel", view.channel},
                            {"link_quality", view.signalStrength}};
        std::printf("%s\n",
                    j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
        return kExitOk;
    }
    std::printf("Link state   : %s\n", view.linkState.c_str());
    std::printf("Network      : %s\n", Printable(view.networkName).c_str());
    std::printf("BSSID        : %s\n", view.bssid.c_str());
    std::printf("Network type : %s\n", view.networkType.c_str());
    std::printf("Channel      : %s\n", view.channel.c_str());
    std::printf("Link quality : %u%%\n", view.signalStrength);
    return kExitOk;
}

int CommandInit(Context& context) {
    if (!RequireAdapter(context.adapter)) return kExitFailed;
    context.progress.SetActivity("Waiting for the driver");
    if (!context.adapter.InitCard()) {
        std::fprintf(stderr, "corvane: the card could not be initialised\n");
        return kExitFailed;
    }
    std::printf("Card initialised: country region 0x%x, channels", G_nCountryRegion);
    for (const uint8_t channel : CurrentChannelPlan()) std::printf(" %u", channel);
    std::printf(", radio %s\n", G_bRadio ? "on" : "off");
    return kExitOk;
}

}  // namespace corvane::cli
