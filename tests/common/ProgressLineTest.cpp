// The figures of a long piece of work as the front ends show them.

#include <gtest/gtest.h>

#include <vector>

#include "common/ProgressLine.h"

namespace tarnwell {
namespace {

TEST(ProgressLine, CountPercentAndTimeLeft) {
    struct Case {
        std::int64_t done, total;
        double seconds;  // taken so far
        const char* line;
    };
    const Case cases[] = {
        {0, 25000, 0, "Creating Flight Plans 0 of 25,000 (0%)"},
        {12345, 25000, 13.6, "Creating Flight Plans 12,345 of 25,000 (49%), about 0:14 left"},
        {1, 1234567, 0.01, "Creating Flight Plans 1 of 1,234,567 (0%), about 3:25:46 left"},
        {999, 1000, 999, "Creating Flight Plans 999 of 1,000 (99%), about 0:01 left"},
        {1000, 1000, 999, "Creating Flight Plans 1,000 of 1,000 (100%)"},
        {0, 0, 0, "Creating Flight Plans 0 of 0 (0%)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgressLine("Creating Flight Plans", c.done, c.total, SecondsLeft(c.done, c.total, c.seconds)),
                  c.line);
}

TEST(ProgressLine, ALinePerTenthStartingOverWithNewWork) {
    TenthsShown tenths;
    std::vector<std::int64_t> shown;
    for (std::int64_t done = 0; done <= 376; ++done)
        if (tenths.Crossed(done, 376)) shown.push_back(done);
    EXPECT_EQ(shown, (std::vector<std::int64_t>{38, 76, 113, 151, 188, 226, 264, 301, 339, 376}));
    // Work that leaps ahead shows once per figure; new work starts over.
    shown.clear();
    for (std::int64_t done : {0, 5, 7, 10, 0, 3, 10})
        if (tenths.Crossed(done, 10)) shown.push_back(done);
    EXPECT_EQ(shown, (std::vector<std::int64_t>{5, 7, 10, 3, 10}));
}

}  // namespace
}  // namespace tarnwell
