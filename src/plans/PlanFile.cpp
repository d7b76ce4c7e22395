#include "plans/PlanFile.h"

#include <string>

#include "common/CheckedInt.h"

namespace tarnwell {

std::filesystem::path PlanFilePath(const std::filesystem::path& planFolder, std::int32_t number) {
    return planFolder / (std::to_string(number) + ".krp");
}

void EncodePlanPoint(const PlanPoint& point, std::span<std::uint8_t> record) {
    RecordWriter w{record};
    w.U8(0, static_cast<std::uint8_t>(point.PointType));
    w.I32(1, point.PointRef);
    w.Text(5, point.AirwayName);
}

PlanPoint DecodePlanPoint(std::span<const std::uint8_t> record) {
    const RecordReader r{record};
    PlanPoint p;
    p.PointType = static_cast<char>(r.U8(0));
    p.PointRef = r.I32(1);
    p.AirwayName = r.Text<5>(5);
    return p;
}

std::optional<std::int64_t> PackedPlanCount(std::span<const std::uint8_t> packed) {
    if (packed.empty()) return 0;
    if (packed.size() < 4) return std::nullopt;
    const std::int64_t first = RecordReader{packed}.I32(0);
    if (first < 5 || (first - 1) % 4 != 0 || first - 1 > static_cast<std::int64_t>(packed.size())) return std::nullopt;
    return (first - 1) / 4;
}

Bytes EncodePlan(std::span<const PlanPoint> points) {
    Bytes out(2 + points.size() * PlanPointLength);
    RecordWriter{out}.I16(0, CheckedInt16(static_cast<std::int64_t>(points.size()), "the plan's entry count"));
    for (std::size_t k = 0; k < points.size(); ++k)
        EncodePlanPoint(points[k], std::span(out).subspan(2 + k * PlanPointLength, PlanPointLength));
    return out;
}

}  // namespace tarnwell
