// The benchmark's entry point:
//
//   tarnwell_bench [compile] [FOLDER]      the compile's steps on generated timetables
//   tarnwell_bench plans [FOLDER] [--pairs N] [--seed N]
//                                          flight plans between random airports
//   tarnwell_bench merge [FOLDER]          the real-world merge of 10 airlines
//
// Without a mode name the compile benchmark runs.

#include <cstring>

#include "BenchSupport.h"

int main(int argc, char** argv) {
    using namespace tarnwell::bench;
    if (argc > 1 && std::strcmp(argv[1], "plans") == 0) return PlanBench(argc - 2, argv + 2);
    if (argc > 1 && std::strcmp(argv[1], "merge") == 0) return MergeBench(argc - 2, argv + 2);
    if (argc > 1 && std::strcmp(argv[1], "compile") == 0) return CompileBench(argc - 2, argv + 2);
    return CompileBench(argc - 1, argv + 1);
}
