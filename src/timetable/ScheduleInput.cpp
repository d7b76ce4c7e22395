#include "timetable/ScheduleInput.h"

#include <system_error>

#include "common/BinaryIO.h"
#include "common/Errors.h"
#include "timetable/AddFileOrder.h"
#include "timetable/TimetableFile.h"

namespace fs = std::filesystem;

namespace tarnwell {

namespace {

TarnwellError NoFlightError(const fs::path& timetable) {
    return TarnwellError(ErrorKind::Input, "the timetable holds no flight", {PathText(timetable)});
}

}  // namespace

bool GetVAData(const fs::path& timetable, const fs::path& addFile, std::vector<ScheduleRecord>& Schedule,
               std::vector<ScheduleRecord>& AddSchedule) {
    Schedule.clear();
    AddSchedule.clear();

    std::error_code ec;
    const bool addFileWaiting = fs::is_regular_file(addFile, ec);
    std::vector<ScheduleRecord> added;
    if (addFileWaiting) {
        std::vector<std::int64_t> lines;
        added = ReadScheduleFile(addFile, false, &lines);
        CheckAddFileOrder(added, PathText(addFile), lines);
    }

    std::vector<ScheduleRecord> flights = ReadScheduleFile(timetable, true);
    if (flights.empty() && added.empty()) throw NoFlightError(timetable);

    Schedule = std::move(flights);
    AddSchedule = std::move(added);
    // One without any flight counts as absent, but is used up all the same.
    return addFileWaiting;
}

void GetTimetableData(const fs::path& timetable, std::vector<ScheduleRecord>& Schedule,
                      std::vector<ScheduleRecord>& AddSchedule) {
    Schedule.clear();
    AddSchedule.clear();
    std::vector<ScheduleRecord> flights = ReadScheduleFile(timetable, true);
    if (flights.empty()) throw NoFlightError(timetable);
    Schedule = std::move(flights);
}

}  // namespace tarnwell
