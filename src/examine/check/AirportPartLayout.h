#pragma once
// Where the next part of a file laid out airport by airport in index order
// must begin: right where the part before it ends. After a misplaced part
// the layout goes on from where that part is, so that one fault gives one or
// two problems rather than one for every airport after it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "records/RecordLayouts.h"

namespace tarnwell::routesetcheck {

struct AirportPartLayout {
    explicit AirportPartLayout(const char* part_) : part(part_) {}

    const char* part;  // what each airport has in the file, for messages: "arrival list"
    std::int64_t next = 1;
    std::optional<std::size_t> previous;  // the airport whose part ends at next

    // "expected 9, right after the arrival list of airport 1 (BBB)".
    std::string Expected(const std::vector<IndexAirportRecord>& airports) const;
    // Where the parts end, for a file of another length: "the arrival list
    // of airport 2 (CCC) ends at byte 16".
    std::string LastPart(const std::vector<IndexAirportRecord>& airports) const;

    void Follow(std::size_t airport, std::int64_t pos, std::int64_t length) {
        next = pos + length;
        previous = airport;
    }
};

}  // namespace tarnwell::routesetcheck
