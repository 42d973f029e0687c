#pragma once
// Opening and saving drawings as documents.
#include <string>
#include <vector>

#include "drawing_io.h"

class HostApDocManager;
class HostApDocument;
class OdDbDatabase;

namespace qrvhost {

// "~/x" expanded, a missing extension made ".dxf", relative paths made
// absolute against the working folder.
std::string drawingPath(const std::string& typed);

// The open document of that file; null when it is not open.
HostApDocument* findOpenDrawing(const HostApDocManager& documents, const std::string& path);

// Reads the file and adds it as the active document; null with `error` set
// when it cannot be read (also when it is no regular file: a named pipe
// would never end). What reading replaced or left out is logged and added
// to `warnings`; a drawing whose values were replaced has unsaved changes.
HostApDocument* openDrawingFile(HostApDocManager& documents, const std::string& path, std::string& error,
                                std::vector<std::string>* warnings = nullptr);
// The same, told how to read (through recovery) in `read`, which gives
// what reading found; a drawing read with repairs counts as changed.
HostApDocument* openDrawingFile(HostApDocManager& documents, const std::string& path, std::string& error,
                                HostDrawingRead& read);

// What reading found, one line each, and for a recovery its summary
// ("12 repairs, 3 records dropped"), in the session's language.
std::vector<std::string> readingNotes(const HostDrawingRead& read);
// "ACIS solids (3), hatches (12)": the entities of model space the view and
// the pictures do not draw; empty when they draw everything.
std::string notDrawnInModelSpace(OdDbDatabase& db);

// Builds the geometry block of every dimension that has none or whose data
// changed since it was read, so that other programs show what we show. A
// dimension whose geometry cannot be built keeps its block; each gives one
// line to show ("Dimension 2A keeps its previous picture: ...").
std::vector<std::string> refreshDimensionBlocks(OdDbDatabase& db);

// Writes the drawing (atomically, by the file layer) and marks the document
// saved under that name; false with `error` set on failure, the document
// then unchanged. Lines for the user go to `dimensionFailures`: dimensions
// that kept their old block, and what the DXF version written could not
// hold (one note).
bool saveDrawingFile(HostApDocument& doc, const std::string& path, std::string& error,
                     std::vector<std::string>* dimensionFailures = nullptr);

// Whether saving `doc` to `path` would replace what somebody else wrote:
// `path` is the drawing's own file and it changed on disk since the
// document read or last saved it (another program, another qrvhost). False
// when that is not known, or the file is gone (a save then loses nothing).
bool fileChangedOnDisk(const HostApDocument& doc, const std::string& path);

}  // namespace qrvhost
