#pragma once
// Arrowhead blocks. The built-in arrowheads are blocks named with a leading
// underscore ("_Open30"); the default closed filled arrow has no block at
// all (a null identifier, an empty name).
#include "OdDbObjectId.h"

class OdDbDatabase;

namespace OdDmUtil {

// The 20 built-in arrowhead block names, the empty name (closed filled)
// first, then "_ClosedBlank", "_Closed", ... in the order lists offer them.
const std::vector<OdString>& builtInArrowNames();

// The block name an arrow identifier stands for: "" for null, the block's
// name otherwise (as stored).
OdString arrowName(OdDbObjectId arrowId);

// The stored spelling when name is a built-in arrowhead (with or without
// the leading underscore, any letter case), else empty optional-like "".
bool isBuiltInArrow(const OdString& name);

// The block for an arrowhead name. "" (closed filled) gives the null id. A
// built-in name creates its block on first use; another name must name an
// existing block, else OdError(eKeyNotFound), that may be an arrowhead (no
// layout or anonymous block, odDbMayBeArrowhead), else OdError(eInvalidInput).
OdDbObjectId getArrowId(const OdString& name, OdDbDatabase* db);

}  // namespace OdDmUtil
