#include "navimport/AirportFiles.h"

#include <bit>
#include <climits>
#include <cmath>
#include <unordered_map>

#include "common/AnsiText.h"
#include "common/Errors.h"
#include "navimport/AirportChoice.h"
#include "navimport/RunwayDesignators.h"
#include "navimport/SphereGeometry.h"
#include "navimport/VariationMap.h"

namespace tarnwell {

namespace {

// The localizers by airport and runway; the first of each pair counts.
class LocalizerIndex {
public:
    explicit LocalizerIndex(const std::vector<SourceLocalizer>& localizers) {
        for (const SourceLocalizer& l : localizers) {
            std::string k = l.airport + "|" + RunwayKey(l.runway);
            byRunway_.try_emplace(std::move(k), &l);
        }
    }
    // The localizer of the runway end, looked up under the airport's code in
    // the file and then under the code it is written with; null when none.
    const SourceLocalizer* Find(const std::string& fileCode, const std::string& code, const std::string& end) const {
        const std::string runway = RunwayKey(end);
        auto found = byRunway_.find(fileCode + "|" + runway);
        if (found == byRunway_.end()) found = byRunway_.find(code + "|" + runway);
        return found == byRunway_.end() ? nullptr : found->second;
    }

private:
    std::unordered_map<std::string, const SourceLocalizer*> byRunway_;
};

NavennaRunwayRecord RunwayEndRecord(const std::string& code, const SourceRunway& r, std::size_t e, float offset,
                                    const SourceLocalizer* localizer) {
    const SourceRunwayEnd& end = r.ends[e];
    const SourceRunwayEnd& other = r.ends[1 - e];
    NavennaRunwayRecord w;
    w.ICAO = code;
    w.RunwayIdent = end.ident;
    w.RunwayData1 = static_cast<std::int32_t>(std::lround(DistanceFeet(end.lat, end.lon, other.lat, other.lon)));
    w.RunwayData2 = static_cast<std::int32_t>(std::lround(r.widthFeet));
    w.Surface = r.surface;
    w.Heading = static_cast<float>(TrueHeading(end.lat, end.lon, other.lat, other.lon));
    w.HeadingOffset = offset;
    w.Latitude = static_cast<float>(end.lat);
    w.Longitude = static_cast<float>(end.lon);
    w.IlsText = "";
    if (localizer) {
        w.IlsText = localizer->ident;
        w.IlsValue = static_cast<float>(localizer->frequency / 100.0);
    }
    return w;
}

// Adds the airports one by one, keeping the 1-based byte positions of each
// airport's runway ends and values that its database record points at.
class AirportFilesBuilder {
public:
    AirportFilesBuilder(const NavSource& nav, AirportFiles& files)
        : variation_(nav.vors), localizers_(nav.localizers), files_(files) {}

    void Add(const ChosenAirport& c) {
        const SourceAirport& a = *c.airport;
        const float lat = static_cast<float>(c.lat), lon = static_cast<float>(c.lon);
        const std::string name = Utf8ToAnsi(a.name);

        NavAirport n;
        n.ICAO = c.code;
        n.Name = name;
        n.City = Utf8ToAnsi(a.city);
        n.Latitude = lat;
        n.Longitude = lon;
        n.Altitude = a.elevation;
        files_.navAirports.push_back(n);

        const std::int32_t runwayCount = AddRunwayEnds(c);

        NavennaValuesRecord v;
        v.ICAO = c.code;
        v.Name = name;
        v.Latitude = lat;
        v.Longitude = lon;
        v.Values = a.frequencies;
        files_.values.push_back(v);

        NavennaAirportRecord rec;
        rec.ICAO = c.code;
        rec.Reserved1 = std::bit_cast<std::uint32_t>(lat);
        rec.Reserved2 = std::bit_cast<std::uint32_t>(lon);
        rec.RunwayPos = runwayCount > 0 ? static_cast<std::int32_t>(runwayPos_) : 0;
        rec.ValuesPos = static_cast<std::int32_t>(valuesPos_);
        rec.Reserved3 = "L";
        rec.RunwayCount = runwayCount;
        files_.airports.push_back(rec);
        runwayPos_ += static_cast<std::int64_t>(runwayCount) * static_cast<std::int64_t>(NavennaRunwayRecordLength);
        valuesPos_ += static_cast<std::int64_t>(NavennaValuesRecordLength);
        if (runwayPos_ > INT32_MAX)
            throw TarnwellError(ErrorKind::Overflow, "the runway file would pass 2 GB; choose a smaller region");
    }

private:
    // Both ends of every runway; returns how many were added.
    std::int32_t AddRunwayEnds(const ChosenAirport& c) {
        const SourceAirport& a = *c.airport;
        const float offset = variation_.At(c.lat, c.lon);
        const std::size_t firstRunway = files_.runways.size();
        for (const SourceRunway& r : a.runways)
            for (std::size_t e = 0; e < 2; ++e) {
                const SourceLocalizer* localizer = localizers_.Find(a.ident, c.code, r.ends[e].ident);
                files_.runways.push_back(RunwayEndRecord(c.code, r, e, offset, localizer));
            }
        return static_cast<std::int32_t>(files_.runways.size() - firstRunway);
    }

    const VariationMap variation_;
    const LocalizerIndex localizers_;
    AirportFiles& files_;
    std::int64_t runwayPos_ = 1, valuesPos_ = 1;
};

}  // namespace

AirportFiles BuildAirportFiles(const AirportSource& source, const NavSource& nav, const ImportRegion& region,
                               bool strict, std::vector<std::string>& dropped) {
    const std::vector<ChosenAirport> chosen = ChooseAirports(source, region, dropped);
    AirportFiles files;
    AirportFilesBuilder builder(nav, files);
    for (const ChosenAirport& c : chosen) builder.Add(c);
    files.altitudes = MakeAltitudeList(chosen, region, strict, dropped);
    return files;
}

}  // namespace tarnwell
