// Where a page queues a task for the pane's task runner (the site survey
// page, which runs the queue for the whole window): the producer entries
// of the task queue, and nothing else of that page. The profile list and
// the advanced page hold one; the site survey page is the one the window
// gives them.
#pragma once

#include "profiles/ProfileRecord.h"

namespace corvane {

class TaskSink {
public:
    // Queues a connect (TASK_CONNECT) of `record`; the queue owns it from
    // now on, with its key records.
    virtual void SetTaskQueue(ProfileRecordPtr record) = 0;
    // Queues a rescan (TASK_RESCAN), as the Scan button does.
    virtual void OnStartScan() = 0;
    // A connect of a stored profile was queued: the last connect is no
    // longer one the runner's own page started.
    virtual void resetFlag() = 0;

protected:
    ~TaskSink() = default;
};

}  // namespace corvane
