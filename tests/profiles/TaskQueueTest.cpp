#include <gtest/gtest.h>

#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "platform/Clock.h"
#include "profiles/TaskQueue.h"
#include "tests/profiles/ProfileFixtures.h"
#include "tests/support/RecordingUserClientProvider.h"

namespace corvane {
namespace {

using namespace test;

constexpr uint32_t kSsidSet = 0x0D810102;
constexpr uint32_t kScan = 0x0D81011A;

ProfileRecordPtr ConnectRecord(const std::string& ssid) {
    auto record = MakeResetRecord();
    record->SsidRecord = MakeSsid(ssid);
    return record;
}

class TaskQueueTest : public ::testing::Test {
protected:
    void SetUp() override {
        __DEBUG__ = 0;
        G_bDeviceExist = 1;
        G_bDeviceRemove = 0;
    }

    // The SSIDs set so far, in order.
    std::vector<std::string> SsidsSet() const {
        std::vector<std::string> out;
        for (const auto& c : driver.CallsFor(kSsidSet))
            out.emplace_back(c.input.begin() + 4, c.input.begin() + 4 + c.input[0]);
        return out;
    }

    // One timer tick: DoTask runs when the tick would schedule it.
    void Tick() {
        if (runner.ShouldScheduleTask()) runner.DoTask(adapter);
    }

    GlobalsAtStart globals;  // before the adapter, which marks the client width
    RecordingUserClientProvider driver;
    platform::ManualClock clock;
    platform::ScopedClock scopedClock{clock};
    KestrelAccess adapter;
    TaskQueue queue;
    TaskRunner runner;
};

TEST_F(TaskQueueTest, ConnectTasksRunOldestFirstOnePerTick) {
    runner.SetTaskQueue(ConnectRecord("first"));
    runner.SetTaskQueue(ConnectRecord("second"));
    EXPECT_EQ(TaskQueue::TaskCount(), 2u);
    Tick();
    EXPECT_EQ(SsidsSet(), (std::vector<std::string>{"first"}));
    Tick();
    Tick();
    EXPECT_EQ(SsidsSet(), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(TaskQueue::TaskCount(), 0u);
    EXPECT_EQ(clock.Sleeps(), (std::vector<uint64_t>{10000, 10000}));  // the pane's pause
}

TEST_F(TaskQueueTest, WaitingScanListHoldsTasks) {
    runner.SetTaskQueue(ConnectRecord("held"));
    G_bRescan = 1;
    EXPECT_FALSE(runner.ShouldScheduleTask());
    Tick();
    EXPECT_TRUE(driver.Calls().empty());
    G_bRescan = 0;
    Tick();
    EXPECT_EQ(SsidsSet(), (std::vector<std::string>{"held"}));
}

TEST_F(TaskQueueTest, AbsentAdapterHoldsTasksEvenWhenDoTaskRuns) {
    runner.SetTaskQueue(ConnectRecord("later"));
    for (auto [exist, remove] : {std::pair{0, 0}, {1, 1}, {0, 1}}) {
        G_bDeviceExist = uint8_t(exist);
        G_bDeviceRemove = uint8_t(remove);
        EXPECT_FALSE(runner.ShouldScheduleTask());
        runner.DoTask(adapter);
        EXPECT_EQ(TaskQueue::TaskCount(), 1u);
    }
    EXPECT_TRUE(driver.Calls().empty());
    G_bDeviceExist = 1;
    G_bDeviceRemove = 0;
    Tick();
    EXPECT_EQ(SsidsSet(), (std::vector<std::string>{"later"}));
}

TEST_F(TaskQueueTest, RunningTaskBlocksASecondStep) {
    runner.SetTaskQueue(ConnectRecord("x"));
    runner.runFlag = true;
    EXPECT_FALSE(runner.ShouldScheduleTask());
    runner.DoTask(adapter);
    EXPECT_EQ(TaskQueue::TaskCount(), 1u);
    EXPECT_TRUE(driver.Calls().empty());
}

TEST_F(TaskQueueTest, RescanScansReadsAndMarksTheList) {
    runner.QueueRescan();
    runner.SetTaskQueue(ConnectRecord("after"));
    Tick();
    EXPECT_EQ(driver.CallsFor(kScan).size(), 1u);
    EXPECT_FALSE(driver.CallsFor(0x0D010217).empty());  // scan list read
    EXPECT_EQ(G_bRescan, 1);
    EXPECT_FALSE(runner.runFlag);
    Tick();  // held until the page has shown the list
    EXPECT_TRUE(SsidsSet().empty());
    G_bRescan = 0;
    Tick();
    EXPECT_EQ(SsidsSet(), (std::vector<std::string>{"after"}));
}

TEST_F(TaskQueueTest, RecordlessAndUnknownTasksAreDroppedSilently) {
    auto noRecord = ProfileData::setProfileData(nullptr);
    noRecord->setTaskType(TASK_CONNECT);
    TaskQueue::InsertTaskObject(noRecord);
    auto unknown = ProfileData::setProfileData(ConnectRecord("never"));
    unknown->setTaskType(7);
    TaskQueue::InsertTaskObject(unknown);
    Tick();
    Tick();
    EXPECT_EQ(TaskQueue::TaskCount(), 0u);
    EXPECT_TRUE(driver.Calls().empty());
    EXPECT_FALSE(runner.runFlag);
}

TEST_F(TaskQueueTest, RunTaskIsReleasedWithItsKeyRecords) {
    // Under the sanitizer build any key record not freed shows up as a leak.
    auto record = ConnectRecord("keys");
    record->PskKey = BuildKeyRecord(104, 0x80000000, Hex(kIeeePmk));
    record->PskKeyLength = 104;
    record->WepKey1 = BuildKeyRecord(44, 0, Bytes("abcde"));
    record->WepKey1Length = 44;
    record->WepKey3 = BuildKeyRecord(52, 2, Bytes("0123456789abc"));
    record->WepKey3Length = 52;
    runner.SetTaskQueue(std::move(record));
    std::weak_ptr<ProfileData> task = TaskQueue::GetTaskObject();
    Tick();
    EXPECT_TRUE(task.expired());

    // Replacing a task's record releases the old one.
    ProfileData data;
    data.setProfile(ConnectRecord("replaced"));
    EXPECT_EQ(data.Profile()->SsidRecord.SsidLength, 8u);
}

TEST_F(TaskQueueTest, TraceLines) {
    __DEBUG__ = 1;
    testing::internal::CaptureStderr();
    { TaskQueue another; }
    runner.DoTask(adapter);  // empty queue: only the trace lines
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err,
              "#### TaskQueue - init ####\n"
              "#### SiteSurveyPageController - DoTask ####\n"
              "#### SiteSurveyPageController - DoTask - ending ####\n");
}

TEST(TaskQueueWithoutInstance, InsertedTasksAreReleased) {
    auto task = ProfileData::setProfileData(NewProfileData());
    std::weak_ptr<ProfileData> weak = task;
    TaskQueue::InsertTaskObject(std::move(task));
    EXPECT_TRUE(weak.expired());
    EXPECT_EQ(TaskQueue::GetTaskObject(), nullptr);
    TaskQueue::RemoveTaskObject();
}

}  // namespace
}  // namespace corvane
