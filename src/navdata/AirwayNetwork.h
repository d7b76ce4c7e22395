#pragma once
// An airway network (HighAlt.ab1 or LowAlt.ab1): nodes numbered from 1, each
// with the legs that leave it, and the network file's layout.

#include <cstdint>
#include <cstring>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "common/BinaryIO.h"
#include "common/FixedText.h"

namespace tarnwell {

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

// The largest network file of `capacity` nodes: every node with all its legs.
constexpr FileLimit AirwayNetworkFileLimit(std::int32_t capacity) {
    return {static_cast<std::uintmax_t>(capacity) * (AirwayNodeHeaderLength + MaxLegsPerNode * AirwayLegLength),
            "an airway network file"};
}

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
    // For the airway search, which checks Contains(number) first: the
    // node, the first of its legs, and its identifier as one number (equal
    // identifiers, equal numbers).
    const AirwayNode& NodeUnchecked(std::int32_t number) const { return nodes_[static_cast<std::size_t>(number - 1)]; }
    const AirwayLeg* LegsUnchecked(std::int32_t number) const {
        return legs_.data() + firstLeg_[static_cast<std::size_t>(number - 1)];
    }
    std::uint64_t IdentKey(std::int32_t number) const { return identKeys_[static_cast<std::size_t>(number - 1)]; }
    static std::uint64_t IdentKeyOf(const FixedText<7>& ident) {
        std::uint64_t key = 0;
        std::memcpy(&key, ident.chars.data(), ident.chars.size());
        return key;
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
    std::vector<std::uint64_t> identKeys_;
    std::vector<std::uint32_t> firstLeg_;
    std::vector<AirwayLeg> legs_;
};

// Reads a network file into `into` (replacing what it held). `capacity` is
// the most nodes the table holds; `everyNodes` is called after every 500th
// node (to let window events through during a long load).
void DecodeAirwayNetwork(std::span<const std::uint8_t> bytes, const std::string& label, std::int32_t capacity,
                         AirwayNetwork& into, const std::function<void()>& everyNodes = {});
Bytes EncodeAirwayNetwork(const AirwayNetwork& network);

}  // namespace tarnwell
