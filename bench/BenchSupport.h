#pragma once
// What the benchmark's modes share: the generated navigation database, a
// port with a real millisecond clock, and the modes themselves.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

#include "compile/RecordingPort.h"
#include "common/TickClock.h"

namespace tarnwell::bench {

// A port whose clocks read the steady clock, so that the route finder's
// search time limit runs as it does in the program.
class ClockPort : public RecordingPort {
public:
    ClockPort() { recordProgress = false; }
    std::unique_ptr<Clock> NewClock() override { return std::make_unique<TickClock>(); }
};

// Three letters for n (AAA, AAB, ...): the generated airports' codes.
std::string Code(int n);

// Writes a navigation database of real size into `data`: 35,000 airports (the
// first `timetableAirports` coded "K" + Code(n), spread through the table),
// beacons and intersections scattered over 60 S to 70 N, a high-altitude
// airway network of 15,000 nodes covering the same region, a random low
// network, and the airport database and altitude list of the airports.
void WriteNavData(const std::filesystem::path& data, int timetableAirports);

// A fresh scratch folder below the system's temp folder.
std::filesystem::path ScratchFolder(const char* prefix);

// The modes; argv[0] is the mode's first argument, not the program.
int CompileBench(int argc, char** argv);
int PlanBench(int argc, char** argv);
int MergeBench(int argc, char** argv);

}  // namespace tarnwell::bench
