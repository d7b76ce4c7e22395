#include "map/MapPlans.h"

#include <span>
#include <string>

#include "common/Errors.h"
#include "common/Progress.h"
#include "navdata/NavDataFiles.h"
#include "plans/PlanFile.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

// Loading the airway network for a picture tells nobody anything.
class SilentProgress : public Progress {
public:
    void SetStatus(std::string_view, StatusKind) override {}
    void DoEvents() override {}
    void Beep(BeepKind, std::string_view) override {}
    void Warn(std::string_view) override {}
};

[[noreturn]] void Damaged(const fs::path& path, const std::string& what) {
    throw TarnwellError(ErrorKind::Input, what, {PathText(path)});
}

template <typename Record>
const Record& Entry(const std::vector<Record>& table, std::int32_t ref, const fs::path& file,
                    const std::string& where) {
    if (ref < 0 || static_cast<std::size_t>(ref) >= table.size())
        throw TarnwellError(ErrorKind::Input,
                            where + " names record " + std::to_string(ref) + ", but the file holds " +
                                std::to_string(table.size()),
                            {PathText(file)});
    return table[static_cast<std::size_t>(ref)];
}

bool FollowsAirway(const MapPlanPoint& from, const MapPlanPoint& to) { return from.kind == 'H' && to.kind == 'H'; }

}  // namespace

MapPlanPoint PlanPointSource::Point(char kind, std::int32_t ref, const std::string& where) {
    switch (kind) {
        case 'H': {
            if (!high_) {
                SilentProgress quiet;
                high_ = LoadHighNodes(data_, quiet);
            }
            if (!high_->Contains(ref))
                throw TarnwellError(ErrorKind::Input,
                                    where + " names airway node " + std::to_string(ref) + ", but the network holds " +
                                        std::to_string(high_->Count()),
                                    {PathText(data_ / HighNodeFileName)});
            const AirwayNode& node = high_->Node(ref);
            return {kind, std::string(node.Ident.Trimmed()), {node.Latitude, node.Longitude},
                    std::string(node.Kind.Trimmed())};
        }
        case 'V':
        case 'N': {
            auto& table = kind == 'V' ? vors_ : ndbs_;
            if (!table) table = kind == 'V' ? LoadVors(data_) : LoadNdbs(data_);
            const NavAid& aid = Entry(*table, ref, data_ / (kind == 'V' ? VorFileName : NdbFileName), where);
            return {kind, std::string(aid.Ident.Trimmed()), {aid.Latitude, aid.Longitude}, {}};
        }
        case 'I': {
            if (!intersections_) intersections_ = LoadIntersections(data_);
            const Intersection& fix = Entry(*intersections_, ref, data_ / IntersectionFileName, where);
            return {kind, std::string(fix.Ident.Trimmed()), {fix.Latitude, fix.Longitude}, {}};
        }
        default:
            throw TarnwellError(ErrorKind::Input, where + " has the point type " + QuotedField(std::string(1, kind)) +
                                                      ", not H, V, N or I");
    }
}

MapPlan ReadMapPlan(const Bytes& packed, const fs::path& path, const MapCityPair& pair, const MapScene& scene,
                    PlanPointSource& source) {
    const std::optional<std::int64_t> count = PackedPlanCount(packed);
    if (!count) Damaged(path, "the file does not begin with a position table");
    const std::string name = "plan " + std::to_string(pair.plan) + " (" + pair.Key() + ")";
    if (pair.plan < 1 || pair.plan > *count)
        Damaged(path, name + " is not among the file's " + std::to_string(*count) + " plans");
    const RecordReader file(packed);
    const std::int64_t at = file.I32(4 * static_cast<std::size_t>(pair.plan - 1)) - 1;
    const auto size = static_cast<std::int64_t>(packed.size());
    if (at < 4 * *count || at + 2 > size) Damaged(path, name + ": its position lies outside the plan blocks");
    const std::int64_t entries = file.I16(static_cast<std::size_t>(at));
    if (entries < 0 || entries > PlanPointCapacity || at + 2 + 10 * entries > size)
        Damaged(path, name + ": its block does not lie inside the file");

    MapPlan plan;
    plan.pair = pair;
    std::vector<std::string> airways;  // the airway flown from each point
    for (std::int64_t e = 0; e < entries; ++e) {
        const auto off = static_cast<std::size_t>(at + 2 + 10 * e);
        const PlanPoint stored = DecodePlanPoint(std::span(packed).subspan(off, PlanPointLength));
        plan.points.push_back(
            source.Point(stored.PointType, stored.PointRef, name + ", entry " + std::to_string(e + 1)));
        airways.emplace_back(stored.AirwayName.Trimmed());
    }
    // Legs: origin -> first point -> ... -> last point -> destination. A leg
    // follows the airway stored with its first point when both of its ends
    // are airway nodes; every other leg is point to point.
    GeoPoint from = scene.airports[pair.originAirport].position;
    for (std::size_t k = 0; k < plan.points.size(); ++k) {
        plan.legs.push_back({from, plan.points[k].position, {}});
        if (k > 0 && FollowsAirway(plan.points[k - 1], plan.points[k])) plan.legs.back().airway = airways[k - 1];
        from = plan.points[k].position;
    }
    plan.legs.push_back({from, scene.airports[pair.destinationAirport].position, {}});
    return plan;
}

}  // namespace tarnwell
