// Times the building of flight plans between random airports, one plan after
// another with one search state, as the compile builds them (without writing
// the plan files).
//
//   tarnwell_bench plans [FOLDER] [--pairs N] [--seed N] [--city-pairs FILE]
//
// FOLDER is a program folder whose Data folder holds nav_APT.bin, nav_VOR.bin,
// nav_NDB.bin, nav_ISC.bin and HighAlt.ab1 (default: the compile benchmark's
// generated database, written to a scratch folder that is removed
// afterwards). It is only read. The city pairs
// join random airports inside the box of the high-altitude network's nodes
// (default 2,000 pairs, seed 1), or are those of FILE, a compile's
// Data/UniqueRoutes.txt, in its order.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "common/Errors.h"
#include "navdata/NavDataFiles.h"
#include "navdata/NavigationData.h"
#include "plans/PlanBuilder.h"
#include "plans/AirwaySearch.h"
#include "plans/CityPairs.h"
#include "plans/SearchState.h"
#include "geo/GreatCircle.h"

namespace fs = std::filesystem;

namespace tarnwell::bench {

namespace {

struct Options {
    std::optional<fs::path> folder;
    int pairs = 2000;
    unsigned seed = 1;
    std::optional<fs::path> cityPairs;
};

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options o;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--pairs" || arg == "--seed") && i + 1 < argc) {
            const unsigned long value = std::strtoul(argv[++i], nullptr, 10);
            if (arg == "--seed") {
                o.seed = static_cast<unsigned>(value);
            } else {
                if (value < 1 || value > UniqueRouteCapacity) return std::nullopt;
                o.pairs = static_cast<int>(value);
            }
        } else if (arg == "--city-pairs" && i + 1 < argc) {
            o.cityPairs = argv[++i];
        } else if (!arg.starts_with("--") && !o.folder) {
            o.folder = arg;
        } else {
            return std::nullopt;
        }
    }
    return o;
}

// The latitude and longitude box of a network's nodes.
struct Box {
    float south = 90, north = -90, west = 180, east = -180;
    bool Contains(float lat, float lon) const { return lat >= south && lat <= north && lon >= west && lon <= east; }
};

Box NodeBox(const AirwayNetwork& network) {
    Box box;
    for (std::int32_t i = 1; i <= network.Count(); ++i) {
        const AirwayNode& n = network.Node(i);
        box.south = std::min(box.south, n.Latitude);
        box.north = std::max(box.north, n.Latitude);
        box.west = std::min(box.west, n.Longitude);
        box.east = std::max(box.east, n.Longitude);
    }
    return box;
}

std::string LatLon(float value, char positive, char negative) {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f %c", std::fabs(value), value < 0 ? negative : positive);
    return text;
}

float Miles(const NavAirport& a, const NavAirport& b) {
    float course = 0.0f;
    try {
        return GetDistance(a.Latitude, a.Longitude, b.Latitude, b.Longitude, course);
    } catch (const TarnwellError&) {
        return NAN;
    }
}

// What became of one plan.
struct PlanFigure {
    std::int32_t number = 0;
    double ms = 0;
    bool built = false;
    bool pointToPoint = false;
    std::int16_t searches = 0;  // airway searches run
    bool visitLimit = false;    // the last search stopped at the visited list's capacity
    float strayMiles = 0;       // how far from the target node an airway route ends at another node of its name
    std::string failure;
};

std::string Outcome(const PlanFigure& f) {
    if (!f.built) return "failed";
    if (f.pointToPoint) return "point-to-point after 4 airway searches";
    return "airway search " + std::to_string(f.searches);
}

