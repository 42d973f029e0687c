#pragma once
// The catalogue of the 78 dimension variables every listing, comparison and
// copy walks: name, key, stored type, how the value becomes text, and the
// string id of its description.
#include <cstdint>

#include "OdDbDimVars.h"

namespace dds {

enum class DimVarKind { Integer, Character, YesNo, Length, Angle, Text, Arrow, Linetype, TextStyle, Color };

struct DimVarInfo {
  const char* name;        // "DIM" + key, as the table spells it ("DIMasz")
  const char* key;         // "asz"
  OdDbDimVarType type;     // as records and the drawing header store it
  DimVarKind kind;
  unsigned descriptionId;  // string-table id
  // The variable's place in the database's generic access (OdDbDimVars).
  int storageIndex() const;
};

// Entries in catalogue order, 0 to 77.
const DimVarInfo& dimVarInfo(int catalogueIndex);
int variableCount();

// The name in one letter case (upper case): "DIMASZ".
const OdString& dimVarName(int catalogueIndex);

// The rank of a variable in the alphabetical listing order, from 0, for a
// name in any letter case ("DIMasz" and "DIMASZ" alike); -1 for a name that
// is not in the catalogue.
std::int32_t listingPosition(const OdString& name);

}  // namespace dds
