#pragma once
// Drawings in and out of DXF files: the mapping between the drawing
// database and the file format.
//
// Reading keeps the file's bytes with the drawing, so that writing it back
// copies every object that did not change as it was read (fast, and exact:
// a drawing read and written unchanged is the same file). What the database
// does not model (other tables, entities, objects, sections, unknown group
// codes, extended data of any application) travels through untouched.
// docs/dxf.md describes the mapping.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "DxfVersion.h"

class OdDbDatabase;

// Reads an ASCII (R12 to R2018) or binary DXF file. Throws OdError whose
// description names the line and what was wrong ("line 1234: group code
// expected, found 'abc'").
std::unique_ptr<OdDbDatabase> readDxfDrawing(const std::string& path);

// Writes the drawing atomically (temporary file, flush, rename; the previous
// file is kept as NAME.bak) in the version it was read in (see
// dxfDrawingVersion), R2018 for a new drawing. Throws OdError saying why
// when it cannot.
void writeDxfDrawing(const OdDbDatabase& db, const std::string& path);

// What reading repaired or assumed: dangling references, a missing
// registered application, a missing version. Empty for a sound file.
struct DxfReadReport {
  std::vector<std::string> warnings;
  // Something was repaired that a save writes in its repaired form (a
  // handle given anew, a reference by name resolved or dropped): the
  // drawing counts as changed.
  bool repaired = false;
  // Reading through recovery: the repairs it made (each line it skipped
  // counts), the records dropped as beyond repair, and everything of the
  // file the drawing does not hold (records, variables, tags, lines): 0
  // when the drawing holds all the file held. `binary`: the file was
  // binary DXF.
  std::size_t repairs = 0;
  std::size_t dropped = 0;
  std::size_t leftOut = 0;
  bool binary = false;
};
std::unique_ptr<OdDbDatabase> readDxfDrawing(const std::string& path, DxfReadReport& report);

// Writes in the given version (R12, R2000 to R2018).
void writeDxfDrawing(const OdDbDatabase& db, const std::string& path, DxfVersion version);

// The two forms of a DXF file. A drawing is written in the form it was read
// in (text for a drawing made in memory) unless told otherwise; values with
// line breaks, which binary files hold as they are, travel in the text form
// as caret escapes ("^J"), so either form keeps them.
enum class DxfForm { Text, Binary };
DxfForm dxfDrawingForm(const OdDbDatabase& db);
// `lossNote` (when given) gets what the version cannot hold, as one note
// ("Not kept in R12: 3 true colours, 2 MTEXT"); empty when nothing.
void writeDxfDrawing(const OdDbDatabase& db, const std::string& path, DxfVersion version, DxfForm form,
                     std::string* lossNote = nullptr);

// Reads a file whose structure is damaged (see DxfRecovery.h): every
// section and record that can be read, misplaced ones put where they
// belong, what cannot be placed dropped; each repair is a warning naming
// the line of the file, and the drawing counts as repaired. Throws OdError
// only when not even that gives a drawing.
std::unique_ptr<OdDbDatabase> recoverDxfDrawing(const std::string& path, DxfReadReport& report);

// The same in memory, for tests and tools.
std::unique_ptr<OdDbDatabase> readDxfDrawingFromBytes(const std::string& bytes, DxfReadReport* report = nullptr);
std::unique_ptr<OdDbDatabase> recoverDxfDrawingFromBytes(const std::string& bytes, DxfReadReport& report);
std::string writeDxfDrawingToBytes(const OdDbDatabase& db);
std::string writeDxfDrawingToBytes(const OdDbDatabase& db, DxfVersion version);
std::string writeDxfDrawingToBytes(const OdDbDatabase& db, DxfVersion version, DxfForm form,
                                   std::string* lossNote = nullptr);

// The version a drawing is saved in unless told otherwise: the version it
// was read in (R13 and R14: R2000), R2018 for a drawing made in memory. An
// R12 (or older, or unnamed) drawing stays R12, unless the file holds
// records R12 has not (an LWPOLYLINE, a BLOCK_RECORD table, OBJECTS): then
// R2000.
DxfVersion dxfDrawingVersion(const OdDbDatabase& db);

// Reads the DXF file that the DWG converter wrote (tools/dwg2dxf), after
// mending the faults of its writer with the facts its driver printed about
// the DWG (drawing/DxfConverterRepair.h); through recovery when `recover`,
// or when the ordinary reader refuses it.
// `mended` gets one line per kind of mending, `notConverted` the kinds of
// object of the DWG that the DXF lacks, with their counts.
struct DxfConvertedRead {
  std::vector<std::string> mended;
  std::map<std::string, int> notConverted;
  std::string dwgVersion;  // "AC1018"
  // Why the output was read through recovery although not asked to ("line
  // 29726: value ... out of range"); empty when it was read as it is.
  std::string recoveredBecause;
};
std::unique_ptr<OdDbDatabase> readConvertedDxfDrawing(const std::string& path, const std::string& facts, bool recover,
                                                      DxfReadReport& report, DxfConvertedRead& converted);
