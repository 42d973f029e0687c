#pragma once
// Rebuilding a dimension's block reuses the entities already in it: an
// entity of the same kind takes the new one's data in place, so that a
// dimension recomputed again and again (the preview does it on every
// change) does not pile up erased objects in the drawing.
class OdDbEntity;

namespace render {

// Gives target the data of source (not in a database) when both are of the
// same kind this layer draws with (line, arc, solid, multi-line text, block
// reference); false, target untouched, otherwise. target must be open for
// write.
bool updateInPlace(OdDbEntity* target, const OdDbEntity* source);

}  // namespace render
