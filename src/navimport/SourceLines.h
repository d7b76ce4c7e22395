#pragma once
// The line and column handling all four source file readers share: the
// blank-separated columns of a line, numbers and positions in them, the
// version header and the run over the data lines up to the end marker.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/LineSource.h"
#include "navimport/SourceRecords.h"

namespace tarnwell {

// How much of a simulator file the readers take. The whole world's free data
// has lines of at most 960 bytes, an apt.dat of 106 MB and a nav.dat, fix.dat
// and awy.dat of 2 to 5 MB (uncompressed); newer releases are several times
// larger. A line may be 64 KiB, an apt.dat 4 GiB and any other file 1 GiB, so
// that a damaged or endless file ends in an error and not in memory or time
// without end.
inline constexpr std::size_t SourceLineLimit = std::size_t{64} << 10;
inline constexpr TextLimits AptDatLimits{SourceLineLimit, std::uintmax_t{4} << 30, "an apt.dat file"};
inline constexpr TextLimits NavSourceLimits{SourceLineLimit, std::uintmax_t{1} << 30,
                                            "a nav.dat, fix.dat or awy.dat file"};

// The blank-separated columns of a line.
class SourceColumns {
public:
    explicit SourceColumns(std::string_view line);
    std::size_t size() const { return cols_.size(); }
    std::string_view operator[](std::size_t k) const { return cols_[k]; }
    // Everything from column k to the end of the line, as written.
    std::string Rest(std::size_t k) const;

private:
    std::string_view line_;
    std::vector<std::string_view> cols_;
};

// A finite number, optionally with a leading '+'; false when the whole text is not one.
bool ParseSourceDouble(std::string_view text, double& out);
// A latitude and longitude that parse and lie in range.
bool ParseSourcePosition(std::string_view latText, std::string_view lonText, double& lat, double& lon);

// Reads the header ("I" or "A", then the version line), notes the version in
// the report and returns it. Throws TarnwellError(ErrorKind::Input) when
// there is no version line.
int ReadSourceVersion(LineSource& source, SourceReport& report);

// Runs `row(columns, lineNumber)` for every non-blank data line until the end marker "99".
template <typename Row>
void ForEachSourceRow(LineSource& source, const ReadProgress& progress, Row row) {
    std::string_view line;
    std::int64_t sinceProgress = 0;
    while (source.Next(line)) {
        if (progress && ++sinceProgress == 200000) {
            sinceProgress = 0;
            progress(source.Fraction());
        }
        const SourceColumns c(line);
        if (c.size() == 0) continue;
        if (c.size() == 1 && c[0] == "99") break;
        row(c, source.LineNumber());
    }
    if (progress) progress(1.0);
}

}  // namespace tarnwell
