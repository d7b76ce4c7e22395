#include "realworld/RealWorldData.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <system_error>

#include "common/AnsiText.h"
#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "airports/IndexAirports.h"
#include "airports/CrossMatch.h"
#include "routeset/DataFiles.h"
#include "records/RecordLayouts.h"
#include "timetable/TimetableFile.h"
#include "compile/Port.h"
#include "compile/ProgramState.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

// ---- The airline CSV ----

struct CsvRow {
    std::vector<std::string> fields;
    std::int64_t line = 0;  // where the row starts
};

class CsvReader {
public:
    CsvReader(const std::string& label, std::string_view content) : label_(label), in_(content) {
        if (in_.starts_with("\xEF\xBB\xBF")) in_.remove_prefix(3);
    }

    // The next row that is not an empty line; nothing at the end.
    std::optional<CsvRow> Next() {
        while (pos_ < in_.size() && IsLineEnd(in_[pos_])) EndLine();
        if (pos_ >= in_.size()) return std::nullopt;
        CsvRow row;
        row.line = line_;
        for (;;) {
            row.fields.push_back(Field());
            if (pos_ >= in_.size()) break;
            if (in_[pos_] == ',') {
                ++pos_;
                continue;
            }
            EndLine();
            break;
        }
        return row;
    }

private:
    static bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

