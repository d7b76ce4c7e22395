#include "realworld/DefaultRouteSet.h"

#include <array>
#include <system_error>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "common/FileReplace.h"
#include "records/RecordLayouts.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

void RequireFolder(const fs::path& folder, bool create) {
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return;
    if (create && (fs::create_directory(folder, ec) || fs::is_directory(folder, ec))) return;
    throw TarnwellError(ErrorKind::File, create ? "cannot create the folder: " + ec.message() : "the folder is missing",
                        {PathText(folder)});
}

}  // namespace

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
