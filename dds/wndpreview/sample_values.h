#pragma once
// Carrying dimension values, text styles and linetypes from a user's
// drawing into the preview's private drawing. Values that refer to records
// (arrowheads, the text style, linetypes) are carried by name, because an
// identifier of one drawing means nothing in another.
#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"

namespace dds {

// The 78 values of a style record, or of a drawing's current values, with
// every reference translated into the target drawing. A reference the
// target cannot resolve (a user arrow block it does not have, a linetype
// it lacks) falls back to the default and is logged.
OdDbDimVars valuesForDrawing(const OdDbDimVars& source, OdDbDatabase* target);
OdDbDimVars recordValues(const OdDbDimStyleTableRecord* record);
OdDbDimVars currentValues(const OdDbDatabase* db);

// Brings the text styles, linetypes and dimension styles of `source` into
// `target`, matched by name; missing records are created. Records of
// external references are left out. An error on one record is logged and
// the next record is taken.
void synchronizeDrawings(OdDbDatabase* source, OdDbDatabase* target);

}  // namespace dds
