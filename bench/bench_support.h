#pragma once
// What the benchmarks share: the process's CPU time and peak memory, a
// progress that never stops a run, and file errors printed as they come.
#include <sys/resource.h>
#include <time.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "app/file_errors.h"
#include "reductions/column_generator.h"

namespace vetra::bench {

// User and system time of the process, so that other work on the machine
// blurs a measure less than wall time would.
inline double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

inline long PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

class SilentProgress : public RunProgress {
 public:
  bool Continue(std::int64_t, std::int64_t) override { return true; }
};

class PrintingReporter : public FileErrorReporter {
 public:
  void Report(const std::string& message) override { std::fprintf(stderr, "file error: %s\n", message.c_str()); }
};

}  // namespace vetra::bench
