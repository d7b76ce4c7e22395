#include "navdata/AirportDatabase.h"

namespace tarnwell {

Bytes EncodeNavennaAirports(std::span<const NavennaAirportRecord> records) {
    return EncodeRecords(records, NavennaAirportRecordLength, [](const NavennaAirportRecord& r, std::span<std::uint8_t> out) {
        RecordWriter w{out};
        w.Text(0, r.ICAO);
        w.I32(4, static_cast<std::int32_t>(r.Reserved1));
        w.I32(8, static_cast<std::int32_t>(r.Reserved2));
        w.I32(12, r.RunwayPos);
        w.I32(16, r.ValuesPos);
        w.Text(20, r.Reserved3);
        w.I32(21, r.RunwayCount);
    });
}

Bytes EncodeNavennaValues(std::span<const NavennaValuesRecord> records) {
    return EncodeRecords(records, NavennaValuesRecordLength, [](const NavennaValuesRecord& r, std::span<std::uint8_t> out) {
        RecordWriter w{out};
        w.Text(0, r.ICAO);
        w.Text(4, r.Name);
        w.F32(40, r.Latitude);
        w.F32(44, r.Longitude);
        w.I16(48, r.Reserved);
        for (std::size_t k = 0; k < r.Values.size(); ++k) w.F32(50 + 4 * k, r.Values[k]);
    });
}

Bytes EncodeNavennaRunways(std::span<const NavennaRunwayRecord> records) {
    return EncodeRecords(records, NavennaRunwayRecordLength, [](const NavennaRunwayRecord& r, std::span<std::uint8_t> out) {
        RecordWriter w{out};
        w.Text(0, r.ICAO);
        w.Text(4, r.RunwayIdent);
        w.I32(9, r.RunwayData1);
        w.I32(13, r.RunwayData2);
        w.I32(17, r.Surface);
        w.F32(21, r.Heading);
        w.F32(25, r.HeadingOffset);
        w.F32(29, r.Latitude);
        w.F32(33, r.Longitude);
        w.I32(37, r.Reserved);
        w.Text(41, r.IlsText);
        w.F32(48, r.IlsValue);
        w.I32(52, r.Reserved2);
    });
}

std::vector<NavennaAirportRecord> DecodeNavennaAirports(std::span<const std::uint8_t> bytes, const std::string& label) {
    return DecodeRecords(bytes, NavennaAirportRecordLength, label, [](std::span<const std::uint8_t> in) {
        const RecordReader r{in};
        NavennaAirportRecord a;
        a.ICAO = r.Text<4>(0);
        a.Reserved1 = static_cast<std::uint32_t>(r.I32(4));
        a.Reserved2 = static_cast<std::uint32_t>(r.I32(8));
        a.RunwayPos = r.I32(12);
        a.ValuesPos = r.I32(16);
        a.Reserved3 = r.Text<1>(20);
        a.RunwayCount = r.I32(21);
        return a;
    });
}

std::vector<NavennaValuesRecord> DecodeNavennaValues(std::span<const std::uint8_t> bytes, const std::string& label) {
    return DecodeRecords(bytes, NavennaValuesRecordLength, label, [](std::span<const std::uint8_t> in) {
        const RecordReader r{in};
        NavennaValuesRecord v;
        v.ICAO = r.Text<4>(0);
        v.Name = r.Text<36>(4);
        v.Latitude = r.F32(40);
        v.Longitude = r.F32(44);
        v.Reserved = r.I16(48);
        for (std::size_t k = 0; k < v.Values.size(); ++k) v.Values[k] = r.F32(50 + 4 * k);
        return v;
    });
}

std::vector<NavennaRunwayRecord> DecodeNavennaRunways(std::span<const std::uint8_t> bytes, const std::string& label) {
    return DecodeRecords(bytes, NavennaRunwayRecordLength, label, [](std::span<const std::uint8_t> in) {
        const RecordReader r{in};
        NavennaRunwayRecord w;
        w.ICAO = r.Text<4>(0);
        w.RunwayIdent = r.Text<5>(4);
        w.RunwayData1 = r.I32(9);
        w.RunwayData2 = r.I32(13);
        w.Surface = r.I32(17);
        w.Heading = r.F32(21);
        w.HeadingOffset = r.F32(25);
        w.Latitude = r.F32(29);
        w.Longitude = r.F32(33);
        w.Reserved = r.I32(37);
        w.IlsText = r.Text<7>(41);
        w.IlsValue = r.F32(48);
        w.Reserved2 = r.I32(52);
        return w;
    });
}

}  // namespace tarnwell
