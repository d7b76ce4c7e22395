#include "routeset/AptFile.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "common/BinaryIO.h"
#include "common/Errors.h"

namespace tarnwell {

void EncodeAptRunway(const AptRunwayRecord& r, std::span<std::uint8_t> out) {
    RecordWriter w{out};
    w.Text(0, r.RunwayIdent);
    w.I32(5, r.RunwayData1);
    w.I32(9, r.RunwayData2);
    w.F32(13, r.Heading);
    w.F32(17, r.NetHeading);
    w.Text(21, r.IlsText);
    w.Text(28, r.IlsValue);
}

void EncodeAptValues(const AptValuesRecord& v, std::span<std::uint8_t> out) {
    RecordWriter w{out};
    for (std::size_t k = 0; k < v.Values.size(); ++k) w.Text(6 * k, v.Values[k]);
}

AptRunwayRecord DecodeAptRunway(std::span<const std::uint8_t> in) {
    const RecordReader r{in};
    AptRunwayRecord a;
    a.RunwayIdent = r.Text<5>(0);
    a.RunwayData1 = r.I32(5);
    a.RunwayData2 = r.I32(9);
    a.Heading = r.F32(13);
    a.NetHeading = r.F32(17);
    a.IlsText = r.Text<7>(21);
    a.IlsValue = r.Text<6>(28);
    return a;
}

AptValuesRecord DecodeAptValues(std::span<const std::uint8_t> in) {
    const RecordReader r{in};
    AptValuesRecord v;
    for (std::size_t k = 0; k < v.Values.size(); ++k) v.Values[k] = r.Text<6>(6 * k);
    return v;
}

FixedText<6> FormatValue(float value) {
    if (!std::isfinite(value))
        throw TarnwellError(ErrorKind::Input, "the value " + std::to_string(value) + " is not a number that can be written as 000.00");
    const double magnitude = std::fabs(static_cast<double>(value));
    char digits[64];
    std::snprintf(digits, sizeof digits, "%06.2f", magnitude);  // at least three digits before the point
    std::string text = value < 0.0f ? "-" : "";
    text += digits;
    return FixedText<6>(text);
}

float NetHeading(float heading, float headingOffset) {
    float net = heading - headingOffset;
    if (net < 0) net = net + 360.0f;
    return net;
}

}  // namespace tarnwell
