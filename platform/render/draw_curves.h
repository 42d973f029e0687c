#pragma once
// What the renderer draws of splines and 3D faces, as rows of
// points in the drawing's coordinates (the renderer maps and strokes them).
#include <vector>

#include "geom2d.h"

class OdDbSpline;
class OdDbFace;

namespace render {

struct PointRow {
  std::vector<g2::P> points;
  bool closed = false;
};

// `perTurn`: the points of a full circle, the fineness every curve is
// drawn at (see docs/geometry.md).
PointRow splineRow(const OdDbSpline& s, int perTurn);
// The visible edges, each run of joined ones a row.
std::vector<PointRow> faceRows(const OdDbFace& f);

}  // namespace render
