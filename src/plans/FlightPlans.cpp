#include "plans/FlightPlans.h"

#include <fstream>
#include <string>
#include <system_error>

#include "common/Errors.h"
#include "common/TextFile.h"
#include "plans/PlanBuilder.h"
#include "plans/PlanWorkers.h"
#include "plans/PlanFile.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

std::string PairText(const UniqueRoute& route) {
    return route.Origin.Str() + " to " + route.Destination.Str() + ", " + route.OriginICAO.Str() + " to " +
           route.DestinationICAO.Str();
}

// The plan folder, created when it is missing.
void CreatePlanFolder(const fs::path& folder) {
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return;
    fs::create_directory(folder, ec);
    if (ec) throw TarnwellError(ErrorKind::File, "the plan folder cannot be created: " + ec.message(), {PathText(folder)});
}

// Writes a built plan into its plan file, over the older file of the same
// number. A plan that failed, or whose file cannot be written, leaves no file
// of its number, so that no plan of an earlier compile stands in for it.
void WritePlanFile(PlanBuildResult& result, const UniqueRoute& route, const fs::path& planFolder) {
    const fs::path file = PlanFilePath(planFolder, route.PlanNumber);
    if (result.built) {
        try {
            WriteFileBytes(file, result.plan);
            return;
        } catch (const TarnwellError& e) {
            result.built = false;
            result.failure = e.what();
        }
    }
    std::error_code ec;
    fs::remove(file, ec);
    if (ec)
        throw TarnwellError(ErrorKind::File, "the old plan file cannot be deleted: " + ec.message(), {PathText(file)});
}

}  // namespace

void EraseOldPlans(const fs::path& planFolder, std::int32_t replacedUpTo) {
    for (std::int32_t n = 2;; ++n) {
        const fs::path file = PlanFilePath(planFolder, n);
        std::error_code ec;
        if (!fs::exists(file, ec)) return;
        if (n <= replacedUpTo) continue;
        fs::remove(file, ec);
        if (ec) throw TarnwellError(ErrorKind::File, "the old plan file cannot be deleted: " + ec.message(), {PathText(file)});
    }
}

BuiltPlans CreateFlightPlans(const NavigationData& nav, std::span<const UniqueRoute> UniqueRoutes,
                             const fs::path& planFolder, const fs::path& logPath, int jobs, ClockSource& clocks,
                             Progress& progress) {
    std::ofstream log(logPath, std::ios::binary | std::ios::trunc);
    if (!log) throw TarnwellError(ErrorKind::File, "the plan log cannot be written", {PathText(logPath)});
    CreatePlanFolder(planFolder);
    const std::int32_t count = UniqueRouteCount(UniqueRoutes);
    BuiltPlans plans(static_cast<std::size_t>(count) + 1);
    progress.Advance(CreatingPlansWork, 0, count);
    const auto announce = [&](std::int32_t i) {
        const UniqueRoute& route = UniqueRoutes[static_cast<std::size_t>(i)];
        progress.SetStatus("Currently Building Plan " + std::to_string(i) + " of " + std::to_string(count) +
                               " Plans.  " + route.OriginICAO.Str() + " to " + route.DestinationICAO.Str(),
                           StatusKind::Progress);
    };
    const auto record = [&](std::int32_t i, PlanBuildResult& result) {
        const UniqueRoute& route = UniqueRoutes[static_cast<std::size_t>(i)];
        WritePlanFile(result, route, planFolder);
        TextLineWriter line;
        line.Text(route.Origin.View());
        line.Text(route.Destination.View());
        line.Text(route.OriginICAO.View());
        line.Text(route.DestinationICAO.View());
        line.Number(result.entryCount);
        line.Number(route.PlanNumber);
        line.Text(result.built ? "SUCCESS" : "ERROR");
        line.EndLine();
        log << line.Content();
        if (!log) throw TarnwellError(ErrorKind::File, "the plan log cannot be written", {PathText(logPath)});
        if (result.built)
            plans[static_cast<std::size_t>(i)] = std::move(result.plan);
        else
            progress.Warn("plan " + std::to_string(route.PlanNumber) + " (" + PairText(route) +
                          ") could not be built: " + result.failure);
        progress.Advance(CreatingPlansWork, i, count);
    };
    BuildPlansInOrder(nav, UniqueRoutes, jobs, clocks, announce, record);
    log.close();
    if (!log) throw TarnwellError(ErrorKind::File, "the plan log cannot be written", {PathText(logPath)});
    progress.SetStatus("Finished Creating Assigned Plans!", StatusKind::Progress);
    return plans;
}

void PackPlans(const BuiltPlans& plans, std::span<const UniqueRoute> UniqueRoutes, const fs::path& planFolder,
               const fs::path& packedFile, Progress& progress) {
    const std::int32_t count = UniqueRouteCount(UniqueRoutes);
    Bytes out(static_cast<std::size_t>(count) * 4);
    for (std::int32_t p = 1; p <= count; ++p) {
        progress.SetStatus("Packing File " + std::to_string(p), StatusKind::Progress);
        const auto index = static_cast<std::size_t>(p);
        if (index >= plans.size() || !plans[index])
            throw TarnwellError(ErrorKind::File,
                                "plan " + std::to_string(p) + " (" + PairText(UniqueRoutes[index]) +
                                    ") has no plan file: its build failed (see Data/PlanLog.txt)",
                                {PathText(PlanFilePath(planFolder, p))});
        const Bytes& plan = *plans[index];
        progress.DoEvents();
        if (out.size() >= 0x7fffffffu)
            throw TarnwellError(ErrorKind::Overflow, "PLANS.kr1 would exceed the positions a route set can hold");
        RecordWriter{out}.I32(static_cast<std::size_t>(p - 1) * 4, static_cast<std::int32_t>(out.size() + 1));
        out.insert(out.end(), plan.begin(), plan.end());
    }
    WriteFileBytes(packedFile, out);
    progress.SetStatus("Finished Creating Packed Plans File", StatusKind::Progress);
}

}  // namespace tarnwell
