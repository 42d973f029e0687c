#include "dxf_binding.h"

#include "drawing_io.h"

#if QRVHOST_HAVE_DXF
#include "OdDbDatabase.h"
#include "DxfDrawingIO.h"
#include "OdResult.h"
#endif

namespace qrvhost {

bool bindDrawingFiles() {
#if QRVHOST_HAVE_DXF
  hostSetDrawingIO(
      [](const std::string& path, HostDrawingRead& read) {
        DxfReadReport report;
        std::unique_ptr<OdDbDatabase> db = read.recover ? recoverDxfDrawing(path, report) : readDxfDrawing(path, report);
        read.warnings = std::move(report.warnings);
        read.repaired = report.repaired;
        read.dropped = report.dropped;
        read.repairs = report.repairs;
        read.leftOut = report.leftOut;
        // A binary file recovered stays binary when saved.
        read.binary = dxfDrawingForm(*db) == DxfForm::Binary || report.binary;
        read.version = std::string(dxfVersionRelease(dxfDrawingVersion(*db)));
        return db;
      },
      [](const OdDbDatabase& db, const std::string& path, HostDrawingSave& save) {
        DxfVersion version = dxfDrawingVersion(db);
        if (!save.version.empty()) {
          const auto chosen = dxfVersionFromRelease(save.version);
          if (!chosen) throw OdError(eInvalidInput, "no DXF version '" + save.version + "'");
          version = *chosen;
        }
        writeDxfDrawing(db, path, version, save.binary ? DxfForm::Binary : DxfForm::Text, &save.note);
      });
  return true;
#else
  return false;  // OPEN and SAVE then say that this build cannot read or write drawings
#endif
}

}  // namespace qrvhost
