#include "inspect/RouteSetCheck.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <utility>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "plans/PlanFile.h"
#include "navdata/NavRecords.h"
#include "inspect/RouteSetDump.h"
#include "records/RecordLayouts.h"
#include "routeset/RouteSetOutput.h"
#include "routeset/AptFile.h"
#include "navdata/AirwayNetwork.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

// Record lengths as signed numbers, for arithmetic on stored positions.
constexpr auto RouteLength = static_cast<std::int64_t>(RouteRecordLength);
constexpr auto EntryLength = static_cast<std::int64_t>(ArrivalsEntryLength);

constexpr std::size_t AirlineCount = 11;
constexpr std::size_t PlanCountLength = 2;

using std::to_string;

// "1 route", "2 routes".
std::string Count(std::int64_t n, const char* one, const char* many) {
    return to_string(n) + " " + (n == 1 ? one : many);
}

// A code for messages; "" when it is blank.
std::string Code(std::string_view stored) {
    std::string shown = ShownText(TrimBlanks(stored));
    return shown.empty() ? "\"\"" : shown;
}

std::string AirportText(std::int64_t i, const IndexAirportRecord& a) {
    return "index.kr1, airport " + to_string(i) + " (" + Code(a.IATA.View()) + ")";
}

std::string RouteName(std::int64_t r, const RouteRecord& route) {
    return "route " + to_string(r) + " (" + Code(route.Origin.View()) + " to " + Code(route.Destination.View()) + ")";
}

// A point type for messages: the letter in quotes, or the byte's value.
std::string PointTypeText(char type) {
    const auto b = static_cast<unsigned char>(type);
    return b > 0x20 && b < 0x7F ? "\"" + std::string(1, type) + "\"" : "byte " + to_string(b);
}

// The size of a navigation table, or why it cannot be read.
struct TableSize {
    std::string file;  // as shown in messages
    std::optional<std::int64_t> count;
    std::string failure;
    std::int64_t unchecked = 0;  // plan entries that needed it while it could not be read
};

TableSize FixedRecordTable(const fs::path& dataFolder, const char* name, std::size_t recordLength) {
    TableSize t{std::string("Data/") + name, {}, {}};
    const fs::path path = dataFolder / name;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        t.failure = "it is missing";
        return t;
    }
    const auto size = fs::file_size(path, ec);
    if (ec)
        t.failure = ec.message();
    else if (size % recordLength != 0)
        t.failure = "it is " + to_string(size) + " bytes long, not a whole number of " + to_string(recordLength) +
                    "-byte records";
    else
        t.count = static_cast<std::int64_t>(size / recordLength);
    return t;
}

TableSize NetworkTable(const fs::path& dataFolder, const char* name) {
    TableSize t{std::string("Data/") + name, {}, {}};
    const fs::path path = dataFolder / name;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        t.failure = "it is missing";
        return t;
    }
    try {
        AirwayNetwork network;
        DecodeAirwayNetwork(ReadFileBytes(path), t.file, HighNodeCapacity, network);
        t.count = network.Count();
    } catch (const TarnwellError& e) {
        t.failure = e.What();
    }
    return t;
}

// The first wrong entry of a list and how many more there are, as one
// line; only the first is described.
class FirstWrong {
public:
    template <typename Describe>
    void Add(Describe describe) {
        if (first_.empty())
            first_ = describe();
        else
            ++more_;
    }
    bool Any() const { return !first_.empty(); }
    std::string Text(const char* list) const {
        return more_ == 0 ? first_
                          : first_ + " (and " + Count(more_, "more wrong entry", "more wrong entries") + " in this " +
                                list + ")";
    }

private:
    std::string first_;
    std::int64_t more_ = 0;
};

class Checker {
public:
    Checker(fs::path folder, fs::path dataFolder) : folder_(std::move(folder)), dataFolder_(std::move(dataFolder)) {}

