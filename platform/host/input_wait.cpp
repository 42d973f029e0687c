#include "input_wait.h"

#include <poll.h>

#include <cerrno>

namespace {

constexpr int kIdleEveryMs = 500;

std::function<void()>& idleWork() {
  static std::function<void()> work;
  return work;
}

}  // namespace

HostInputIdleWork::HostInputIdleWork(std::function<void()> work) : m_previous(std::move(idleWork())) {
  idleWork() = std::move(work);
}

HostInputIdleWork::~HostInputIdleWork() { idleWork() = std::move(m_previous); }

bool hostWaitForInput(int fd) {
  for (;;) {
    pollfd p{fd, POLLIN, 0};
    const int r = ::poll(&p, 1, idleWork() ? kIdleEveryMs : -1);
    if (r > 0) return true;  // readable, or at its end or failing: read() tells which
    if (r < 0) {
      if (errno == EINTR) return false;
      return true;  // not a descriptor poll can watch: let read() block and report
    }
    // The work may wait for input itself (it asks nothing today); a copy
    // of it keeps it alive if it replaces itself meanwhile.
    const std::function<void()> work = idleWork();
    if (work) work();
  }
}
