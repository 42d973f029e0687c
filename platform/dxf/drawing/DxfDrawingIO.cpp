// The entry points of the drawing mapping: errors of the file layer become
// the database's OdError, whose description names the line.
#include "DxfDrawingIO.h"

#include "DxfBinary.h"
#include "DxfError.h"
#include "DxfFile.h"
#include "DxfRecovery.h"
#include "OdDbDatabase.h"
#include "DxfDrawingReader.h"
#include "DxfDrawingSource.h"
#include "DxfDrawingWriter.h"
#include "DxfR12Form.h"

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

// "line N: ..." of the recovered text, told with the line of the file.
std::string withOriginalLine(const DxfRecovery& recovery, const std::string& text) {
  if (text.rfind("line ", 0) != 0) return text;
  std::size_t digits = 5;
  std::uint32_t line = 0;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') line = line * 10 + (text[digits++] - '0');
  if (digits == 5) return text;
  const std::uint32_t original = recovery.originalLine(line);
  return original ? recovery.where(original) + text.substr(digits) : text.substr(digits + 2);
}

std::unique_ptr<OdDbDatabase> recoverBytes(std::string_view bytes, DxfReadReport& report) {
  DxfRecovery recovery(bytes);
  // A record whose content the reader refuses is dropped and the rest read
  // again; each round drops one record, so this ends.
  for (;;) {
    try {
      std::vector<std::string> warnings;
      bool repaired = false;
      DxfDocument doc = DxfDocument::parse(recovery.text());
      for (const std::string& w : doc.warnings()) warnings.push_back(w);
      auto db = dxfReadDrawing(std::move(doc), warnings, repaired);
      report.warnings = recovery.repairs();
      for (const std::string& w : warnings) report.warnings.push_back(withOriginalLine(recovery, w));
      report.repaired = true;
      report.dropped = recovery.droppedRecords();
      report.repairs = recovery.repairCount();
      report.leftOut = recovery.leftOut();
      report.binary = recovery.wasBinary();
      return db;
    } catch (const DxfError& e) {
      if (e.line() != 0 && recovery.dropRecordAt(e.line(), e.description())) continue;
      const std::uint32_t original = e.line() ? recovery.originalLine(e.line()) : 0;
      if (recovery.wasBinary())  // binary files are told by byte offset
        throw DxfError(0, (original ? recovery.where(original) + ": " : std::string()) + e.description());
      throw DxfError(original, e.description());
    }
  }
}

}  // namespace

std::unique_ptr<OdDbDatabase> recoverDxfDrawing(const std::string& path, DxfReadReport& report) {
  return translatingErrors(eBadDxfFile, [&] {
    const DxfFileBytes file = dxfReadFile(path);
    auto db = recoverBytes(std::string_view(file.data.get(), file.size), report);
    db->setFilePath(path);
    return db;
  });
}

std::unique_ptr<OdDbDatabase> recoverDxfDrawingFromBytes(const std::string& bytes, DxfReadReport& report) {
  return translatingErrors(eBadDxfFile, [&] { return recoverBytes(bytes, report); });
}

DxfVersion dxfDrawingVersion(const OdDbDatabase& db) {
  auto source = static_cast<const DxfDrawingSource*>(db.fileSource().get());
  if (!source) return DxfVersion::R2018;
  if (source->doc.version() >= DxfVersion::R13) return std::max(source->doc.version(), DxfVersion::R2000);
  // An R12 drawing stays R12, unless the file holds what R12 has not
  // (records of later versions, such as LWPOLYLINE, HATCH, a BLOCK_RECORD
  // table or an OBJECTS section: files of small writers that name no
  // version, or name R12 and write newer records): R2000 holds those.
  for (const DxfSection& s : source->doc.sections())
    if (s.name == "CLASSES" || s.name == "OBJECTS") return DxfVersion::R2000;
  for (std::size_t i = 0; i < source->recordCount(); ++i)
    if (!dxfIsR12RecordType(source->type(i))) return DxfVersion::R2000;
  return DxfVersion::R12;
}

std::unique_ptr<OdDbDatabase> readDxfDrawing(const std::string& path, DxfReadReport& report) {
  return translatingErrors(eBadDxfFile, [&] {
    auto db = readDocument(DxfDocument::load(path), &report);
    db->setFilePath(path);
    return db;
  });
}

std::unique_ptr<OdDbDatabase> readDxfDrawing(const std::string& path) {
  DxfReadReport report;
  return readDxfDrawing(path, report);
}

std::unique_ptr<OdDbDatabase> readDxfDrawingFromBytes(const std::string& bytes, DxfReadReport* report) {
  return translatingErrors(eBadDxfFile, [&] { return readDocument(DxfDocument::parse(bytes), report); });
}

DxfForm dxfDrawingForm(const OdDbDatabase& db) {
  auto source = static_cast<const DxfDrawingSource*>(db.fileSource().get());
  return source && source->doc.wasBinary() ? DxfForm::Binary : DxfForm::Text;
}

// The file a drawing was read from, when its unchanged records are copied
// from a mapping of it: a writer asks before and after copying whether the
// file still holds them.
static const DxfDocument* mappedSource(const OdDbDatabase& db) {
  auto source = static_cast<const DxfDrawingSource*>(db.fileSource().get());
  return source && source->doc.mapped() ? &source->doc : nullptr;
}

std::string writeDxfDrawingToBytes(const OdDbDatabase& db, DxfVersion version, DxfForm form, std::string* lossNote) {
  return translatingErrors(eFileWriteError, [&] {
    const DxfDocument* source = mappedSource(db);
    if (source) source->checkTextUnchanged();
    std::string text = dxfWriteDrawing(db, version, lossNote).join();
    if (source) source->checkTextUnchanged();
    return form == DxfForm::Binary ? dxfTextToBinary(text, version < DxfVersion::R13) : text;
  });
}

std::string writeDxfDrawingToBytes(const OdDbDatabase& db, DxfVersion version) {
  return writeDxfDrawingToBytes(db, version, dxfDrawingForm(db));
}

std::string writeDxfDrawingToBytes(const OdDbDatabase& db) {
  return writeDxfDrawingToBytes(db, dxfDrawingVersion(db));
}

void writeDxfDrawing(const OdDbDatabase& db, const std::string& path, DxfVersion version, DxfForm form,
                     std::string* lossNote) {
  translatingErrors(eFileWriteError, [&] {
    const DxfDocument* source = mappedSource(db);
    if (source) source->checkTextUnchanged();
    const DxfDrawingText text = dxfWriteDrawing(db, version, lossNote);
    if (form == DxfForm::Binary) {
      std::string bytes = dxfTextToBinary(text.join(), version < DxfVersion::R13);
      if (source) source->checkTextUnchanged();
      dxfSaveAtomically(path, bytes);
      return 0;
    }
    const std::vector<std::string_view> pieces = text.pieces();
    dxfSaveAtomically(
        path, std::span<const std::string_view>(pieces),
        [source] {
          if (source) source->checkTextUnchanged();
        },
        source ? source->copySource() : DxfCopySource{});
    return 0;
  });
}

void writeDxfDrawing(const OdDbDatabase& db, const std::string& path, DxfVersion version) {
  writeDxfDrawing(db, path, version, dxfDrawingForm(db));
}

void writeDxfDrawing(const OdDbDatabase& db, const std::string& path) {
  writeDxfDrawing(db, path, dxfDrawingVersion(db));
}
