// The pane's first-in first-out task queue: every rescan and connect, from
// whichever page, is queued here and run one at a time by the site survey
// page's task step, so that no request lands in the middle of another.
//
// Free of any user-interface toolkit: the page owns the timers and asks
// ShouldScheduleTask() on each tick.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>

#include "profiles/ProfileRecord.h"

namespace corvane {

class KestrelAccess;

inline constexpr int32_t TASK_RESCAN = 1;
inline constexpr int32_t TASK_CONNECT = 2;

// One task: a record plus a task type. Owns the record and, through it, the
// record's key records.
class ProfileData {
public:
    // A task with a freshly allocated zero-filled record of its own.
    ProfileData();
    ~ProfileData();
    ProfileData(const ProfileData&) = delete;
    ProfileData& operator=(const ProfileData&) = delete;

    // A new task that takes ownership of `record`.
    static std::shared_ptr<ProfileData> setProfileData(ProfileRecordPtr record);

    PROFILE_DATA* Profile() const { return profile_.get(); }
    // Stores the new record and releases the old one with its key records.
    void setProfile(ProfileRecordPtr record);
    int32_t getTaskType() const { return taskType_; }
    void setTaskType(int32_t type) { taskType_ = type; }

private:
    ProfileRecordPtr profile_;
    int32_t taskType_ = 0;
};

// The queue operations work on the one process-wide queue, which exists while
// a TaskQueue instance does (the pane has exactly one). Without one, inserted
// tasks are released at once and the queue reads as empty.
class TaskQueue {
public:
    TaskQueue();  // traces "#### TaskQueue - init ####", creates the queue
    ~TaskQueue();
    TaskQueue(const TaskQueue&) = delete;
    TaskQueue& operator=(const TaskQueue&) = delete;

    // Newest first: inserted at the front.
    static void InsertTaskObject(std::shared_ptr<ProfileData> task);
    // The oldest task, or null when the queue is empty.
    static std::shared_ptr<ProfileData> GetTaskObject();
    // Removes the oldest task (its record goes with it unless held elsewhere).
    static void RemoveTaskObject();
    static size_t TaskCount();
    // Whether a task of that type is queued (the one running included: it
    // leaves the queue when it ends).
    static bool Holds(int32_t taskType);
};

// The task step of the site survey page: the producers of tasks and the
// consumer, with the guard against a second step starting while one runs.
class TaskRunner {
public:
    // What a task-timer tick checks before scheduling DoTask (0.1 s later):
    // adapter present and not being removed, no scan list waiting to be
    // shown, no task running.
    bool ShouldScheduleTask() const;

    // Runs the oldest task: a rescan (RescanBssidList, QueryBssidList, then
    // G_bRescan set) or a connect (the apply sequence in the pane's form).
    void DoTask(KestrelAccess& adapter);

    // Wraps `record` as a connect task and queues it; the caller gives the
    // record up.
    void SetTaskQueue(ProfileRecordPtr record);
    // Queues a rescan task with a zero-filled record.
    void QueueRescan();

    bool runFlag = false;
};

}  // namespace corvane
