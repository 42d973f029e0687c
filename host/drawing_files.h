#pragma once
// Opening and saving drawings as documents.
#include <string>

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
// when it cannot be read.
HostApDocument* openDrawingFile(HostApDocManager& documents, const std::string& path, std::string& error);

// Builds the geometry block of every dimension that has none or whose data
// changed since it was read, so that other programs show what we show.
void refreshDimensionBlocks(OdDbDatabase& db);

// Writes the drawing (atomically, by the file layer) and marks the document
// saved under that name; false with `error` set on failure, the document
// then unchanged.
bool saveDrawingFile(HostApDocument& doc, const std::string& path, std::string& error);

}  // namespace qrvhost
