#include "realworld/RealWorldMerge.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <system_error>
#include <unordered_set>

#include "common/AnsiText.h"
#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "common/TextFile.h"
#include "realworld/DefaultRouteSet.h"
#include "timetable/TimetableFile.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

const IndexAirportRecord& RouteEnd(std::span<const IndexAirportRecord> index, std::int16_t number,
                                   const std::string& routesLabel, const char* field, std::int32_t route) {
    if (number < 0 || static_cast<std::size_t>(number) >= index.size())
        throw TarnwellError(ErrorKind::Input,
                            std::string(field) + " " + std::to_string(number) + " names no airport of " +
                                DefaultIndexName + ", which holds " + std::to_string(index.size()),
                            {routesLabel, {}, {}, field, route});
    return index[static_cast<std::size_t>(number)];
}

}  // namespace

ChosenAirlines ChooseAirlines(std::span<const AirlineRecord> RealAirlines, std::span<const std::int32_t> itemNumbers) {
    if (itemNumbers.empty()) throw TarnwellError(ErrorKind::Usage, "no real-world airline was chosen");
    if (itemNumbers.size() > RealWorldAirlineCapacity)
        throw TarnwellError(ErrorKind::Usage, "the route set holds at most ten real-world airlines; " +
                                                  std::to_string(itemNumbers.size()) + " were chosen");
    ChosenAirlines chosen;
    for (const std::int32_t n : itemNumbers) {
        if (n < 0 || n > static_cast<std::int32_t>(RealAirlines.size()) - 1)
            throw TarnwellError(ErrorKind::Usage, "item number " + std::to_string(n) +
                                                      " names no real-world airline (the list holds " +
                                                      std::to_string(RealAirlines.size()) + ")");
        const AirlineRecord& real = RealAirlines[static_cast<std::size_t>(n)];
        chosen.codes.emplace_back(real.Code.Trimmed());
        AirlineRecord record;
        record.Code = real.Code.Trimmed();
        record.Name = real.Name.Trimmed();
        record.Extra = real.Extra.Trimmed();
        chosen.records.push_back(record);
    }
    return chosen;
}

Bytes ReadRealWorldFile(const fs::path& path, const FileLimit& limit) {
    std::error_code ec;
    if (!fs::exists(path, ec))
        throw TarnwellError(ErrorKind::File, "the real-world route set file is missing", {PathText(path)});
    Bytes bytes = ReadFileBytes(path, limit);
    if (bytes.empty()) throw TarnwellError(ErrorKind::Input, "the real-world route set file is empty", {PathText(path)});
    return bytes;
}

std::vector<FixedText<3>> ReadMergeTimetable(const fs::path& timetable) {
    const std::vector<ScheduleRecord> schedule = ReadScheduleFile(timetable, true);
    if (schedule.empty())
        throw TarnwellError(ErrorKind::Input, "the timetable holds no flight", {PathText(timetable)});
    const std::size_t codeCount = 2 * schedule.size();
    if (codeCount > static_cast<std::size_t>(MergeCodeListCapacity))
        throw TarnwellError(ErrorKind::Overflow,
                            "the timetable has " + std::to_string(schedule.size()) +
                                " flights; the merge reads the airports of at most " +
                                std::to_string(MergeCodeListCapacity / 2),
                            {PathText(timetable)});
    std::vector<FixedText<3>> codes;
    codes.reserve(codeCount);
    for (const ScheduleRecord& flight : schedule) {
        codes.push_back(flight.Origin);
        codes.push_back(flight.Destination);
    }
    // Equal codes are identical, so sorting and dropping repeats gives the
    // same list as a walk that skips them.
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    if (codes.size() > static_cast<std::size_t>(MergeAirportCapacity))
        throw TarnwellError(ErrorKind::Overflow,
                            "the timetable has " + std::to_string(codes.size()) +
                                " distinct airport codes; the merge holds at most " +
                                std::to_string(MergeAirportCapacity),
                            {PathText(timetable)});
    return codes;
}

