#pragma once
// A host session driven by scripted answers, for the tests.
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

#include "../shared/expect_text.h"
#include "OdDbDatabase.h"
#include "console.h"
#include "documents.h"
#include "editor_input.h"
#include "host_log.h"
#include "host_services.h"

struct ScriptedHost {
  explicit ScriptedHost(const std::string& answers = "", HostServicesOptions options = {})
      : in(answers), script(in), console(script, out), services(console, options) {}

  HostEdInput& input() { return services.editorInput(); }
  HostApDocManager& documents() { return services.documents(); }
  HostApDocument* newDocument(OdDb::MeasurementValue m = OdDb::kMetric, bool withProperties = true) {
    return documents().addDocument(std::make_unique<OdDbDatabase>(m), "", "", withProperties);
  }
  std::string transcript() const { return out.str(); }

  std::istringstream in;
  std::ostringstream out;
  ScriptInput script;
  HostConsole console;
  HostServices services;
};

// A temporary folder removed with the object.
struct TempFolder {
  TempFolder() {
    path = std::filesystem::temp_directory_path() /
           ("qrvhost-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++));
    std::filesystem::create_directories(path);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string file(const std::string& name) const { return (path / name).string(); }
  static int& counter() {
    static int n = 0;
    return n;
  }
  std::filesystem::path path;
};

inline std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void writeText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

// Sends the trace log to a fresh file for the life of the object.
struct CapturedLog {
  CapturedLog() {
    setHostLogFile(folder.file("trace.log"));
    setHostLogEchoErrors(false);
  }
  ~CapturedLog() {
    closeHostLog();
    setHostLogEchoErrors(true);
  }
  std::string text() const { return readText(folder.file("trace.log")); }
  TempFolder folder;
};
