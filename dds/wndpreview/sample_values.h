#pragma once
// Carrying dimension values, text styles and linetypes from a user's
// drawing into the preview's private drawing. Values that refer to records
// (arrowheads, the text style, linetypes) are carried by name, because an
// identifier of one drawing means nothing in another.
#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"

namespace dds {

// The 78 values of a style record, or of a drawing's current values, with
// every reference translated into the target drawing; a user's arrow block
// is copied into it. A reference the target cannot resolve (a linetype it
// lacks, an arrow block that cannot be copied) falls back to the default
// and is logged.
OdDbDimVars valuesForDrawing(const OdDbDimVars& source, OdDbDatabase* target);
OdDbDimVars recordValues(const OdDbDimStyleTableRecord* record);
// The sample drawing's block of that name, copied from the user's drawing
// when the sample has none. Throws OdError saying why when it cannot be.
OdDbObjectId sampleArrowFrom(const OdDbDatabase& drawing, const OdString& blockName, OdDbDatabase& sample);
OdDbDimVars currentValues(const OdDbDatabase* db);

// Brings the text styles, linetypes and dimension styles of `source` into
// `target`, matched by name; missing records are created. Records of
// external references are left out. An error on one record is logged and
// the next record is taken.
void synchronizeDrawings(OdDbDatabase* source, OdDbDatabase* target);

}  // namespace dds
