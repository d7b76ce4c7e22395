// Data/UniqueRoutes.txt, the city pairs a compile writes and reads back.

#include "FuzzSupport.h"
#include "plans/CityPairs.h"

using namespace tarnwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto path = fuzz::WriteScratch(std::string("Data/") + UniqueRoutesFileName, {data, size});
    fuzz::Tolerate([&] { LoadUniqueRoutes(path); });
    return 0;
}
