// KestrelAccess: the one way both deliverables reach the adapter's driver.
// Every request runs Search -> Open -> one call -> Close; no connection is
// held between requests, so an unplugged or re-plugged adapter needs no reset.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/DeviceAccess.h"

namespace corvane {

class KestrelAccess {
public:
    // Attaches the process's scan-list buffers (see AttachScanBuffers) and
    // sets G_bUse64Bits. Does not search for the adapter. Instances may come
    // and go: none owns the buffers, so destroying one leaves the others'
    // scans intact.
    KestrelAccess();
    ~KestrelAccess();
    KestrelAccess(const KestrelAccess&) = delete;
    KestrelAccess& operator=(const KestrelAccess&) = delete;

    bool SearchDevice();
    bool OpenConnectToDevice();
    void CloseConnectToDevice();

    // Set request: the selector is `oid` with bit 23 set; the answer goes to
    // a 64-byte scratch area, whose reported size lands in *pReturn.
    // `retry` is accepted and has no effect.
    bool OidSetInformation(uint32_t oid, const void* infoBuffer, uint64_t infoBufferLen,
                           uint64_t* pReturn, int retry);
    // Query request: the answer overwrites `infoBuffer` in place; *pReturn
    // receives the bytes the driver wrote.
    bool OidQueryInformation(uint32_t oid, void* infoBuffer, uint64_t infoBufferLen,
                             uint64_t* pReturn);

    bool InitCard();
    void RescanBssidList();
    void QueryBssidList();
    bool Is80211aSupport();
    bool Is80211nSupport();
    bool CheckCountryRegion();
    uint32_t ConvertRssiToSignalQuality(int rssi);

    // Members, in the order the platform handles were declared.
    platform::mach_port_t masterPort = 0;
    platform::CFMutableDictionaryRef devicesMatch = nullptr;
    platform::io_iterator_t iter = 0;
    platform::io_object_t device = 0;
    platform::io_object_t currentDevice = 0;
    platform::io_object_t dataService = 0;
    platform::io_connect_t dataPort = 0;
    // The answer to the last OpenConnectToDevice: kIOReturnTimeout tells a
    // driver that is there but does not answer from one that is not there.
    platform::kern_return_t lastOpenResult = platform::KERN_SUCCESS;
};

// YES when a user owns the console (see platform/ConsoleUser.h).
bool ConsoleUserIsLoggedIn();

}  // namespace corvane
