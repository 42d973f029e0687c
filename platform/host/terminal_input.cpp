#include "terminal_input.h"

#include <cerrno>
#include <csignal>
#include <unistd.h>

#include "input_wait.h"

namespace {

volatile std::sig_atomic_t gInterrupted = 0;
struct sigaction gPrevious {};

void onInterrupt(int) { gInterrupted = 1; }

}  // namespace

TerminalInput::TerminalInput() : m_echo(!::isatty(STDIN_FILENO)) {
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a pending read returns so the prompt can be cancelled
  sigaction(SIGINT, &action, &gPrevious);
}

TerminalInput::~TerminalInput() { sigaction(SIGINT, &gPrevious, nullptr); }

HostAnswer TerminalInput::next() {
  gInterrupted = 0;
  for (;;) {
    const std::size_t newline = m_pending.find('\n');
    if (newline != std::string::npos) {
      std::string line = m_pending.substr(0, newline);
      m_pending.erase(0, newline + 1);
      return hostAnswerFromLine(std::move(line));
    }
    if (m_eof) {
      if (m_pending.empty()) return {HostAnswer::kEndOfInput, {}};
      std::string line;
      line.swap(m_pending);
      return hostAnswerFromLine(std::move(line));
    }
    char buf[512];
    const ssize_t n = hostWaitForInput(STDIN_FILENO) ? ::read(STDIN_FILENO, buf, sizeof buf) : -1;
    if (n > 0) {
      m_pending.append(buf, static_cast<std::size_t>(n));
    } else if (n == 0) {
      m_eof = true;
    } else if (errno == EINTR) {
      if (gInterrupted) {
        gInterrupted = 0;
        m_pending.clear();  // what was typed before Ctrl-C is dropped, as terminals do
        const char nl = '\n';
        [[maybe_unused]] ssize_t w = ::write(STDOUT_FILENO, &nl, 1);
        return {HostAnswer::kCancel, {}};
      }
    } else {
      m_eof = true;  // an unreadable terminal ends the session like end of file
    }
  }
}
