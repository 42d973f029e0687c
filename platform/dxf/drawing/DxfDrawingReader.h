#pragma once
// Reads a DXF document into a drawing database (see DxfDrawingIO.h).
#include <memory>
#include <string>
#include <vector>

#include "DxfDocument.h"

class OdDbDatabase;

// Throws DxfError for malformed content (naming the line); repairs dangling
// references and lists the repairs in `warnings`. `repaired`: set when a
// repair changed what a save writes.
std::unique_ptr<OdDbDatabase> dxfReadDrawing(DxfDocument doc, std::vector<std::string>& warnings,
                                             bool& repaired);