    RouteSetCheckResult Run() {
        std::error_code ec;
        if (!fs::is_directory(folder_, ec)) {
            Problem(PathText(folder_) + ": there is no route set folder of this name");
            return std::move(result_);
        }
        index_ = Load("index.kr1");
        routesFile_ = Load("routes.kr1");
        arrivals_ = Load("arrivals.kr1");
        apt_ = Load("APT.kr1");
        airlines_ = Load("airline.kr1");
        plans_ = Load("PLANS.kr1");

        DecodeRecordFiles();
        ReadPlanTable();
        CheckAirports();
        CheckRoutes();
        CheckAirlines();
        CheckPlans();
        return std::move(result_);
    }

private:
    void Problem(std::string text) { result_.problems.push_back(std::move(text)); }

    std::optional<Bytes> Load(const char* name) {
        const fs::path path = folder_ / name;
        std::error_code ec;
        if (!fs::is_regular_file(path, ec)) {
            Problem(std::string(name) + ": the file is missing");
            return std::nullopt;
        }
        try {
            return ReadFileBytes(path);
        } catch (const TarnwellError& e) {
            Problem(std::string(name) + ": " + e.What());
            return std::nullopt;
        }
    }

    // The whole records of a file; a ragged tail is a problem.
    template <typename Decode>
    auto WholeRecords(const Bytes& bytes, const char* name, std::size_t length, Decode decode) {
        if (bytes.size() % length != 0)
            Problem(std::string(name) + ": " + to_string(bytes.size()) + " bytes, not a whole number of " +
                    to_string(length) + "-byte records (" + to_string(bytes.size() % length) + " bytes left over)");
        std::vector<decltype(decode(std::span<const std::uint8_t>()))> out;
        out.reserve(bytes.size() / length);
        for (std::size_t off = 0; off + length <= bytes.size(); off += length)
            out.push_back(decode(std::span(bytes).subspan(off, length)));
        return out;
    }

    void DecodeRecordFiles() {
        if (index_) airports_ = WholeRecords(*index_, "index.kr1", IndexRecordLength, DecodeIndexAirport);
        if (routesFile_) routes_ = WholeRecords(*routesFile_, "routes.kr1", RouteRecordLength, DecodeRoute);
        if (arrivals_)
            arrivalEntries_ = WholeRecords(*arrivals_, "arrivals.kr1", ArrivalsEntryLength,
                                           [](std::span<const std::uint8_t> in) { return RecordReader(in).I32(0); });
        result_.summary.airports = static_cast<std::int64_t>(airports_.size());
        result_.summary.routes = static_cast<std::int64_t>(routes_.size());

        // Every airport by its trimmed code, and the routes leaving and
        // reaching each one.
        byCode_.reserve(airports_.size() * 2);
        for (std::size_t i = 0; i < airports_.size(); ++i) {
            const auto [found, added] = byCode_.try_emplace(airports_[i].IATA.Trimmed(), i);
            if (!added)
                Problem(AirportText(static_cast<std::int64_t>(i), airports_[i]) + ": airport " +
                        to_string(found->second) + " has the same code");
        }
        leaving_.assign(airports_.size(), 0);
        arriving_.assign(airports_.size(), 0);
        for (const RouteRecord& route : routes_) {
            if (const auto o = byCode_.find(route.Origin.Trimmed()); o != byCode_.end()) ++leaving_[o->second];
            if (const auto d = byCode_.find(route.Destination.Trimmed()); d != byCode_.end()) ++arriving_[d->second];
        }
    }

    // n from the first entry of PLANS.kr1's position table, which points
    // right behind the table.
    void ReadPlanTable() {
        if (!plans_) return;
        const Bytes& b = *plans_;
        planCount_ = PackedPlanCount(b);
        if (!planCount_ && b.size() < 4) {
            Problem("PLANS.kr1: " + to_string(b.size()) + " bytes, too short for a position table");
            return;
        }
        if (!planCount_) {
            Problem("PLANS.kr1: the first position " + to_string(RecordReader(b).I32(0)) +
                    " is not the one right after a position table (4 n + 1 for n plans, within the file's " +
                    to_string(b.size()) + " bytes)");
            return;
        }
        result_.summary.plans = *planCount_;
    }

