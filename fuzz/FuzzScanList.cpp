// The scan list as a driver hands it over: the rows and their security
// texts, then what Connect and Add to Profile make of each row.
#include <cstddef>
#include <cstdint>
#include <span>

#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "survey/AccessPoint.h"
#include "survey/SecurityElements.h"
#include "survey/SurveyConnect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static corvane::KestrelAccess* adapter = [] {
        corvane::__DEBUG__ = 0;
        return new corvane::KestrelAccess;
    }();
    std::span<const uint8_t> bytes(data, size);

    // The same bytes as one entry's tagged elements.
    if (size > 0) corvane::DecodeSecurity(bytes.subspan(1), data[0] & 1, data[0] >> 1 & 1);

    corvane::WEPSettingValues keys;
    keys.AuthenType = size > 0 ? data[0] % 4 : 0;
    keys.KeyLen = {5, 13, 0, 20};
    keys.WPAPSKlen = 64;
    size_t index = 0;
    for (corvane::BssEntry entry : corvane::BssidList(bytes)) {
        auto row = corvane::AccessPointForEntry(*adapter, entry);
        if (!row) break;
        corvane::PlanSurveyConnect(*row, entry);
        corvane::PlanAddToProfile(*row, entry);
        corvane::BuildSurveyConnectRecord(entry, index++ % 2 ? &keys : nullptr);
    }
    return 0;
}
