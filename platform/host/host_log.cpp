#include "host_log.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "text_format.h"

namespace {

struct LogState {
  std::ofstream file;
  std::string path;
  bool echoErrors = true;
};

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
  const OdString message = hostLogMessage(level, withCode, code, text);
  LogState& s = state();
  if (s.file.is_open()) {
    s.file << timeStamp() << ' ' << where << message << '\n';
    s.file.flush();  // a crash later must not lose what led to it
  }
  if (level == HostLogLevel::kError && (s.echoErrors || !s.file.is_open())) {
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
  std::ofstream file(path, std::ios::app);
  if (!file) {
    if (error) *error = "cannot write the log file " + path;
    return false;
  }
  LogState& s = state();
  s.file = std::move(file);
  s.path = path;
  return true;
}

void closeHostLog() {
  LogState& s = state();
  s.file.close();
  s.path.clear();
}

std::string hostLogPath() { return state().path; }

void setHostLogEchoErrors(bool echo) { state().echoErrors = echo; }
