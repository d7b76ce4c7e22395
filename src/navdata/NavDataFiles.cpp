#include "navdata/NavDataFiles.h"

#include <string>
#include <system_error>

#include "common/BinaryIO.h"
#include "common/Errors.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

// The bytes of a navigation file that must hold at least one record.
Bytes ReadRequiredNavFile(const fs::path& path, std::size_t recordLength) {
    std::error_code ec;
    if (!fs::exists(path, ec))
        throw TarnwellError(ErrorKind::File, "the navigation file is missing", {PathText(path)});
    Bytes bytes = ReadFileBytes(path, NavFileLimit(recordLength));
    if (bytes.size() < recordLength)
        throw TarnwellError(ErrorKind::Input,
                            "the navigation file holds no record (" + std::to_string(bytes.size()) +
                                " bytes; a record is " + std::to_string(recordLength) + ")",
                            {PathText(path)});
    return bytes;
}

AirwayNetwork LoadNetwork(const fs::path& path, std::int32_t capacity, Progress& progress) {
    AirwayNetwork network;
    std::error_code ec;
    // A network that is not there is an empty network; nothing is created.
    if (!fs::exists(path, ec)) return network;
    const Bytes bytes = ReadFileBytes(path, AirwayNetworkFileLimit(capacity));
    DecodeAirwayNetwork(bytes, PathText(path), capacity, network, [&progress] { progress.DoEvents(); });
    return network;
}

}  // namespace

std::vector<NavAirport> LoadNavAirports(const fs::path& dataFolder) {
    const fs::path path = dataFolder / NavAirportFileName;
    return DecodeNavAirports(ReadRequiredNavFile(path, NavAirportRecordLength), PathText(path));
}

std::vector<NavAid> LoadVors(const fs::path& dataFolder) {
    const fs::path path = dataFolder / VorFileName;
    return DecodeNavAids(ReadRequiredNavFile(path, NavAidRecordLength), PathText(path));
}

std::vector<NavAid> LoadNdbs(const fs::path& dataFolder) {
    const fs::path path = dataFolder / NdbFileName;
    return DecodeNavAids(ReadRequiredNavFile(path, NavAidRecordLength), PathText(path));
}

std::vector<Intersection> LoadIntersections(const fs::path& dataFolder) {
    const fs::path path = dataFolder / IntersectionFileName;
    return DecodeIntersections(ReadRequiredNavFile(path, IntersectionRecordLength), PathText(path));
}

AirwayNetwork LoadHighNodes(const fs::path& dataFolder, Progress& progress) {
    return LoadNetwork(dataFolder / HighNodeFileName, HighNodeCapacity, progress);
}

AirwayNetwork LoadLowNodes(const fs::path& dataFolder, Progress& progress) {
    return LoadNetwork(dataFolder / LowNodeFileName, LowNodeCapacity, progress);
}

}  // namespace tarnwell
