#include "map/Coastlines.h"

#include <cstring>
#include <string>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "map/CoastlineData.h"

namespace tarnwell {

namespace {

constexpr std::size_t HeaderLength = 10;

[[noreturn]] void Damaged(const std::string& what) {
    throw TarnwellError(ErrorKind::Input, what, {"coastlines"});
}

}  // namespace

std::vector<GeoLine> DecodeCoastlines(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < HeaderLength || std::memcmp(bytes.data(), "TWCL", 4) != 0)
        Damaged("the data does not begin with \"TWCL\"");
    const RecordReader header(bytes);
    if (header.I16(4) != 1) Damaged("format version " + std::to_string(header.I16(4)) + " is not 1");
    const auto lineCount = static_cast<std::uint32_t>(header.I32(6));
    std::vector<GeoLine> lines;
    std::size_t at = HeaderLength;
    for (std::uint32_t k = 0; k < lineCount; ++k) {
        if (at + 2 > bytes.size()) Damaged("line " + std::to_string(k) + " is cut short");
        const auto count = static_cast<std::uint16_t>(RecordReader(bytes.subspan(at)).I16(0));
        at += 2;
        if (at + 4 * std::size_t{count} > bytes.size()) Damaged("line " + std::to_string(k) + " is cut short");
        GeoLine line(count);
        const RecordReader points(bytes.subspan(at, 4 * std::size_t{count}));
        for (std::size_t i = 0; i < count; ++i)
            line[i] = {points.I16(4 * i) / 100.0, points.I16(4 * i + 2) / 100.0};
        at += 4 * std::size_t{count};
        lines.push_back(std::move(line));
    }
    if (at != bytes.size()) Damaged(std::to_string(bytes.size() - at) + " bytes follow the last line");
    return lines;
}

const std::vector<GeoLine>& Coastlines() {
    static const std::vector<GeoLine> lines = DecodeCoastlines(CoastlineBytes());
    return lines;
}

}  // namespace tarnwell
