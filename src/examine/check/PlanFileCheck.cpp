#include "examine/check/PlanFileCheck.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "common/Errors.h"
#include "examine/check/NavigationTables.h"
#include "navdata/NavRecords.h"
#include "plans/PlanFile.h"

namespace tarnwell::routesetcheck {

namespace {

using std::to_string;

constexpr std::size_t PlanCountLength = 2;

// The files entries of type H, V, N and I refer into, in that order.
using NavigationTables = std::array<NavigationTable, 4>;
constexpr std::string_view PointTypes = "HVNI";

std::string PlanText(std::int64_t p) { return "PLANS.kr1, plan " + to_string(p); }

enum class PlanKind { Airway, PointToPoint, Empty, Unknown };

// The `count` entries of plan p, from its block at offset `at`.
PlanKind CheckEntries(const Bytes& b, std::int64_t p, std::int64_t at, std::int64_t count, NavigationTables& tables,
                      ProblemLines& problems) {
    bool airway = false;
    bool unknown = false;
    FirstWrong wrong;
    for (std::int64_t k = 1; k <= count; ++k) {
        const auto off = static_cast<std::size_t>(at + 2 + 10 * (k - 1));
        const PlanPoint point = DecodePlanPoint(std::span(b).subspan(off, PlanPointLength));
        const auto entry = [&] { return PlanText(p) + ", entry " + to_string(k) + ": "; };
        const std::size_t t = PointTypes.find(point.PointType);
        if (t == std::string_view::npos) {
            wrong.Add([&] {
                return entry() + "point type " + PointTypeText(point.PointType) + " is none of H, V, N, I";
            });
            unknown = true;
            continue;
        }
        airway = airway || t == 0;
        NavigationTable& table = tables[t];
        const auto ref = [&] { return std::string(1, point.PointType) + " " + to_string(point.PointRef); };
        if (!table.count)
            ++table.unchecked;
        else if (t == 0 && (point.PointRef < 1 || point.PointRef > *table.count))
            wrong.Add([&] {
                return entry() + ref() + " is not a node of " + table.file + " (1 to " + to_string(*table.count) +
                       ")";
            });
        else if (t != 0 && (point.PointRef < 0 || point.PointRef >= *table.count))
            wrong.Add([&] {
                return entry() + ref() + " is not a record of " + table.file + " (" +
                       Count(*table.count, "record", "records") + ")";
            });
        if (t != 0 && !point.AirwayName.IsBlank())
            wrong.Add([&] {
                return entry() + ref() + " has the airway name " + QuotedField(point.AirwayName.Trimmed()) +
                       ", expected blanks";
            });
    }
    if (wrong.Any()) problems.push_back(wrong.Text("plan"));
    if (count == 0) return PlanKind::Empty;
    if (airway) return PlanKind::Airway;
    return unknown ? PlanKind::Unknown : PlanKind::PointToPoint;
}

void Tally(PlanKind kind, PlanKindCounts& counts) {
    switch (kind) {
        case PlanKind::Airway: ++counts.airway; break;
        case PlanKind::PointToPoint: ++counts.pointToPoint; break;
        case PlanKind::Empty: ++counts.empty; break;
        case PlanKind::Unknown: break;
    }
}

}  // namespace

PlanKindCounts CheckPlanFile(const RouteSetFiles& files, const std::filesystem::path& dataFolder,
                             ProblemLines& problems) {
    PlanKindCounts counts;
    const Bytes& b = *files.plans;
    const auto size = static_cast<std::int64_t>(b.size());
    const std::int64_t n = *files.planCount;
    const RecordReader file(b);
    NavigationTables tables = {AirwayNodeTable(dataFolder, "HighAlt.ab1"),
                               FixedRecordTable(dataFolder, "nav_VOR.bin", NavAidRecordLength),
                               FixedRecordTable(dataFolder, "nav_NDB.bin", NavAidRecordLength),
                               FixedRecordTable(dataFolder, "nav_ISC.bin", IntersectionRecordLength)};
    // Where the next block must begin; not known after a block that cannot be read.
    std::int64_t next = 4 * n;
    bool nextKnown = true;
    for (std::int64_t p = 1; p <= n; ++p) {
        const std::int64_t pos = file.I32(static_cast<std::size_t>(4 * (p - 1)));
        const std::int64_t at = pos - 1;
        if (at < 4 * n || at + static_cast<std::int64_t>(PlanCountLength) > size) {
            problems.push_back(PlanText(p) + ": position " + to_string(pos) + " lies outside the plan blocks (" +
                               to_string(4 * n + 1) + " to " + to_string(size - 1) + ")");
            nextKnown = false;
            continue;
        }
        const std::int64_t count = file.I16(static_cast<std::size_t>(at));
        const std::int64_t end =
            at + static_cast<std::int64_t>(PlanCountLength) + static_cast<std::int64_t>(PlanPointLength) * count;
        if (count < 0 || count > PlanPointCapacity) {
            problems.push_back(PlanText(p) + " (block at " + to_string(pos) + "): entry count " + to_string(count) +
                               " is outside 0 to " + to_string(PlanPointCapacity));
            nextKnown = false;
            continue;
        }
        if (end > size) {
            problems.push_back(PlanText(p) + " (block at " + to_string(pos) + "): its block of " +
                               Count(count, "entry", "entries") + " runs past the end of the file (" +
                               to_string(size) + " bytes)");
            nextKnown = false;
            continue;
        }
        if (nextKnown && at != next)
            problems.push_back(PlanText(p) + ": block at " + to_string(pos) + ", expected " + to_string(next + 1) +
                               (p == 1 ? " (right after the position table)" : " (right after the block before it)"));
        next = end;
        nextKnown = true;
        Tally(CheckEntries(b, p, at, count, tables, problems), counts);
    }
    if (nextKnown && next != size)
        problems.push_back("PLANS.kr1: " + to_string(size) +
                           " bytes, but the position table and the plan blocks end at byte " + to_string(next));
    for (const NavigationTable& table : tables)
        if (table.unchecked > 0)
            problems.push_back(table.file + " cannot be read (" + table.failure + "); " +
                               Count(table.unchecked, "plan entry refers", "plan entries refer") +
                               " to it and cannot be checked");
    return counts;
}

}  // namespace tarnwell::routesetcheck