double Percent(std::size_t part, std::size_t whole) {
    return whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

// A port whose clock also times each airway search: a search starts with
// the clock reading that follows a new search number, and lasts until the
// last reading before the next one (the search reads the clock at every leg
// it considers, so nothing of note happens after its last reading). Like
// the program's tick clock it reads the steady clock only every few calls,
// and afresh at the start of each search.
class SearchTimingPort : public ClockPort, public Clock {
public:
    explicit SearchTimingPort(const SearchState& finder) : finder_(finder) {}

    std::uint32_t GetTickCount() override {
        const bool newSearch = finder_.SearchNumber != search_;
        if (newSearch || readsLeft_-- == 0) {
            readsLeft_ = 31;
            now_ = static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                  std::chrono::steady_clock::now() - start_)
                                                  .count());
        }
        if (newSearch) {
            EndSearch();
            search_ = finder_.SearchNumber;
            first_ = now_;
        }
        last_ = now_;
        return now_;
    }
    void EndSearch() {
        if (search_ == 0) return;
        const std::uint32_t ms = last_ - first_;
        slowestMs = std::max(slowestMs, ms);
        if (ms >= static_cast<std::uint32_t>(SearchTimeLimitMs)) ++reachedLimit;
        ++searches;
        search_ = 0;
    }

    std::uint32_t slowestMs = 0;
    std::size_t searches = 0;
    std::size_t reachedLimit = 0;

private:
    const SearchState& finder_;
    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    int readsLeft_ = 0;
    std::uint32_t now_ = 0;
    std::uint32_t search_ = 0;
    std::uint32_t first_ = 0, last_ = 0;
};

}  // namespace

