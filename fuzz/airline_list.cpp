// The real-world airline list Data/airline.kr1, loaded at start-up, and the
// picker's list and the command line's choice made from it.

#include <algorithm>

#include "FuzzSupport.h"
#include "common/AnsiText.h"
#include "realworld/AirlinePicker.h"
#include "realworld/RealAirlineList.h"
#include "realworld/RealWorldMerge.h"
#include "records/RecordLayouts.h"

using namespace tarnwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Input bytes(data, size);
    fuzz::WriteScratch(std::string("Data/") + RealAirlineListName, bytes);
    fuzz::QuietProgress progress;
    std::vector<AirlineRecord> airlines;
    if (!fuzz::Tolerate([&] { airlines = LoadRealAirlines(fuzz::Scratch() / "Data", progress); })) return 0;
    fuzz::Require(std::ranges::equal(EncodeAirlineFile(airlines), bytes), "the airline list encodes back as it was read");

    const std::vector<PickerEntry> entries = RealAirlineEntries(airlines);
    fuzz::Require(entries.size() == airlines.size(), "the picker offers every airline once");
    for (const PickerEntry& entry : entries) {
        const AirlineRecord& airline = airlines.at(static_cast<std::size_t>(entry.itemNumber));
        AddedEntryText(airline, entry.text);
        const auto found = FindRealAirline(airlines, "#" + std::to_string(entry.itemNumber));
        fuzz::Require(found == entry.itemNumber, "an item number names its own airline");
    }
    if (!airlines.empty())
        fuzz::Tolerate([&] { FindRealAirline(airlines, AnsiToUtf8(airlines.back().Code.Trimmed())); });
    return 0;
}
