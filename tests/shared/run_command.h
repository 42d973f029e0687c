#pragma once
// Runs a shell command and keeps what it printed on standard output.
#include <sys/wait.h>

#include <cstdio>
#include <string>

struct CommandResult {
  int status = -1;  // the exit status, or -1 when it did not exit by itself
  std::string out;
};

inline CommandResult runCommandOutput(const std::string& command) {
  CommandResult r;
  FILE* p = ::popen(command.c_str(), "r");
  if (!p) return r;
  char buf[4096];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) r.out.append(buf, n);
  const int rc = ::pclose(p);
  r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  return r;
}
