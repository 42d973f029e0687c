#pragma once
// The active viewport (the VPORT entry "*ACTIVE"): files since R11 keep the
// grid and the snap to it there, and it wins over the header's variables of
// the same name. Reading takes the modes from it; writing brings its values
// up to date where the drawing changed them, the rest as the file had it.
#include <cstddef>
#include <optional>

#include "DxfDrawingSource.h"
#include "DxfWriter.h"
#include "OdDbHeaderVars.h"

// The record of the first "*ACTIVE" entry of the VPORT table; none when
// the file has none.
std::optional<std::size_t> dxfActiveViewport(const DxfDrawingSource& src);

// Grid and snap modes and spacings from the entry's tags (75 snap, 76 grid,
// 14/24 snap spacing, 15/25 grid spacing); a spacing that is none leaves
// the one before.
void dxfReadActiveViewport(const DxfTagRange& tags, OdDbHeaderVars& vars);

// Writes the drawing's value in place of a tag of the entry that holds
// another; false (nothing written) for a tag that keeps its own.
bool dxfWriteActiveViewportTag(DxfWriter& w, const DxfTag& tag, const OdDbHeaderVars& vars);
// Whether any tag of the entry would be written anew.
bool dxfActiveViewportChanged(const DxfTagRange& tags, const OdDbHeaderVars& vars);
