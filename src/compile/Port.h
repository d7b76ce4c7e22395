#pragma once
// Everything the compile needs from its surroundings: the status line, the
// beep, the main window's text boxes, the airline picker's choice, the file
// dialog, message boxes and the millisecond tick counter. The desktop program
// and the command line each provide one; the tests record what happens.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Clock.h"
#include "common/Progress.h"

namespace tarnwell {

class Port : public Progress, public Clock {
public:

    // The main window's three text boxes, as typed (UTF-8).
    virtual std::string AirlineIATA() = 0;
    virtual std::string AirlineNAME() = 0;
    virtual std::string SetName() = 0;
    // The airline picker's chosen entries: item numbers in list order.
    virtual std::vector<std::int32_t> ChosenAirlines() = 0;

    // Shows a message box with an OK button and waits for it.
    virtual void ShowMessage(std::string_view text, std::string_view title) = 0;
    // Asks for a file, starting in `startFolder`; nothing when cancelled.
    virtual std::optional<std::filesystem::path> AskFilePath(const std::filesystem::path& startFolder) = 0;
};

}  // namespace tarnwell
