#pragma once
// Values of dimension variables read from a file get the checks a typed
// value gets (OdDbDimVarRange.h): one that would be refused at a prompt is
// reported with the line it came from and replaced by the default, so that
// it never reaches a save that fails or geometry that never ends.
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "OdDbObjectId.h"

class DxfDocument;
class OdDbDatabase;

// Where each dimension style's values were read: the line of a variable's
// value, else of the style's record.
struct DxfDimVarLines {
  std::map<OdDbObjectId, std::uint32_t> records;
  std::map<std::pair<OdDbObjectId, int>, std::uint32_t> values;
  std::uint32_t lineOf(OdDbObjectId style, int index) const;
};

// Checks the header's current values and every dimension style of the
// loaded drawing; appends one warning per replaced value. Replacing is a
// change like any other: the drawing then has unsaved changes.
void dxfReplaceRefusedDimVars(OdDbDatabase& db, const DxfDocument& doc, const DxfDimVarLines& lines,
                              std::vector<std::string>& warnings);
