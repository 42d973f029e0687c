#pragma once
// Values of dimension variables read from a file are kept as the file holds
// them, even where a typed value would be refused (a decimal separator of
// 0, an alternate multiplier of 0): other programs wrote them, and a save
// gives them back unchanged. Only a value no drawing can hold
// (odDbDimVarValueStorable: an arrowhead that is a layout or anonymous
// block, a text with NUL) is repaired, with the line it came from, so that
// it never reaches a save that fails or a dimension drawn inside itself.
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "OdDbObjectId.h"

class DxfDocument;
class OdDbDatabase;

// Where values were read: a dimension style's values (the line of the
// value, else of the style's record) and the records of dimensions and
// leaders that carry overrides.
struct DxfDimVarLines {
  std::map<OdDbObjectId, std::uint32_t> records;
  std::map<std::pair<OdDbObjectId, int>, std::uint32_t> values;
  std::vector<OdDbObjectId> overridden;  // in file order, lines in `records`
  std::uint32_t lineOf(OdDbObjectId owner, int index) const;
};

// Checks the header's current values, every dimension style and every
// override of the loaded drawing; appends one warning per repaired value.
// A repair is a change like any other: the drawing then has unsaved
// changes. Header and style values take the default of the drawing's
// measurement system; an override is dropped, so the style's value applies.
void dxfRepairUnstorableDimVars(OdDbDatabase& db, const DxfDocument& doc, const DxfDimVarLines& lines,
                                std::vector<std::string>& warnings);
