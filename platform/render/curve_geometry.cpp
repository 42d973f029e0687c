#include "curve_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace render {

std::vector<g2::P> ellipsePoints(const g2::P& centre, const g2::V& majorAxis, const g2::V& normal, double ratio,
                                 double start, double end, int perTurn) {
  // The minor axis is the major one turned a quarter about the normal
  // (normal x major): to the left seen from the normal's side. A tilted
  // ellipse is drawn as seen from above.
  const double nl = normal.length();
  const g2::V u = nl > 0 ? normal * (1 / nl) : g2::V(0, 0, 1);
  const g2::V minor = g2::V(u.y * majorAxis.z - u.z * majorAxis.y, u.z * majorAxis.x - u.x * majorAxis.z,
                            u.x * majorAxis.y - u.y * majorAxis.x) * ratio;
  const double turn = 2 * std::numbers::pi;
  double sweep = std::fmod(end - start, turn);
  if (sweep < 0) sweep += turn;
  if (sweep < 1e-12) sweep = turn;
  const int n = std::max(4, int(std::ceil(sweep / turn * std::max(perTurn, 4))));
  std::vector<g2::P> out;
  out.reserve(std::size_t(n) + 1);
  for (int k = 0; k <= n; ++k) {
    const double t = start + sweep * k / n;
    out.push_back(g2::flat(centre + majorAxis * std::cos(t) + minor * std::sin(t)));
  }
  return out;
}

namespace {

bool knotsFit(const SplineData& s) {
  const std::size_t n = s.controlPoints.size(), p = std::size_t(s.degree);
  if (s.knots.size() != n + p + 1) return false;
  for (std::size_t i = 1; i < s.knots.size(); ++i)
    if (!(s.knots[i] >= s.knots[i - 1])) return false;
  return s.knots[n] > s.knots[p];
}

void clampedUniformKnots(SplineData& s) {
  const int n = int(s.controlPoints.size()), p = s.degree;
  s.knots.assign(std::size_t(n + p + 1), 0.0);
  for (int i = 0; i < n + p + 1; ++i) s.knots[std::size_t(i)] = std::clamp(i - p, 0, n - p);
}

}  // namespace

g2::P splinePointAt(const SplineData& s, double u) {
  const int p = s.degree, n = int(s.controlPoints.size());
  const bool rational = s.weights.size() == s.controlPoints.size();
  // The span holding u: knots[k] <= u < knots[k + 1], within [p, n - 1].
  int k = p;
  while (k < n - 1 && u >= s.knots[std::size_t(k + 1)]) ++k;
  // De Boor's scheme on homogeneous points (x w, y w, z w, w).
  struct H {
    double x, y, z, w;
  };
  std::vector<H> d(std::size_t(p + 1));
  for (int j = 0; j <= p; ++j) {
    const g2::P& c = s.controlPoints[std::size_t(j + k - p)];
    const double w = rational ? s.weights[std::size_t(j + k - p)] : 1.0;
    d[std::size_t(j)] = {c.x * w, c.y * w, c.z * w, w};
  }
  for (int r = 1; r <= p; ++r)
    for (int j = p; j >= r; --j) {
      const double lo = s.knots[std::size_t(j + k - p)], hi = s.knots[std::size_t(j + 1 + k - r)];
      const double a = hi > lo ? (u - lo) / (hi - lo) : 0.0;
      H& x = d[std::size_t(j)];
      const H& y = d[std::size_t(j - 1)];
      x = {(1 - a) * y.x + a * x.x, (1 - a) * y.y + a * x.y, (1 - a) * y.z + a * x.z, (1 - a) * y.w + a * x.w};
    }
  const H& h = d[std::size_t(p)];
  return h.w != 0 ? g2::P(h.x / h.w, h.y / h.w, h.z / h.w) : g2::P(h.x, h.y, h.z);
}

std::vector<g2::P> splinePoints(SplineData s, double tolerance, int maxPoints) {
  const int n = int(s.controlPoints.size());
  if (n < 2) return s.controlPoints;
  s.degree = std::clamp(s.degree, 1, n - 1);
  if (s.weights.size() != s.controlPoints.size() ||
      std::any_of(s.weights.begin(), s.weights.end(), [](double w) { return !(w > 0); }))
    s.weights.clear();
  if (!knotsFit(s)) clampedUniformKnots(s);
  std::vector<g2::P> out{splinePointAt(s, s.knots[std::size_t(s.degree)])};
  // Each knot span in a few pieces (a span may turn through an S), each
  // piece halved while its middle strays from the chord.
  const int piecesPerSpan = 4;
  auto far = [&](const g2::P& a, const g2::P& m, const g2::P& b) {
    const g2::V ab = b - a;
    const double l = g2::len(ab);
    return l > 0 ? std::fabs(g2::cross(ab, m - a)) / l > tolerance : g2::len(m - a) > tolerance;
  };
  auto refine = [&](auto&& self, double u0, const g2::P& a, double u1, const g2::P& b, int depth) -> void {
    const double um = (u0 + u1) / 2;
    const g2::P m = splinePointAt(s, um);
    if (depth < 10 && int(out.size()) < maxPoints && far(a, m, b)) {
      self(self, u0, a, um, m, depth + 1);
      self(self, um, m, u1, b, depth + 1);
      return;
    }
    out.push_back(b);
  };
  for (int k = s.degree; k < n; ++k) {
    const double u0 = s.knots[std::size_t(k)], u1 = s.knots[std::size_t(k + 1)];
    if (!(u1 > u0)) continue;
    for (int i = 0; i < piecesPerSpan; ++i) {
      const double a = u0 + (u1 - u0) * i / piecesPerSpan, b = u0 + (u1 - u0) * (i + 1) / piecesPerSpan;
      refine(refine, a, out.back(), b, splinePointAt(s, b), 0);
    }
  }
  return out;
}

bool clipToBox(Point2 base, Point2 dir, bool bothWays, const Bounds& box, Point2& from, Point2& to) {
  if (box.empty() || (dir.x == 0 && dir.y == 0)) return false;
  // The parameter range left inside each pair of the box's sides.
  double lo = bothWays ? -std::numeric_limits<double>::infinity() : 0.0;
  double hi = std::numeric_limits<double>::infinity();
  auto side = [&](double p, double d, double min, double max) {
    if (d == 0) return p >= min && p <= max;
    double t0 = (min - p) / d, t1 = (max - p) / d;
    if (t0 > t1) std::swap(t0, t1);
    lo = std::max(lo, t0), hi = std::min(hi, t1);
    return lo <= hi;
  };
  if (!side(base.x, dir.x, box.minX, box.maxX) || !side(base.y, dir.y, box.minY, box.maxY)) return false;
  if (!std::isfinite(lo) || !std::isfinite(hi)) return false;
  from = {base.x + dir.x * lo, base.y + dir.y * lo};
  to = {base.x + dir.x * hi, base.y + dir.y * hi};
  return true;
}

}  // namespace render
