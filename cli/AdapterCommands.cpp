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
#include "cli/FieldLines.h"
#include "cli/StatusWatch.h"
#include "platform/Registry.h"
#include "platform/Translate.h"
#include "survey/LinkStatus.h"

namespace corvane::cli {
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
        std::fputs(Tr("cli::AdapterCommands", "corvane: the driver stopped answering\n").c_str(),
                   stderr);
    else
        std::fputs(FormatText(Tr("cli::AdapterCommands",
                                 "corvane: no adapter found (no %1 or %2 service in %3)\n"),
                              {kDriverClasses[0].className, kDriverClasses[1].className,
                               platform::RegistryFolder()})
                       .c_str(),
                   stderr);
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
    std::fputs(
        FieldLines(
            {{Tr("cli::AdapterCommands", "Link state"), ShownWord("LinkStatus", view.linkState)},
             {Tr("cli::AdapterCommands", "Network"), Printable(view.networkName)},
             {Tr("cli::AdapterCommands", "BSSID"), ShownWord("LinkStatus", view.bssid)},
             {Tr("cli::AdapterCommands", "Network type"),
              ShownWord("LinkStatus", view.networkType)},
             {Tr("cli::AdapterCommands", "Channel"), ShownWord("LinkStatus", view.channel)},
             {Tr("cli::AdapterCommands", "Link quality"),
              std::to_string(view.signalStrength) + "%"}})
            .c_str(),
        stdout);
    return kExitOk;
}

int CommandInit(Context& context) {
    if (!RequireAdapter(context.adapter)) return kExitFailed;
    context.progress.SetActivity(Tr("cli::AdapterCommands", "Waiting for the driver"));
    if (!context.adapter.InitCard()) {
        std::fputs(
            Tr("cli::AdapterCommands", "corvane: the card could not be initialised\n").c_str(),
            stderr);
        return kExitFailed;
    }
    char region[16];
    std::snprintf(region, sizeof region, "%x", G_nCountryRegion);
    std::string channels;
    for (const uint8_t channel : CurrentChannelPlan()) channels += " " + std::to_string(channel);
    // The channel list comes with its leading blanks: none when it is empty.
    std::fputs(FormatText(Tr("cli::AdapterCommands",
                             "Card initialised: country region 0x%1, channels%2, radio %3\n"),
                          {region, channels,
                           G_bRadio ? Tr("cli::AdapterCommands", "on")
                                    : Tr("cli::AdapterCommands", "off")})
                   .c_str(),
               stdout);
    return kExitOk;
}

}  // namespace corvane::cli
