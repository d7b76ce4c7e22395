#pragma once
// The navaids of one table (the VORs, the NDBs or the intersections) filed
// by position, so that a search box looks only at the navaids that can lie
// in it instead of the whole table.

#include <cmath>
#include <cstdint>
#include <vector>

namespace tarnwell {

class NavaidGrid {
public:
    struct Point {
        float Latitude;
        float Longitude;
        std::int32_t Index;  // the navaid's position in its table
    };

    NavaidGrid() = default;
    template <typename Record>
    explicit NavaidGrid(const std::vector<Record>& table) {
        std::vector<Point> points;
        points.reserve(table.size());
        for (std::size_t i = 0; i < table.size(); ++i)
            points.push_back({table[i].Latitude, table[i].Longitude, static_cast<std::int32_t>(i)});
        File(points);
    }

    // Calls visit(point) for every navaid whose latitude lies from `south`
    // to `north` and whose longitude lies from `west` to `east`, bounds
    // included, compared exactly as the table's single-precision values: the
    // navaids a scan of the whole table would find, in no particular order.
    template <typename Visit>
    void ForEachInBox(float south, float north, float west, float east, Visit&& visit) const {
        const auto inside = [&](const Point& p) {
            return p.Latitude >= south && p.Latitude <= north && p.Longitude >= west && p.Longitude <= east;
        };
        for (const Point& p : irregular_)
            if (inside(p)) visit(p);
        if (std::isnan(south) || std::isnan(north) || std::isnan(west) || std::isnan(east)) return;
        const int rowFrom = Row(south), rowTo = Row(north);
        const int columnFrom = Column(west), columnTo = Column(east);
        for (int row = rowFrom; row <= rowTo; ++row) {
            const std::size_t rowStart = static_cast<std::size_t>(row) * Columns;
            for (std::uint32_t k = cellStart_[rowStart + static_cast<std::size_t>(columnFrom)],
                               end = cellStart_[rowStart + static_cast<std::size_t>(columnTo) + 1];
                 k < end; ++k)
                if (inside(points_[k])) visit(points_[k]);
        }
    }

private:
    // Cells of one degree: latitude -90 to 90 in 180 rows, longitude -180 to
    // 180 in 360 columns (90 and 180 themselves in the last row and column).
    static constexpr int Rows = 180;
    static constexpr int Columns = 360;
    static int Row(float latitude) { return Cell(latitude, -90.0f, Rows); }
    static int Column(float longitude) { return Cell(longitude, -180.0f, Columns); }
    static int Cell(float value, float lowest, int count) {
        if (!(value > lowest)) return 0;
        if (!(value < lowest + static_cast<float>(count))) return count - 1;
        return static_cast<int>(std::floor(value - lowest));
    }
    static bool Regular(const Point& p) {
        return p.Latitude >= -90 && p.Latitude <= 90 && p.Longitude >= -180 && p.Longitude <= 180;
    }
    void File(const std::vector<Point>& points);

    // The regular points cell by cell, the cells row by row: the points of
    // the cells from (row, column) to (row, column + n - 1) are
    // points_[cellStart_[row * Columns + column] ..
    // cellStart_[row * Columns + column + n]).
    std::vector<std::uint32_t> cellStart_;
    std::vector<Point> points_;
    // Points without a valid latitude and longitude, tested by every box.
    std::vector<Point> irregular_;
};

}  // namespace tarnwell
