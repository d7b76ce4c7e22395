#include "realworld/AirlinePicker.h"

#include <algorithm>

#include "common/FixedText.h"

namespace tarnwell {

namespace {

// A character of the ANSI code page as its small letter, so that both cases
// of a letter sort together (ASCII and the accented letters À to Þ).
unsigned char Folded(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') return static_cast<unsigned char>(u + 32);
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<unsigned char>(u + 32);
    return u;
}

}  // namespace

bool PickerTextLess(std::string_view a, std::string_view b) {
    const auto folded = [](char x, char y) { return Folded(x) < Folded(y); };
    const auto codes = [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded)) return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded)) return false;
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), codes);
}

std::vector<PickerEntry> RealAirlineEntries(std::span<const AirlineRecord> realAirlines) {
    std::vector<PickerEntry> entries;
    entries.reserve(realAirlines.size());
    for (std::size_t i = 0; i < realAirlines.size(); ++i)
        entries.push_back({std::string(realAirlines[i].Name.Trimmed()), static_cast<std::int32_t>(i)});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const PickerEntry& a, const PickerEntry& b) { return PickerTextLess(a.text, b.text); });
    return entries;
}

std::string AddedEntryText(const AirlineRecord& airline, std::string_view shownName) {
    const std::string whole = airline.Code.Str() + " - " + std::string(shownName);
    return std::string(TrimBlanks(whole));
}

AirlineForm::AirlineForm(std::span<const AirlineRecord> realAirlines)
    : realAirlines_(realAirlines), realList_(RealAirlineEntries(realAirlines)) {}

void AirlineForm::AddAirline(std::optional<std::size_t> selectedRow) {
    if (!selectedRow || *selectedRow >= realList_.size()) return;
    const PickerEntry& chosen = realList_[*selectedRow];
    const AirlineRecord& airline = realAirlines_[static_cast<std::size_t>(chosen.itemNumber)];
    addedList_.push_back({AddedEntryText(airline, chosen.text), chosen.itemNumber});
}

void AirlineForm::RemoveAirline(std::optional<std::size_t> selectedRow) {
    if (!selectedRow || *selectedRow >= addedList_.size()) return;
    addedList_.erase(addedList_.begin() + static_cast<std::ptrdiff_t>(*selectedRow));
}

std::vector<std::int32_t> AirlineForm::AddedItemNumbers() const {
    std::vector<std::int32_t> numbers;
    for (const PickerEntry& e : addedList_) numbers.push_back(e.itemNumber);
    return numbers;
}

AirlineForm& AirlinePicker::Form() {
    if (!form_) form_.emplace(realAirlines_);
    return *form_;
}

AirlineForm& AirlinePicker::Show() {
    visible_ = true;
    return Form();
}

void AirlinePicker::Close() {
    form_.reset();
    visible_ = false;
}

std::vector<std::int32_t> AirlinePicker::ChosenAirlines() { return Form().AddedItemNumbers(); }

}  // namespace tarnwell
