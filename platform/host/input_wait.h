#pragma once
// Waiting for input without leaving the session's own work undone: while a
// reader waits for a line (nobody types, the program feeding a pipe is busy
// elsewhere), the work set here runs now and then (recovery copies at the
// Command prompt).
#include <functional>

// Sets the work for its lifetime (the previous one comes back after).
class HostInputIdleWork {
public:
  explicit HostInputIdleWork(std::function<void()> work);
  ~HostInputIdleWork();
  HostInputIdleWork(const HostInputIdleWork&) = delete;
  HostInputIdleWork& operator=(const HostInputIdleWork&) = delete;

private:
  std::function<void()> m_previous;
};

// Waits until `fd` can be read (a line, its end, an error), running the
// idle work about every half second meanwhile. False when a signal cut the
// wait short (errno is then EINTR, as read() would leave it).
bool hostWaitForInput(int fd);
