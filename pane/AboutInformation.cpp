#include "pane/AboutInformation.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "adapter/ByteOrder.h"
#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "adapter/Oids.h"
#include "adapter/Records.h"
#include "platform/BundleInfo.h"
#include "platform/PaneLauncher.h"

namespace corvane {
namespace {

using DeviceWordBytes = std::array<uint8_t, sizeof(DeviceWordRecord)>;

DeviceWordBytes EncodeDeviceWord(uint8_t address, uint16_t value) {
    const DeviceWordRecord record{.Address = address, .Value = value};
    DeviceWordBytes bytes{record.Address, record.One, record.Two, record.Zero, 0, 0};
    WriteLe16(&bytes[4], record.Value);
    return bytes;
}

// First matching row wins; any other kind (4 included) is the Heron driver.
struct DriverInfoRow {
    AdapterKind kind;
    const char* path;
};
constexpr DriverInfoRow kDriverInfo[] = {
    {AdapterKind::Falcon,
     "/System/Library/Extensions/FalconWirelessDriver.kext/Contents/Info.plist"},
    {AdapterKind::Osprey,
     "/System/Library/Extensions/OspreyUSBWirelessDriver.kext/Contents/Info.plist"},
    {AdapterKind::Condor,
     "/System/Library/Extensions/CondorCardBusDriver.kext/Contents/Info.plist"},
    {AdapterKind::CardBus,
     "/System/Library/Extensions/CardBusWirelessDriver.kext/Contents/Info.plist"},
    {AdapterKind::Kestrel,
     "/System/Library/Extensions/KestrelUSBWirelessDriver.kext/Contents/Info.plist"},
};
constexpr const char* kOtherDriverInfo =
    "/System/Library/Extensions/HeronUSBWirelessDriver.kext/Contents/Info.plist";

}  // namespace

const char* DriverInfoPlistPath(AdapterKind adapterKind) {
    for (const DriverInfoRow& row : kDriverInfo)
        if (row.kind == adapterKind) return row.path;
    return kOtherDriverInfo;
}

bool CorrectDeviceWords(KestrelAccess& adapter) {
    uint64_t returned = 0;
    DeviceWordBytes first = EncodeDeviceWord(kDeviceWordAddressA, 0);
    DeviceWordBytes second = EncodeDeviceWord(kDeviceWordAddressB, 0);
    adapter.OidQueryInformation(OID_VX_DEVICE_WORD_READ, first.data(), first.size(), &returned);
    const uint16_t word = ReadLe16(&first[4]);
    if ((word & 0xFF) == (kMerlinDeviceWord & 0xFF) || (word >> 8) == (kMerlinDeviceWord >> 8))
        return false;
    WriteLe16(&first[4], kMerlinDeviceWord);
    WriteLe16(&second[4], kMerlinDeviceWord);
    adapter.OidQueryInformation(OID_VX_DEVICE_WORD_WRITE, first.data(), first.size(), &returned);
    adapter.OidQueryInformation(OID_VX_DEVICE_WORD_WRITE, second.data(), second.size(), &returned);
    return true;
}

AboutFacts ReadAboutFacts(KestrelAccess& adapter, AdapterKind adapterKind) {
    AboutFacts facts;
    uint8_t eeprom[4] = {1, 1, 1, 1};
    if (adapterKind == AdapterKind::Merlin) CorrectDeviceWords(adapter);

    uint64_t returned = 0;
    adapter.OidQueryInformation(OID_VX_EEPROM_VERSION, eeprom, sizeof eeprom, &returned);
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d", int(eeprom[0]), int(eeprom[1]));
    facts.EEPROMVersion = text;

    uint8_t mac[kMacLength] = {};
    adapter.OidQueryInformation(OID_802_3_CURRENT_ADDRESS, mac, sizeof mac, &returned);
    facts.MacAddress = FormatMac(mac);

    const std::string info = platform::ResolveSystemPath(DriverInfoPlistPath(adapterKind));
    facts.DriverVersion =
        platform::InfoPlistString(info, platform::kBundleShortVersionKey).value_or("");
    facts.VelaConfigVersion.assign(VelaConfigVerChar,
                                   strnlen(VelaConfigVerChar, sizeof VelaConfigVerChar));
    return facts;
}

void RecordPaneVersion(const std::string& bundlePath) {
    const std::string version = platform::InfoPlistString(platform::BundleInfoPath(bundlePath),
                                                          platform::kBundleShortVersionKey)
                                    .value_or("");
    const size_t n = std::min(version.size(), sizeof VelaConfigVerChar - 1);
    std::memset(VelaConfigVerChar, 0, sizeof VelaConfigVerChar);
    std::memcpy(VelaConfigVerChar, version.data(), n);
}

}  // namespace corvane
