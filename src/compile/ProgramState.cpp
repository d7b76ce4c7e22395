#include "compile/ProgramState.h"

#include "plans/FlightPlans.h"
#include "plans/PlanFile.h"
#include "timetable/TimetableFile.h"

namespace tarnwell {

std::filesystem::path ProgramState::PlanFolder() const { return ProgramFolder / PlanFolderName; }
std::filesystem::path ProgramState::AddFilePath() const { return DefaultsFolder() / AddFileName; }
std::filesystem::path ProgramState::UniqueRoutesPath() const { return DataFolder() / UniqueRoutesFileName; }
std::filesystem::path ProgramState::PlanLogPath() const { return DataFolder() / PlanLogFileName; }

}  // namespace tarnwell