    // Where the next part of a file laid out airport by airport in index
    // order must begin: right where the part before it ends. After a
    // misplaced part the layout goes on from where that part is, so that one
    // fault gives one or two problems rather than one for every airport after it.
    struct Layout {
        explicit Layout(const char* part_) : part(part_) {}

        const char* part;
        std::int64_t next = 1;
        std::optional<std::size_t> previous;  // the airport whose part ends at next

        std::string Expected(const std::vector<IndexAirportRecord>& airports) const {
            return "expected " + to_string(next) +
                   (previous ? ", right after the " + std::string(part) + " of airport " + to_string(*previous) + " (" +
                                   Code(airports[*previous].IATA.View()) + ")"
                             : ", the start of the file");
        }
        void Follow(std::size_t airport, std::int64_t pos, std::int64_t length) {
            next = pos + length;
            previous = airport;
        }
    };

    void CheckAirports() {
        Layout arrivals{"arrival list"};
        Layout apt{"runway data"};
        std::optional<std::size_t> firstPastApt;
        for (std::size_t k = 0; k < airports_.size(); ++k) {
            const auto i = static_cast<std::int64_t>(k);
            const IndexAirportRecord& a = airports_[k];
            if (routesFile_) CheckDepartures(i, a);
            if (arrivals_) {
                if (a.ArrivalsCount > 0 && a.ArrivalsPos != arrivals.next)
                    Problem(AirportText(i, a) + ": ArrivalsPos " + to_string(a.ArrivalsPos) + ", " +
                            arrivals.Expected(airports_));
                CheckArrivals(i, a);
                if (a.ArrivalsCount > 0)
                    arrivals.Follow(k, a.ArrivalsPos, EntryLength * a.ArrivalsCount);
            }
            if (a.RunwayCount <= 0) ++result_.summary.airportsWithoutRunways;
            if (apt_) {
                if (a.AptPos != apt.next)
                    Problem(AirportText(i, a) + ": AptPos " + to_string(a.AptPos) + ", " + apt.Expected(airports_));
                if (a.RunwayCount > 0) {
                    apt.Follow(k, a.AptPos,
                               static_cast<std::int64_t>(AptRunwayRecordLength) * a.RunwayCount +
                                   static_cast<std::int64_t>(AptValuesRecordLength));
                    if (!firstPastApt && apt.next - 1 > static_cast<std::int64_t>(apt_->size())) firstPastApt = k;
                }
            }
        }
        const auto lastPart = [this](const Layout& layout) {
            return layout.previous ? "the " + std::string(layout.part) + " of airport " + to_string(*layout.previous) +
                                         " (" + Code(airports_[*layout.previous].IATA.View()) + ") ends at byte " +
                                         to_string(layout.next - 1)
                                   : "index.kr1 gives it no " + std::string(layout.part);
        };
        if (arrivals_ && arrivals.next - 1 != static_cast<std::int64_t>(arrivals_->size()))
            Problem("arrivals.kr1: " + to_string(arrivals_->size()) + " bytes, but " + lastPart(arrivals));
        if (apt_ && apt.next - 1 != static_cast<std::int64_t>(apt_->size()))
            Problem("APT.kr1: " + to_string(apt_->size()) + " bytes, but " + lastPart(apt) +
                    (firstPastApt && firstPastApt != apt.previous
                         ? "; from airport " + to_string(*firstPastApt) + " on it lies past the end"
                         : ""));
    }

