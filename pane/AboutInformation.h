// The About page's four facts, read from the adapter and the installed
// bundles without any widget, so that the page and `corvane about` show the
// same thing.
#pragma once

#include <cstdint>
#include <string>

#include "adapter/AdapterKind.h"

namespace corvane {

class KestrelAccess;

struct AboutFacts {
    std::string DriverVersion;      // the driver bundle's short version; empty when unknown
    std::string EEPROMVersion;      // "%d.%d"
    std::string MacAddress;         // "%02X-%02X-%02X-%02X-%02X-%02X"
    std::string VelaConfigVersion;  // the pane's own version (VelaConfigVerChar)
};

// The driver bundle's information file for an adapter kind, Mac-style
// (resolve it with platform::ResolveSystemPath).
const char* DriverInfoPlistPath(AdapterKind adapterKind);

// The word the Merlin adapter (kind 4) must carry at addresses 4 and 22.
inline constexpr uint16_t kMerlinDeviceWord = 0x0206;
inline constexpr uint8_t kDeviceWordAddressA = 4;
inline constexpr uint8_t kDeviceWordAddressB = 22;

// Reads word 4; unless its low byte is 6 or its high byte is 2, writes
// 0x0206 to words 4 and 22. Returns true when it wrote. Results of the
// requests are not looked at.
bool CorrectDeviceWords(KestrelAccess& adapter);

// In order: the device-word correction (adapter kind 4 only), the EEPROM
// version (1.1 when the query fails), the MAC address (00-... when it
// fails), the driver version for `adapterKind` (the kind the adapter's
// search found, Current_Device), the pane's version.
AboutFacts ReadAboutFacts(KestrelAccess& adapter, AdapterKind adapterKind);

// The pane's version: the bundle's short version string copied into
// VelaConfigVerChar, cut to 15 bytes; empty when the bundle has none.
void RecordPaneVersion(const std::string& bundlePath);

}  // namespace corvane
