#pragma once
// A point clicked on an object snap, answered the way a script types it
// (`_END 2A 30,10`, `_INT 2A 2B 5,5`): the command reads it as the snap it
// is, so a dimension placed by mouse is associated by the same code as one
// placed by a script, and the command line shows what was picked.
#include <optional>
#include <string>

#include "view_snaps.h"

class OdDbDatabase;

namespace qrvwindow {

// The typed form of the snap, when the drawing's own snaps find the same
// point on the same objects from it; nothing otherwise (a curve the typed
// snaps do not know, such as an ellipse or a spline: then the click answers
// its coordinates).
std::optional<std::string> typedSnapAnswer(const SceneSnap& snap, const OdDbDatabase& db);

}  // namespace qrvwindow
