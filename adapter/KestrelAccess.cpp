#include "adapter/KestrelAccess.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <set>
#include <vector>

#include "adapter/AdapterKind.h"
#include "adapter/ChannelPlan.h"
#include "adapter/Globals.h"
#include "adapter/Oids.h"
#include "adapter/Records.h"
#include "adapter/Requests.h"
#include "adapter/ScanList.h"
#include "adapter/SignalQuality.h"
#include "adapter/Trace.h"
#include "platform/Alert.h"
#include "platform/Clock.h"
#include "platform/ConsoleUser.h"
#include "platform/SystemInfo.h"

namespace corvane {
namespace {

constexpr const char* kClass = "KestrelAccess";
constexpr size_t kSetScratchSize = 64;
constexpr int kDriverReadyAttempts = 10;
constexpr unsigned kDriverReadyPauseSeconds = 3;
constexpr int kFirstChunkAttempts = 12;
constexpr int kMaxChunkAttempts = 10;
constexpr uint64_t kChunkPollMicroseconds = 5000;

}  // namespace

KestrelAccess::KestrelAccess() {
    TraceEntry(kClass, "init");
    AttachScanBuffers();
    G_bUse64Bits = 1;
}

KestrelAccess::~KestrelAccess() {
    TraceEntry(kClass, "dealloc");
    CloseConnectToDevice();
}

bool KestrelAccess::SearchDevice() {
    using namespace platform;
    TraceEntry(kClass, "SearchDevice");
    masterPort = 0;
    devicesMatch = nullptr;
    iter = 0;
    device = 0;
    currentDevice = 0;

    if (IOMasterPort(MACH_PORT_NULL, &masterPort) != KERN_SUCCESS) return false;

    for (const DriverClass& driver : kDriverClasses) {
        Current_Device = driver.kind;
        devicesMatch = IOServiceMatching(driver.className);
        if (!devicesMatch) continue;
        if (iter) {
            IOObjectRelease(iter);
            iter = 0;
        }
        kern_return_t kr = IOServiceGetMatchingServices(masterPort, devicesMatch, &iter);
        devicesMatch = nullptr;  // consumed by the request, whatever its result
        if (kr != KERN_SUCCESS) {
            if (masterPort) mach_port_deallocate(mach_task_self(), masterPort);
            masterPort = 0;
            continue;
        }
        while ((device = IOIteratorNext(iter)) != 0) {
            // Only the last service is kept; an earlier one would be held for nothing.
            if (currentDevice) IOObjectRelease(currentDevice);
            currentDevice = device;
        }
        if (currentDevice) {
            dataService = currentDevice;
            return true;
        }
    }
    return false;
}

bool KestrelAccess::OpenConnectToDevice() {
    using namespace platform;
    TraceEntry(kClass, "OpenConnectToDevice");
    lastOpenResult = IOServiceOpen(dataService, mach_task_self(), 0, &dataPort);
    if (lastOpenResult != KERN_SUCCESS) {
        dataPort = 0;
        TraceLine(
            "!!!! KestrelAccess - SearchDevice - Couldn't create a user client, why not? !!!!\n");
        return false;
    }
    return true;
}

void KestrelAccess::CloseConnectToDevice() {
    using namespace platform;
    TraceEntry(kClass, "CloseConnectToDevice");
    // Several members may name the one service the search found; it is
    // released once.
    std::set<io_object_t> released;
    auto release = [&released](io_object_t& object) {
        if (object && released.insert(object).second) IOObjectRelease(object);
        object = 0;
    };
    release(iter);
    if (devicesMatch) {
        CFRelease(devicesMatch);
        devicesMatch = nullptr;
    }
    if (masterPort) {
        mach_port_deallocate(mach_task_self(), masterPort);
        masterPort = 0;
    }
    release(device);
    release(currentDevice);
    if (dataPort) {
        IOServiceClose(dataPort);
        dataPort = 0;
    }
    release(dataService);
}

bool KestrelAccess::OidSetInformation(uint32_t oid, const void* infoBuffer, uint64_t infoBufferLen,
                                      uint64_t* pReturn, int /*retry*/) {
    TraceEntry(kClass, "OidSetInformation");
    if (!SearchDevice() || !OpenConnectToDevice()) {
        CloseConnectToDevice();
        return false;
    }
    uint8_t scratch[kSetScratchSize] = {};
    size_t outputSize = sizeof scratch;
    platform::kern_return_t kr = platform::IOConnectCallStructMethod(
        dataPort, oid | OID_SET_FLAG, infoBuffer, size_t(infoBufferLen), scratch, &outputSize);
    if (pReturn) *pReturn = outputSize;
    CloseConnectToDevice();
    return kr == platform::KERN_SUCCESS;
}

bool KestrelAccess::OidQueryInformation(uint32_t oid, void* infoBuffer, uint64_t infoBufferLen,
                                        uint64_t* pReturn) {
    TraceEntry(kClass, "OidQueryInformation");
    TraceLine("**** KestrelAccess - Oid = %d ****\n", int(oid));
    if (!SearchDevice() || !OpenConnectToDevice()) {
        CloseConnectToDevice();
        return false;
    }
    size_t outputSize = size_t(infoBufferLen);
    platform::kern_return_t kr = platform::IOConnectCallStructMethod(
        dataPort, oid, infoBuffer, size_t(infoBufferLen), infoBuffer, &outputSize);
    if (pReturn) *pReturn = outputSize;
    CloseConnectToDevice();
    return kr == platform::KERN_SUCCESS;
}

bool KestrelAccess::InitCard() {
    TraceEntry(kClass, "InitCard");
    uint64_t returned = 0;
    for (int attempt = 0; attempt < kDriverReadyAttempts; ++attempt) {
        uint8_t ready[4] = {};
        if (OidQueryInformation(OID_VX_DRIVER_READY, ready, sizeof ready, &returned)) break;
        platform::Sleep(kDriverReadyPauseSeconds);
    }

    if (QueryStaConfig(*this).SystemErrorBitmap & kSystemErrorEeprom) {
        platform::RunAlertPanel("EEPRON error!!",
                                "EEPROM Version error. Please update EEPROM contents.", "OK");
        return false;
    }

    G_bDialogRunning = 1;
    CheckCountryRegion();
    G_bDialogRunning = 0;

    QueryRadio(*this, G_bRadio);
    return true;
}

void KestrelAccess::RescanBssidList() {
    TraceEntry(kClass, "RescanBssidList");
    uint8_t scratch[4] = {};
    uint64_t returned = 0;
    OidQueryInformation(OID_802_11_BSSID_LIST_SCAN_PASSED, scratch, sizeof scratch, &returned);
    int32_t version = 0;
    if (__DEBUG__ && platform::Gestalt(platform::gestaltSystemVersion, &version) == 0)
        platform::SystemLog("MacVersion = %x\n", unsigned(version));
    platform::Sleep(Is80211aSupport() ? 10 : 5);
}

void KestrelAccess::QueryBssidList() {
    TraceEntry(kClass, "QueryBssidList");
    if (!G_pBssidList) return;
    std::span<uint8_t> list(G_pBssidList, kBssidListBufferSize);
    std::fill(list.begin(), list.end(), 0);
    std::vector<uint8_t> chunk(kBssidListChunkSize);
    int attempts = 0;

    // First chunk, straight into the list; it carries NumberOfItems.
    size_t firstBytes = 4;
    while (ReadLe32(list.data()) == 0) {
        platform::USleep(kChunkPollMicroseconds);
        uint64_t answered = 0;
        if (OidQueryInformation(OID_802_11_BSSID_LIST, list.data(), kBssidListChunkSize, &answered))
            firstBytes = std::clamp<size_t>(size_t(answered), 4, kBssidListChunkSize);
        if (++attempts >= kFirstChunkAttempts) break;
    }

    // Walk what the first chunk holds. The count is only as good as the
    // entries really received: a bad entry ends the list there.
    size_t append = 4;
    uint32_t items = 0;
    for (BssEntry entry : BssidList(list.first(firstBytes))) {
        append += entry.Length();
        ++items;
    }
    WriteLe32(list.data(), items);
    std::fill(list.begin() + append, list.end(), 0);

    // Further chunks of whole entries, until an empty answer.
    for (;;) {
        std::fill(chunk.begin(), chunk.end(), 0);
        uint64_t answered = 0;
        if (!OidQueryInformation(OID_VX_BSSID_LIST_NEXT, chunk.data(), chunk.size(), &answered))
            answered = 0;
        answered = std::min<uint64_t>(answered, chunk.size());
        if (answered != 0) {
            uint32_t copied = 0;
            for (BssEntry entry :
                 BssEntryRange(std::span(chunk).first(size_t(answered)), UINT32_MAX)) {
                if (entry.Length() > list.size() - append) break;  // the list buffer is full
                std::memcpy(list.data() + append, entry.Bytes().data(), entry.Length());
                append += entry.Length();
                ++copied;
            }
            WriteLe32(list.data(), ReadLe32(list.data()) + copied);
        }
        if (answered == 0 || attempts > kMaxChunkAttempts) break;
        ++attempts;
    }
}

bool KestrelAccess::Is80211aSupport() {
    TraceEntry(kClass, "CheckPhyMode");
    std::array<uint8_t, sizeof(NetworkTypeList)> bytes{};
    uint64_t returned = 0;
    OidQueryInformation(OID_802_11_NETWORK_TYPES_SUPPORTED, bytes.data(), bytes.size(), &returned);
    NetworkTypeList types = DecodeNetworkTypes(bytes);
    uint32_t n = std::min<uint32_t>(types.NumberOfItems, 4);
    return std::find(types.NetworkType, types.NetworkType + n, Ndis802_11OFDM5) !=
           types.NetworkType + n;
}

bool KestrelAccess::Is80211nSupport() {
    return Current_Device == AdapterKind::Falcon || Current_Device == AdapterKind::Osprey;
}

bool KestrelAccess::CheckCountryRegion() {
    uint8_t code[4] = {};
    uint64_t returned = 0;
    bool answered = OidQueryInformation(OID_VX_COUNTRY_REGION, code, sizeof code, &returned);
    ApplyCountryRegion(answered, ReadLe32(code));
    TraceLine("CheckCountryRegion(0x%x): Current_Device=%d, G_Channel_Numbers=%d \n",
              G_nCountryRegion, int(Current_Device), int(G_Channel_Numbers));
    return true;
}

uint32_t KestrelAccess::ConvertRssiToSignalQuality(int rssi) {
    TraceEntry(kClass, "ConvertRssiToSignalQuality");
    return SignalQualityPercent(rssi);
}

bool ConsoleUserIsLoggedIn() { return platform::CopyConsoleUser().has_value(); }

}  // namespace corvane
