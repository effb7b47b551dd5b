// A KestrelAccess over a recording fake driver, with a manual clock and
// recorded alerts, globals reset before each test.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "adapter/ByteOrder.h"
#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "platform/Alert.h"
#include "platform/Clock.h"
#include "tests/support/ManualClock.h"
#include "tests/support/ProcessValues.h"
#include "tests/support/RecordingAlerts.h"
#include "tests/support/RecordingUserClientProvider.h"

namespace corvane::test {

inline std::vector<uint8_t> Le32(uint32_t v) {
    std::vector<uint8_t> b(4);
    WriteLe32(b.data(), v);
    return b;
}

class AdapterTest : public ::testing::Test {
protected:
    AdapterTest() : clockGuard_(clock_), alertGuard_(alerts_) {
        corvane::test::ResetGlobals();
        __DEBUG__ = 0;
        adapter_ = std::make_unique<KestrelAccess>();
    }

    corvane::test::ManualClock clock_;
    corvane::test::RecordingAlerts alerts_;
    RecordingUserClientProvider driver_;
    std::unique_ptr<KestrelAccess> adapter_;

private:
    platform::ScopedClock clockGuard_;
    platform::ScopedAlerts alertGuard_;
};

}  // namespace corvane::test