    void EndLine() {
        if (in_[pos_] == '\r' && pos_ + 1 < in_.size() && in_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
        ++line_;
    }

    std::string Field() {
        std::string value;
        if (pos_ >= in_.size() || in_[pos_] != '"') {
            while (pos_ < in_.size() && in_[pos_] != ',' && !IsLineEnd(in_[pos_])) value += in_[pos_++];
            return value;
        }
        const std::int64_t opened = line_;
        ++pos_;
        for (;;) {
            if (pos_ >= in_.size())
                throw TarnwellError(ErrorKind::Input, "a quoted field has no closing quote", {label_, opened});
            const char c = in_[pos_];
            if (c == '"') {
                if (pos_ + 1 < in_.size() && in_[pos_ + 1] == '"') {
                    value += '"';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            if (c == '\n' || (c == '\r' && !(pos_ + 1 < in_.size() && in_[pos_ + 1] == '\n'))) ++line_;
            value += c;
            ++pos_;
        }
        if (pos_ < in_.size() && in_[pos_] != ',' && !IsLineEnd(in_[pos_]))
            throw TarnwellError(ErrorKind::Input, "unexpected text after a closing quote", {label_, line_});
        return value;
    }

    std::string label_;
    std::string_view in_;
    std::size_t pos_ = 0;
    std::int64_t line_ = 1;
};

std::string LowerTrimmed(std::string_view s) {
    std::string out(TrimBlanks(s));
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

void RequireFolder(const fs::path& folder, bool create) {
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return;
    if (create && (fs::create_directory(folder, ec) || fs::is_directory(folder, ec))) return;
    throw TarnwellError(ErrorKind::File, create ? "cannot create the folder: " + ec.message() : "the folder is missing",
                        {PathText(folder)});
}

// "Writing Data Files" of the real-world route set.
void WriteDefaultFiles(ProgramState& state) {
    const fs::path folder = state.DefaultsFolder();
    RequireFolder(state.DataFolder(), false);
    RequireFolder(folder, true);
    const std::array<PendingFile, 2> files = {
        PendingFile{folder / DefaultRoutesName, EncodeRouteFile(state.Routes)},
        PendingFile{folder / DefaultIndexName, EncodeIndexFile(state.IndexAirports)}};
    ReplaceFiles(files);
}

}  // namespace

void ReplaceFiles(std::span<const PendingFile> files) {
    try {
        for (const PendingFile& f : files) WriteFileBytes(PendingPath(f.target), f.bytes);
        for (const PendingFile& f : files) {
            std::error_code ec;
            fs::rename(PendingPath(f.target), f.target, ec);
            if (ec)
                throw TarnwellError(ErrorKind::File, "cannot replace the file: " + ec.message(), {PathText(f.target)});
        }
    } catch (...) {
        for (const PendingFile& f : files) {
            std::error_code ec;
            fs::remove(PendingPath(f.target), ec);
        }
        throw;
    }
}

fs::path PendingPath(const fs::path& target) {
    fs::path name(".");
    name += target.filename();
    name += ".tarnwell-new";
    return target.parent_path() / name;
}

std::vector<AirlineRecord> ParseAirlineCsv(const std::string& label, std::string_view content) {
    CsvReader reader(label, content);
    const auto header = reader.Next();
    if (!header) throw TarnwellError(ErrorKind::Input, "the file is empty; it needs a header row", {label});

    constexpr std::array<const char*, 3> Columns = {"code", "name", "extra"};
    std::array<std::size_t, 3> at{};
    for (std::size_t c = 0; c < Columns.size(); ++c) {
        std::size_t k = 0;
        while (k < header->fields.size() && LowerTrimmed(header->fields[k]) != Columns[c]) ++k;
        if (k == header->fields.size())
            throw TarnwellError(ErrorKind::Input,
                                std::string("the header row has no column \"") + Columns[c] +
                                    "\"; it must name the columns code, name and extra",
                                {label, header->line});
        at[c] = k;
    }

    std::vector<AirlineRecord> airlines;
    while (const auto row = reader.Next()) {
        const auto record = static_cast<std::int64_t>(airlines.size());
        if (row->fields.size() != header->fields.size())
            throw TarnwellError(ErrorKind::Input,
                                "the row has " + std::to_string(row->fields.size()) + " fields; the header row has " +
                                    std::to_string(header->fields.size()),
                                {label, row->line, {}, {}, record});
        AirlineRecord airline;
        for (std::size_t c = 0; c < Columns.size(); ++c) {
            const std::string& field = row->fields[at[c]];
            // The list holds one byte per character in Windows-1252: each
            // character of the UTF-8 text that has a code there is stored as
            // that code, any other becomes '?'.
            const std::string text = Utf8ToAnsi(field);
            if (c == 0 && TrimBlanks(text).empty())
                throw TarnwellError(ErrorKind::Input, "the airline code is empty",
                                    {label, row->line, static_cast<int>(at[c] + 1), Columns[c], record});
            if (c == 0) airline.Code = text;
            else if (c == 1) airline.Name = text;
            else airline.Extra = text;
        }
        airlines.push_back(airline);
    }
    if (airlines.empty())
        throw TarnwellError(ErrorKind::Input, "the file holds no airline below its header row", {label});
    return airlines;
}

std::size_t ImportAirlines(ProgramState& state, const fs::path& csv) {
    const Bytes bytes = ReadFileBytes(csv);
    std::vector<AirlineRecord> airlines =
        ParseAirlineCsv(PathText(csv), std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    RequireFolder(state.DataFolder(), false);
    const std::array<PendingFile, 1> file = {
        PendingFile{state.DataFolder() / RealAirlineListName, EncodeAirlineFile(airlines)}};
    ReplaceFiles(file);
    state.RealAirlines = std::move(airlines);
    return state.RealAirlines.size();
}

CompileOutcome BuildDefaults(ProgramState& state, Port& port, const fs::path& timetable) {
    auto step = [&state, &port](const char* status, void (*fn)(ProgramState&, Port&)) {
        return StatusStep{status, [fn, &state, &port] { fn(state, port); }};
    };
    // The compile's steps up to the route miles; no flight plans are made
    // for the real-world routes.
    const std::vector<StatusStep> steps = {
        {"Getting VA Data", [&] { GetTimetableData(state, port, timetable); }},
        step("Sorting VA Data", SortVAData),
        step("Moving Data to Routes", MoveDataToRoutes),
        step("Finding Index Airports", FindIndexAirports),
        step("Looking up Index Airport Information", LookupIndexAirports),
        step("Cross matching Index to Routes", MatchIndexToRoutes),
        step("Cross Matching Routes to Index", MatchRoutesToIndex),
        step("Calculating Orvanta Miles", CalcRouteMiles),
        {"Writing Data Files", [&] { WriteDefaultFiles(state); }},
    };
    CompileOutcome outcome;
    if (!RunSteps(steps, port, outcome)) return outcome;
    port.SetStatus("Finished!", StatusKind::Step);
    port.Beep(BeepKind::Finished, "the real-world route set is built");
    outcome.result = CompileOutcome::Result::Finished;
    return outcome;
}

}  // namespace tarnwell
