#include "survey/AccessPoint.h"

#include <algorithm>
#include <cstdio>

#include "adapter/ChannelPlan.h"
#include "adapter/Oids.h"
#include "platform/Translate.h"
#include "survey/SecurityElements.h"

namespace corvane {
namespace {

constexpr uint32_t kNoChannel = 0xFFFFFFFF;

// The texts the site survey's own rules produce; anything else names a
// security this adapter cannot join. The rows keep them in English (they are
// compared and printed by the command); the window's table translates the
// words among them in the "AccessPoint" context.
constexpr std::array<std::string_view, 9> kKnownAuthentication = {
    QT_TRANSLATE_NOOP("AccessPoint", "Open"),
    QT_TRANSLATE_NOOP("AccessPoint", "Open/Shared"),
    "WPA",
    "WPA-PSK",
    "WPA-NONE",
    "WPA2",
    "WPA2-PSK",
    "WPA2-NONE",
    "WPA-PSK/WPA2-PSK"};
constexpr std::array<std::string_view, 6> kKnownEncryption = {
    QT_TRANSLATE_NOOP("AccessPoint", "Not Used"),
    "WEP",
    "TKIP",
    "AES-WRAP",
    "AES-CCMP",
    "TKIP/AES"};

template <typename Table>
bool Contains(const Table& table, std::string_view text) {
    return std::find(table.begin(), table.end(), text) != table.end();
}

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

const std::array<const char*, 3> strAryNetworkType = {
    QT_TRANSLATE_NOOP("AccessPoint", "Ad Hoc"), QT_TRANSLATE_NOOP("AccessPoint", "Infrastructure"),
    QT_TRANSLATE_NOOP("AccessPoint", "Automatic")};
const std::array<const char*, 8> strAryEncryption = {"WEP",  "Not Used", "",    "",
                                                     "TKIP", "",         "AES", ""};

std::string AccessPoint::description() const {
    return SSID + " " + BSSID + " " + Signal + " " + Channel + " " + Authentication + " " +
           Encryption + " " + NetworkType;
}

const std::string* AccessPointMember(const AccessPoint& row, std::string_view id) {
    return AccessPointMember(const_cast<AccessPoint&>(row), id);
}

std::string* AccessPointMember(AccessPoint& row, std::string_view id) {
    std::string* members[] = {&row.SSID,           &row.BSSID,      &row.Signal,     &row.Channel,
                              &row.Authentication, &row.Encryption, &row.NetworkType};
    for (size_t i = 0; i < kAccessPointMembers.size(); ++i)
        if (id == kAccessPointMembers[i]) return members[i];
    return nullptr;
}

std::optional<AccessPoint> AccessPointForEntry(KestrelAccess& adapter, const BssEntry& entry) {
    auto channel = ChannelForFrequency(entry.DSConfig());
    if (!channel || *channel == kNoChannel) return std::nullopt;

    AccessPoint row;
    row.SSID = entry.Ssid();
    row.BSSID = FormatMac(entry.MacAddress());
    row.Signal = std::to_string(int(adapter.ConvertRssiToSignalQuality(entry.Rssi())));
    row.Channel = std::to_string(*channel);
    // A mode the name table does not have shows as unknown rather than
    // reading past the table.
    const uint32_t mode = entry.InfrastructureMode();
    row.NetworkType = mode < strAryNetworkType.size() ? strAryNetworkType[mode]
                                                      : QT_TRANSLATE_NOOP("AccessPoint", "Unknown");
    SecurityTexts security = DecodeSecurity(entry.TaggedElements(), entry.Privacy(), mode);
    row.Authentication = std::move(security.authentication);
    row.Encryption = std::move(security.encryption);
    return row;
}

std::vector<AccessPoint> BuildAccessPointRows(KestrelAccess& adapter,
                                              std::span<const uint8_t> list) {
    std::vector<AccessPoint> rows;
    for (BssEntry entry : BssidList(list)) {
        auto row = AccessPointForEntry(adapter, entry);
        if (!row) break;
        rows.push_back(std::move(*row));
    }
    return rows;
}

int32_t IsItemWPA(std::string_view text) {
    if (text == "Open" || text == "Open/Shared") return Ndis802_11AuthModeOpen;
    if (EndsWith(text, "WPA2-PSK") || text.starts_with("WPA2-PSK"))
        return Ndis802_11AuthModeWPA2PSK;
    if (text == "WPA-PSK") return Ndis802_11AuthModeWPAPSK;
    if (text == "WPA2") return Ndis802_11AuthModeWPA2;
    if (text == "WPA-NONE") return Ndis802_11AuthModeWPANone;
    if (text == "WPA") return Ndis802_11AuthModeWPA;
    return Ndis802_11AuthModeOpen;
}

std::optional<std::string> UnsupportedSecurity(const AccessPoint& row) {
    const bool authKnown = Contains(kKnownAuthentication, row.Authentication);
    const bool encKnown = Contains(kKnownEncryption, row.Encryption);
    // An ad hoc network secured by RSN needs a handshake this adapter's ad
    // hoc mode does not have; it only shares a WPA-NONE key.
    if (row.Authentication == "WPA2-NONE") return row.Authentication;
    if (authKnown && encKnown) return std::nullopt;
    // Enterprise and WPA-NONE networks keep their own refusals.
    const int32_t kind = IsItemWPA(row.Authentication);
    if (authKnown && (kind == Ndis802_11AuthModeWPA || kind == Ndis802_11AuthModeWPANone ||
                      kind == Ndis802_11AuthModeWPA2))
        return std::nullopt;
    if (!authKnown) return row.Authentication;
    return row.Authentication + " with " + row.Encryption;
}

}  // namespace corvane
