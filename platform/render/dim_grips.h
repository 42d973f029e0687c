#pragma once
// The handles a selected dimension offers in a drawing window, and what
// dragging one does: the text grip puts the text where it is dropped (the
// text then keeps that place), the line grip, where the dimension line
// meets the second extension line, moves the line through the point dropped
// on (an angle's arc keeps its side and takes the new radius; an ordinate
// moves its leader's end, a large radius its jog). No Qt here: the window
// only forwards the mouse.
#include <optional>
#include <vector>

#include "OdDbDimension.h"

namespace render {

enum class DimGrip { kText, kLine };

struct DimGripPlace {
  DimGrip grip;
  OdGePoint3d at;
};

// The grips of the dimension, the text's first.
std::vector<DimGripPlace> dimensionGrips(const OdDbDimension& dimension);

// The grip whose place is nearest `at` within `tolerance` (drawing units).
std::optional<DimGrip> gripNear(const OdDbDimension& dimension, const OdGePoint3d& at, double tolerance);

// Moves the grip to `to` and builds the dimension's block again. False, with
// nothing changed, when the dimension has no such grip or `to` is a place
// it cannot take (an arc through its centre, a leader ending on its feature).
bool dragGrip(OdDbDimension& dimension, DimGrip grip, const OdGePoint3d& to);

}  // namespace render
