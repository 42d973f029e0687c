#include "host_log.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <iostream>

#include "text_format.h"

namespace {

struct LogState {
  int fd = -1;
  bool pipe = false;  // a named pipe, whose reader may go away
  std::string path;
  bool echoErrors = true;
};

// Writes the whole line; a log that stopped taking lines (a full disk) is
// let go rather than stopping the session.
void writeAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    done += std::size_t(n);
  }
}

// The same into a pipe: a reader that went away must not end the session
// (and lose its drawings) with SIGPIPE; the log just stops.
void writeToPipe(LogState& s, const std::string& text) {
  sigset_t pipeSignal, before;
  sigemptyset(&pipeSignal);
  sigaddset(&pipeSignal, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipeSignal, &before);
  errno = 0;
  writeAll(s.fd, text);
  if (errno == EPIPE) {
    const timespec now{};
    while (sigtimedwait(&pipeSignal, nullptr, &now) == SIGPIPE) {
    }
    ::close(s.fd);
    s.fd = -1;
  }
  pthread_sigmask(SIG_SETMASK, &before, nullptr);
}

LogState& state() {
  static LogState s;
  return s;
}

const char* levelWord(HostLogLevel level) {
  switch (level) {
    case HostLogLevel::kError: return "ERROR";
    case HostLogLevel::kWarning: return "WARNING";
    case HostLogLevel::kNote: return "NOTE";
  }
  return "NOTE";
}

std::string timeStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local);
  return buf;
}

void write(HostLogLevel level, const char* source, int line, bool withCode, HRESULT code,
           const OdString& text) {
  const OdString where = hostFormat("%s(%d): ", source ? source : "?", line);
  // One entry is one line, whatever names and values its text holds.
  const std::string message = hostEscapeControls(std::string(hostLogMessage(level, withCode, code, text)));
  LogState& s = state();
  // Written at once: a crash later must not lose what led to it.
  if (s.fd >= 0) {
    const std::string entry = timeStamp() + ' ' + std::string(where) + std::string(message) + '\n';
    if (s.pipe) writeToPipe(s, entry);
    else writeAll(s.fd, entry);
  }
  if (level == HostLogLevel::kError && (s.echoErrors || s.fd < 0)) {
    std::cerr << where << message << std::endl;
  }
}

}  // namespace

OdString hostLogMessage(HostLogLevel level, bool withCode, HRESULT code, const OdString& text) {
  if (withCode)
    return hostFormat("%s(%X) '%s'", levelWord(level), static_cast<unsigned>(code), text.c_str());
  return hostFormat("%s '%s'", levelWord(level), text.c_str());
}

void hostTraceError(const char* source, int line, HRESULT code, const OdString& text) {
  write(HostLogLevel::kError, source, line, true, code, text);
}
void hostTraceError(const char* source, int line, const OdString& text) {
  write(HostLogLevel::kError, source, line, false, 0, text);
}
void hostTraceWarning(const char* source, int line, HRESULT code, const OdString& text) {
  write(HostLogLevel::kWarning, source, line, true, code, text);
}
void hostTraceWarning(const char* source, int line, const OdString& text) {
  write(HostLogLevel::kWarning, source, line, false, 0, text);
}
void hostTraceNote(const char* source, int line, const OdString& text) {
  write(HostLogLevel::kNote, source, line, false, 0, text);
}

bool setHostLogFile(const std::string& path, std::string* error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path p(path);
  if (p.has_parent_path()) fs::create_directories(p.parent_path(), ec);
  // Not blocking while opening: a named pipe nobody reads would otherwise
  // hold the start for ever. Writing blocks again, as for any log.
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) {
    const int err = errno;
    if (error)
      *error = "cannot write the log file " + path + ": " +
               (err == ENXIO ? std::string("it is a named pipe that no program reads") : std::strerror(err));
    return false;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  struct stat st {};
  LogState& s = state();
  if (s.fd >= 0) ::close(s.fd);
  s.fd = fd;
  s.pipe = ::fstat(fd, &st) == 0 && S_ISFIFO(st.st_mode);
  s.path = path;
  return true;
}

void closeHostLog() {
  LogState& s = state();
  if (s.fd >= 0) ::close(s.fd);
  s.fd = -1;
  s.path.clear();
}

std::string hostLogPath() { return state().path; }

void setHostLogEchoErrors(bool echo) { state().echoErrors = echo; }