    void CheckDepartures(std::int64_t i, const IndexAirportRecord& a) {
        const std::int64_t pos = a.DeparturePos;
        const std::int64_t count = a.DepartureCount;
        const std::int64_t routes = static_cast<std::int64_t>(routes_.size());
        std::int64_t matched = 0;
        if (count < 0) {
            Problem(AirportText(i, a) + ": DepartureCount " + to_string(count) + " is negative");
            return;
        }
        if (count == 0) {
            if (pos != 0)
                Problem(AirportText(i, a) + ": DeparturePos " + to_string(pos) + " with no departures, expected 0");
        } else if (pos < 1 || (pos - 1) % RouteLength != 0) {
            Problem(AirportText(i, a) + ": DeparturePos " + to_string(pos) +
                    " is not the position of a route record (32 r + 1)");
        } else if ((pos - 1) / RouteLength + count > routes) {
            Problem(AirportText(i, a) + ": the departure block of " + Count(count, "route", "routes") +
                    " from position " + to_string(pos) + " runs past the end of routes.kr1 (" +
                    Count(routes, "route", "routes") + ")");
        } else {
            const std::int64_t first = (pos - 1) / RouteLength;
            FirstWrong wrong;
            for (std::int64_t r = first; r < first + count; ++r) {
                const RouteRecord& route = routes_[static_cast<std::size_t>(r)];
                if (route.Origin.Trimmed() == a.IATA.Trimmed())
                    ++matched;
                else
                    wrong.Add([&] {
                        return AirportText(i, a) + ": the departure block (routes " + to_string(first) + " to " +
                               to_string(first + count - 1) + ") holds " + RouteName(r, route) +
                               ", which does not leave " + Code(a.IATA.View());
                    });
            }
            if (wrong.Any()) Problem(wrong.Text("block"));
        }
        if (matched != leaving_[static_cast<std::size_t>(i)])
            Problem(AirportText(i, a) + ": " +
                    Count(leaving_[static_cast<std::size_t>(i)], "route leaves", "routes leave") +
                    " it, its departure block holds " + to_string(matched) + " of them");
    }

    void CheckArrivals(std::int64_t i, const IndexAirportRecord& a) {
        const std::int64_t pos = a.ArrivalsPos;
        const std::int64_t count = a.ArrivalsCount;
        const auto entries = static_cast<std::int64_t>(arrivalEntries_.size());
        std::int64_t matched = 0;
        if (count < 0) {
            Problem(AirportText(i, a) + ": ArrivalsCount " + to_string(count) + " is negative");
            return;
        }
        if (count == 0) {
            if (pos != 0)
                Problem(AirportText(i, a) + ": ArrivalsPos " + to_string(pos) + " with no arrivals, expected 0");
        } else {
            if (pos < 1 || (pos - 1) % EntryLength != 0) {
                Problem(AirportText(i, a) + ": ArrivalsPos " + to_string(pos) +
                        " is not the position of an arrivals.kr1 entry (4 k + 1)");
            } else if ((pos - 1) / EntryLength + count > entries) {
                Problem(AirportText(i, a) + ": the arrival list of " + Count(count, "entry", "entries") +
                        " from position " + to_string(pos) + " runs past the end of arrivals.kr1 (" +
                        Count(entries, "entry", "entries") + ")");
            } else if (routesFile_) {
                const std::int64_t first = (pos - 1) / 4;
                const std::string code = Code(a.IATA.View());
                std::int64_t previous = 0;
                FirstWrong wrong;
                for (std::int64_t e = first; e < first + count; ++e) {
                    const std::int64_t v = arrivalEntries_[static_cast<std::size_t>(e)];
                    const auto where = [&] {
                        return "arrivals.kr1, position " + to_string(4 * e + 1) + " (list of airport " + to_string(i) +
                               ", " + code + "): " + to_string(v);
                    };
                    if (v < 1 || (v - 1) % RouteLength != 0 ||
                        (v - 1) / RouteLength >= static_cast<std::int64_t>(routes_.size())) {
                        wrong.Add([&] {
                            return where() + " is not the position of a route record of routes.kr1 (" +
                                   Count(static_cast<std::int64_t>(routes_.size()), "route", "routes") + ")";
                        });
                        continue;
                    }
                    const std::int64_t r = (v - 1) / RouteLength;
                    const RouteRecord& route = routes_[static_cast<std::size_t>(r)];
                    if (route.Destination.Trimmed() != a.IATA.Trimmed())
                        wrong.Add([&] {
                            return where() + " is " + RouteName(r, route) + ", which does not arrive at " + code;
                        });
                    else if (v <= previous)
                        wrong.Add([&] {
                            return where() + " does not follow the entry before it (" + to_string(previous) +
                                   ") in route order";
                        });
                    else
                        ++matched;
                    previous = std::max(previous, v);
                }
                if (wrong.Any()) Problem(wrong.Text("list"));
            }
        }
        if (routesFile_ && matched != arriving_[static_cast<std::size_t>(i)])
            Problem(AirportText(i, a) + ": " +
                    Count(arriving_[static_cast<std::size_t>(i)], "route arrives", "routes arrive") +
                    " at it, its arrival list holds " + to_string(matched) + " of them");
    }

