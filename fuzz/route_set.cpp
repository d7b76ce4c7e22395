// `check` and `dump` of a route set made from the input: index.kr1,
// routes.kr1, airline.kr1, arrivals.kr1, APT.kr1 and PLANS.kr1 in turn
// (fuzz/FuzzSupport.h, SplitFiles; a file the input does not reach is
// missing), beside the sample's navigation files, which plan entries refer to.
// The check reports problems and never throws for a valid set name; when it
// finds none, every file must dump.

#include <sstream>

#include "FuzzSupport.h"
#include "examine/RouteSetCheck.h"
#include "examine/RouteSetDump.h"

using namespace tarnwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::WriteFuzzRouteSet(fuzz::SplitFiles({data, size}));
    const RouteSetCheckResult checked = CheckRouteSet(fuzz::Scratch(), "Fuzz");
    for (const std::string_view name : DumpableRouteSetFiles()) {
        std::ostringstream out;
        const bool dumped = fuzz::Tolerate([&] { DumpRouteSetFile(fuzz::Scratch(), "Fuzz", std::string(name), out); });
        fuzz::Require(dumped || !checked.problems.empty(), "every file of a route set the check passes dumps");
    }
    return 0;
}
