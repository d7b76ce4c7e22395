#pragma once
// Places of the points that version 1100 and later airway files name by
// identifier, region and kind instead of by position.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "navimport/SourceRecords.h"

namespace tarnwell {

class PointDirectory {
public:
    void AddFixes(const std::vector<SourceFix>& fixes);
    void AddBeacons(const NavSource& nav);
    // The position of (ident, region, kind), kind 'F', 'V' or 'N'.
    std::optional<std::array<double, 2>> Find(std::string_view ident, std::string_view region, char kind) const;

private:
    std::unordered_map<std::string, std::array<double, 2>> places_;
};

}  // namespace tarnwell
