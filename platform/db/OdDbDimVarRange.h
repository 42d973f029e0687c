#pragma once
// The values each of the 78 dimension variables may take, checked the same
// way wherever a value comes in: typed at a prompt, chosen in the palette
// or the style editor, read from a file. The table is docs/dimvar-ranges.md.
#include "OdDbDimVars.h"

class OdDbBlockTableRecord;

// The allowed values in a form every language reads: "0..8", "1..6",
// "≥ 0", "≠ 0", "0°..180°"; empty when every value of the stored type is
// allowed (switches, colours, records other than arrowheads).
OdString odDbDimVarRangeText(int index);

// Whether the value may be stored in the variable (its kind is assumed
// right; a value of the wrong kind is refused by OdDbDimVars::set). Numbers
// must be finite; texts must not hold NUL; an arrowhead must be a block that
// may be one (odDbMayBeArrowhead).
bool odDbDimVarValueAllowed(int index, const OdDbDimVarValue& value);

// Whether a drawing may hold the value at all, whatever its range: numbers
// are finite, texts hold no NUL, an arrowhead is a block that may be one.
// A value read from a file is kept while it is storable (the ranges are for
// values typed in); only the others are repaired.
bool odDbDimVarValueStorable(int index, const OdDbDimVarValue& value);

// Empty when the value is allowed; otherwise the refusal in English with
// the range, e.g. "DIMDEC 99 is out of range (0..8)", for reports that have
// no translation (the log, file warnings).
OdString odDbCheckDimVarValue(int index, const OdDbDimVarValue& value);

// A block that can stand for an arrowhead: a named block of the drawing's
// block table. Layout blocks (*Model_Space, *Paper_Space) and anonymous
// blocks (a dimension's own *D block) cannot: drawing an arrow through them
// would draw the layout, or the dimension, inside every dimension.
bool odDbMayBeArrowhead(const OdDbBlockTableRecord* block);
// The same by identifier: the null identifier (the default closed filled
// arrow) may; an identifier of something that is no block may not.
bool odDbMayBeArrowhead(OdDbObjectId blockId);
