#pragma once
// Reading and writing whole drawings. The host registers the file format
// layer here at start-up; without one, opening and saving fail with a
// clear error instead of the host not building or starting.
#include <functional>
#include <memory>
#include <string>
#include <vector>

class OdDbDatabase;

// Reads the drawing; what it read but could not take as it was (a value out
// of range replaced by the default, a reference to nothing) is added to
// `warnings`, one "line N: ..." text each.
using HostDrawingReader =
    std::function<std::unique_ptr<OdDbDatabase>(const std::string& path, std::vector<std::string>& warnings)>;
using HostDrawingWriter = std::function<void(const OdDbDatabase& db, const std::string& path)>;

// The file a typed drawing name stands for: surrounding double quotes
// dropped, a leading "~/" is the home folder, ".dxf" added when the name has
// no extension, made absolute.
std::string hostDrawingPath(const std::string& typed);

// Empty functions withdraw the reader or writer.
void hostSetDrawingIO(HostDrawingReader reader, HostDrawingWriter writer);
bool hostCanReadDrawings();
bool hostCanWriteDrawings();

// Throw OdError (with a description) on failure, also when no reader or
// writer is registered.
std::unique_ptr<OdDbDatabase> hostReadDrawing(const std::string& path, std::vector<std::string>& warnings);
// The same for a drawing read as a source of records: what reading replaced
// goes to the log.
std::unique_ptr<OdDbDatabase> hostReadDrawing(const std::string& path);
void hostWriteDrawing(const OdDbDatabase& db, const std::string& path);
