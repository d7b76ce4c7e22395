// The timetable (.KRX) as the compile reads it, from text in memory.

#include "FuzzSupport.h"
#include "timetable/TimetableFile.h"

using namespace tarnwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = fuzz::Text({data, size});
    fuzz::Tolerate([&] { ReadScheduleText("fuzz.KRX", text, true); });
    return 0;
}
