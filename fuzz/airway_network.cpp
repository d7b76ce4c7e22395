// An airway network file (HighAlt.ab1 or LowAlt.ab1). What decodes must
// encode back to the same bytes; the nearest-node index must answer as the
// node-by-node scan does, and a flight plan over the network must be built or
// refused, never anything else.

#include <algorithm>
#include <optional>

#include "FuzzSupport.h"
#include "navdata/AirwayNetwork.h"
#include "navdata/NavigationData.h"
#include "navdata/NearestNodeIndex.h"
#include "plans/PlanBuilder.h"

using namespace tarnwell;

namespace {

// A clock that moves on a millisecond at every reading, so that every airway
// search meets its time limit after a bounded amount of work.
class SteppingClock : public Clock {
public:
    std::uint32_t GetTickCount() override { return ++ticks_; }

private:
    std::uint32_t ticks_ = 0;
};

// The nearest node, or nothing when the search gave up with a TarnwellError.
template <typename Find>
std::optional<std::int32_t> NearestOrFault(Find find) {
    std::optional<std::int32_t> node;
    fuzz::Tolerate([&] { node = find(); });
    return node;
}

NavAirport Airport(const char* code, float latitude, float longitude) {
    NavAirport a;
    a.ICAO = code;
    a.Latitude = latitude;
    a.Longitude = longitude;
    return a;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Input bytes(data, size);
    AirwayNetwork network;
    if (!fuzz::Tolerate([&] { DecodeAirwayNetwork(bytes, "HighAlt.ab1", HighNodeCapacity, network); })) return 0;
    fuzz::Require(std::ranges::equal(EncodeAirwayNetwork(network), bytes), "a network encodes back as it was read");
    if (network.Count() == 0) return 0;

    const AirwayNode first = network.Node(1), last = network.Node(network.Count());
    NearestNodeIndex index;
    index.Build(network);
    for (const AirwayNode* near : {&first, &last}) {
        const float lat = near->Latitude + 0.25f, lon = near->Longitude - 0.25f;
        fuzz::Require(NearestOrFault([&] { return index.Nearest(network, lat, lon); }) ==
                          NearestOrFault([&] { return NearestNodeByScan(network, lat, lon); }),
                      "the nearest-node index answers as the scan does");
    }

    // A trip between airports beside the first and the last node.
    NavAid vor;
    vor.Ident = "VOR";
    vor.Latitude = (first.Latitude + last.Latitude) / 2;
    vor.Longitude = (first.Longitude + last.Longitude) / 2;
    Intersection fix;
    fix.Ident = "FIXIT";
    fix.Latitude = vor.Latitude + 0.5f;
    fix.Longitude = vor.Longitude;
    const NavigationData nav(
        {Airport("AAAA", first.Latitude + 0.1f, first.Longitude), Airport("BBBB", last.Latitude, last.Longitude - 0.1f)},
        {vor}, {vor}, {fix}, std::move(network), {});
    UniqueRoute trip;
    trip.PlanNumber = 1;
    trip.Origin = "AAA";
    trip.Destination = "BBB";
    trip.OriginICAO = "AAAA";
    trip.DestinationICAO = "BBBB";
    SearchState state;
    SteppingClock clock;
    BuildPlan(nav, state, clock, trip);
    return 0;
}
