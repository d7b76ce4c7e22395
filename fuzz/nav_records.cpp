// The fixed-record navigation files nav_APT.bin, nav_VOR.bin, nav_NDB.bin
// and nav_ISC.bin: the input is tried as each. What decodes must encode back
// to the same bytes, and the tables must bundle into the navigation data the
// planner searches.

#include <algorithm>
#include <cmath>

#include "FuzzSupport.h"
#include "navdata/NavRecords.h"
#include "navdata/NavigationData.h"

using namespace tarnwell;

namespace {

template <typename Decode, typename Encode>
auto RoundTrip(fuzz::Input bytes, Decode decode, Encode encode) {
    decltype(decode(bytes, std::string())) records;
    if (fuzz::Tolerate([&] { records = decode(bytes, "fuzz.bin"); }))
        fuzz::Require(std::ranges::equal(encode(records), bytes), "a navigation file encodes back as it was read");
    return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Input bytes(data, size);
    auto airports = RoundTrip(bytes, DecodeNavAirports, EncodeNavAirports);
    auto aids = RoundTrip(bytes, DecodeNavAids, EncodeNavAids);
    auto intersections = RoundTrip(bytes, DecodeIntersections, EncodeIntersections);

    const FixedText<4> first = airports.empty() ? FixedText<4>("EGLL") : airports.front().ICAO;
    const NavigationData nav(std::move(airports), aids, aids, std::move(intersections), {}, {});
    fuzz::Require(nav.FindNavAirport(first) == FindNavAirportByScan(nav.NavAirports, first),
                  "the airport lookup finds what a scan finds");
    if (!nav.Vors.empty() && !std::isnan(nav.Vors[0].Latitude) && !std::isnan(nav.Vors[0].Longitude)) {
        const NavAid& aid = nav.Vors[0];
        bool found = false;
        nav.VorGrid.ForEachInBox(aid.Latitude - 1, aid.Latitude + 1, aid.Longitude - 1, aid.Longitude + 1,
                                 [&](const NavaidGrid::Point& p) { found = found || p.Index == 0; });
        fuzz::Require(found, "a navaid lies in the box around it");
    }
    return 0;
}
