#pragma once
// The pieces the route-set check's problem lines are made of.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "records/RecordLayouts.h"

namespace tarnwell::routesetcheck {

// The problem lines found so far, in the order the files are checked.
using ProblemLines = std::vector<std::string>;

// "1 route", "2 routes".
std::string Count(std::int64_t n, const char* one, const char* many);

// A code for messages; "" when it is blank.
std::string Code(std::string_view stored);

// "index.kr1, airport 3 (LBA)".
std::string AirportText(std::int64_t i, const IndexAirportRecord& a);

// "route 7 (LBA to EDI)".
std::string RouteName(std::int64_t r, const RouteRecord& route);

// A point type for messages: the letter in quotes, or the byte's value.
std::string PointTypeText(char type);

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
    // `list` names the list in the count of the others: "block", "list", "plan".
    std::string Text(const char* list) const;

private:
    std::string first_;
    std::int64_t more_ = 0;
};

}  // namespace tarnwell::routesetcheck
