// The curves of the drawing's entities as snaps see them: the curves the
// renderer draws (render::curvesOf), so that a snap lands on what shows.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "entity_curves.h"
#include "object_snap.h"
#include "path_flatten.h"

namespace snap {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

Point flat(render::Point2 p) { return {p.x, p.y}; }

// Far enough along an unbounded line to be off any drawing's view.
constexpr double kUnbounded = 1e7;

// An arc step: a circle's arc becomes an Arc (its middle and centre are
// snaps), an ellipse's a row of points with its centre.
void addArc(const render::PathSegment& s, std::vector<Curve>& out) {
  const double sweep = s.end - s.start;
  const bool full = std::fabs(sweep) >= kTwoPi * (1 - 1e-12);
  if (std::fabs(std::fabs(s.ratio) - 1) < 1e-12) {
    // The minor axis turned clockwise (a negative ratio) runs the angles
    // the other way round.
    const double sign = s.ratio > 0 ? 1 : -1, axis = std::atan2(s.axis.y, s.axis.x);
    const double a0 = axis + sign * s.start, a1 = axis + sign * s.end;
    Arc a;
    a.centre = flat(s.to);
    a.radius = std::hypot(s.axis.x, s.axis.y);
    a.full = full;
    const bool counterClockwise = sign * sweep > 0;
    a.start = counterClockwise ? a0 : a1;
    a.end = counterClockwise ? a1 : a0;
    out.push_back(a);
    return;
  }
  Path p;
  p.closed = full;
  const int n = std::max(4, int(std::ceil(std::fabs(sweep) / kTwoPi * render::kCurvePointsPerTurn)));
  for (int k = 0; k <= n - (full ? 1 : 0); ++k) p.points.push_back(flat(render::arcPointAt(s, s.start + sweep * k / n)));
  p.centre = flat(s.to);
  out.push_back(std::move(p));
}

// A straight step; none between points that differ by rounding only (where
// an arc ends and the next step begins).
void addStep(Point from, Point to, std::vector<Curve>& out) {
  const double size = std::max({1.0, std::fabs(from.x), std::fabs(from.y), std::fabs(to.x), std::fabs(to.y)});
  if (std::hypot(to.x - from.x, to.y - from.y) > 1e-9 * size) out.push_back(Segment{from, to});
}

// A smooth curve is one row: ends at its ends, crossings along it, no
// middles at its joints.
void addSmooth(const render::CurvePath& c, std::vector<Curve>& out) {
  Path p;
  for (const render::PathSegment& s : c.segments) {
    if (s.kind == render::PathSegment::Kind::kClose) {
      p.closed = true;
      continue;
    }
    p.points.push_back(flat(s.to));
  }
  p.firstIsEnd = p.lastIsEnd = !p.closed;
  if (p.points.size() >= 2) out.push_back(std::move(p));
}

void addPath(const render::CurvePath& c, std::vector<Curve>& out) {
  if (c.smooth) return addSmooth(c, out);
  Point pen, start;
  bool started = false;
  for (const render::PathSegment& s : c.segments) {
    switch (s.kind) {
      case render::PathSegment::Kind::kMove:
        pen = start = flat(s.to);
        started = true;
        break;
      case render::PathSegment::Kind::kLine:
        addStep(pen, flat(s.to), out);
        pen = flat(s.to);
        break;
      case render::PathSegment::Kind::kClose:
        addStep(pen, start, out);
        pen = start;
        break;
      case render::PathSegment::Kind::kArc: {
        const Point first = flat(render::arcPointAt(s, s.start));
        if (started)
          addStep(pen, first, out);
        else
          start = first, started = true;
        addArc(s, out);
        pen = flat(render::arcPointAt(s, s.end));
        break;
      }
      case render::PathSegment::Kind::kCubic: {
        Path p;
        for (const render::FlatLine& l : render::flatten({render::PathSegment::moveTo({pen.x, pen.y}), s}, 0))
          for (render::Point2 q : l.points) p.points.push_back(flat(q));
        if (p.points.size() >= 2) out.push_back(std::move(p));
        pen = flat(s.to);
        break;
      }
    }
  }
}

}  // namespace

void addCurvesOf(const OdDbEntity& entity, std::vector<Curve>& out) {
  render::EntityCurves found;
  if (!render::curvesOf(entity, render::kCurvePointsPerTurn, found)) return;
  for (const render::CurvePath& c : found.paths) addPath(c, out);
  if (const std::optional<render::UnboundedCurve>& u = found.unbounded) {
    const double l = std::hypot(u->dir.x, u->dir.y);
    if (!(l > 0)) return;
    const Point base = flat(u->base), along{u->dir.x / l * kUnbounded, u->dir.y / l * kUnbounded};
    Path p;
    p.points = {u->bothWays ? Point{base.x - along.x, base.y - along.y} : base, {base.x + along.x, base.y + along.y}};
    p.firstIsEnd = !u->bothWays;
    p.lastIsEnd = false;
    out.push_back(std::move(p));
  }
}

}  // namespace snap