std::vector<std::int32_t> SelectRealWorldRoutes(std::span<const RouteRecord> routes,
                                                std::span<const std::string> chosenCodes,
                                                std::span<const FixedText<3>> airportCodes) {
    const std::unordered_set<std::string_view> airlines(chosenCodes.begin(), chosenCodes.end());
    std::unordered_set<std::string_view> airports;
    for (const FixedText<3>& code : airportCodes) airports.insert(code.Trimmed());
    std::vector<std::int32_t> selected;
    for (std::size_t r = 0; r < routes.size(); ++r) {
        const RouteRecord& route = routes[r];
        if (airlines.contains(route.Airline.Trimmed()) &&
            (airports.contains(route.Destination.Trimmed()) || airports.contains(route.Origin.Trimmed())))
            selected.push_back(static_cast<std::int32_t>(r));
    }
    return selected;
}

ScheduleRecord AddedFlight(const RouteRecord& route, const FixedText<4>& originICAO, const FixedText<4>& destICAO) {
    ScheduleRecord f;
    f.Origin = route.Origin;
    f.Destination = route.Destination;
    f.OriginICAO = originICAO;
    f.DestinationICAO = destICAO;
    f.Airline = route.Airline;
    f.FlightNumber = route.FlightNumber;
    f.Equipment = route.Equipment;
    f.DepartTime = route.DepartTime;
    f.ArriveTime = route.ArriveTime;
    const std::array<std::int16_t*, 7> days = {&f.Day1, &f.Day2, &f.Day3, &f.Day4, &f.Day5, &f.Day6, &f.Day7};
    for (std::size_t d = 0; d < days.size(); ++d) *days[d] = static_cast<std::int16_t>((route.DayMask >> d) & 1u);

    // The letter's flags, X Y Z; any other content of CodeLetter sets none.
    constexpr std::string_view Letters = "ABCDEFG";
    constexpr std::array<std::array<std::int16_t, 3>, 7> Flags = {
        {{1, 1, 1}, {1, 1, 0}, {1, 0, 1}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 1, 1}}};
    if (const std::size_t at = Letters.find(route.CodeLetter.chars[0]); at != std::string_view::npos) {
        f.LetterFlagX = Flags[at][0];
        f.LetterFlagY = Flags[at][1];
        f.LetterFlagZ = Flags[at][2];
    }
    const auto bit = [&route](unsigned b) { return static_cast<std::int16_t>((route.MaskBits & b) != 0); };
    f.Mask16 = bit(16);
    f.Mask8 = bit(8);
    f.Mask1 = bit(1);
    f.Mask2 = bit(2);
    f.Mask4 = bit(4);
    return f;
}

MergeAddFile MakeAddFile(std::span<const RouteRecord> routes, std::span<const IndexAirportRecord> index,
                         const std::string& routesLabel, std::span<const std::string> chosenCodes,
                         std::span<const FixedText<3>> airportCodes, Progress& progress) {
    TextLineWriter out;
    std::int32_t k = 1;
    for (const std::int32_t r : SelectRealWorldRoutes(routes, chosenCodes, airportCodes)) {
        progress.SetStatus("Adding " + std::to_string(k) + " Routes", StatusKind::Progress);
        const RouteRecord& route = routes[static_cast<std::size_t>(r)];
        const ScheduleRecord flight =
            AddedFlight(route, RouteEnd(index, route.OriginIndex, routesLabel, "OriginIndex", r).ICAO,
                        RouteEnd(index, route.DestIndex, routesLabel, "DestIndex", r).ICAO);
        try {
            WriteScheduleLine(out, flight);
        } catch (const TarnwellError& e) {
            throw TarnwellError(e.Kind(), e.What(), {routesLabel, {}, {}, {}, r});
        }
        ++k;
    }
    return {out.Content(), k - 1};
}

std::optional<std::int32_t> FindRealAirline(std::span<const AirlineRecord> airlines, std::string_view choice) {
    if (choice.starts_with('#')) {
        std::int32_t n = -1;
        const char* end = choice.data() + choice.size();
        const auto [p, ec] = std::from_chars(choice.data() + 1, end, n);
        if (ec == std::errc() && p == end && n >= 0 && static_cast<std::size_t>(n) < airlines.size()) return n;
        if (ec == std::errc() && p == end) return std::nullopt;
    }
    const std::string code = Utf8ToAnsi(choice);
    const std::string_view wanted = TrimBlanks(code);
    for (std::size_t i = 0; i < airlines.size(); ++i)
        if (airlines[i].Code.Trimmed() == wanted) return static_cast<std::int32_t>(i);
    return std::nullopt;
}

}  // namespace tarnwell
