// The entry points of the drawing mapping: errors of the file layer become
// the database's OdError, whose description names the line.
#include "DxfDrawingIO.h"

#include "DxfError.h"
#include "DxfFile.h"
#include "OdDbDatabase.h"
#include "DxfDrawingReader.h"
#include "DxfDrawingSource.h"
#include "DxfDrawingWriter.h"

namespace {

template <class F>
auto translatingErrors(OdResult code, F&& f) -> decltype(f()) {
  try {
    return f();
  } catch (const DxfError& e) {
    throw OdError(code, e.what());
  } catch (const std::bad_alloc&) {
    throw OdError(code, "not enough memory");
  }
}

std::unique_ptr<OdDbDatabase> readDocument(DxfDocument doc, DxfReadReport* report) {
  std::vector<std::string> warnings = doc.warnings();
  bool repaired = false;
  auto db = dxfReadDrawing(std::move(doc), warnings, repaired);
  if (report) report->warnings = std::move(warnings), report->repaired = repaired;
  return db;
}

}  // namespace

DxfVersion dxfDrawingVersion(const OdDbDatabase& db) {
  auto source = static_cast<const DxfDrawingSource*>(db.fileSource().get());
  if (!source) return DxfVersion::R2018;
  // R12 to R14 drawings are written as R2000, the oldest version written.
  return std::max(source->doc.version(), DxfVersion::R2000);
}

std::unique_ptr<OdDbDatabase> readDxfDrawing(const std::string& path, DxfReadReport& report) {
  return translatingErrors(eBadDxfFile, [&] { return readDocument(DxfDocument::load(path), &report); });
}

std::unique_ptr<OdDbDatabase> readDxfDrawing(const std::string& path) {
  DxfReadReport report;
  return readDxfDrawing(path, report);
}

std::unique_ptr<OdDbDatabase> readDxfDrawingFromBytes(const std::string& bytes, DxfReadReport* report) {
  return translatingErrors(eBadDxfFile, [&] { return readDocument(DxfDocument::parse(bytes), report); });
}

std::string writeDxfDrawingToBytes(const OdDbDatabase& db, DxfVersion version) {
  return translatingErrors(eFileWriteError, [&] { return dxfWriteDrawing(db, version).join(); });
}

std::string writeDxfDrawingToBytes(const OdDbDatabase& db) {
  return writeDxfDrawingToBytes(db, dxfDrawingVersion(db));
}

void writeDxfDrawing(const OdDbDatabase& db, const std::string& path, DxfVersion version) {
  translatingErrors(eFileWriteError, [&] {
    const DxfDrawingText text = dxfWriteDrawing(db, version);
    const std::vector<std::string_view> pieces = text.pieces();
    dxfSaveAtomically(path, std::span<const std::string_view>(pieces));
    return 0;
  });
}

void writeDxfDrawing(const OdDbDatabase& db, const std::string& path) {
  writeDxfDrawing(db, path, dxfDrawingVersion(db));
}
