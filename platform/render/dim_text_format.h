#pragma once
// The measurement text of a dimension: the measured value in the primary
// units (or in sub-units below one unit) with prefix and suffix, tolerances
// or limits (of lengths and of angles), alternate units, and the user's
// override. The result is formatted text ("\S" stacks, "\H"
// heights, "%%c" symbols); "\X" separates what goes above the dimension line
// from what goes below it.
#include <string>

#include "OdDbDimVars.h"
#include "units/linear_format.h"

namespace render {

enum class MeasureKind { Linear, Radius, Diameter, ArcLength, Angular, Ordinate };

// Options for lengths in the primary and the alternate units.
units::LinearOptions primaryLengthOptions(const OdDbDimVars& v);
units::LinearOptions alternateLengthOptions(const OdDbDimVars& v);

// A measured length in the primary units (DIMLFAC, DIMRND, DIMLUNIT,
// DIMDEC, DIMZIN, DIMDSEP, DIMFRAC), without prefix or suffix.
std::string primaryLengthText(double measured, const OdDbDimVars& v);
// The same length in the alternate units (DIMALTF, DIMALTRND, DIMALTU,
// DIMALTD, DIMALTZ).
std::string alternateLengthText(double measured, const OdDbDimVars& v);
// An angle in radians in DIMAUNIT, DIMADEC, DIMAZIN, with its degree marks.
std::string angleText(double radians, const OdDbDimVars& v);

// The whole text the dimension shows for `measured` (a length, or radians
// for angular dimensions). `userText` is the dimension's override: empty for
// the measurement, "<>" inside it standing for the measurement, a single
// blank for no text at all.
std::string measurementText(double measured, MeasureKind kind, const OdDbDimVars& v,
                            const std::string& userText = {});

}  // namespace render
