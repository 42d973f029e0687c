#pragma once
// What the renderer draws of an old-form polyline, in the drawing's world
// coordinates (the renderer maps, strokes and fills them).
#include <optional>
#include <vector>

#include "OdDbForeignShapes.h"
#include "draw_curves.h"

namespace render {

using OldVertex = OdDbOldPolyline::Vertex;

// A 2D polyline's vertices in world coordinates, with bulges that turn the
// way its arcs turn as seen from above: a plane seen from below mirrors x
// and turns each arc the other way. A plane tilted any other way has its
// arcs flattened at `perTurn` points a full circle.
std::vector<OldVertex> worldVertices(const OdDbOldPolyline& p, int perTurn);

// The width every segment shares, when they all have one (0 for none);
// nothing when some segment's width changes along it or differs.
std::optional<double> sharedWidth(const std::vector<OldVertex>& v, bool closed);

// The filled outline of each segment, its width going from the start width
// to the end width; arcs at `perTurn` points a full circle.
std::vector<std::vector<g2::P>> widthOutlines(const std::vector<OldVertex>& v, bool closed, int perTurn);

// The edges of a 3D polyline, a polygon mesh (both ways) or a polyface mesh
// (its visible face edges), each a row.
std::vector<PointRow> edgeRows(const OdDbOldPolyline& p);

}  // namespace render
