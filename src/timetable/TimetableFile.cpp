#include "timetable/TimetableFile.h"

#include <array>

#include "common/Errors.h"
#include "common/TextFile.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

constexpr std::array<const char*, 24> FieldNames = {
    "Origin",      "Destination", "OriginICAO",  "DestinationICAO", "Airline", "FlightNumber",
    "Equipment",   "DepartTime",  "ArriveTime",  "Day1",            "Day2",    "Day3",
    "Day4",        "Day5",        "Day6",        "Day7",            "LetterFlagX", "LetterFlagY",
    "LetterFlagZ", "Mask16",      "Mask8",       "Mask1",           "Mask2",   "Mask4"};

class FlightReader {
public:
    explicit FlightReader(FieldReader& in) : in_(in) {}

    ScheduleRecord Read(std::int64_t flight) {
        flight_ = flight;
        field_ = 0;
        ScheduleRecord r;
        r.Origin = Text();
        r.Destination = Text();
        r.OriginICAO = Text();
        r.DestinationICAO = Text();
        r.Airline = Text();
        r.FlightNumber = Number();
        r.Equipment = Text();
        r.DepartTime = Number();
        r.ArriveTime = Number();
        for (std::int16_t* day : {&r.Day1, &r.Day2, &r.Day3, &r.Day4, &r.Day5, &r.Day6, &r.Day7}) *day = Number();
        r.LetterFlagX = Number();
        r.LetterFlagY = Number();
        r.LetterFlagZ = Number();
        r.Mask16 = Number();
        r.Mask8 = Number();
        r.Mask1 = Number();
        r.Mask2 = Number();
        r.Mask4 = Number();
        return r;
    }

private:
    FieldReader::Field NextField() {
        ++field_;
        if (in_.AtEnd())
            throw TarnwellError(ErrorKind::Input,
                                "the file ends in the middle of a flight (" + std::to_string(field_ - 1) +
                                    " of its 24 fields were read)",
                                {in_.Label(), in_.Line(), field_, FieldNames[static_cast<std::size_t>(field_ - 1)],
                                 flight_});
        return in_.Next();
    }
    std::string_view Text() { return NextField().text; }
    std::int16_t Number() {
        const auto f = NextField();
        std::int16_t v = 0;
        if (!ParseInt16(f.text, v))
            throw TarnwellError(ErrorKind::Input,
                                "\"" + std::string(f.text) + "\" is not a whole number from -32768 to 32767",
                                {in_.Label(), f.line, field_, FieldNames[static_cast<std::size_t>(field_ - 1)],
                                 flight_});
        return v;
    }

    FieldReader& in_;
    std::int64_t flight_ = 0;
    int field_ = 0;
};

std::vector<ScheduleRecord> ReadFlights(FieldReader in, bool isTimetable) {
    std::vector<ScheduleRecord> flights;
    FlightReader reader(in);
    while (!in.AtEnd()) {
        if (static_cast<std::int64_t>(flights.size()) >= ScheduleCapacity)
            throw TarnwellError(ErrorKind::Overflow,
                                "more than " + std::to_string(ScheduleCapacity) + " flights; the schedule holds at most " +
                                    std::to_string(ScheduleCapacity),
                                {in.Label(), in.Line(), {}, {}, static_cast<std::int64_t>(flights.size())});
        ScheduleRecord r = reader.Read(static_cast<std::int64_t>(flights.size()));
        if (isTimetable && r.Equipment.IsBlank()) r.Equipment = "734";
        flights.push_back(r);
    }
    return flights;
}

}  // namespace

std::vector<ScheduleRecord> ReadScheduleText(std::string label, std::string content, bool isTimetable) {
    return ReadFlights(FieldReader(std::move(label), std::move(content)), isTimetable);
}

std::vector<ScheduleRecord> ReadScheduleFile(const fs::path& path, bool isTimetable) {
    return ReadFlights(FieldReader::FromFile(path), isTimetable);
}

void WriteScheduleLine(TextLineWriter& out, const ScheduleRecord& r) {
    out.Text(r.Origin.View());
    out.Text(r.Destination.View());
    out.Text(r.OriginICAO.View());
    out.Text(r.DestinationICAO.View());
    out.Text(r.Airline.View());
    out.Number(r.FlightNumber);
    out.Text(r.Equipment.View());
    for (const std::int16_t n : {r.DepartTime, r.ArriveTime, r.Day1, r.Day2, r.Day3, r.Day4, r.Day5, r.Day6, r.Day7,
                                 r.LetterFlagX, r.LetterFlagY, r.LetterFlagZ, r.Mask16, r.Mask8, r.Mask1, r.Mask2,
                                 r.Mask4})
        out.Number(n);
    out.EndLine();
}

}  // namespace tarnwell
