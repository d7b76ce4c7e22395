#include "timetable/PhpVmsFlights.h"

#include <algorithm>
#include <array>

#include "common/AnsiText.h"
#include "common/CsvReader.h"
#include "common/FixedText.h"
#include "common/TextFile.h"
#include "timetable/TimetableFile.h"

namespace tarnwell {

namespace {

enum Column : std::size_t { Airline, FlightNumber, DptAirport, ArrAirport, DptTime, ArrTime, Days, Subfleets, Active,
                            ColumnCount };

constexpr std::array<const char*, ColumnCount> ColumnNames = {
    "airline", "flight_number", "dpt_airport", "arr_airport", "dpt_time", "arr_time", "days", "subfleets", "active"};
// The columns a flight cannot be made without: the airline and number that
// name it, its airports, and the times the route file carries (no value
// would be right for all of a timetable's flights).
constexpr std::size_t RequiredColumns = ArrTime + 1;

bool IsCodeCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool IsDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "HH:MM", "H:MM", "HHMM" or "HMM" as the number HHMM; nothing for anything else.
std::optional<std::int16_t> ParseTime(std::string_view text) {
    std::string_view hours, minutes;
    if (const auto colon = text.find(':'); colon != std::string_view::npos) {
        hours = text.substr(0, colon);
        minutes = text.substr(colon + 1);
    } else if (text.size() == 3 || text.size() == 4) {
        hours = text.substr(0, text.size() - 2);
        minutes = text.substr(text.size() - 2);
    }
    if (!IsDigits(hours) || hours.size() > 2 || !IsDigits(minutes) || minutes.size() != 2) return std::nullopt;
    const int h = std::stoi(std::string(hours));
    const int m = std::stoi(std::string(minutes));
    if (h > 23 || m > 59) return std::nullopt;
    return static_cast<std::int16_t>(h * 100 + m);
}

// Converts rows, adding every fault to the result's problems: IsActive
// takes the row, Convert then makes its flight.
class RowConverter {
public:
    RowConverter(const std::string& label, const std::array<std::optional<std::size_t>, ColumnCount>& at,
                 const ThreeLetterCodeLookup& codeOf, PhpVmsConversion& result)
        : label_(label), at_(at), codeOf_(codeOf), result_(result) {}

    // Whether the row is active; a fault in its active column counts as active,
    // so that the fault is reported.
    bool IsActive(const CsvRow& row) {
        row_ = &row;
        const std::string active = CsvColumnName(Value(Active));
        if (active.empty() || active == "1" || active == "true" || active == "yes") return true;
        if (active == "0" || active == "false" || active == "no") return false;
        Fail(Active, QuotedField(Value(Active)) + " is not 0 or 1 (false or true)");
        return true;
    }

    ScheduleRecord Convert() {
        ScheduleRecord r;
        r.Airline = Code(Airline, 3, "airline code");
        r.FlightNumber = Number();
        const std::string origin = Code(DptAirport, 4, "departure airport code");
        const std::string destination = Code(ArrAirport, 4, "arrival airport code");
        r.OriginICAO = origin;
        r.DestinationICAO = destination;
        r.Origin = ThreeLetterCode(origin);
        r.Destination = ThreeLetterCode(destination);
        r.Equipment = Equipment();
        r.DepartTime = Time(DptTime, "departure time");
        r.ArriveTime = Time(ArrTime, "arrival time");
        SetDays(r);
        return r;
    }

private:
    std::string_view Value(Column c) const {
        if (!at_[c] || *at_[c] >= row_->fields.size()) return {};
        return TrimBlanks(row_->fields[*at_[c]]);
    }
    void Fail(Column c, std::string what) {
        const int field = at_[c] ? static_cast<int>(*at_[c] + 1) : 0;
        result_.problems.push_back({std::move(what), {label_, row_->line, field, ColumnNames[c]}});
    }

    std::string Code(Column c, std::size_t width, const std::string& what) {
        const std::string_view text = Value(c);
        if (text.empty()) {
            Fail(c, "the " + what + " is empty");
            return {};
        }
        if (text.size() > width || !std::all_of(text.begin(), text.end(), IsCodeCharacter)) {
            Fail(c, QuotedField(text) + " is not a valid " + what + " (1 to " + std::to_string(width) +
                        " letters or digits)");
            return {};
        }
        return Upper(text);
    }

    std::int16_t Number() {
        const std::string_view text = Value(FlightNumber);
        std::int16_t n = 0;
        if (!IsDigits(text) || !ParseInt16(text, n))
            Fail(FlightNumber, QuotedField(text) + " is not a flight number from 0 to 32767");
        return n;
    }

