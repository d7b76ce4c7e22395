// The altitude list Data/Altitudes.txt.

#include "FuzzSupport.h"
#include "navdata/AirportDatabaseFiles.h"

using namespace tarnwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::WriteScratch(std::string("Data/") + AltitudeFileName, {data, size});
    fuzz::Tolerate([] { LoadAltitudes(fuzz::Scratch() / "Data"); });
    return 0;
}
