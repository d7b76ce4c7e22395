#include "realworld/RealAirlineList.h"

#include <system_error>

#include "common/BinaryIO.h"
#include "records/RecordLayouts.h"

namespace fs = std::filesystem;

namespace tarnwell {

std::vector<AirlineRecord> LoadRealAirlines(const fs::path& dataFolder, Progress& progress) {
    const fs::path path = dataFolder / RealAirlineListName;
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        progress.Warn("the real-world airline list " + PathText(path) +
                  " is missing; no real-world airline can be chosen");
        return {};
    }
    constexpr FileLimit limit{AirlineRecordLength * RealAirlineCapacity, "the real-world airline list"};
    const Bytes bytes = ReadFileBytes(path, limit);
    if (bytes.empty()) {
        progress.Warn("the real-world airline list " + PathText(path) + " is empty; no real-world airline can be chosen");
        return {};
    }
    return DecodeAirlineFile(bytes, PathText(path));
}

}  // namespace tarnwell
