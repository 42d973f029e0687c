#pragma once
// The picture of an entity that is in no drawing yet: what a command would
// make of the point under the cursor while it waits for a point.
#include "OdDbEntity.h"
#include "renderer.h"

class OdDbDatabase;

namespace render {

// A dimension is built as its block would be, from the styles of `db`,
// without writing anything into `db`; other entities are drawn as they
// are. Errors of the dimension's geometry arrive as OdError.
DisplayList previewPicture(OdDbEntity& entity, OdDbDatabase& db, const RenderOptions& options = {});

}  // namespace render
