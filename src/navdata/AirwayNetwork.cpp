#include "navdata/AirwayNetwork.h"

#include <string>

#include "common/Errors.h"

namespace tarnwell {

void AirwayNetwork::NoSuchNode(std::int32_t number) const {
    throw TarnwellError(ErrorKind::Overflow, "node number " + std::to_string(number) +
                                                 " lies outside the airway network (nodes 1 to " +
                                                 std::to_string(Count()) + ")");
}

void AirwayNetwork::NoSuchLeg(std::int32_t number, std::int32_t slot) const {
    throw TarnwellError(ErrorKind::Overflow, "leg slot " + std::to_string(slot) + " of airway node " +
                                                 std::to_string(number) + " is not in use (the node has " +
                                                 std::to_string(Node(number).LegCount) + " legs)");
}

void AirwayNetwork::Clear() {
    nodes_.clear();
    identKeys_.clear();
    firstLeg_.clear();
    legs_.clear();
}

void AirwayNetwork::Add(const AirwayNode& node, std::span<const AirwayLeg> legs) {
    if (node.LegCount < 0 || static_cast<std::size_t>(node.LegCount) != legs.size())
        throw TarnwellError(ErrorKind::Usage, "an airway node's LegCount does not match its legs");
    nodes_.push_back(node);
    identKeys_.push_back(IdentKeyOf(node.Ident));
    firstLeg_.push_back(static_cast<std::uint32_t>(legs_.size()));
    legs_.insert(legs_.end(), legs.begin(), legs.end());
}

void DecodeAirwayNetwork(std::span<const std::uint8_t> bytes, const std::string& label, std::int32_t capacity,
                         AirwayNetwork& into, const std::function<void()>& everyNodes) {
    AirwayNetwork network;
    std::vector<AirwayLeg> legs;
    std::size_t p = 0;
    while (p < bytes.size()) {
        const std::int64_t number = network.Count() + 1;
        if (number > capacity)
            throw TarnwellError(ErrorKind::Overflow,
                                "the airway network holds more than " + std::to_string(capacity) + " nodes",
                                {label, {}, {}, {}, number});
        if (bytes.size() - p < AirwayNodeHeaderLength)
            throw TarnwellError(ErrorKind::Input,
                                "the file ends inside the header of node " + std::to_string(number) + " (byte " +
                                    std::to_string(p + 1) + ")",
                                {label, {}, {}, {}, number});
        RecordReader header(bytes.subspan(p, AirwayNodeHeaderLength));
        AirwayNode node;
        node.Ident = header.Text<7>(0);
        node.Latitude = header.F32(7);
        node.Longitude = header.F32(11);
        node.Kind = header.Text<3>(15);
        node.LegCount = header.I16(18);
        if (node.LegCount < 0 || node.LegCount > MaxLegsPerNode)
            throw TarnwellError(ErrorKind::Input,
                                "node " + std::to_string(number) + " has LegCount " + std::to_string(node.LegCount) +
                                    "; a node has 0 to " + std::to_string(MaxLegsPerNode) + " legs",
                                {label, {}, {}, "LegCount", number});
        p += AirwayNodeHeaderLength;
        const std::size_t legBytes = static_cast<std::size_t>(node.LegCount) * AirwayLegLength;
        if (bytes.size() - p < legBytes)
            throw TarnwellError(ErrorKind::Input,
                                "the file ends inside the legs of node " + std::to_string(number) + " (" +
                                    std::to_string(node.LegCount) + " legs from byte " + std::to_string(p + 1) + ")",
                                {label, {}, {}, {}, number});
        legs.clear();
        for (std::int16_t k = 0; k < node.LegCount; ++k, p += AirwayLegLength) {
            RecordReader rd(bytes.subspan(p, AirwayLegLength));
            legs.push_back({rd.I16(0), rd.Text<5>(2), rd.F32(7), rd.F32(11)});
        }
        network.Add(node, legs);
        if (network.Count() % 500 == 0 && everyNodes) everyNodes();
    }
    into = std::move(network);
}

Bytes EncodeAirwayNetwork(const AirwayNetwork& network) {
    Bytes out;
    for (std::int32_t n = 1; n <= network.Count(); ++n) {
        const AirwayNode& node = network.Node(n);
        const std::size_t start = out.size();
        out.resize(start + AirwayNodeHeaderLength + static_cast<std::size_t>(node.LegCount) * AirwayLegLength);
        RecordWriter w{std::span<std::uint8_t>(out).subspan(start)};
        w.Text(0, node.Ident);
        w.F32(7, node.Latitude);
        w.F32(11, node.Longitude);
        w.Text(15, node.Kind);
        w.I16(18, node.LegCount);
        std::size_t off = AirwayNodeHeaderLength;
        for (const AirwayLeg& leg : network.Legs(n)) {
            w.I16(off, leg.Neighbour);
            w.Text(off + 2, leg.AirwayName);
            w.F32(off + 7, leg.LegLength);
            w.F32(off + 11, leg.LegCourse);
            off += AirwayLegLength;
        }
    }
    return out;
}

}  // namespace tarnwell
