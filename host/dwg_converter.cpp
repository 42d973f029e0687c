#include "dwg_converter.h"

#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "OdResult.h"
#include "child_process.h"
#include "dwg_texts.h"
#include "host_paths.h"
#include "text_format.h"

#ifndef QRVHOST_SOURCE_DIR
#define QRVHOST_SOURCE_DIR ""
#endif

namespace fs = std::filesystem;

namespace qrvhost {

namespace {

constexpr const char* kModule = "node_modules/@mlightcad/libredwg-web/wasm/libredwg-web.wasm";

std::string text(DwgText id) { return std::string(dwgText(id).c_str()); }

double limitFromEnvironment(const char* name, double fallback) {
  const char* v = std::getenv(name);
  if (!v || !*v) return fallback;
  char* end = nullptr;
  const double d = std::strtod(v, &end);
  return end && *end == 0 && d > 0 ? d : fallback;
}

bool onPath(const std::string& program) {
  if (program.find('/') != std::string::npos) return access(program.c_str(), X_OK) == 0;
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    const std::size_t end = std::min(dirs.find(':', start), dirs.size());
    const std::string dir = dirs.substr(start, end - start);
    if (!dir.empty() && access((dir + "/" + program).c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

// The last line the converter wrote on standard error: its reason.
std::string lastLine(const std::string& err) {
  std::string s = err;
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
  const std::size_t nl = s.find_last_of('\n');
  return nl == std::string::npos ? s : s.substr(nl + 1);
}

// Whether the file starts like DXF: a group code 0 and SECTION within the
// first lines (after a comment, as LibreDWG writes one).
bool looksLikeDxf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string head(4096, '\0');
  in.read(head.data(), std::streamsize(head.size()));
  head.resize(std::size_t(in.gcount()));
  return head.rfind("AutoCAD Binary DXF", 0) == 0 || head.find("SECTION") != std::string::npos;
}

[[noreturn]] void fail(const std::string& why) { throw OdError(eFileAccessErr, why); }

}  // namespace

bool isDwgPath(const std::string& path) {
  std::string ext = fs::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return ext == ".dwg";
}

std::string dxfNameFor(const std::string& dwgPath) { return fs::path(dwgPath).replace_extension(".dxf").string(); }

std::optional<DwgConverter> findDwgConverter() {
  std::vector<fs::path> folders;
  if (const char* own = std::getenv("QRVHOST_DWG_CONVERTER"); own && *own) {
    folders.push_back(own);  // when given, the only place looked at
  } else {
    if (*QRVHOST_SOURCE_DIR) folders.push_back(fs::path(QRVHOST_SOURCE_DIR) / "tools/dwg2dxf");
    if (const std::string exe = executableFolder(); !exe.empty())
      folders.push_back(fs::path(exe) / "../share/qrvhost/dwg2dxf");
  }
  const char* node = std::getenv("QRVHOST_NODE");
  DwgConverter converter{node && *node ? node : "node", {}};
  if (!onPath(converter.node)) return std::nullopt;
  std::error_code ec;
  for (const fs::path& folder : folders)
    if (fs::is_regular_file(folder / "dwg2dxf.mjs", ec) && fs::is_regular_file(folder / kModule, ec)) {
      converter.script = (folder / "dwg2dxf.mjs").lexically_normal().string();
      return converter;
    }
  return std::nullopt;
}

DwgConversion::~DwgConversion() {
  std::error_code ec;
  fs::remove_all(m_folder, ec);
}

std::unique_ptr<DwgConversion> convertDwg(const std::string& dwgPath) {
  const std::optional<DwgConverter> converter = findDwgConverter();
  if (!converter) fail(text(DwgText::kNotInstalled));
  // A private folder (mode 0700) for the output, removed whatever happens.
  std::error_code ec;
  std::string pattern = (fs::temp_directory_path(ec) / "qrvhost-dwg-XXXXXX").string();
  if (ec || !mkdtemp(pattern.data())) fail(hostFormat(dwgText(DwgText::kNoTempFolder).c_str(), std::strerror(errno)).c_str());
  auto conversion = std::make_unique<DwgConversion>(pattern, pattern + "/drawing.dxf");
  // An absolute name never starts with a dash, which Node would not take
  // for an option anyway once the script is named.
  const std::string input = fs::absolute(dwgPath, ec).string();
  ChildLimits limits;
  limits.seconds = limitFromEnvironment("QRVHOST_DWG_SECONDS", 120);
  limits.residentBytes = std::size_t(limitFromEnvironment("QRVHOST_DWG_MEGABYTES", 3072) * 1024 * 1024);
  // Without --liftoff-only V8 optimises the 9.5 MB module first: ten times
  // the time and five times the memory for the same output.
  const ChildOutcome run =
      runChild({converter->node, "--liftoff-only", converter->script, input, conversion->dxfPath()}, limits);
  conversion->seconds = run.seconds;
  conversion->peakMiB = (run.peakKiB + 1023) / 1024;
  if (!run.started) fail(hostFormat(dwgText(DwgText::kCannotStart).c_str(), converter->node.c_str(), run.startError.c_str()).c_str());
  if (run.timedOut) fail(hostFormat(dwgText(DwgText::kTimedOut).c_str(), limits.seconds).c_str());
  if (run.overMemory)
    fail(hostFormat(dwgText(DwgText::kOverMemory).c_str(), int(limits.residentBytes / (1024 * 1024))).c_str());
  if (run.signal != 0) fail(hostFormat(dwgText(DwgText::kCrashed).c_str(), strsignal(run.signal)).c_str());
  if (run.exitStatus == 4) fail(hostFormat(dwgText(DwgText::kCrashed).c_str(), lastLine(run.err).c_str()).c_str());
  if (run.exitStatus != 0) fail(hostFormat(dwgText(DwgText::kRefused).c_str(), lastLine(run.err).c_str()).c_str());
  if (!fs::is_regular_file(conversion->dxfPath(), ec) || !looksLikeDxf(conversion->dxfPath()))
    fail(text(DwgText::kNotDxf));
  conversion->facts = run.out;
  return conversion;
}

std::string dwgConversionNote(const DwgConversion& conversion, const std::map<std::string, int>& notConverted) {
  std::vector<std::pair<std::string, int>> kinds(notConverted.begin(), notConverted.end());
  std::stable_sort(kinds.begin(), kinds.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
  // A drawing of a vertical application can lack hundreds of kinds: the
  // most frequent are named, the rest counted.
  constexpr std::size_t kNamed = 12;
  std::string list;
  int otherObjects = 0;
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    const auto& [kind, count] = kinds[i];
    if (i >= kNamed) {
      otherObjects += count;
      continue;
    }
    if (!list.empty()) list += ", ";
    list += std::to_string(count) + " ";
    if (kind == "proxy") list += text(DwgText::kProxyObjects);
    else if (kind == "unknown") list += text(DwgText::kUnknownObjects);
    else list += kind;
  }
  if (kinds.size() > kNamed)
    list += hostFormat(dwgText(DwgText::kOtherKinds).c_str(), otherObjects, int(kinds.size() - kNamed)).c_str();
  const OdString timing = hostFormat(dwgText(DwgText::kConverted).c_str(), conversion.seconds, int(conversion.peakMiB));
  if (list.empty()) return std::string(timing.c_str()) + " " + text(DwgText::kAllConverted);
  return std::string(timing.c_str()) + " " + hostFormat(dwgText(DwgText::kNotConverted).c_str(), list.c_str()).c_str();
}

}  // namespace qrvhost
