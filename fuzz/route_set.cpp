// `check` and `dump` of a route set made from the input: index.kr1,
// routes.kr1, airline.kr1, arrivals.kr1, APT.kr1 and PLANS.kr1 in turn
// (fuzz/FuzzSupport.h, SplitFiles; a file the input does not reach is
// missing), beside the sample's navigation files, which plan entries refer to.
// The check reports problems and never throws for a valid set name; when it
// finds none, every file must dump.

#include <array>
#include <sstream>

#include "FuzzSupport.h"
#include "examine/RouteSetCheck.h"
#include "examine/RouteSetDump.h"

using namespace tarnwell;

namespace {

constexpr std::array<const char*, 6> FileNames = {"index.kr1", "routes.kr1", "airline.kr1",
                                                  "arrivals.kr1", "APT.kr1", "PLANS.kr1"};

void CopySampleNavigation() {
    static const bool copied = [] {
        for (const char* name : {"HighAlt.ab1", "nav_VOR.bin", "nav_NDB.bin", "nav_ISC.bin"})
            std::filesystem::copy_file(std::filesystem::path(TARNWELL_SAMPLE_DIR) / "Data" / name,
                                       fuzz::Scratch() / "Data" / name,
                                       std::filesystem::copy_options::overwrite_existing);
        return true;
    }();
    (void)copied;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CopySampleNavigation();
    const std::vector<fuzz::Input> files = fuzz::SplitFiles({data, size});
    for (std::size_t k = 0; k < FileNames.size(); ++k) {
        const std::string relative = std::string("Data/Fuzz/") + FileNames[k];
        if (k < files.size())
            fuzz::WriteScratch(relative, files[k]);
        else
            fuzz::RemoveScratch(relative);
    }
    const RouteSetCheckResult checked = CheckRouteSet(fuzz::Scratch(), "Fuzz");
    for (const std::string_view name : DumpableRouteSetFiles()) {
        std::ostringstream out;
        const bool dumped = fuzz::Tolerate([&] { DumpRouteSetFile(fuzz::Scratch(), "Fuzz", std::string(name), out); });
        fuzz::Require(dumped || !checked.problems.empty(), "every file of a route set the check passes dumps");
    }
    return 0;
}