    void CheckRoutes() {
        const auto airports = static_cast<std::int64_t>(airports_.size());
        for (std::size_t k = 0; k < routes_.size(); ++k) {
            const RouteRecord& route = routes_[k];
            const auto where = [&] { return "routes.kr1, " + RouteName(static_cast<std::int64_t>(k), route); };
            if (index_) {
                const auto link = [&](const char* field, std::int64_t value, const FixedText<3>& code) {
                    if (value < 0 || value >= airports)
                        Problem(where() + ": " + field + " " + to_string(value) + " is outside index.kr1 (" +
                                Count(airports, "airport", "airports") + ")");
                    else if (const IndexAirportRecord& a = airports_[static_cast<std::size_t>(value)];
                             a.IATA.Trimmed() != code.Trimmed())
                        Problem(where() + ": " + field + " " + to_string(value) + " names airport " +
                                Code(a.IATA.View()));
                };
                link("OriginIndex", route.OriginIndex, route.Origin);
                link("DestIndex", route.DestIndex, route.Destination);
            }
            if (planCount_ && (route.PlanPointer < 1 || route.PlanPointer > *planCount_))
                Problem(where() + ": PlanPointer " + to_string(route.PlanPointer) + " is not a plan of PLANS.kr1 (" +
                        (*planCount_ == 0 ? std::string("it holds none") : "1 to " + to_string(*planCount_)) + ")");
        }
    }

    void CheckAirlines() {
        if (!airlines_) return;
        if (airlines_->size() != AirlineCount * AirlineRecordLength)
            Problem("airline.kr1: " + to_string(airlines_->size()) + " bytes, not the 11 66-byte records (726 bytes)");
        for (std::size_t off = 0; off + AirlineRecordLength <= airlines_->size(); off += AirlineRecordLength) {
            const AirlineRecord airline = DecodeAirline(std::span(*airlines_).subspan(off, AirlineRecordLength));
            if (!ShownText(airline.Code.Trimmed()).empty()) ++result_.summary.airlines;
        }
    }

