#include "compile/StepRunner.h"

#include <exception>

#include "common/Cancellation.h"

namespace tarnwell {

bool RunSteps(const std::vector<StatusStep>& steps, Progress& progress, CompileOutcome& outcome,
              const std::function<void()>& finish, const std::string& finishStatus) {
    std::string status;
    try {
        for (const StatusStep& step : steps) {
            status = step.status;
            progress.SetStatus(status, StatusKind::Step);
            step.run();
        }
        if (!finishStatus.empty()) status = finishStatus;
        if (finish) finish();
    } catch (const WorkCancelled&) {
        outcome.result = CompileOutcome::Result::Cancelled;
        outcome.stoppedByUser = true;
        outcome.failedStatus = status;
        return false;
    } catch (const std::exception& e) {
        outcome.failedStatus = status;
        outcome.reason = e.what();
        return false;
    }
    return true;
}

}  // namespace tarnwell
