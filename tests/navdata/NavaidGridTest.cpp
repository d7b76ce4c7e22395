// The navaid grid finds exactly the navaids a scan of the table finds in a
// box, at the edges of its cells, of the globe and of the numbers.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "navdata/NavRecords.h"
#include "navdata/NavaidGrid.h"

namespace tarnwell {
namespace {

struct Box {
    float south, north, west, east;
};

std::vector<std::int32_t> InBox(const NavaidGrid& grid, const Box& b) {
    std::vector<std::int32_t> found;
    grid.ForEachInBox(b.south, b.north, b.west, b.east, [&](const NavaidGrid::Point& p) { found.push_back(p.Index); });
    std::sort(found.begin(), found.end());
    return found;
}

std::vector<std::int32_t> ByScan(const std::vector<Intersection>& table, const Box& b) {
    std::vector<std::int32_t> found;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const float lat = table[i].Latitude, lon = table[i].Longitude;
        if (lat >= b.south && lat <= b.north && lon >= b.west && lon <= b.east)
            found.push_back(static_cast<std::int32_t>(i));
    }
    return found;
}

TEST(NavaidGrid, FindsWhatAScanFinds) {
    constexpr float Inf = std::numeric_limits<float>::infinity();
    const float NaN = std::nanf("");
    // Whole degrees, the poles and the 180th meridian, just either side of
    // them, and positions that are no place.
    const std::vector<float> lats = {-90, -89.999f, -45, -0.0f, 0, 0.5f, 1, 44.99999f, 45, 89.999f, 90, 91, -91, NaN, Inf};
    const std::vector<float> lons = {-180, -179.5f, -1, -0.0f, 0, 1, 179.999f, 180, 181, -190, NaN, -Inf};
    std::vector<Intersection> table;
    for (float lat : lats)
        for (float lon : lons) table.push_back({{}, {}, lat, lon});
    const NavaidGrid grid(table);
    const Box boxes[] = {
        {0, 1, 0, 1},           {-0.0f, 0, -0.0f, 0},  {44.99999f, 45, -1, 1},  {-90, 90, -180, 180},
        {89, 95, 170, 185},     {-95, -89, -200, -170}, {1, 0, 0, 1},           {0, 1, 1, 0},
        {-Inf, Inf, -Inf, Inf}, {NaN, 10, 0, 10},       {0, 10, 0, NaN},        {90, 90, 180, 180},
        {91, 91, 181, 181},     {-91, -90, -190, -180},
    };
    for (const Box& b : boxes)
        EXPECT_EQ(InBox(grid, b), ByScan(table, b)) << b.south << ".." << b.north << ", " << b.west << ".." << b.east;

    std::mt19937 rng(3);
    std::uniform_real_distribution<float> lat(-92, 92), lon(-185, 185), size(0, 8);
    std::vector<Intersection> random(5000);
    for (Intersection& r : random) r = {{}, {}, std::round(lat(rng) * 2) / 2, std::round(lon(rng) * 2) / 2};
    const NavaidGrid randomGrid(random);
    for (int i = 0; i < 500; ++i) {
        const float s = lat(rng), w = lon(rng);
        const Box b{s, s + size(rng), w, w + size(rng) * 3};
        ASSERT_EQ(InBox(randomGrid, b), ByScan(random, b)) << s << ", " << w;
    }
}

}  // namespace
}  // namespace tarnwell
