// The airline CSV that import-airlines turns into the real-world airline
// list; what it gives must store and load back unchanged.

#include "FuzzSupport.h"
#include "realworld/AirlineCsv.h"
#include "records/RecordLayouts.h"

using namespace tarnwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = fuzz::Text({data, size});
    std::vector<AirlineRecord> airlines;
    if (!fuzz::Tolerate([&] { airlines = ParseAirlineCsv("airlines.csv", text); })) return 0;
    fuzz::Require(DecodeAirlineFile(EncodeAirlineFile(airlines), "airline.kr1") == airlines,
                  "the airline list made from a CSV loads back as it was stored");
    return 0;
}
