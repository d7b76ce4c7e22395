// A virtual-airline manager's flight export and, after the separator of
// fuzz/FuzzSupport.h (SplitFiles), its airport export, converted into a
// timetable as import-timetable does. Bad rows are reported, never thrown;
// a conversion without problems writes a timetable that reads back as the
// same flights.

#include "FuzzSupport.h"
#include "timetable/PhpVmsAirports.h"
#include "timetable/PhpVmsFlights.h"
#include "timetable/TimetableFile.h"

using namespace tarnwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<fuzz::Input> files = fuzz::SplitFiles({data, size});
    if (files.empty()) return 0;
    AirportCodes codes;
    if (files.size() > 1) fuzz::Tolerate([&] { codes = ParsePhpVmsAirports("airports.csv", fuzz::Text(files[1])); });
    PhpVmsConversion converted;
    if (!fuzz::Tolerate([&] { converted = ConvertPhpVmsFlights("flights.csv", fuzz::Text(files[0]), LookupIn(codes)); }))
        return 0;
    if (!converted.Ok() || converted.flights.empty()) return 0;
    // A flight without an aircraft type is written blank, which the
    // timetable reader takes as "734".
    std::vector<ScheduleRecord> expected = converted.flights;
    for (ScheduleRecord& flight : expected)
        if (flight.Equipment.IsBlank()) flight.Equipment = "734";
    const std::string timetable = TimetableText(converted.flights);
    fuzz::Require(ReadScheduleText("import.KRX", timetable, true) == expected,
                  "a converted timetable reads back as the same flights");
    return 0;
}
