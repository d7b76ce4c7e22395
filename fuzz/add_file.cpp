// The add file the merge leaves in Data/Defaults, read from its place as the
// compile reads it (a blank Equipment stays blank).

#include "FuzzSupport.h"
#include "timetable/TimetableFile.h"

using namespace tarnwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto path = fuzz::WriteScratch(std::string("Data/Defaults/") + AddFileName, {data, size});
    fuzz::Tolerate([&] { ReadScheduleFile(path, false); });
    return 0;
}
