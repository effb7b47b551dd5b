#include "adapter/Globals.h"

#include <cstring>

namespace corvane {

void ResetChannelPlanForTest();

uint8_t __DEBUG__ = 1;
AdapterKind Current_Device = AdapterKind::Osprey;
uint8_t G_bUse64Bits = 0;
uint8_t G_bDeviceExist = 0;
uint8_t G_bDeviceRemove = 1;
uint8_t G_bRadio = 1;
uint8_t G_bDialogRunning = 0;
uint8_t G_bRescan = 0;
int32_t G_enumWirelessMode = 0;
int32_t G_encryCapa = 6;
char VelaConfigVerChar[16] = {};
uint8_t* G_pBssidList = nullptr;
RepositBssidList* G_pRepositBssidList = nullptr;

void AttachScanBuffers() {
    // Static storage: one set per process, never freed, so no instance can
    // take it away from another.
    static uint8_t list[kBssidListBufferSize];
    static RepositBssidList reposit;
    G_pBssidList = list;
    G_pRepositBssidList = &reposit;
}

void ResetGlobalsForTest() {
    __DEBUG__ = 1;
    Current_Device = AdapterKind::Osprey;
    G_bUse64Bits = 0;
    G_bDeviceExist = 0;
    G_bDeviceRemove = 1;
    G_bRadio = 1;
    G_bDialogRunning = 0;
    G_bRescan = 0;
    G_enumWirelessMode = 0;
    G_encryCapa = 6;
    std::memset(VelaConfigVerChar, 0, sizeof VelaConfigVerChar);
    if (G_pBssidList) std::memset(G_pBssidList, 0, kBssidListBufferSize);
    if (G_pRepositBssidList) std::memset(G_pRepositBssidList, 0, sizeof *G_pRepositBssidList);
    ResetChannelPlanForTest();
}

}  // namespace corvane
