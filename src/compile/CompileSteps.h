#pragma once
// The compile's steps: one table that says, row by row, which status text
// runs which function on which tables.

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "compile/CompileRequest.h"
#include "compile/Port.h"
#include "compile/ProgramState.h"
#include "routeset/RouteSetOutput.h"

namespace tarnwell {

// What the steps of one compile work with.
struct CompileRun {
    ProgramState& state;
    Port& port;
    const CompileRequest& request;
    RouteSetOutput& routeSet;  // where the route set's files are staged
    // The add file the compile read, removed when the route set is in place.
    std::optional<std::filesystem::path> usedAddFile{};
};

struct CompileStep {
    const char* status;    // shown while the step runs
    const char* function;  // the step function(s), for the reader
    std::function<void(CompileRun&)> run;
};

// The fifteen steps, in the order they run.
std::span<const CompileStep> CompileSteps();

// The row of CompileSteps() with this status text.
const CompileStep& CompileStepNamed(std::string_view status);

}  // namespace tarnwell
