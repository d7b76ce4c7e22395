// The real-world route set Data/Defaults/Routes.kr1 and index.kr1 as the
// merge reads them (the input holds both, fuzz/FuzzSupport.h, SplitFiles),
// and the add file made of them for the airlines of its first routes, which
// the next compile must be able to read.

#include <algorithm>

#include "FuzzSupport.h"
#include "realworld/DefaultRouteSet.h"
#include "realworld/RealWorldMerge.h"
#include "records/RecordLayouts.h"
#include "timetable/TimetableFile.h"

using namespace tarnwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<fuzz::Input> files = fuzz::SplitFiles({data, size});
    const auto routesPath = fuzz::WriteScratch(std::string("Data/Defaults/") + DefaultRoutesName, files[0]);
    const auto indexPath = fuzz::WriteScratch(std::string("Data/Defaults/") + DefaultIndexName,
                                              files.size() > 1 ? files[1] : fuzz::Input{});
    std::vector<RouteRecord> routes;
    std::vector<IndexAirportRecord> index;
    if (!fuzz::Tolerate([&] {
            routes = DecodeRouteFile(ReadRealWorldFile(routesPath), "Routes.kr1");
            index = DecodeIndexFile(ReadRealWorldFile(indexPath), "index.kr1");
        }))
        return 0;

    // The airlines of the first routes; the airports every other route leaves from.
    std::vector<std::string> chosen;
    for (std::size_t k = 0; k < std::min<std::size_t>(routes.size(), 3); ++k)
        chosen.emplace_back(routes[k].Airline.Trimmed());
    std::vector<FixedText<3>> airports;
    for (std::size_t k = 0; k < routes.size(); k += 2) airports.push_back(routes[k].Origin);
    std::ranges::sort(airports);
    airports.erase(std::unique(airports.begin(), airports.end()), airports.end());

    const std::vector<std::int32_t> selected = SelectRealWorldRoutes(routes, chosen, airports);
    fuzz::QuietProgress progress;
    MergeAddFile add;
    if (!fuzz::Tolerate([&] { add = MakeAddFile(routes, index, "Routes.kr1", chosen, airports, progress); })) return 0;
    fuzz::Require(add.addedRoutes == static_cast<std::int32_t>(selected.size()), "the add file holds every selected route");
    const std::vector<ScheduleRecord> flights = ReadScheduleText(AddFileName, add.text, false);
    fuzz::Require(flights.size() == selected.size(), "the compile reads every flight of the add file");
    return 0;
}
