#pragma once
// The airline picker's logic, apart from any window: the left list of every
// real-world airline by name, the right list of the chosen ones in the order
// chosen, and the picker's life from first showing to its close box. Each
// entry carries its RealAirlines item number; the merge reads the right
// list's item numbers.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/AirlineRecord.h"

namespace tarnwell {

struct PickerEntry {
    std::string text;         // as shown, in the ANSI code page of the airline list
    std::int32_t itemNumber;  // the airline's index in RealAirlines

    friend bool operator==(const PickerEntry&, const PickerEntry&) = default;
};

// True when `a` comes before `b` in the sorted left list: alphabetical
// order, letters of either case together, ties by character codes.
bool PickerTextLess(std::string_view a, std::string_view b);

// The left list made from the airline list: each trimmed name with its item
// number, sorted by PickerTextLess (equal names in item-number order).
std::vector<PickerEntry> RealAirlineEntries(std::span<const AirlineRecord> realAirlines);

// The right list's text for an airline: its code at full width, " - " and
// the name as the left list shows it, with the blanks around the whole removed.
std::string AddedEntryText(const AirlineRecord& airline, std::string_view shownName);

// One created picker window: both lists.
class AirlineForm {
public:
    // Loading: fills the left list; the right list starts empty.
    explicit AirlineForm(std::span<const AirlineRecord> realAirlines);

    const std::vector<PickerEntry>& RealList() const { return realList_; }
    const std::vector<PickerEntry>& AddedList() const { return addedList_; }

    // ">": appends the left list's entry at `selectedRow`. The same airline
    // may be added more than once. Nothing happens without a selection.
    void AddAirline(std::optional<std::size_t> selectedRow);
    // "<": removes the right list's entry at `selectedRow`; nothing without a selection.
    void RemoveAirline(std::optional<std::size_t> selectedRow);

    // The right list's item numbers, in list order.
    std::vector<std::int32_t> AddedItemNumbers() const;

private:
    std::span<const AirlineRecord> realAirlines_;
    std::vector<PickerEntry> realList_;
    std::vector<PickerEntry> addedList_;
};

// The picker window's life: not yet created, shown, or hidden after
// "Finished". The close box destroys it; the next showing creates it afresh.
class AirlinePicker {
public:
    // The airline list must outlive the picker.
    explicit AirlinePicker(std::span<const AirlineRecord> realAirlines) : realAirlines_(realAirlines) {}

    // Step 1 of the main window: creates and loads the window on first use,
    // otherwise brings back the same one with its lists as they were.
    AirlineForm& Show();
    // "Finished": hides the window; it stays loaded.
    void Finish() { visible_ = false; }
    // The close box: the window and its lists are gone.
    void Close();

    bool Exists() const { return form_.has_value(); }
    bool Visible() const { return visible_; }
    // What the merge reads: the right list's item numbers. Reading creates
    // and loads the window (hidden) when it does not exist.
    std::vector<std::int32_t> ChosenAirlines();

private:
    AirlineForm& Form();

    std::span<const AirlineRecord> realAirlines_;
    std::optional<AirlineForm> form_;
    bool visible_ = false;
};

}  // namespace tarnwell
