#include <gtest/gtest.h>

#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "platform/Clock.h"
#include "profiles/TaskQueue.h"
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
        ResetGlobalsForTest();
        __DEBUG__ = 0;
        G_bDeviceExist = 1;
        G_bDeviceRemove = 0;
    }
    void TearDown() override { ResetGlobalsForTest(); }
    // The SSIDs set so far, in order.
    std::vector<std::string> SsidsSet() const {
        std::vector<std::string> out;
        for (const auto& c : driver.CallsFor(0x0D810102))
            out.emplace_back(c.input.begin() + 4, c.input.begin() + 4 + c.input[0]);
        return out;
    }
    // One timer tick: DoTask runs when the tick would schedule it.
    void Tick() {
        if (runner.ShouldScheduleTask()) runner.DoTask(adapter);
    }

    test::RecordingUserClientProvider driver;
    platform::ManualClock clock;
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

TEST_F(TaskQueueTest, TasksAreReleasedWithTheirKeyRecords) {
    // Under the sanitizer build any record not freed shows up as a leak.
    auto record = ConnectRecord("keys");
    const uint8_t key[32] = {1, 2, 3};
    record->PskKey = BuildKeyRecord(104, 0x80000000, key);
    record->PskKeyLength = 104;
    runner.SetTaskQueue(std::move(record));
    std::weak_ptr<ProfileData> task = TaskQueue::GetTaskObject();
    auto noRecord = ProfileData::setProfileData(nullptr);
    noRecord->setTaskType(TASK_CONNECT);
    TaskQueue::InsertTaskObject(noRecord);
    auto unknown = ProfileData::setProfileData(ConnectRecord("never"));
    unknown->setTaskType(7);
    TaskQueue::InsertTaskObject(unknown);
    Tick();
    EXPECT_TRUE(task.expired());
    Tick();  // recordless and unknown tasks are dropped silently
    Tick();
    EXPECT_EQ(TaskQueue::TaskCount(), 0u);
    EXPECT_EQ(SsidsSet(), std::vector<std::string>{"keys"});
    EXPECT_FALSE(runner.runFlag);
    ProfileData data;
    data.setProfile(ConnectRecord("replaced"));  // the first record is released
}

TEST(TaskQueueWithoutInstance, InsertedTasksAreReleased) {
    auto task = ProfileData::setProfileData(NewProfileData());
    std::weak_ptr<ProfileData> weak = task;
    TaskQueue::InsertTaskObject(std::move(task));
    EXPECT_TRUE(weak.expired());
    EXPECT_EQ(TaskQueue::GetTaskObject(), nullptr);
}

}  // namespace
}  // namespace corvane
