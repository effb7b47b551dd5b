#include "adapter/Globals.h"

namespace corvane {

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

}  // namespace corvane
