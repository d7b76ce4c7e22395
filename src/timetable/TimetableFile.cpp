#include "timetable/TimetableFile.h"

#include <algorithm>
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

// A control byte, which no field of a timetable holds: a tab is a blank, and
// a quoted field may hold line ends. The add file is the merge's own, and
// keeps the zero bytes of a text never assigned.
bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n';
}

class FlightReader {
public:
    FlightReader(FieldReader& in, bool isTimetable) : in_(in), isTimetable_(isTimetable) {}

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
    // The line where the flight last read begins.
    std::int64_t FirstLine() const { return firstLine_; }

private:
    ErrorPlace Place(std::int64_t line) const {
        return {in_.Label(), line, field_, FieldNames[static_cast<std::size_t>(field_ - 1)], flight_};
    }
    FieldReader::Field NextField() {
        ++field_;
        // A flight that the file cuts short ends at the line of its last field.
        if (in_.AtEnd())
            throw TarnwellError(ErrorKind::Input,
                                "the file ends in the middle of a flight (" + std::to_string(field_ - 1) +
                                    " of its 24 fields were read)",
                                Place(lastLine_));
        try {
            const FieldReader::Field f = in_.Next();
            if (field_ == 1) firstLine_ = f.line;
            lastLine_ = f.line;
            // Checked here, so that a line of zero bytes is the fault and not
            // the flight it would begin.
            if (isTimetable_ && std::any_of(f.text.begin(), f.text.end(), IsControl))
                throw TarnwellError(ErrorKind::Input,
                                    QuotedField(f.text) + " holds a control byte, which no timetable field holds",
                                    Place(f.line));
            return f;
        } catch (const TarnwellError& e) {
            throw TarnwellError(e.Kind(), e.What(), Place(e.Place().line.value_or(in_.Line())));
        }
    }
    std::string_view Text() { return NextField().text; }
    std::int16_t Number() {
        const auto f = NextField();
        std::int16_t v = 0;
        if (!ParseInt16(f.text, v))
            throw TarnwellError(ErrorKind::Input,
                                QuotedField(f.text) + " is not a whole number from -32768 to 32767" +
                                    (f.line == firstLine_ ? "" : " (the flight begins on line " +
                                                                      std::to_string(firstLine_) + ")"),
                                Place(f.line));
        return v;
    }

    FieldReader& in_;
    bool isTimetable_;
    std::int64_t flight_ = 0;
    int field_ = 0;
    std::int64_t firstLine_ = 0;  // where the flight's first field is
    std::int64_t lastLine_ = 0;   // where its last field read is
};

std::vector<ScheduleRecord> ReadFlights(FieldReader in, bool isTimetable, std::vector<std::int64_t>* lines = nullptr) {
    std::vector<ScheduleRecord> flights;
    if (lines) lines->clear();
    FlightReader reader(in, isTimetable);
    while (!in.AtEnd()) {
        if (static_cast<std::int64_t>(flights.size()) >= ScheduleCapacity)
            throw TarnwellError(ErrorKind::Overflow,
                                "more than " + std::to_string(ScheduleCapacity) + " flights; the schedule holds at most " +
                                    std::to_string(ScheduleCapacity),
                                {in.Label(), in.Line(), {}, {}, static_cast<std::int64_t>(flights.size())});
        ScheduleRecord r = reader.Read(static_cast<std::int64_t>(flights.size()));
        if (isTimetable && r.Equipment.IsBlank()) r.Equipment = "734";
        flights.push_back(r);
        if (lines) lines->push_back(reader.FirstLine());
    }
    return flights;
}

}  // namespace

std::vector<ScheduleRecord> ReadScheduleText(std::string label, std::string content, bool isTimetable) {
    return ReadFlights(FieldReader(std::move(label), std::move(content)), isTimetable);
}

std::vector<ScheduleRecord> ReadScheduleFile(const fs::path& path, bool isTimetable,
                                             std::vector<std::int64_t>* lines) {
    const FileLimit limit{ScheduleFileLimit, isTimetable ? "a timetable" : "an add file"};
    return ReadFlights(FieldReader::FromFile(path, limit), isTimetable, lines);
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
