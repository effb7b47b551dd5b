#include <gtest/gtest.h>

#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "platform/Clock.h"
#include "profiles/TaskQueue.h"
#include "tests/support/ManualClock.h"
#include "tests/support/ProcessValues.h"
#include "tests/support/RecordingUserClientProvider.h"

namespace corvane {
namespace {

ProfileRecordPtr ConnectRecord(const std::string& ssid) {
    auto record = MakeResetRecord();
    record->SsidRecord = MakeSsid(ssid);
    return record;
}

class TaskQueueTest : public ::testing::Test {
protected:
    void SetUp() override {
        corvane::test::ResetGlobals();
        __DEBUG__ = 0;
        G_bDeviceExist = 1;
        G_bDeviceRemove = 0;
    }
    void TearDown() override { corvane::test::ResetGlobals(); }
    test::RecordingUserClientProvider driver;
    corvane::test::ManualClock clock;
    platform::ScopedClock scopedClock{clock};
    KestrelAccess adapter;
    TaskQueue queue;
    TaskRunner runner;
};

// The order of tasks and the hold while a new list waits are the site
// survey page's tests.
TEST_F(TaskQueueTest, HeldWhileAbsentRemovedOrRunning) {
    runner.SetTaskQueue(ConnectRecord("later"));
    for (auto [exist, remove, running] : {std::tuple{0, 0, false}, {1, 1, false}, {1, 0, true}}) {
        G_bDeviceExist = uint8_t(exist);
        G_bDeviceRemove = uint8_t(remove);
        runner.runFlag = running;
        EXPECT_FALSE(runner.ShouldScheduleTask());
        runner.DoTask(adapter);  // even when called, it does nothing
        EXPECT_EQ(TaskQueue::TaskCount(), 1u);
    }
    EXPECT_TRUE(driver.Calls().empty());
}

}  // namespace
}  // namespace corvane
