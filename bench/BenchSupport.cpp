#include "BenchSupport.h"

#include <random>
#include <vector>

#include "common/BinaryIO.h"
#include "navdata/AirwayNetwork.h"
#include "navdata/NavRecords.h"
#include "navdata/AirportDatabase.h"
#include "geo/GreatCircle.h"

namespace fs = std::filesystem;

namespace tarnwell::bench {

namespace {

// prefix followed by a number (built in place: GCC 12 misreads "x" + to_string(n)).
std::string Named(const char* prefix, std::uint64_t n) {
    std::string s(prefix);
    s += std::to_string(n);
    return s;
}

// `width` capital letters spelling n in base 26: distinct for every n below 26^width.
std::string Letters(std::uint64_t n, std::size_t width) {
    std::string s(width, 'A');
    for (std::size_t i = width; i-- > 0; n /= 26) s[i] = static_cast<char>('A' + n % 26);
    return s;
}

float Uniform(std::mt19937& rng, float low, float high) {
    return low + (high - low) * static_cast<float>(rng() % 1000000) / 1000000.0f;
}

// The high-altitude network: `rows` x `columns` nodes on a grid from `south`
// to `north` over every longitude, each moved at random by up to 0.3 of the
// spacing; the columns close round the 180th meridian. Every node is joined
// both ways to its eight neighbours. A row is one airway (UL<row>), so is a
// column (UM<column>) and each diagonal (UN..., UP...).
AirwayNetwork GridNetwork(std::mt19937& rng, int rows, int columns, float south, float north) {
    const float rowStep = (north - south) / static_cast<float>(rows);
    const float columnStep = 360.0f / static_cast<float>(columns);
    const auto wrap = [columns](int c) { return (c % columns + columns) % columns; };
    const auto number = [&](int r, int c) { return r * columns + wrap(c) + 1; };

    std::vector<AirwayNode> nodes(static_cast<std::size_t>(rows * columns));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            AirwayNode& node = nodes[static_cast<std::size_t>(number(r, c) - 1)];
            node.Ident = Letters(static_cast<std::uint64_t>(number(r, c)), 5);
            node.Latitude = south + (static_cast<float>(r) + 0.5f + Uniform(rng, -0.3f, 0.3f)) * rowStep;
            node.Longitude = -180.0f + (static_cast<float>(c) + 0.5f + Uniform(rng, -0.3f, 0.3f)) * columnStep;
            node.Kind = "FIX";
        }

    AirwayNetwork net;
    std::vector<AirwayLeg> legs;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const AirwayNode& from = nodes[static_cast<std::size_t>(number(r, c) - 1)];
            legs.clear();
            for (int dr = -1; dr <= 1; ++dr)
                for (int dc = -1; dc <= 1; ++dc) {
                    if ((dr == 0 && dc == 0) || r + dr < 0 || r + dr >= rows) continue;
                    const int to = number(r + dr, c + dc);
                    const AirwayNode& there = nodes[static_cast<std::size_t>(to - 1)];
                    AirwayLeg leg;
                    leg.Neighbour = static_cast<std::int16_t>(to);
                    leg.AirwayName = dr == 0    ? Named("UL", static_cast<std::uint64_t>(r))
                                     : dc == 0  ? Named("UM", static_cast<std::uint64_t>(c))
                                     : dr == dc ? Named("UN", static_cast<std::uint64_t>(wrap(c - r)))
                                                : Named("UP", static_cast<std::uint64_t>(wrap(c + r)));
                    leg.LegLength = GetDistance(from.Latitude, from.Longitude, there.Latitude, there.Longitude,
                                                leg.LegCourse);
                    if (leg.LegCourse < 0) leg.LegCourse += 360;
                    legs.push_back(leg);
                }
            AirwayNode node = from;
            node.LegCount = static_cast<std::int16_t>(legs.size());
            net.Add(node, legs);
        }
    return net;
}

}  // namespace

std::string Code(int n) {
    std::string s = "AAA";
    s[0] = static_cast<char>('A' + n / 676 % 26);
    s[1] = static_cast<char>('A' + n / 26 % 26);
    s[2] = static_cast<char>('A' + n % 26);
    return s;
}

