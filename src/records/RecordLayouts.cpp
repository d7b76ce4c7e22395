#include "records/RecordLayouts.h"

#include "common/Errors.h"

namespace tarnwell {

void EncodeIndexAirport(const IndexAirportRecord& r, std::span<std::uint8_t> out) {
    RecordWriter w(out);
    w.Text(0, r.IATA);
    w.Text(3, r.ICAO);
    w.Text(7, r.AirportName);
    w.Text(42, r.City);
    w.I32(75, r.DeparturePos);
    w.I16(79, r.DepartureCount);
    w.I32(81, r.Altitude);
    w.F32(85, r.Latitude);
    w.F32(89, r.Longitude);
    w.I32(93, r.ArrivalsPos);
    w.I16(97, r.ArrivalsCount);
    w.I32(99, r.RunwayCount);
    w.I32(103, r.AptPos);
}

IndexAirportRecord DecodeIndexAirport(std::span<const std::uint8_t> in) {
    RecordReader rd(in);
    IndexAirportRecord r;
    r.IATA = rd.Text<3>(0);
    r.ICAO = rd.Text<4>(3);
    r.AirportName = rd.Text<35>(7);
    r.City = rd.Text<33>(42);
    r.DeparturePos = rd.I32(75);
    r.DepartureCount = rd.I16(79);
    r.Altitude = rd.I32(81);
    r.Latitude = rd.F32(85);
    r.Longitude = rd.F32(89);
    r.ArrivalsPos = rd.I32(93);
    r.ArrivalsCount = rd.I16(97);
    r.RunwayCount = rd.I32(99);
    r.AptPos = rd.I32(103);
    return r;
}

void EncodeRoute(const RouteRecord& r, std::span<std::uint8_t> out) {
    RecordWriter w(out);
    w.Text(0, r.Origin);
    w.I16(3, r.DepartTime);
    w.Text(5, r.Destination);
    w.I16(8, r.ArriveTime);
    w.I16(10, r.Miles);
    w.U8(12, r.DayMask);
    w.Text(13, r.Airline);
    w.I16(16, r.FlightNumber);
    w.Text(18, r.Equipment);
    w.Text(21, r.CodeLetter);
    w.U8(22, r.MaskBits);
    w.Text(23, r.Reserved);
    w.I16(24, r.OriginIndex);
    w.I16(26, r.DestIndex);
    w.I32(28, r.PlanPointer);
}

RouteRecord DecodeRoute(std::span<const std::uint8_t> in) {
    RecordReader rd(in);
    RouteRecord r;
    r.Origin = rd.Text<3>(0);
    r.DepartTime = rd.I16(3);
    r.Destination = rd.Text<3>(5);
    r.ArriveTime = rd.I16(8);
    r.Miles = rd.I16(10);
    r.DayMask = rd.U8(12);
    r.Airline = rd.Text<3>(13);
    r.FlightNumber = rd.I16(16);
    r.Equipment = rd.Text<3>(18);
    r.CodeLetter = rd.Text<1>(21);
    r.MaskBits = rd.U8(22);
    r.Reserved = rd.Text<1>(23);
    r.OriginIndex = rd.I16(24);
    r.DestIndex = rd.I16(26);
    r.PlanPointer = rd.I32(28);
    return r;
}

void EncodeAirline(const AirlineRecord& r, std::span<std::uint8_t> out) {
    RecordWriter w(out);
    w.Text(0, r.Code);
    w.Text(3, r.Name);
    w.Text(42, r.Extra);
}

AirlineRecord DecodeAirline(std::span<const std::uint8_t> in) {
    RecordReader rd(in);
    AirlineRecord r;
    r.Code = rd.Text<3>(0);
    r.Name = rd.Text<39>(3);
    r.Extra = rd.Text<24>(42);
    return r;
}

Bytes EncodeIndexFile(std::span<const IndexAirportRecord> airports) {
    return EncodeRecords(airports, IndexRecordLength, EncodeIndexAirport);
}
Bytes EncodeRouteFile(std::span<const RouteRecord> routes) { return EncodeRecords(routes, RouteRecordLength, EncodeRoute); }
Bytes EncodeAirlineFile(std::span<const AirlineRecord> airlines) {
    return EncodeRecords(airlines, AirlineRecordLength, EncodeAirline);
}

std::vector<IndexAirportRecord> DecodeIndexFile(std::span<const std::uint8_t> bytes, const std::string& label) {
    return DecodeRecords(bytes, IndexRecordLength, label, DecodeIndexAirport);
}
std::vector<RouteRecord> DecodeRouteFile(std::span<const std::uint8_t> bytes, const std::string& label) {
    return DecodeRecords(bytes, RouteRecordLength, label, DecodeRoute);
}
std::vector<AirlineRecord> DecodeAirlineFile(std::span<const std::uint8_t> bytes, const std::string& label) {
    return DecodeRecords(bytes, AirlineRecordLength, label, DecodeAirline);
}

}  // namespace tarnwell
