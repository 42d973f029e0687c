#pragma once
// Object snaps in the drawing view: the scene's entities near the cursor
// asked for their snap points, and the marker that shows which kind the
// cursor snapped to.
#include <QPointF>
#include <optional>

#include "object_snap.h"
#include "view_scene.h"

class QPainter;

namespace qrvwindow {

// A snap in the scene and the entities it was found on: `on`, and `with`
// for a crossing of two (the curve numbers of snap::Snap counted the
// curves of one lookup; these ids are what lasts).
struct SceneSnap : snap::Snap {
  OdDbObjectId on, with;
};

// The snap nearest to `at` within `aperture` (drawing units) among the
// entities of the scene there.
std::optional<SceneSnap> snapInScene(const ViewScene& scene, QPointF at, double aperture,
                                     unsigned kinds = snap::kAllKinds);

// A square at an end, a triangle at a middle, a circle at a centre, a cross
// at a crossing, an hourglass at a nearest point; `at` in pixels.
void paintSnapMarker(QPainter& painter, QPointF at, snap::Kind kind);

}  // namespace qrvwindow