void WriteNavData(const fs::path& data, int timetableAirports) {
    std::mt19937 rng(7);
    std::vector<NavAirport> airports(35000);
    for (std::size_t j = 0; j < airports.size(); ++j) {
        NavAirport& a = airports[j];
        a.ICAO = Named("X", j);
        a.Name = Named("Airport ", j);
        a.City = Named("City ", j);
        a.Latitude = Uniform(rng, -60, 70);
        a.Longitude = Uniform(rng, -180, 180);
        a.Altitude = static_cast<std::int32_t>(rng() % 8000);
    }
    for (int n = 0; n < timetableAirports; ++n) {
        std::string icao = "K";
        icao += Code(n);
        airports[static_cast<std::size_t>(n) * airports.size() / static_cast<std::size_t>(timetableAirports) +
                 rng() % 10]
            .ICAO = icao;
    }
    WriteFileBytes(data / "nav_APT.bin", EncodeNavAirports(airports));

    // Beacons and fixes in about the numbers of the real world's, scattered
    // over the airports' region: the point-to-point planner's waypoints.
    auto aids = [&](std::size_t count, std::size_t identLength) {
        std::vector<NavAid> out(count);
        for (std::size_t i = 0; i < count; ++i) {
            out[i].Ident = Letters(i, identLength);
            out[i].Name = Named("Beacon ", i);
            out[i].Latitude = Uniform(rng, -60, 70);
            out[i].Longitude = Uniform(rng, -180, 180);
        }
        return out;
    };
    WriteFileBytes(data / "nav_VOR.bin", EncodeNavAids(aids(4000, 3)));
    WriteFileBytes(data / "nav_NDB.bin", EncodeNavAids(aids(9000, 3)));
    std::vector<Intersection> fixes(120000);
    for (std::size_t i = 0; i < fixes.size(); ++i) {
        fixes[i].Ident = Letters(i, 5);
        fixes[i].Latitude = Uniform(rng, -60, 70);
        fixes[i].Longitude = Uniform(rng, -180, 180);
    }
    WriteFileBytes(data / "nav_ISC.bin", EncodeIntersections(fixes));

    // 75 rows of 200 nodes: about 105 NM apart at the equator.
    WriteFileBytes(data / "HighAlt.ab1", EncodeAirwayNetwork(GridNetwork(rng, 75, 200, -60, 70)));

    // The low network is not routed over; it only has to be loaded.
    AirwayNetwork low;
    std::vector<AirwayLeg> legs;
    for (std::int32_t n = 1; n <= LowNodeCapacity; ++n) {
        AirwayNode node;
        node.Ident = Named("N", static_cast<std::uint64_t>(n));
        node.Latitude = Uniform(rng, -60, 70);
        node.Longitude = Uniform(rng, -180, 180);
        node.LegCount = static_cast<std::int16_t>(rng() % 7);
        legs.assign(static_cast<std::size_t>(node.LegCount), AirwayLeg{});
        for (auto& leg : legs) {
            leg.Neighbour = static_cast<std::int16_t>(rng() % static_cast<unsigned>(LowNodeCapacity) + 1);
            leg.AirwayName = Named("J", rng() % 999);
            leg.LegLength = Uniform(rng, 5, 200);
            leg.LegCourse = Uniform(rng, 0, 360);
        }
        low.Add(node, legs);
    }
    WriteFileBytes(data / "LowAlt.ab1", EncodeAirwayNetwork(low));

    // The airport database: every airport with one to six runways, listed in
    // reverse so that no lookup is won at the first record; the altitude list
    // with about 20,000 entries, the timetable's airports among them.
    std::vector<NavennaAirportRecord> database;
    std::vector<NavennaValuesRecord> values;
    std::vector<NavennaRunwayRecord> runways;
    std::string altitudes;
    std::size_t listed = 0;
    for (std::size_t j = airports.size(); j-- > 0;) {
        const NavAirport& a = airports[j];
        NavennaAirportRecord record;
        record.ICAO = a.ICAO;
        record.ValuesPos = static_cast<std::int32_t>(values.size() * NavennaValuesRecordLength + 1);
        record.RunwayPos = static_cast<std::int32_t>(runways.size() * NavennaRunwayRecordLength + 1);
        record.RunwayCount = static_cast<std::int32_t>(rng() % 6 + 1);
        database.push_back(record);
        NavennaValuesRecord v;
        for (float& f : v.Values) f = Uniform(rng, 108, 137);
        values.push_back(v);
        for (std::int32_t k = 0; k < record.RunwayCount; ++k) {
            NavennaRunwayRecord r;
            r.RunwayIdent = Named("", static_cast<std::uint64_t>(k + 1));
            r.Heading = Uniform(rng, 0, 360);
            r.HeadingOffset = Uniform(rng, -20, 20);
            std::string ils("I");
            ils += Letters(j, 3);
            r.IlsText = k % 2 ? ils : "";
            r.IlsValue = k % 2 ? Uniform(rng, 108, 112) : 0;
            runways.push_back(r);
        }
        if (listed < 22001 && (a.ICAO.View()[0] == 'K' || j % 2 == 0)) {
            altitudes += a.ICAO.Str() + "," + std::to_string(a.Altitude) + "\r\n";
            ++listed;
        }
    }
    WriteFileBytes(data / "nv_apt1.nv2", EncodeNavennaAirports(database));
    WriteFileBytes(data / "nv_apt2.nv2", EncodeNavennaValues(values));
    WriteFileBytes(data / "nv_apt3.nv2", EncodeNavennaRunways(runways));
    WriteFileBytes(data / "Altitudes.txt",
                   std::span(reinterpret_cast<const std::uint8_t*>(altitudes.data()), altitudes.size()));
}

fs::path ScratchFolder(const char* prefix) {
    fs::path folder = fs::temp_directory_path() / (prefix + std::to_string(std::random_device{}()));
    fs::create_directories(folder);
    return folder;
}

}  // namespace tarnwell::bench
