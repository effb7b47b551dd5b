// Process-wide values shared by the pages of one deliverable. Plain globals,
// touched only on the main thread.
#pragma once

#include <cstdint>

#include "adapter/AdapterKind.h"
#include "adapter/Records.h"

namespace corvane {

// Trace switch: while non-zero, traced operations write their entry line to
// standard error. (The name is the one the rest of the system knows it by.)
extern uint8_t __DEBUG__;

extern AdapterKind Current_Device;  // the adapter kind of the last search
extern uint8_t G_bUse64Bits;        // client layout announced before keys
extern uint8_t G_bDeviceExist;
extern uint8_t G_bDeviceRemove;
extern uint8_t G_bRadio;
extern uint8_t G_bDialogRunning;
extern uint8_t G_bRescan;
extern int32_t G_enumWirelessMode;
extern int32_t G_encryCapa;
extern char VelaConfigVerChar[16];

// The assembled scan list and its side record. Null until the first adapter
// access object exists; from then on they point at buffers that last as long
// as the process, whatever instances come and go.
extern uint8_t* G_pBssidList;
struct RepositBssidList {
    uint8_t list[kBssidListBufferSize];
    uint8_t area[2048];
};
extern RepositBssidList* G_pRepositBssidList;

// Points G_pBssidList and G_pRepositBssidList at the process's scan buffers
// (zero until a scan fills them). Called by every KestrelAccess constructor;
// a later call changes nothing.
void AttachScanBuffers();

// Channel plans (see ChannelPlan.h).
extern uint32_t G_nCountryRegion;
extern uint8_t G_Channel_List[48];
extern uint32_t G_Channel_Numbers;

}  // namespace corvane
