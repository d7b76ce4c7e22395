#include "common/ProgressLine.h"

#include <algorithm>
#include <cmath>

namespace tarnwell {

std::string GroupedNumber(std::int64_t n) {
    const std::string digits = std::to_string(n < 0 ? -n : n);
    std::string out = n < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

int PercentDone(std::int64_t done, std::int64_t total) {
    if (total <= 0) return 0;
    return static_cast<int>(done * 100 / total);
}

std::optional<double> SecondsLeft(std::int64_t done, std::int64_t total, double secondsSoFar) {
    if (done <= 0 || done >= total || !(secondsSoFar >= 0)) return std::nullopt;
    return secondsSoFar * static_cast<double>(total - done) / static_cast<double>(done);
}

std::string ClockText(double seconds) {
    const auto whole = static_cast<std::int64_t>(std::llround(std::max(seconds, 0.0)));
    const auto two = [](std::int64_t v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    if (whole >= 3600) return std::to_string(whole / 3600) + ":" + two(whole / 60 % 60) + ":" + two(whole % 60);
    return std::to_string(whole / 60) + ":" + two(whole % 60);
}

std::string ProgressLine(std::string_view work, std::int64_t done, std::int64_t total,
                         std::optional<double> secondsLeft) {
    std::string line = std::string(work) + " " + GroupedNumber(done) + " of " + GroupedNumber(total) + " (" +
                       std::to_string(PercentDone(done, total)) + "%)";
    if (secondsLeft) line += ", about " + ClockText(*secondsLeft) + " left";
    return line;
}

bool TenthsShown::Crossed(std::int64_t done, std::int64_t total) {
    if (done <= 0) {
        nextTenth_ = 1;
        return false;
    }
    const int tenth = PercentDone(done, total) / 10;
    if (tenth < nextTenth_) return false;
    nextTenth_ = tenth + 1;
    return true;
}

}  // namespace tarnwell
