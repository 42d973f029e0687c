#include "dxf_binding.h"

#include "drawing_io.h"

#if QRVHOST_HAVE_DXF
#include "OdDbDatabase.h"
#include "DxfDrawingIO.h"
#endif

namespace qrvhost {

bool bindDrawingFiles() {
#if QRVHOST_HAVE_DXF
  hostSetDrawingIO(
      [](const std::string& path, std::vector<std::string>& warnings) {
        DxfReadReport report;
        auto db = readDxfDrawing(path, report);
        warnings.insert(warnings.end(), report.warnings.begin(), report.warnings.end());
        return db;
      },
                   [](const OdDbDatabase& db, const std::string& path) { writeDxfDrawing(db, path); });
  return true;
#else
  return false;  // OPEN and SAVE then say that this build cannot read or write drawings
#endif
}

}  // namespace qrvhost
