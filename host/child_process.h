#pragma once
// Runs another program as a child process, without a shell, under a bound
// of time and memory, and gives its output and how it ended.
#include <cstddef>
#include <string>
#include <vector>

namespace qrvhost {

struct ChildLimits {
  double seconds = 60;                 // wall-clock time, then the child is killed
  std::size_t residentBytes = 2u << 30;  // resident memory, then the child is killed
};

struct ChildOutcome {
  bool started = false;
  std::string startError;   // why it did not start (no such program)
  int exitStatus = -1;      // when it exited
  int signal = 0;           // when a signal ended it (a crash, or our kill)
  bool timedOut = false;
  bool overMemory = false;
  std::string out, err;     // what it wrote on standard output and error
  double seconds = 0;       // how long it ran
  std::size_t peakKiB = 0;  // its peak resident memory
  bool exitedWith(int status) const { return started && signal == 0 && exitStatus == status; }
};

// `argv[0]` is looked up on the PATH; each argument reaches the program as
// it is (blanks, quotes, leading dashes). Standard input is /dev/null.
ChildOutcome runChild(const std::vector<std::string>& argv, const ChildLimits& limits);

}  // namespace qrvhost
