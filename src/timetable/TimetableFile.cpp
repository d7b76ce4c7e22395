#include "timetable/TimetableFile.h"

#include <array>
#include <system_error>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "common/TextFile.h"
#include "timetable/ScheduleOrder.h"
#include "compile/Port.h"
#include "compile/ProgramState.h"

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

namespace {

void ClearScheduleTables(ProgramState& state) {
    state.Schedule.clear();
    state.AddSchedule.clear();
    state.Routes.clear();
    state.HasAddSchedule = false;
}

// One route slot per flight read, added ones included.
void FillScheduleTables(ProgramState& state, std::vector<ScheduleRecord> flights, std::vector<ScheduleRecord> added) {
    state.Schedule = std::move(flights);
    state.AddSchedule = std::move(added);
    state.HasAddSchedule = !state.AddSchedule.empty();
    state.Routes.assign(state.Schedule.size() + state.AddSchedule.size(), RouteRecord{});
}

TarnwellError NoFlightError(const fs::path& timetable) {
    return TarnwellError(ErrorKind::Input, "the timetable holds no flight", {PathText(timetable)});
}

}  // namespace

void GetVAData(ProgramState& state, Port&, const fs::path& timetable) {
    ClearScheduleTables(state);

    const fs::path addFile = state.DefaultsFolder() / AddFileName;
    std::error_code ec;
    const bool addFileWaiting = fs::is_regular_file(addFile, ec);
    std::vector<ScheduleRecord> added;
    if (addFileWaiting) added = ReadScheduleFile(addFile, false);

    std::vector<ScheduleRecord> flights = ReadScheduleFile(timetable, true);
    if (flights.empty() && added.empty()) throw NoFlightError(timetable);

    // Only now, with both files read, is the add file consumed. One without
    // any flight counts as absent, and goes too.
    if (addFileWaiting && !fs::remove(addFile, ec) && ec)
        throw TarnwellError(ErrorKind::File, "cannot delete the add file after reading it: " + ec.message(),
                            {PathText(addFile)});

    FillScheduleTables(state, std::move(flights), std::move(added));
}

void GetTimetableData(ProgramState& state, Port&, const fs::path& timetable) {
    ClearScheduleTables(state);
    std::vector<ScheduleRecord> flights = ReadScheduleFile(timetable, true);
    if (flights.empty()) throw NoFlightError(timetable);
    FillScheduleTables(state, std::move(flights), {});
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

std::string FormatCount4(std::int32_t n) {
    std::string digits = std::to_string(n);
    if (n >= 0 && digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    return digits;
}

void SortVAData(ProgramState& state, Port& port) {
    std::vector<ScheduleKey> keys;
    keys.reserve(state.Schedule.size());
    for (const auto& r : state.Schedule) keys.push_back(KeyOf(r));

    std::vector<ScheduleRecord> ordered;
    ordered.reserve(state.Schedule.size() + state.AddSchedule.size());
    if (!state.HasAddSchedule) {
        for (std::int32_t from : ExchangeSortOrder(keys)) ordered.push_back(state.Schedule[static_cast<std::size_t>(from)]);
    } else {
        std::vector<ScheduleKey> addedKeys;
        addedKeys.reserve(state.AddSchedule.size());
        for (const auto& r : state.AddSchedule) addedKeys.push_back(KeyOf(r));
        const std::string last = FormatCount4(state.ScheduleUBound());
        const auto merged = MergeOrder(addedKeys, keys, ScheduleCapacity, [&](std::int32_t i) {
            port.SetStatus("Adding VA Data " + FormatCount4(i) + " of " + last, StatusKind::Progress);
        });
        for (const MergedEntry& e : merged) {
            const auto& from = e.fromTimetable ? state.Schedule : state.AddSchedule;
            ordered.push_back(from[static_cast<std::size_t>(e.index)]);
        }
    }
    // Every flight read finds its place, so the route table sized by the
    // reader keeps exactly one slot per flight of the merged list.
    state.Schedule = std::move(ordered);
}

std::uint8_t DayMaskOf(const ScheduleRecord& r) {
    std::uint8_t mask = 0;
    const std::array<std::int16_t, 7> days = {r.Day1, r.Day2, r.Day3, r.Day4, r.Day5, r.Day6, r.Day7};
    for (std::size_t d = 0; d < days.size(); ++d)
        if (days[d] == 1) mask = static_cast<std::uint8_t>(mask | (1u << d));
    return mask;
}

char CodeLetterOf(const ScheduleRecord& r) {
    const bool x = r.LetterFlagX == 1;
    const bool y = r.LetterFlagY == 1;
    const bool z = r.LetterFlagZ == 1;
    if (x && y && z) return 'A';
    if (x && y) return 'B';
    if (x && z) return 'C';
    if (x) return 'D';
    if (y && z) return 'G';
    if (y) return 'E';
    if (z) return 'F';
    return '\0';
}

std::uint8_t MaskBitsOf(const ScheduleRecord& r) {
    int bits = 0;
    if (r.Mask1 == 1) bits += 1;
    if (r.Mask2 == 1) bits += 2;
    if (r.Mask4 == 1) bits += 4;
    if (r.Mask8 == 1) bits += 8;
    if (r.Mask16 == 1) bits += 16;
    return static_cast<std::uint8_t>(bits);
}

void MoveDataToRoutes(ProgramState& state, Port&) {
    for (std::size_t i = 0; i < state.Schedule.size(); ++i) {
        const ScheduleRecord& s = state.Schedule[i];
        RouteRecord& r = state.Routes[i];
        r.Origin = s.Origin;
        r.DepartTime = s.DepartTime;
        r.Destination = s.Destination;
        r.ArriveTime = s.ArriveTime;
        r.Airline = s.Airline;
        r.FlightNumber = s.FlightNumber;
        r.Equipment = s.Equipment;
        r.DayMask = DayMaskOf(s);
        if (const char letter = CodeLetterOf(s)) r.CodeLetter = std::string_view(&letter, 1);
        r.MaskBits = MaskBitsOf(s);
    }
}

}  // namespace tarnwell
