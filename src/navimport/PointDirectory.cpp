#include "navimport/PointDirectory.h"

namespace tarnwell {

namespace {
std::string PointKey(std::string_view ident, std::string_view region, char kind) {
    std::string key(ident);
    key += '\x1f';
    key += region;
    key += '\x1f';
    key += kind;
    return key;
}
}  // namespace

void PointDirectory::AddFixes(const std::vector<SourceFix>& fixes) {
    // An en-route fix wins over a terminal fix of the same name and region.
    for (const SourceFix& f : fixes) {
        auto [it, added] = places_.try_emplace(PointKey(f.ident, f.region, 'F'), std::array{f.lat, f.lon});
        if (!added && f.terminal == "ENRT") it->second = {f.lat, f.lon};
    }
}

void PointDirectory::AddBeacons(const NavSource& nav) {
    for (const SourceBeacon& b : nav.vors) places_.try_emplace(PointKey(b.ident, b.region, 'V'), std::array{b.lat, b.lon});
    for (const SourceBeacon& b : nav.ndbs) places_.try_emplace(PointKey(b.ident, b.region, 'N'), std::array{b.lat, b.lon});
}

std::optional<std::array<double, 2>> PointDirectory::Find(std::string_view ident, std::string_view region,
                                                          char kind) const {
    const auto it = places_.find(PointKey(ident, region, kind));
    if (it == places_.end()) return std::nullopt;
    return it->second;
}

}  // namespace tarnwell
