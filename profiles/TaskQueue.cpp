#include "profiles/TaskQueue.h"

#include <algorithm>

#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "adapter/Trace.h"
#include "profiles/ConnectEngine.h"

namespace corvane {

namespace {
// The process-wide queue: newest task at the front, oldest at the back.
std::unique_ptr<std::deque<std::shared_ptr<ProfileData>>> ProfileDataQueue;
}  // namespace

// --- ProfileData -----------------------------------------------------------

ProfileData::ProfileData() : profile_(NewProfileData()) {}

ProfileData::~ProfileData() { ReleaseProfileData(profile_); }

std::shared_ptr<ProfileData> ProfileData::setProfileData(ProfileRecordPtr record) {
    auto task = std::make_shared<ProfileData>();
    task->setProfile(std::move(record));
    return task;
}

void ProfileData::setProfile(ProfileRecordPtr record) {
    ReleaseProfileData(profile_);
    profile_ = std::move(record);
}

// --- TaskQueue -------------------------------------------------------------

TaskQueue::TaskQueue() {
    TraceEntry("TaskQueue", "init");
    ProfileDataQueue = std::make_unique<std::deque<std::shared_ptr<ProfileData>>>();
}

TaskQueue::~TaskQueue() { ProfileDataQueue.reset(); }

void TaskQueue::InsertTaskObject(std::shared_ptr<ProfileData> task) {
    if (ProfileDataQueue && task) ProfileDataQueue->push_front(std::move(task));
}

std::shared_ptr<ProfileData> TaskQueue::GetTaskObject() {
    if (!ProfileDataQueue || ProfileDataQueue->empty()) return nullptr;
    return ProfileDataQueue->back();
}

void TaskQueue::RemoveTaskObject() {
    if (ProfileDataQueue && !ProfileDataQueue->empty()) ProfileDataQueue->pop_back();
}

size_t TaskQueue::TaskCount() { return ProfileDataQueue ? ProfileDataQueue->size() : 0; }

bool TaskQueue::Holds(int32_t taskType) {
    if (!ProfileDataQueue) return false;
    return std::any_of(ProfileDataQueue->begin(), ProfileDataQueue->end(),
                       [taskType](const auto& task) { return task->getTaskType() == taskType; });
}

// --- TaskRunner ------------------------------------------------------------

bool TaskRunner::ShouldScheduleTask() const {
    return G_bDeviceExist && !G_bDeviceRemove && !G_bRescan && !runFlag;
}

void TaskRunner::DoTask(KestrelAccess& adapter) {
    static constexpr const char* kPage = "SiteSurveyPageController";
    TraceEntry(kPage, "DoTask");
    if (!G_bDeviceExist || G_bDeviceRemove) return;

    if (std::shared_ptr<ProfileData> task = TaskQueue::GetTaskObject()) {
        if (runFlag) return;
        runFlag = true;
        if (PROFILE_DATA* record = task->Profile()) {
            switch (task->getTaskType()) {
                case TASK_RESCAN:
                    adapter.RescanBssidList();
                    adapter.QueryBssidList();
                    G_bRescan = 1;
                    break;
                case TASK_CONNECT:
                    ApplyProfile(adapter, *record, kPaneTask);
                    break;
                default:
                    break;
            }
        } else {
            TaskQueue::RemoveTaskObject();
            runFlag = false;
            return;
        }
        TaskQueue::RemoveTaskObject();
        runFlag = false;
    }
    TraceEntry(kPage, "DoTask - ending");
}

void TaskRunner::SetTaskQueue(ProfileRecordPtr record) {
    std::shared_ptr<ProfileData> task = ProfileData::setProfileData(std::move(record));
    task->setTaskType(TASK_CONNECT);
    TaskQueue::InsertTaskObject(std::move(task));
}

void TaskRunner::QueueRescan() {
    std::shared_ptr<ProfileData> task = ProfileData::setProfileData(NewProfileData());
    task->setTaskType(TASK_RESCAN);
    TaskQueue::InsertTaskObject(std::move(task));
}

}  // namespace corvane
