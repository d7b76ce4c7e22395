#include "realworld/DefaultRouteSet.h"

#include <array>
#include <system_error>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "common/FileReplace.h"
#include "records/RecordLayouts.h"

namespace fs = std::filesystem;

namespace tarnwell {

void WriteDefaultRouteSet(const fs::path& dataFolder, std::span<const RouteRecord> Routes,
                          std::span<const IndexAirportRecord> IndexAirports) {
    const fs::path folder = dataFolder / DefaultsFolderName;
    RequireFolder(dataFolder, false);
    RequireFolder(folder, true);
    const std::array<PendingFile, 2> files = {
        PendingFile{folder / DefaultRoutesName, EncodeRouteFile(Routes)},
        PendingFile{folder / DefaultIndexName, EncodeIndexFile(IndexAirports)}};
    ReplaceFiles(files);
}

}  // namespace tarnwell
