// Loads a DXF drawing into the database and, when asked, saves it again:
//   dxf_roundtrip IN.dxf [OUT.dxf] [--version R2000|...|R2018]
// Prints what was read (objects, styles, warnings) and the times taken.
// The DXF benchmark runs it as "our" side of the comparison.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "DxfDrawingIO.h"
#include "OdDbDatabase.h"
#include "OdDbSymbolTable.h"

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::optional<DxfVersion> versionByRelease(const std::string& release) {
  for (DxfVersion v : {DxfVersion::R2000, DxfVersion::R2004, DxfVersion::R2007, DxfVersion::R2010,
                       DxfVersion::R2013, DxfVersion::R2018})
    if (release == dxfVersionRelease(v)) return v;
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  std::string in, out;
  std::optional<DxfVersion> version;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0 && i + 1 < argc) {
      version = versionByRelease(argv[++i]);
      if (!version) {
        std::fprintf(stderr, "unknown version '%s' (R2000 ... R2018)\n", argv[i]);
        return 2;
      }
    } else if (in.empty()) {
      in = argv[i];
    } else if (out.empty()) {
      out = argv[i];
    } else {
      in.clear();
      break;
    }
  }
  if (in.empty()) {
    std::fprintf(stderr, "usage: dxf_roundtrip IN.dxf [OUT.dxf] [--version R2000|R2004|R2007|R2010|R2013|R2018]\n");
    return 2;
  }
  try {
    auto start = std::chrono::steady_clock::now();
    DxfReadReport report;
    std::unique_ptr<OdDbDatabase> db = readDxfDrawing(in, report);
    const double readTime = secondsSince(start);
    OdDbSymbolTablePtr styles = db->getDimStyleTableId().safeOpenObject();
    std::printf("read %s: %zu objects, %d dimension styles, version %s, %.3f s\n", in.c_str(), db->numObjects(),
                styles->numLiveRecords(), std::string(dxfVersionRelease(dxfDrawingVersion(*db))).c_str(), readTime);
    for (const std::string& w : report.warnings) std::printf("warning: %s\n", w.c_str());
    if (!out.empty()) {
      start = std::chrono::steady_clock::now();
      writeDxfDrawing(*db, out, version.value_or(dxfDrawingVersion(*db)));
      std::printf("wrote %s: %.3f s\n", out.c_str(), secondsSince(start));
    }
    // The process ends here: the system takes the memory back at once,
    // freeing a few hundred thousand objects one by one would only delay it.
    (void)db.release();
  } catch (const OdError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
