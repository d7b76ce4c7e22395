#pragma once
// The navigation database: airports, beacons, intersections and the two
// airway networks, and the city pairs that get one flight plan each.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "common/BinaryIO.h"
#include "common/FixedText.h"

namespace tarnwell {

// One record of nav_APT.bin (90 bytes).
struct NavAirport {
    FixedText<4> ICAO;
    FixedText<36> Name;
    FixedText<26> City;
    float Latitude = 0.0f;
    float Longitude = 0.0f;
    std::int32_t Altitude = 0;
    std::uint32_t Reserved1 = 0;
    std::int16_t Reserved2 = 0;
    std::uint32_t Reserved3 = 0;
    std::int16_t Reserved4 = 0;

    friend bool operator==(const NavAirport&, const NavAirport&) = default;
};

// One record of nav_VOR.bin or nav_NDB.bin (46 bytes).
struct NavAid {
    FixedText<3> Ident;
    FixedText<29> Name;
    float Latitude = 0.0f;
    float Longitude = 0.0f;
    FixedText<6> Frequency;

    friend bool operator==(const NavAid&, const NavAid&) = default;
};

// One record of nav_ISC.bin (20 bytes).
struct Intersection {
    FixedText<5> Ident;
    FixedText<7> ReservedText;
    float Latitude = 0.0f;
    float Longitude = 0.0f;

    friend bool operator==(const Intersection&, const Intersection&) = default;
};

inline constexpr std::size_t NavAirportRecordLength = 90;
inline constexpr std::size_t NavAidRecordLength = 46;
inline constexpr std::size_t IntersectionRecordLength = 20;

// One airway leg leaving a node: 15 bytes in the network file.
struct AirwayLeg {
    std::int16_t Neighbour = 0;  // node number (1-based) of the leg's other end
    FixedText<5> AirwayName;
    float LegLength = 0.0f;  // NM
    float LegCourse = 0.0f;  // degrees

    friend bool operator==(const AirwayLeg&, const AirwayLeg&) = default;
};

// A node of an airway network: a 20-byte header in the file, then its legs.
struct AirwayNode {
    FixedText<7> Ident;
    float Latitude = 0.0f;
    float Longitude = 0.0f;
    FixedText<3> Kind;
    std::int16_t LegCount = 0;

    friend bool operator==(const AirwayNode&, const AirwayNode&) = default;
};

inline constexpr std::size_t AirwayNodeHeaderLength = 20;
inline constexpr std::size_t AirwayLegLength = 15;
inline constexpr std::int16_t MaxLegsPerNode = 76;
inline constexpr std::int32_t HighNodeCapacity = 15500;
inline constexpr std::int32_t LowNodeCapacity = 14500;

// An airway network addressed by node number, 1 to Count(). Every access is
// checked: a number outside the network, or a leg slot at or above the node's
// LegCount, throws TarnwellError(ErrorKind::Overflow) instead of reading
// whatever lies there.
class AirwayNetwork {
public:
    std::int32_t Count() const { return static_cast<std::int32_t>(nodes_.size()); }
    bool Contains(std::int32_t number) const { return number >= 1 && number <= Count(); }
    const AirwayNode& Node(std::int32_t number) const {
        if (!Contains(number)) NoSuchNode(number);
        return nodes_[static_cast<std::size_t>(number - 1)];
    }
    const AirwayLeg& Leg(std::int32_t number, std::int32_t slot) const {
        if (slot < 0 || slot >= Node(number).LegCount) NoSuchLeg(number, slot);
        return legs_[firstLeg_[static_cast<std::size_t>(number - 1)] + static_cast<std::uint32_t>(slot)];
    }
    std::span<const AirwayLeg> Legs(std::int32_t number) const {
        const AirwayNode& node = Node(number);
        return std::span(legs_).subspan(firstLeg_[static_cast<std::size_t>(number - 1)],
                                        static_cast<std::size_t>(node.LegCount));
    }

    void Clear();
    // Appends the next node; its number is the new Count().
    void Add(const AirwayNode& node, std::span<const AirwayLeg> legs);

    friend bool operator==(const AirwayNetwork&, const AirwayNetwork&) = default;

private:
    [[noreturn]] void NoSuchNode(std::int32_t number) const;
    [[noreturn]] void NoSuchLeg(std::int32_t number, std::int32_t slot) const;

    std::vector<AirwayNode> nodes_;
    std::vector<std::uint32_t> firstLeg_;
    std::vector<AirwayLeg> legs_;
};

// One distinct city pair; its number is also the number of its flight plan.
struct UniqueRoute {
    std::int32_t PlanNumber = 0;
    FixedText<3> Origin;
    FixedText<3> Destination;
    FixedText<4> OriginICAO;
    FixedText<4> DestinationICAO;

    friend bool operator==(const UniqueRoute&, const UniqueRoute&) = default;
};

// Capacity of the city-pair table (plans 1 to 34000).
inline constexpr std::int32_t UniqueRouteCapacity = 34000;

// File layouts. Decoding checks the length: a file that is not a whole
// number of records (or, for a network, stops inside a node) is an error
// naming `label`.
std::vector<NavAirport> DecodeNavAirports(std::span<const std::uint8_t> bytes, const std::string& label);
std::vector<NavAid> DecodeNavAids(std::span<const std::uint8_t> bytes, const std::string& label);
std::vector<Intersection> DecodeIntersections(std::span<const std::uint8_t> bytes, const std::string& label);
Bytes EncodeNavAirports(std::span<const NavAirport> airports);
Bytes EncodeNavAids(std::span<const NavAid> aids);
Bytes EncodeIntersections(std::span<const Intersection> intersections);

// Reads a network file into `into` (replacing what it held). `capacity` is
// the most nodes the table holds; `everyNodes` is called after every 500th
// node (to let window events through during a long load).
void DecodeAirwayNetwork(std::span<const std::uint8_t> bytes, const std::string& label, std::int32_t capacity,
                         AirwayNetwork& into, const std::function<void()>& everyNodes = {});
Bytes EncodeAirwayNetwork(const AirwayNetwork& network);

}  // namespace tarnwell