int PlanBench(int argc, char** argv) {
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr,
                     "usage: tarnwell_bench plans [FOLDER] [--pairs N (1 to %d)] [--seed N] [--city-pairs FILE]\n",
                     UniqueRouteCapacity);
        return 2;
    }
    const fs::path scratch = ScratchFolder("tarnwell-plans-");
    const struct RemovedAtEnd {
        const fs::path& path;
        ~RemovedAtEnd() {
            std::error_code ec;
            fs::remove_all(path, ec);
        }
    } removeScratch{scratch};
    const fs::path folder = options->folder.value_or(scratch);
    if (!options->folder) {
        fs::create_directories(scratch / "Data");
        WriteNavData(scratch / "Data", 3000);
    }

    SearchState search;
    SearchTimingPort port(search);
    std::shared_ptr<const NavigationData> loaded;
    const auto loadStart = std::chrono::steady_clock::now();
    try {
        loaded = LoadNavigationData(folder / "Data", LoadNavAirports(folder / "Data"), port);
    } catch (const TarnwellError& e) {
        std::fprintf(stderr, "%s: %s\n", folder.string().c_str(), e.what());
        return 1;
    }
    const double loadSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - loadStart).count();
    const NavigationData& nav = *loaded;
    if (nav.HighNodeCount() == 0) {
        std::fprintf(stderr, "%s: no high-altitude airway network (Data/HighAlt.ab1)\n", folder.string().c_str());
        return 1;
    }

    // The airports a plan may join: inside the network's box, and the first
    // of their code (a plan finds its airports by code).
    const Box box = NodeBox(nav.HighNodes);
    std::vector<std::int32_t> airports;
    for (std::int32_t i = 0; i <= nav.NavAirportMax(); ++i) {
        const NavAirport& a = nav.NavAirports[static_cast<std::size_t>(i)];
        if (box.Contains(a.Latitude, a.Longitude) && !a.ICAO.IsBlank() && nav.FindNavAirport(a.ICAO) == i)
            airports.push_back(i);
    }
    if (airports.size() < 2) {
        std::fprintf(stderr, "%s: fewer than two airports inside the network's box\n", folder.string().c_str());
        return 1;
    }

    std::mt19937 rng(options->seed);
    std::vector<UniqueRoute> uniqueRoutes(1);
    std::vector<float> miles;
    if (options->cityPairs) {
        try {
            uniqueRoutes = LoadUniqueRoutes(*options->cityPairs);
        } catch (const TarnwellError& e) {
            std::fprintf(stderr, "%s: %s\n", options->cityPairs->string().c_str(), e.what());
            return 1;
        }
        if (UniqueRouteCount(uniqueRoutes) == 0) {
            std::fprintf(stderr, "%s: no city pairs\n", options->cityPairs->string().c_str());
            return 1;
        }
        // (FindNavAirport gives 0 both for the first airport and for none.)
        const auto airport = [&](const FixedText<4>& icao) -> const NavAirport* {
            const NavAirport& a = nav.NavAirports[static_cast<std::size_t>(nav.FindNavAirport(icao))];
            return a.ICAO == icao ? &a : nullptr;
        };
        for (std::int32_t p = 1; p <= UniqueRouteCount(uniqueRoutes); ++p) {
            const UniqueRoute& route = uniqueRoutes[static_cast<std::size_t>(p)];
            const NavAirport* from = airport(route.OriginICAO);
            const NavAirport* to = airport(route.DestinationICAO);
            miles.push_back(from && to ? Miles(*from, *to) : NAN);
        }
    }
    for (std::int32_t p = 1; !options->cityPairs && p <= options->pairs; ++p) {
        const auto a = static_cast<std::size_t>(rng() % airports.size());
        auto b = static_cast<std::size_t>(rng() % (airports.size() - 1));
        if (b >= a) ++b;
        const NavAirport& from = nav.NavAirports[static_cast<std::size_t>(airports[a])];
        const NavAirport& to = nav.NavAirports[static_cast<std::size_t>(airports[b])];
        UniqueRoute route;
        route.PlanNumber = p;
        route.Origin = from.ICAO.View().substr(1);
        route.Destination = to.ICAO.View().substr(1);
        route.OriginICAO = from.ICAO;
        route.DestinationICAO = to.ICAO;
        uniqueRoutes.push_back(route);
        miles.push_back(Miles(from, to));
    }

    std::vector<PlanFigure> figures;
    const std::int32_t count = UniqueRouteCount(uniqueRoutes);
    const auto start = std::chrono::steady_clock::now();
    for (std::int32_t i = 1; i <= count; ++i) {
        const UniqueRoute& route = uniqueRoutes[static_cast<std::size_t>(i)];
        port.SetStatus("Currently Building Plan " + std::to_string(i) + " of " + std::to_string(count) + " Plans.  " +
                           route.OriginICAO.Str() + " to " + route.DestinationICAO.Str(),
                       StatusKind::Progress);
        const auto planStart = std::chrono::steady_clock::now();
        const PlanBuildResult result = BuildPlan(nav, search, port, route);
        PlanFigure f;
        f.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - planStart).count();
        f.number = i;
        f.built = result.built;
        f.pointToPoint = search.Mode == RouteMode::PointToPoint;
        f.searches = search.AirwaySearches;
        f.visitLimit = search.VisitCount >= VisitedCapacity;
        f.failure = result.failure;
        const SearchState& finder = search;
        if (f.built && !f.pointToPoint && finder.RouteCount > 1) {
            const AirwayNode& last = nav.HighNodes.Node(finder.RouteEntries[static_cast<std::size_t>(finder.RouteCount)].RouteRef);
            if (last.Latitude != finder.TargetLat || last.Longitude != finder.TargetLon) {
                float course = 0.0f;
                f.strayMiles = GetDistance(last.Latitude, last.Longitude, finder.TargetLat, finder.TargetLon, course);
            }
        }
        figures.push_back(std::move(f));
    }
    const double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    port.EndSearch();

    std::size_t bySearch[5] = {};  // [0]: by the point-to-point planner
    std::size_t failed = 0;
    std::size_t overLimit = 0;
    std::size_t visitLimit = 0;
    std::size_t strays = 0;
    float farthestStray = 0;
    std::set<std::string> failures;
    for (const PlanFigure& f : figures) {
        if (!f.built) {
            ++failed;
            failures.insert(f.failure);
        } else {
            ++bySearch[f.pointToPoint ? 0 : std::clamp<std::size_t>(static_cast<std::size_t>(f.searches), 1, 4)];
        }
        if (f.ms >= SearchTimeLimitMs) ++overLimit;
        if (f.visitLimit) ++visitLimit;
        if (f.strayMiles > 0) ++strays;
        farthestStray = std::max(farthestStray, f.strayMiles);
    }

    // Plan times in order, of all plans or of those whose airports lie within a distance band.
    const auto sortedMs = [&](float nearest, float farthest) {
        std::vector<double> ms;
        for (const PlanFigure& f : figures) {
            const float d = miles[static_cast<std::size_t>(f.number - 1)];
            if (d >= nearest && d < farthest) ms.push_back(f.ms);
        }
        std::sort(ms.begin(), ms.end());
        return ms;
    };
    const auto quantile = [](const std::vector<double>& ms, double q) {
        return ms.empty() ? NAN : ms[static_cast<std::size_t>(q * static_cast<double>(ms.size() - 1))];
    };
    const std::vector<double> ms = sortedMs(-INFINITY, INFINITY);
    std::vector<float> sortedMiles = miles;
    std::erase_if(sortedMiles, [](float d) { return std::isnan(d); });
    std::sort(sortedMiles.begin(), sortedMiles.end());
    const PlanFigure& slowest =
        *std::max_element(figures.begin(), figures.end(), [](const auto& a, const auto& b) { return a.ms < b.ms; });
    const UniqueRoute& slowRoute = uniqueRoutes[static_cast<std::size_t>(slowest.number)];
    std::size_t legs = 0;
    for (std::int32_t i = 1; i <= nav.HighNodeCount(); ++i) legs += nav.HighNodes.Legs(i).size();

    std::printf("Flight plans over %s\n",
                options->folder ? folder.string().c_str() : "the generated database (as the compile benchmark's)");
    std::printf("  high-altitude network: %d nodes, %zu legs, %s to %s, %s to %s\n", nav.HighNodeCount(), legs,
                LatLon(box.south, 'N', 'S').c_str(), LatLon(box.north, 'N', 'S').c_str(),
                LatLon(box.west, 'E', 'W').c_str(), LatLon(box.east, 'E', 'W').c_str());
    std::printf("  %zu airports (%zu codes inside the network's box), %zu VORs, %zu NDBs, %zu intersections; loaded in %.3f s\n",
                nav.NavAirports.size(), airports.size(), nav.Vors.size(), nav.Ndbs.size(),
                nav.Intersections.size(), loadSeconds);
    std::printf("  %d plans between %s (median %.0f NM apart): %.3f s, %.1f plans/s\n", count,
                options->cityPairs ? ("the city pairs of " + options->cityPairs->string()).c_str() : "random airports",
                sortedMiles.empty() ? NAN : sortedMiles[sortedMiles.size() / 2], total, count / total);
    std::printf("  made by airway search 1: %.1f%%, 2: %.1f%%, 3: %.1f%%, 4: %.1f%%, point-to-point: %.1f%%; failed: %zu\n",
                Percent(bySearch[1], figures.size()), Percent(bySearch[2], figures.size()),
                Percent(bySearch[3], figures.size()), Percent(bySearch[4], figures.size()),
                Percent(bySearch[0], figures.size()), failed);
    for (const std::string& reason : failures) std::printf("    failure: %s\n", reason.c_str());
    std::printf("  airway routes ending at another node named like the target node: %zu", strays);
    if (strays > 0) std::printf(" (up to %.0f NM from it)", farthestStray);
    std::printf("\n");
    std::printf("  per plan: median %.2f ms, 90th percentile %.2f ms, 99th percentile %.2f ms; %zu plans took %d ms or "
                "more, %zu ended on a search stopped at the %d-visit limit\n",
                quantile(ms, 0.5), quantile(ms, 0.9), quantile(ms, 0.99), overLimit, SearchTimeLimitMs, visitLimit,
                VisitedCapacity);
    std::printf("  by distance between the airports:\n");
    const float bands[] = {0, 500, 1500, 3000, INFINITY};
    for (std::size_t b = 0; b + 1 < std::size(bands); ++b) {
        const std::vector<double> band = sortedMs(bands[b], bands[b + 1]);
        if (band.empty()) continue;
        std::string range = std::to_string(static_cast<int>(bands[b]));
        range += std::isinf(bands[b + 1]) ? "+" : "-";
        if (!std::isinf(bands[b + 1])) range += std::to_string(static_cast<int>(bands[b + 1]));
        const double seconds = std::accumulate(band.begin(), band.end(), 0.0) / 1000;
        std::printf("    %-12s %5zu plans, median %.2f ms, %.1f plans/s\n", (range + " NM").c_str(), band.size(),
                    quantile(band, 0.5), static_cast<double>(band.size()) / seconds);
    }
    std::printf("  slowest: plan %d, %s to %s (%.0f NM), %.1f ms (%s)\n", slowest.number,
                slowRoute.OriginICAO.Str().c_str(), slowRoute.DestinationICAO.Str().c_str(),
                miles[static_cast<std::size_t>(slowest.number - 1)], slowest.ms, Outcome(slowest).c_str());
    std::printf("  slowest single airway search: %u ms of the %d ms limit; %zu of %zu searches reached the limit\n",
                port.slowestMs, SearchTimeLimitMs, port.reachedLimit, port.searches);
    return 0;
}

}  // namespace tarnwell::bench
