#include "navdata/NavRecords.h"

#include <string>

#include "common/Errors.h"

namespace tarnwell {

namespace {

void EncodeNavAirport(const NavAirport& r, std::span<std::uint8_t> out) {
    RecordWriter w(out);
    w.Text(0, r.ICAO);
    w.Text(4, r.Name);
    w.Text(40, r.City);
    w.F32(66, r.Latitude);
    w.F32(70, r.Longitude);
    w.I32(74, r.Altitude);
    w.I32(78, static_cast<std::int32_t>(r.Reserved1));
    w.I16(82, r.Reserved2);
    w.I32(84, static_cast<std::int32_t>(r.Reserved3));
    w.I16(88, r.Reserved4);
}

NavAirport DecodeNavAirport(std::span<const std::uint8_t> in) {
    RecordReader rd(in);
    NavAirport r;
    r.ICAO = rd.Text<4>(0);
    r.Name = rd.Text<36>(4);
    r.City = rd.Text<26>(40);
    r.Latitude = rd.F32(66);
    r.Longitude = rd.F32(70);
    r.Altitude = rd.I32(74);
    r.Reserved1 = static_cast<std::uint32_t>(rd.I32(78));
    r.Reserved2 = rd.I16(82);
    r.Reserved3 = static_cast<std::uint32_t>(rd.I32(84));
    r.Reserved4 = rd.I16(88);
    return r;
}

void EncodeNavAid(const NavAid& r, std::span<std::uint8_t> out) {
    RecordWriter w(out);
    w.Text(0, r.Ident);
    w.Text(3, r.Name);
    w.F32(32, r.Latitude);
    w.F32(36, r.Longitude);
    w.Text(40, r.Frequency);
}

NavAid DecodeNavAid(std::span<const std::uint8_t> in) {
    RecordReader rd(in);
    NavAid r;
    r.Ident = rd.Text<3>(0);
    r.Name = rd.Text<29>(3);
    r.Latitude = rd.F32(32);
    r.Longitude = rd.F32(36);
    r.Frequency = rd.Text<6>(40);
    return r;
}

void EncodeIntersection(const Intersection& r, std::span<std::uint8_t> out) {
    RecordWriter w(out);
    w.Text(0, r.Ident);
    w.Text(5, r.ReservedText);
    w.F32(12, r.Latitude);
    w.F32(16, r.Longitude);
}

Intersection DecodeIntersection(std::span<const std::uint8_t> in) {
    RecordReader rd(in);
    Intersection r;
    r.Ident = rd.Text<5>(0);
    r.ReservedText = rd.Text<7>(5);
    r.Latitude = rd.F32(12);
    r.Longitude = rd.F32(16);
    return r;
}

}  // namespace

std::vector<NavAirport> DecodeNavAirports(std::span<const std::uint8_t> bytes, const std::string& label) {
    return DecodeRecords(bytes, NavAirportRecordLength, label, DecodeNavAirport);
}
std::vector<NavAid> DecodeNavAids(std::span<const std::uint8_t> bytes, const std::string& label) {
    return DecodeRecords(bytes, NavAidRecordLength, label, DecodeNavAid);
}
std::vector<Intersection> DecodeIntersections(std::span<const std::uint8_t> bytes, const std::string& label) {
    return DecodeRecords(bytes, IntersectionRecordLength, label, DecodeIntersection);
}
Bytes EncodeNavAirports(std::span<const NavAirport> airports) {
    return EncodeRecords(airports, NavAirportRecordLength, EncodeNavAirport);
}
Bytes EncodeNavAids(std::span<const NavAid> aids) { return EncodeRecords(aids, NavAidRecordLength, EncodeNavAid); }
Bytes EncodeIntersections(std::span<const Intersection> intersections) {
    return EncodeRecords(intersections, IntersectionRecordLength, EncodeIntersection);
}

}  // namespace tarnwell
