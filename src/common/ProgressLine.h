#pragma once
// The line a front end shows for a long piece of work: how many items are
// done of how many, the percentage, and an estimate of the time left, e.g.
// "Creating Flight Plans 12,345 of 25,000 (49%), about 0:14 left".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwell {

// n with a comma between each group of three digits.
std::string GroupedNumber(std::int64_t n);

// The whole percent of `total` that `done` makes (0 when total is 0).
int PercentDone(std::int64_t done, std::int64_t total);

// The time left if the rest goes as fast as what is done took: nothing
// before the first item or when nothing is left.
std::optional<double> SecondsLeft(std::int64_t done, std::int64_t total, double secondsSoFar);

// A duration as M:SS, or H:MM:SS from an hour on.
std::string ClockText(double seconds);

std::string ProgressLine(std::string_view work, std::int64_t done, std::int64_t total,
                         std::optional<double> secondsLeft);

// Which of a work's figures a front end that prints a line per tenth shows:
// the first figure at or past each 10%.
class TenthsShown {
public:
    // True when this figure crosses into a new tenth (starting over when
    // `done` is 0).
    bool Crossed(std::int64_t done, std::int64_t total);

private:
    int nextTenth_ = 1;
};

}  // namespace tarnwell
