#include "path_flatten.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace render {
namespace {

constexpr double kTurn = 2 * std::numbers::pi;
// Bounds on the pieces of one curve, so that a tolerance far below the
// curve's size cannot exhaust memory.
constexpr int kMaxArcPieces = 16384;
constexpr int kMaxCubicPieces = 4096;

bool nearlySame(Point2 a, Point2 b) {
  const double scale = std::max({1.0, std::fabs(a.x), std::fabs(a.y)});
  return std::fabs(a.x - b.x) <= 1e-12 * scale && std::fabs(a.y - b.y) <= 1e-12 * scale;
}

bool finite(Point2 p) { return std::isfinite(p.x) && std::isfinite(p.y); }

}  // namespace

bool isFinite(const PathSegment& s) {
  switch (s.kind) {
    case PathSegment::Kind::kMove:
    case PathSegment::Kind::kLine: return finite(s.to);
    case PathSegment::Kind::kCubic: return finite(s.to) && finite(s.c1) && finite(s.c2);
    case PathSegment::Kind::kArc:
      return finite(s.to) && finite(s.axis) && std::isfinite(s.ratio) && std::isfinite(s.start) &&
             std::isfinite(s.end);
    case PathSegment::Kind::kClose: return true;
  }
  return false;
}

namespace {

// The arc's sweep, never more than a full turn either way.
double sweepOf(const PathSegment& arc) { return std::clamp(arc.end - arc.start, -kTurn, kTurn); }

int arcPieces(const PathSegment& arc, double tolerance) {
  const double radius = std::hypot(arc.axis.x, arc.axis.y);
  const double sweep = std::fabs(sweepOf(arc));
  if (!(tolerance > 0)) return std::max(1, int(std::ceil(sweep / kTurn * kMaxArcPieces)));
  if (radius <= tolerance) return 1;
  // The chord of an angle a on a circle of radius r strays r (1 - cos a/2)
  // from it; an ellipse strays no more than its circle of the major axis.
  const double step = 2 * std::acos(1 - tolerance / radius);
  return std::clamp(int(std::ceil(sweep / step)), 1, kMaxArcPieces);
}

int cubicPieces(Point2 p0, Point2 p1, Point2 p2, Point2 p3, double tolerance) {
  // A curve cut into n even pieces strays at most 3/4 M / n² from its
  // chords, M the larger second difference of the control points.
  const double m = std::max(std::hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y),
                            std::hypot(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y));
  if (m == 0) return 1;
  if (!(tolerance > 0)) return kMaxCubicPieces;
  return std::clamp(int(std::ceil(std::sqrt(0.75 * m / tolerance))), 1, kMaxCubicPieces);
}

Point2 cubicAt(Point2 p0, Point2 p1, Point2 p2, Point2 p3, double t) {
  const double u = 1 - t;
  const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
  return {a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y};
}

}  // namespace

Point2 arcPointAt(const PathSegment& arc, double t) {
  // The minor axis is the major turned a quarter counter-clockwise.
  const double c = std::cos(t), s = std::sin(t);
  return {arc.to.x + arc.axis.x * c - arc.ratio * arc.axis.y * s,
          arc.to.y + arc.axis.y * c + arc.ratio * arc.axis.x * s};
}

