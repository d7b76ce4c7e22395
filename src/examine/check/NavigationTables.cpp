#include "examine/check/NavigationTables.h"

#include <system_error>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "navdata/AirwayNetwork.h"
#include "navdata/NavRecords.h"

namespace fs = std::filesystem;

namespace tarnwell::routesetcheck {

using std::to_string;

NavigationTable FixedRecordTable(const fs::path& dataFolder, const char* name, std::size_t recordLength) {
    NavigationTable t{std::string("Data/") + name, {}, {}};
    const fs::path path = dataFolder / name;
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        t.failure = "it is missing";
        return t;
    }
    std::uintmax_t size = 0;
    try {
        size = RegularFileSize(path, NavFileLimit(recordLength));
    } catch (const TarnwellError& e) {
        t.failure = e.What();
        return t;
    }
    if (size % recordLength != 0)
        t.failure = "it is " + to_string(size) + " bytes long, not a whole number of " + to_string(recordLength) +
                    "-byte records";
    else
        t.count = static_cast<std::int64_t>(size / recordLength);
    return t;
}

NavigationTable AirwayNodeTable(const fs::path& dataFolder, const char* name) {
    NavigationTable t{std::string("Data/") + name, {}, {}};
    const fs::path path = dataFolder / name;
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        t.failure = "it is missing";
        return t;
    }
    try {
        AirwayNetwork network;
        DecodeAirwayNetwork(ReadFileBytes(path, AirwayNetworkFileLimit(HighNodeCapacity)), t.file, HighNodeCapacity,
                            network);
        t.count = network.Count();
    } catch (const TarnwellError& e) {
        t.failure = e.What();
    }
    return t;
}

}  // namespace tarnwell::routesetcheck
