#include "navimport/SourceLines.h"

#include <charconv>
#include <cmath>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "common/TextFile.h"

namespace tarnwell {

void SourceReport::Skip(std::int64_t line, std::string_view reason) {
    ++skipped;
    if (firstSkipped.size() < 5) firstSkipped.push_back("line " + std::to_string(line) + ": " + std::string(reason));
}

SourceColumns::SourceColumns(std::string_view line) : line_(line) {
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= line.size()) break;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        cols_.push_back(line.substr(start, i - start));
    }
}

std::string SourceColumns::Rest(std::size_t k) const {
    if (k >= cols_.size()) return {};
    std::string_view rest = line_.substr(static_cast<std::size_t>(cols_[k].data() - line_.data()));
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.remove_suffix(1);
    return std::string(rest);
}

bool ParseSourceDouble(std::string_view text, double& out) {
    if (!text.empty() && text[0] == '+') text.remove_prefix(1);
    const auto end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && p == end && std::isfinite(out);
}

bool ParseSourcePosition(std::string_view latText, std::string_view lonText, double& lat, double& lon) {
    return ParseSourceDouble(latText, lat) && ParseSourceDouble(lonText, lon) && std::fabs(lat) <= 90.0 &&
           std::fabs(lon) <= 180.0;
}

int ReadSourceVersion(LineSource& source, SourceReport& report) {
    std::string_view line;
    bool sawOrigin = false;
    while (source.Next(line)) {
        const SourceColumns c(line);
        if (c.size() == 0) continue;
        if (!sawOrigin && c.size() == 1 && (c[0] == "I" || c[0] == "A")) {
            sawOrigin = true;
            continue;
        }
        std::int32_t version = 0;
        if (!ParseInt32(c[0], version) || version < 100)
            break;
        report.version = version;
        return version;
    }
    throw TarnwellError(ErrorKind::Input, "not a navigation data file: no version line at its start",
                        {PathText(source.Path()), source.LineNumber()});
}

}  // namespace tarnwell
