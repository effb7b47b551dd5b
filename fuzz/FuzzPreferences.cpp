// A preference file's bytes, as the window, the agent and the command read
// them: parsed (XML or binary), each dictionary converted for connecting and
// copied as an active record; and what is read is written back and read
// again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "profiles/ActiveRecord.h"
#include "profiles/ConnectEngine.h"
#include "profiles/PlistXml.h"
#include "profiles/PreferenceFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    corvane::PrefArray array;
    if (!corvane::ParsePreferenceArray(bytes, array).empty()) return 0;

    corvane::ConverterKeyBuffers keys;
    for (const corvane::PrefDictionary& profile : array) {
        for (uint32_t length : {71u, 103u, 104u}) corvane::ConvertProfile(profile, length, keys);
        corvane::BuildInactiveRecord(corvane::BuildActiveRecord(profile));
    }

    auto xml = corvane::PreferenceXml(array);
    if (!xml) return 0;
    corvane::PrefArray again;
    if (!corvane::ParsePreferenceArray(*xml, again).empty() || again != array) std::abort();
    return 0;
}
