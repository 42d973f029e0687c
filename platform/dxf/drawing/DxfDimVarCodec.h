#pragma once
// The dimension variables in DXF: which group code a variable has in a
// DIMSTYLE entry (and in "ACAD" "DSTYLE" override pairs), and which ones
// travel in the extended data of the application "QRV_DIMVARS" instead:
// the four that the format gives no code (DIMMZF, DIMMZS, DIMALTMZF,
// DIMALTMZS), the true colours of the colour variables, and variables newer
// than the version written.
#include <optional>

#include "DxfVersion.h"
#include "OdDbDimVars.h"

inline constexpr const char* kDxfDimVarsApp = "QRV_DIMVARS";

// Index of the variable with this DIMSTYLE group code (70 is DIMTFILLCLR:
// the entry's flags are told apart by position).
std::optional<int> dxfDimVarByCode(int code);

// The first version whose DIMSTYLE entry has a code for the variable.
DxfVersion dxfDimVarSince(int index);

// Whether a DIMSTYLE entry holds the variable's value in degrees where the
// database keeps radians: the jog angle (group 50), as every angle under
// group 50 is. The header's $DIMJOGANG (group 40), the "ACAD" "DSTYLE"
// override pairs (1040 after code 50, as files of other programs hold it)
// and QRV_DIMVARS pairs hold radians.
bool dxfDimVarInDegrees(int index);
// The value as the file holds it, and as the database keeps it.
OdDbDimVarValue dxfDimVarToFile(int index, const OdDbDimVarValue& value);
OdDbDimVarValue dxfDimVarFromFile(int index, const OdDbDimVarValue& value);

// Whether the variable has a group code in files of `version`.
inline bool dxfDimVarHasCode(int index, DxfVersion version) {
  return OdDbDimVars::describe(index).dxfCode != 0 && version >= dxfDimVarSince(index);
}