    std::string ThreeLetterCode(const std::string& icao) {
        if (icao.empty()) return {};
        if (const auto code = codeOf_(icao)) return *code;
        if (std::find(result_.airportsWithoutCode.begin(), result_.airportsWithoutCode.end(), icao) ==
            result_.airportsWithoutCode.end())
            result_.airportsWithoutCode.push_back(icao);
        return {};
    }

    std::string Equipment() {
        std::string_view types = Value(Subfleets);
        while (!types.empty()) {
            const std::size_t end = std::min(types.find(';'), types.find(','));
            const std::string_view type = TrimBlanks(types.substr(0, end));
            if (!type.empty()) {
                const std::string ansi = Utf8ToAnsi(type).substr(0, 3);
                if (std::any_of(ansi.begin(), ansi.end(), [](char c) {
                        return c == '"' || (static_cast<unsigned char>(c) < 0x20);
                    })) {
                    Fail(Subfleets, QuotedField(type) + " holds a quote or a control character, which a timetable "
                                                        "field cannot hold");
                    return {};
                }
                return ansi;
            }
            types = end == std::string_view::npos ? std::string_view{} : types.substr(end + 1);
        }
        return "   ";
    }

    std::int16_t Time(Column c, const std::string& what) {
        const std::string_view text = Value(c);
        if (text.empty()) {
            Fail(c, "the " + what + " is empty");
            return 0;
        }
        const auto time = ParseTime(text);
        if (!time) Fail(c, QuotedField(text) + " is not a time (HH:MM or HHMM, 00:00 to 23:59)");
        return time.value_or(0);
    }

    void SetDays(ScheduleRecord& r) {
        const std::array<std::int16_t*, 7> days = {&r.Day1, &r.Day2, &r.Day3, &r.Day4, &r.Day5, &r.Day6, &r.Day7};
        const std::string_view text = Value(Days);
        for (std::size_t d = 0; d < days.size(); ++d) *days[d] = text.empty() ? 1 : 0;
        for (const char c : text) {
            if (c < '1' || c > '7') {
                Fail(Days, QuotedField(text) + " is not a list of days (the digits 1 for Monday to 7 for Sunday)");
                return;
            }
            *days[static_cast<std::size_t>(c - '1')] = 1;
        }
    }

    const std::string& label_;
    const std::array<std::optional<std::size_t>, ColumnCount>& at_;
    const ThreeLetterCodeLookup& codeOf_;
    PhpVmsConversion& result_;
    const CsvRow* row_ = nullptr;
};

}  // namespace

PhpVmsConversion ConvertPhpVmsFlights(const std::string& label, std::string_view csv,
                                      const ThreeLetterCodeLookup& codeOf) {
    CsvReader reader(label, csv);
    const auto header = reader.Next();
    if (!header) throw TarnwellError(ErrorKind::Input, "the file is empty; it needs a header row", {label});
    std::array<std::optional<std::size_t>, ColumnCount> at{};
    for (std::size_t c = 0; c < ColumnCount; ++c) {
        at[c] = FindCsvColumn(*header, ColumnNames[c]);
        if (!at[c] && c < RequiredColumns)
            throw TarnwellError(ErrorKind::Input,
                                std::string("the header row has no column \"") + ColumnNames[c] +
                                    "\"; a flight export names at least airline, flight_number, dpt_airport, "
                                    "arr_airport, dpt_time and arr_time",
                                {label, header->line});
    }

    PhpVmsConversion result;
    RowConverter converter(label, at, codeOf, result);
    while (const auto row = reader.Next()) {
        if (row->fields.size() != header->fields.size()) {
            result.problems.push_back({"the row has " + std::to_string(row->fields.size()) +
                                           " fields; the header row has " + std::to_string(header->fields.size()),
                                       {label, row->line}});
            continue;
        }
        const std::size_t before = result.problems.size();
        if (!converter.IsActive(*row)) {
            ++result.inactiveRows;
            continue;
        }
        const ScheduleRecord flight = converter.Convert();
        if (result.problems.size() != before) continue;
        if (static_cast<std::int64_t>(result.flights.size()) == ScheduleCapacity)
            throw TarnwellError(ErrorKind::Overflow,
                                "more than " + std::to_string(ScheduleCapacity) +
                                    " active flights; a timetable holds at most that many",
                                {label, row->line});
        result.flights.push_back(flight);
    }
    if (result.flights.empty() && result.problems.empty() && result.airportsWithoutCode.empty())
        result.problems.push_back({"the file holds no active flight below its header row", {label}});
    return result;
}

std::string TimetableText(const std::vector<ScheduleRecord>& flights) {
    TextLineWriter out;
    for (const ScheduleRecord& r : flights) WriteScheduleLine(out, r);
    return out.Content();
}

}  // namespace tarnwell
