// Turning a stored profile into a PROFILE_DATA, and applying a PROFILE_DATA
// to the adapter as a fixed series of set requests.
//
// The pane and the agent share both steps; where they differ (length of the
// pre-shared key record, the pause after disassociating, power mode for ad
// hoc networks) the difference is a ConnectVariant, not a second copy.
#pragma once

#include <cstdint>
#include <optional>

#include "profiles/PreferenceFiles.h"
#include "profiles/ProfileRecord.h"
#include "profiles/StoredIndexes.h"

namespace corvane {

class KestrelAccess;

struct ConnectVariant {
    uint32_t pskKeyRecordLength;  // PSK record length the converter builds
    bool waitAfterDisassociate;   // 10 ms pause after the disassociate
    bool sendPowerModeForAdhoc;   // power mode request for an ad hoc record
};

// The pane's active-profile check and its profile activation.
inline constexpr ConnectVariant kPaneActiveProfileCheck{103, true, true};
inline constexpr ConnectVariant kPaneActivate{71, true, true};
// The pane's task step applying any queued record (the record carries its
// own key lengths; the PSK length here is not used).
inline constexpr ConnectVariant kPaneTask{104, true, true};
// The status-bar agent.
inline constexpr ConnectVariant kAgent{104, false, false};

inline constexpr uint32_t kDisassociateWaitMicroseconds = 10000;

// The converter's working buffers hold the largest WEP key and one more
// byte.
inline constexpr size_t kKeyMaterialBufferSize = kMaxWepKeyBytes + 1;

// The converter's working storage for the WEP key bytes of the profile being
// converted (the agent keeps one as a member).
struct ConverterKeyBuffers {
    uint8_t Key1Material[kKeyMaterialBufferSize] = {};
    uint8_t Key2Material[kKeyMaterialBufferSize] = {};
    uint8_t Key3Material[kKeyMaterialBufferSize] = {};
    uint8_t Key4Material[kKeyMaterialBufferSize] = {};
    uint8_t Key1Len = 0;
    uint8_t Key2Len = 0;
    uint8_t Key3Len = 0;
    uint8_t Key4Len = 0;

    uint8_t* Material(int slot);  // slot 0..3
    uint8_t& Len(int slot);
    // Zeroes all four buffers and lengths.
    void Zero();
};

// Percent for the "Tx Power" index: 0..4 -> 100, 75, 50, 25, 12; else 100.
uint32_t TxPowerPercent(uint32_t index);

// Centre frequency (kHz) for an ad hoc profile's "Channel". A channel with no
// table row uses channel 1's frequency.
uint32_t AdhocChannelFrequency(int32_t channel);

// Profile dictionary -> new record (never null). `pskRecordLength` is the
// length of the pre-shared key record to build (103, 71 or 104).
ProfileRecordPtr ConvertProfile(const PrefDictionary& profile, uint32_t pskRecordLength,
                                ConverterKeyBuffers& keys);

// Element 0 of an active-profile array converted, or null when the array
// holds no active profile.
ProfileRecordPtr ConvertActiveProfile(const PrefArray& active, uint32_t pskRecordLength,
                                      ConverterKeyBuffers& keys);

// The apply sequence: every request a set with retry 3, results ignored.
void ApplyProfile(KestrelAccess& adapter, const PROFILE_DATA& record,
                  const ConnectVariant& variant);

// The agent's apply: the "MacVersion = %x\n" system-log line while tracing,
// then the sequence in the agent's form.
void AgentToConnect(KestrelAccess& adapter, const PROFILE_DATA& record);

}  // namespace corvane
