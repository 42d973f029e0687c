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
<<<<<<< HEAD
      [](const std::string& path, std::vector<std::string>& warnings) {
        DxfReadReport report;
        auto db = readDxfDrawing(path, report);
        warnings.insert(warnings.end(), report.warnings.begin(), report.warnings.end());
        return db;
      },
                   [](const OdDbDatabase& db, const std::string& path) { writeDxfDrawing(db, path); });
=======
      [](const std::string& path, HostDrawingRead& read) {
        DxfReadReport report;
        std::unique_ptr<OdDbDatabase> db = read.recover ? recoverDxfDrawing(path, report) : readDxfDrawing(path, report);
        read.warnings = std::move(report.warnings);
        read.repaired = report.repaired;
        read.dropped = report.dropped;
        read.repairs = report.repairs;
        read.binary = dxfDrawingForm(*db) == DxfForm::Binary;
        return db;
      },
      [](const OdDbDatabase& db, const std::string& path, bool binary) {
        writeDxfDrawing(db, path, dxfDrawingVersion(db), binary ? DxfForm::Binary : DxfForm::Text);
      });
>>>>>>> 98e04e3 (Binary DXF with line breaks in values read and saved in its own form (DXFBINARY picks the other); RECOVER and qrvhost --recover read damaged structure as far as it goes, each repair with its line; OPEN prints what reading repaired and a repaired drawing counts as changed; the recovery path in the drawing fuzz target; README: many drawings on all cores)
  return true;
#else
  return false;  // OPEN and SAVE then say that this build cannot read or write drawings
#endif
}

}  // namespace qrvhost
