#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>

extern char** environ;

namespace qrvhost {

namespace {

// The child's resident memory now, from /proc; 0 when unknown.
std::size_t residentBytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      std::size_t kib = 0;
      status >> kib;
      return kib * 1024;
    }
    status.ignore(1 << 12, '\n');
  }
  return 0;
}

// Reads what is there; false at the end of the stream.
bool drain(int fd, std::string& into) {
  char buf[1 << 14];
  const ssize_t n = read(fd, buf, sizeof buf);
  if (n > 0) {
    into.append(buf, std::size_t(n));
    return true;
  }
  return n < 0 && (errno == EINTR || errno == EAGAIN);
}

struct Pipe {
  int fd[2] = {-1, -1};
  bool open() { return pipe2(fd, O_CLOEXEC) == 0; }
  void closeEnd(int i) {
    if (fd[i] >= 0) close(fd[i]);
    fd[i] = -1;
  }
  ~Pipe() { closeEnd(0), closeEnd(1); }
};

}  // namespace

ChildOutcome runChild(const std::vector<std::string>& argv, const ChildLimits& limits) {
  ChildOutcome outcome;
  if (argv.empty()) {
    outcome.startError = "no program named";
    return outcome;
  }
  Pipe out, err;
  if (!out.open() || !err.open()) {
    outcome.startError = std::strerror(errno);
    return outcome;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out.fd[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err.fd[1], 2);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  // A process group of its own, so that a kill ends whatever it started
  // too (which would otherwise hold the pipes open).
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  pid_t pid = 0;
  const auto start = std::chrono::steady_clock::now();
  const int spawned = posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  out.closeEnd(1);
  err.closeEnd(1);
  if (spawned != 0) {
    outcome.startError = std::strerror(spawned);
    return outcome;
  }
  outcome.started = true;
  const auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
  bool killed = false;
  const auto enforce = [&] {
    if (killed) return;
    if (elapsed() > limits.seconds) outcome.timedOut = true;
    else if (residentBytes(pid) > limits.residentBytes) outcome.overMemory = true;
    else return;
    kill(-pid, SIGKILL);
    killed = true;
  };
  // Read both streams to their end (a child blocked on a full pipe would
  // never finish), checking the bounds every 50 ms.
  while (out.fd[0] >= 0 || err.fd[0] >= 0) {
    pollfd fds[2] = {{out.fd[0], POLLIN, 0}, {err.fd[0], POLLIN, 0}};
    const int ready = poll(fds, 2, 50);
    if (ready < 0 && errno != EINTR) break;
    if (fds[0].revents && !drain(out.fd[0], outcome.out)) out.closeEnd(0);
    if (fds[1].revents && !drain(err.fd[0], outcome.err)) err.closeEnd(0);
    enforce();
  }
  // The streams are closed; the child may still run (or a grandchild hold
  // them): wait for it, still bounded.
  int status = 0;
  rusage usage{};
  for (;;) {
    const pid_t done = wait4(pid, &status, WNOHANG, &usage);
    if (done == pid || (done < 0 && errno != EINTR)) break;
    enforce();
    usleep(10000);
  }
  outcome.seconds = elapsed();
  outcome.peakKiB = std::size_t(usage.ru_maxrss);
  if (WIFEXITED(status)) outcome.exitStatus = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
  return outcome;
}

}  // namespace qrvhost