    void CheckPlans() {
        if (!planCount_) return;
        const Bytes& b = *plans_;
        const auto size = static_cast<std::int64_t>(b.size());
        const std::int64_t n = *planCount_;
        const RecordReader file(b);
        std::array<TableSize, 4> tables = {NetworkTable(dataFolder_, "HighAlt.ab1"),
                                           FixedRecordTable(dataFolder_, "nav_VOR.bin", NavAidRecordLength),
                                           FixedRecordTable(dataFolder_, "nav_NDB.bin", NavAidRecordLength),
                                           FixedRecordTable(dataFolder_, "nav_ISC.bin", IntersectionRecordLength)};
        // Where the next block must begin; not known after a block that cannot be read.
        std::int64_t next = 4 * n;
        bool nextKnown = true;
        for (std::int64_t p = 1; p <= n; ++p) {
            const auto plan = [p] { return "PLANS.kr1, plan " + to_string(p); };
            const std::int64_t pos = file.I32(static_cast<std::size_t>(4 * (p - 1)));
            const std::int64_t at = pos - 1;
            if (at < 4 * n || at + static_cast<std::int64_t>(PlanCountLength) > size) {
                Problem(plan() + ": position " + to_string(pos) + " lies outside the plan blocks (" +
                        to_string(4 * n + 1) + " to " + to_string(size - 1) + ")");
                nextKnown = false;
                continue;
            }
            const std::int64_t count = file.I16(static_cast<std::size_t>(at));
            const std::int64_t end =
                at + static_cast<std::int64_t>(PlanCountLength) + static_cast<std::int64_t>(PlanPointLength) * count;
            if (count < 0 || count > PlanPointCapacity) {
                Problem(plan() + " (block at " + to_string(pos) + "): entry count " + to_string(count) +
                        " is outside 0 to " + to_string(PlanPointCapacity));
                nextKnown = false;
                continue;
            }
            if (end > size) {
                Problem(plan() + " (block at " + to_string(pos) + "): its block of " +
                        Count(count, "entry", "entries") + " runs past the end of the file (" + to_string(size) +
                        " bytes)");
                nextKnown = false;
                continue;
            }
            if (nextKnown && at != next)
                Problem(plan() + ": block at " + to_string(pos) + ", expected " + to_string(next + 1) +
                        (p == 1 ? " (right after the position table)" : " (right after the block before it)"));
            next = end;
            nextKnown = true;

            bool airway = false;
            bool unknown = false;
            FirstWrong wrong;
            for (std::int64_t k = 1; k <= count; ++k) {
                const auto off = static_cast<std::size_t>(at + 2 + 10 * (k - 1));
                const PlanPoint point = DecodePlanPoint(std::span(b).subspan(off, PlanPointLength));
                const auto entry = [&] { return plan() + ", entry " + to_string(k) + ": "; };
                const std::size_t t = std::string_view("HVNI").find(point.PointType);
                if (t == std::string_view::npos) {
                    wrong.Add([&] {
                        return entry() + "point type " + PointTypeText(point.PointType) + " is none of H, V, N, I";
                    });
                    unknown = true;
                    continue;
                }
                airway = airway || t == 0;
                TableSize& table = tables[t];
                const auto ref = [&] { return std::string(1, point.PointType) + " " + to_string(point.PointRef); };
                if (!table.count)
                    ++table.unchecked;
                else if (t == 0 && (point.PointRef < 1 || point.PointRef > *table.count))
                    wrong.Add([&] {
                        return entry() + ref() + " is not a node of " + table.file + " (1 to " +
                               to_string(*table.count) + ")";
                    });
                else if (t != 0 && (point.PointRef < 0 || point.PointRef >= *table.count))
                    wrong.Add([&] {
                        return entry() + ref() + " is not a record of " + table.file + " (" +
                               Count(*table.count, "record", "records") + ")";
                    });
                if (t != 0 && !point.AirwayName.IsBlank())
                    wrong.Add([&] {
                        return entry() + ref() + " has the airway name \"" + ShownText(point.AirwayName.View()) +
                               "\", expected blanks";
                    });
            }
            if (wrong.Any()) Problem(wrong.Text("plan"));
            if (count == 0)
                ++result_.summary.emptyPlans;
            else if (airway)
                ++result_.summary.airwayPlans;
            else if (!unknown)
                ++result_.summary.pointToPointPlans;
        }
        if (nextKnown && next != size)
            Problem("PLANS.kr1: " + to_string(size) +
                    " bytes, but the position table and the plan blocks end at byte " + to_string(next));
        for (const TableSize& table : tables)
            if (table.unchecked > 0)
                Problem(table.file + " cannot be read (" + table.failure + "); " +
                        Count(table.unchecked, "plan entry refers", "plan entries refer") +
                        " to it and cannot be checked");
    }

    fs::path folder_;
    fs::path dataFolder_;
    RouteSetCheckResult result_;

    std::optional<Bytes> index_, routesFile_, arrivals_, apt_, airlines_, plans_;
    std::vector<IndexAirportRecord> airports_;
    std::vector<RouteRecord> routes_;
    std::vector<std::int32_t> arrivalEntries_;
    std::unordered_map<std::string_view, std::size_t> byCode_;
    std::vector<std::int64_t> leaving_, arriving_;
    std::optional<std::int64_t> planCount_;
};

}  // namespace

fs::path RouteSetFolder(const fs::path& programFolder, const std::string& setName) {
    ValidateSetName(setName);
    // As the compile names the folder it commits to.
    return programFolder / "Data" / setName;
}

RouteSetCheckResult CheckRouteSet(const fs::path& programFolder, const std::string& setName) {
    return Checker(RouteSetFolder(programFolder, setName), programFolder / "Data").Run();
}

}  // namespace tarnwell
