#pragma once
// Reading and writing whole drawings. The host registers the file format
// layer here at start-up; without one, opening and saving fail with a
// clear error instead of the host not building or starting.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class OdDbDatabase;

// How a drawing is read, and what reading found.
struct HostDrawingRead {
  bool recover = false;               // through recovery: a damaged file read as far as it goes
  std::vector<std::string> warnings;  // repairs and assumptions, each naming the line of the file
  bool repaired = false;              // what a save writes differs from the file: the drawing counts as changed
  std::size_t repairs = 0;            // of those, what recovery repaired (the rest: what the reader assumed)
  std::size_t dropped = 0;            // records recovery could not place
  std::size_t leftOut = 0;            // what of the file recovery left out (records, tags, lines); 0: nothing
  bool binary = false;                // the file was binary; saves keep that form
  std::string version;                // the DXF version saves write unless told otherwise ("R12")
  std::string notDrawn;               // what of model space the view cannot draw ("ACIS solids (3)"); empty: nothing
  bool converted = false;             // the file was a DWG, read through the converter: saves go to a DXF file
};

using HostDrawingReader = std::function<std::unique_ptr<OdDbDatabase>(const std::string& path, HostDrawingRead& read)>;
// How a drawing is written, and what writing could not keep.
struct HostDrawingSave {
  bool binary = false;  // the form to write
  std::string version;  // "R12", "R2000" ... "R2018"; empty: the drawing's own
  std::string note;     // what the version cannot hold ("Not kept in R12: ..."), empty when nothing
};
using HostDrawingWriter = std::function<void(const OdDbDatabase& db, const std::string& path, HostDrawingSave& save)>;

// The file a typed drawing name stands for: surrounding double quotes
// dropped, a leading "~/" is the home folder, ".dxf" added when the name has
// no extension, made absolute. A ".dwg" name stays one (OPEN converts it).
std::string hostDrawingPath(const std::string& typed);

// The DXF versions drawings are saved in, as typed ("r12", "R2000"): the
// name as written in HostDrawingSave::version, or "" for none of them.
std::string hostSaveVersionName(const std::string& typed);
inline constexpr const char* kHostSaveVersions = "R12, R2000, R2004, R2007, R2010, R2013, R2018";

// Empty functions withdraw the reader or writer.
void hostSetDrawingIO(HostDrawingReader reader, HostDrawingWriter writer);
bool hostCanReadDrawings();
bool hostCanWriteDrawings();

// Throw OdError (with a description) on failure, also when no reader or
// writer is registered.
std::unique_ptr<OdDbDatabase> hostReadDrawing(const std::string& path, HostDrawingRead& read);
// The same for a drawing read as a source of records: what reading replaced
// goes to the log.
std::unique_ptr<OdDbDatabase> hostReadDrawing(const std::string& path);
void hostWriteDrawing(const OdDbDatabase& db, const std::string& path, HostDrawingSave& save);
