#pragma once
// Running a list of steps, each under its status text, until the first failure.

#include <functional>
#include <string>
#include <vector>

#include "common/Progress.h"

namespace tarnwell {

struct CompileOutcome {
    enum class Result { Finished, Cancelled, Failed };
    Result result = Result::Failed;
    std::string failedStatus;  // the status text of the step that failed (or was stopped)
    bool stoppedByUser = false;  // Cancelled because the work was asked to stop, not at a dialog
    std::string reason;        // what failed and where
};

// One step of a run of steps: the status text shown while it runs, and the work.
struct StatusStep {
    std::string status;
    std::function<void()> run;
};

// Runs the steps in order, each after showing its status text, then
// `finish`. Every failure ends the run: fills outcome.failedStatus and
// outcome.reason and returns false. WorkCancelled thrown by a step (from its
// Progress) ends it the same way, as Result::Cancelled with stoppedByUser. A failure of `finish` is named
// `finishStatus` (a name for the message only, never shown as a status), or
// counts as the last step's when that is empty.
bool RunSteps(const std::vector<StatusStep>& steps, Progress& progress, CompileOutcome& outcome,
              const std::function<void()>& finish = {}, const std::string& finishStatus = {});

}  // namespace tarnwell
