#include "draw_curves.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "OdDbCurves.h"
#include "OdDbFaces.h"
#include "curve_geometry.h"
#include "smooth_path.h"

namespace render {

PointRow splineRow(const OdDbSpline& s, int perTurn) {
  PointRow row;
  // Fit points alone (no control points worked out): the same smooth curve
  // through them that spline leaders take.
  if (s.controlPoints().size() < 2) {
    if (s.fitPoints().size() >= 2) row.points = smoothPathThrough(s.fitPoints()).points;
    return row;
  }
  // As fine as a circle of the spline's size: the error allowed is the one
  // `perTurn` chords leave on a circle as wide as the control points' box.
  double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
  for (const g2::P& p : s.controlPoints())
    minX = std::min(minX, p.x), minY = std::min(minY, p.y), maxX = std::max(maxX, p.x), maxY = std::max(maxY, p.y);
  const double size = std::hypot(maxX - minX, maxY - minY);
  if (!std::isfinite(size)) return row;
  const double tolerance = size / 2 * (1 - std::cos(std::numbers::pi / std::max(perTurn, 4)));
  SplineData d;
  d.degree = s.degree();
  d.knots = s.knots();
  d.weights = s.weights();
  d.controlPoints = s.controlPoints();
  row.points = splinePoints(std::move(d), tolerance > 0 ? tolerance : 1e-9);
  return row;
}

std::vector<PointRow> faceRows(const OdDbFace& f) {
  std::vector<PointRow> rows;
  // A triangle repeats its third corner as the fourth: that edge is none.
  int corners = f.vertexAt(3) == f.vertexAt(2) ? 3 : 4;
  auto edgeShown = [&](int i) { return i < corners && f.isEdgeVisibleAt(i == 2 && corners == 3 ? 3 : i) &&
                                       !(f.vertexAt(i) == f.vertexAt((i + 1) % corners)); };
  // In a triangle the closing edge (third corner back to the first) is
  // flagged as the fourth edge.
  int firstHidden = -1;
  for (int i = 0; i < corners; ++i)
    if (!edgeShown(i)) firstHidden = i;
  if (firstHidden < 0) {
    PointRow all;
    for (int i = 0; i < corners; ++i) all.points.push_back(f.vertexAt(i));
    all.closed = true;
    rows.push_back(std::move(all));
    return rows;
  }
  // Runs of shown edges, starting after a hidden one so none is split.
  PointRow run;
  for (int k = 1; k <= corners; ++k) {
    const int i = (firstHidden + k) % corners;
    if (edgeShown(i)) {
      if (run.points.empty()) run.points.push_back(f.vertexAt(i));
      run.points.push_back(f.vertexAt((i + 1) % corners));
    } else if (!run.points.empty()) {
      rows.push_back(std::move(run));
      run = {};
    }
  }
  if (!run.points.empty()) rows.push_back(std::move(run));
  return rows;
}

}  // namespace render
