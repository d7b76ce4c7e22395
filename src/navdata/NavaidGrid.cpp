#include "navdata/NavaidGrid.h"

#include <algorithm>

namespace tarnwell {

void NavaidGrid::File(const std::vector<Point>& points) {
    const auto cellOf = [](const Point& p) {
        return static_cast<std::size_t>(Row(p.Latitude)) * Columns + static_cast<std::size_t>(Column(p.Longitude));
    };
    cellStart_.assign(static_cast<std::size_t>(Rows) * Columns + 1, 0);
    for (const Point& p : points)
        if (Regular(p)) ++cellStart_[cellOf(p) + 1];
    for (std::size_t c = 1; c < cellStart_.size(); ++c) cellStart_[c] += cellStart_[c - 1];
    points_.resize(cellStart_.back());
    std::vector<std::uint32_t> next(cellStart_.begin(), cellStart_.end() - 1);
    for (const Point& p : points) {
        if (Regular(p))
            points_[next[cellOf(p)]++] = p;
        else
            irregular_.push_back(p);
    }
}

}  // namespace tarnwell
