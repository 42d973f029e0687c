#include "dxf_binding.h"

#include "drawing_io.h"

#if QRVHOST_HAVE_DXF
#include "OdDbDatabase.h"
#include "DxfDrawingIO.h"
#include "OdResult.h"
#include "dwg_converter.h"
#include "dwg_texts.h"
#include "host_log.h"
#include "text_format.h"
#endif

namespace qrvhost {

bool bindDrawingFiles() {
#if QRVHOST_HAVE_DXF
  hostSetDrawingIO(
      [](const std::string& path, HostDrawingRead& read) {
        DxfReadReport report;
        std::unique_ptr<OdDbDatabase> db;
        std::vector<std::string> conversionNotes;
        if (isDwgPath(path)) {
          // The converter writes DXF into a folder of its own, removed
          // once the drawing is read.
          const std::unique_ptr<DwgConversion> conversion = convertDwg(path);
          DxfConvertedRead converted;
          db = readConvertedDxfDrawing(conversion->dxfPath(), conversion->facts, read.recover, report, converted);
          conversionNotes.push_back(dwgConversionNote(*conversion, converted.notConverted));
          std::string mended;
          for (const std::string& m : converted.mended) mended += (mended.empty() ? "" : ", ") + m;
          // What was mended of the converter's faults is for the log.
          if (!mended.empty())
            hostTraceWarning("host/dwg", __LINE__,
                             path + ": " + hostFormat(dwgText(DwgText::kMended).c_str(), mended.c_str()).c_str());
          if (!converted.recoveredBecause.empty()) {
            conversionNotes.push_back(
                hostFormat(dwgText(DwgText::kReadThroughRecovery).c_str(), converted.recoveredBecause.c_str()).c_str());
            read.recover = true;  // its summary is said with the notes
          }
          read.converted = true;
          db->setFilePath(path);  // files it names are beside the DWG, not the converter's copy
        } else {
          db = read.recover ? recoverDxfDrawing(path, report) : readDxfDrawing(path, report);
        }
        read.warnings = std::move(conversionNotes);
        read.warnings.insert(read.warnings.end(), report.warnings.begin(), report.warnings.end());
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