std::vector<FlatLine> flatten(const std::vector<PathSegment>& segments, double tolerance) {
  std::vector<FlatLine> out;
  FlatLine current;
  bool haveStart = false;  // the pen is somewhere
  Point2 start;            // where the current sub-path began
  auto finish = [&] {
    if (current.points.size() > 1) out.push_back(std::move(current));
    current = FlatLine();
  };
  // Opens a sub-path where the pen is (after a close: where the closed
  // one began), or at `p` when the pen is nowhere yet.
  auto open = [&](Point2 p) {
    if (!current.points.empty()) return;
    current.points.push_back(haveStart ? start : p);
    start = current.points.front();
    haveStart = true;
  };
  for (const PathSegment& s : segments) {
    if (!isFinite(s)) continue;
    switch (s.kind) {
      case PathSegment::Kind::kMove:
        finish();
        current.points.push_back(s.to);
        start = s.to;
        haveStart = true;
        break;
      case PathSegment::Kind::kLine:
        open(s.to);
        current.points.push_back(s.to);
        break;
      case PathSegment::Kind::kCubic: {
        open(s.to);
        const Point2 p0 = current.points.back();
        const int n = cubicPieces(p0, s.c1, s.c2, s.to, tolerance);
        for (int k = 1; k < n; ++k) current.points.push_back(cubicAt(p0, s.c1, s.c2, s.to, double(k) / n));
        current.points.push_back(s.to);
        break;
      }
      case PathSegment::Kind::kArc: {
        const Point2 first = arcPointAt(s, s.start);
        open(first);
        if (!(current.points.back() == first)) current.points.push_back(first);
        const double sweep = sweepOf(s);
        const int n = arcPieces(s, tolerance);
        for (int k = 1; k < n; ++k) current.points.push_back(arcPointAt(s, s.start + sweep * k / n));
        current.points.push_back(arcPointAt(s, s.start + sweep));
        break;
      }
      case PathSegment::Kind::kClose:
        // A full turn ends where it began, give or take the last bits.
        if (current.points.size() > 1 && nearlySame(current.points.back(), current.points.front()))
          current.points.pop_back();
        current.closed = true;
        finish();
        break;
    }
  }
  finish();
  return out;
}

std::vector<PathSegment> arcAsCubics(const PathSegment& arc) {
  std::vector<PathSegment> out;
  if (!isFinite(arc)) return out;
  const double sweep = sweepOf(arc);
  const int n = std::max(1, int(std::ceil(std::fabs(sweep) / (std::numbers::pi / 2) - 1e-9)));
  const double step = sweep / n;
  // A circle's arc of angle a is closest to the Bezier whose control
  // points stand 4/3 tan(a/4) of the radius along the tangents; the
  // ellipse is the circle's affine image, and so are its Beziers.
  const double k = 4.0 / 3.0 * std::tan(step / 4);
  const Point2 u = arc.axis, v{-arc.ratio * arc.axis.y, arc.ratio * arc.axis.x};
  auto tangent = [&](double t) {
    const double c = std::cos(t), s = std::sin(t);
    return Point2{-u.x * s + v.x * c, -u.y * s + v.y * c};
  };
  for (int i = 0; i < n; ++i) {
    const double t0 = arc.start + step * i, t1 = i + 1 == n ? arc.start + sweep : arc.start + step * (i + 1);
    const Point2 p0 = arcPointAt(arc, t0), p1 = arcPointAt(arc, t1);
    const Point2 d0 = tangent(t0), d1 = tangent(t1);
    out.push_back(PathSegment::cubicTo({p0.x + k * d0.x, p0.y + k * d0.y}, {p1.x - k * d1.x, p1.y - k * d1.y}, p1));
  }
  return out;
}

Bounds pathBounds(const std::vector<PathSegment>& segments, double halfWidth) {
  Bounds b;
  auto add = [&](Point2 p) {
    b.add(Point2{p.x - halfWidth, p.y - halfWidth});
    b.add(Point2{p.x + halfWidth, p.y + halfWidth});
  };
  for (const PathSegment& s : segments) {
    if (!isFinite(s)) continue;
    switch (s.kind) {
      case PathSegment::Kind::kMove:
      case PathSegment::Kind::kLine: add(s.to); break;
      case PathSegment::Kind::kCubic:
        add(s.c1), add(s.c2), add(s.to);
        break;
      case PathSegment::Kind::kArc: {
        const double sweep = sweepOf(s);
        const double lo = std::min(s.start, s.start + sweep), hi = std::max(s.start, s.start + sweep);
        add(arcPointAt(s, s.start));
        add(arcPointAt(s, s.start + sweep));
        // x and y are extreme where their derivatives vanish: at the
        // parameters t0 + k pi, each checked within the sweep.
        const Point2 v{-s.ratio * s.axis.y, s.ratio * s.axis.x};
        for (double t0 : {std::atan2(v.x, s.axis.x), std::atan2(v.y, s.axis.y)}) {
          double t = t0 + std::ceil((lo - t0) / std::numbers::pi) * std::numbers::pi;
          for (; t <= hi; t += std::numbers::pi) add(arcPointAt(s, t));
        }
        break;
      }
      case PathSegment::Kind::kClose: break;
    }
  }
  return b;
}

}  // namespace render
