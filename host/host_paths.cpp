#include "host_paths.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#ifndef QRVHOST_SOURCE_DIR
#define QRVHOST_SOURCE_DIR ""
#endif

namespace fs = std::filesystem;

namespace qrvhost {

namespace {

std::vector<fs::path> candidates(const char* inSource, const char* beside) {
  std::vector<fs::path> out;
  if (*QRVHOST_SOURCE_DIR) out.push_back(fs::path(QRVHOST_SOURCE_DIR) / inSource);
  const std::string exe = executableFolder();
  if (!exe.empty()) out.push_back(fs::path(exe) / beside);
  return out;
}

}  // namespace

std::string executableFolder() {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : self.parent_path().string();
}

std::string defaultModulePath() { return (fs::path(executableFolder()) / "libdds.so").string(); }

std::string helpFolder() {
  std::error_code ec;
  for (const fs::path& p : candidates("docs/help", "../share/qrvhost/help"))
    if (fs::is_directory(p, ec)) return p.string();
  return {};
}

std::string linetypeFile() {
  std::error_code ec;
  for (const fs::path& p : candidates("data/linetypes.lin", "../share/qrvhost/linetypes.lin"))
    if (fs::is_regular_file(p, ec)) return p.string();
  return {};
}

std::optional<std::string> sampleDrawing() {
  std::error_code ec;
  for (const fs::path& folder : candidates("examples", "../share/qrvhost/examples")) {
    if (!fs::is_directory(folder, ec)) continue;
    if (fs::is_regular_file(folder / "sample.dxf", ec)) return (folder / "sample.dxf").string();
    std::vector<fs::path> drawings;
    for (const auto& entry : fs::directory_iterator(folder, ec))
      if (entry.is_regular_file() && entry.path().extension() == ".dxf") drawings.push_back(entry.path());
    if (!drawings.empty()) return std::min_element(drawings.begin(), drawings.end())->string();
  }
  return std::nullopt;
}

std::string dataFolder() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) return (fs::path(data) / "qrvhost").string();
  if (const char* home = std::getenv("HOME"); home && *home)
    return (fs::path(home) / ".local" / "share" / "qrvhost").string();
  return {};
}

std::string defaultLogPath() {
  const std::string folder = dataFolder();
  return folder.empty() ? folder : (fs::path(folder) / "qrvhost.log").string();
}

}  // namespace qrvhost
