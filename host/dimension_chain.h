#pragma once
// The geometry of DIMBASELINE and DIMCONTINUE: a new dimension of the same
// kind as the one it follows, from a shared origin (baseline) or from the
// previous dimension's second origin (continue).
#include "OdDbDimension.h"

namespace qrvhost {

enum class ChainMode { kBaseline, kContinue };

// Linear (rotated or aligned), angular and ordinate dimensions can be
// followed; other kinds cannot.
bool canChainFrom(const OdDbEntity& entity);
bool isOrdinate(const OdDbDimension& dimension);

// The dimension that follows `previous` in a chain started at `base`,
// measuring to `point`. `spacing` (baseline only) is how far its dimension
// line or arc lies beyond the previous one, away from what is measured.
// The new dimension has no style yet. Null when the point gives nothing to
// measure (the first origin again, a point on an angle's first ray, an
// ordinate's leader that would end on its feature).
OdDbDimensionPtr nextInChain(ChainMode mode, const OdDbDimension& base, const OdDbDimension& previous,
                             const OdGePoint3d& point, double spacing);

// Where a chain from `previous` starts measuring: the base's first origin
// (baseline) or the previous dimension's second origin (continue); for
// angles the vertex, for ordinates the previous feature.
OdGePoint3d chainStart(ChainMode mode, const OdDbDimension& base, const OdDbDimension& previous);

}  // namespace qrvhost
