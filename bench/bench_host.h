#pragma once
// A host session for benchmarks: host services on a console whose script
// is empty, so that nothing waits for a user.
#include <sstream>

#include "console.h"
#include "host_services.h"

struct BenchHost {
  std::istringstream in;
  std::ostringstream out;
  ScriptInput script{in};
  HostConsole console{script, out};
  HostServices services{console, {}};
};
