#include "smooth_path.h"

#include <algorithm>

namespace render {

using namespace g2;

namespace {

// Consecutive points closer than this share of the row's size are one
// point: a span of (almost) no length would make the spline's bending blow
// up.
constexpr double kSamePoint = 1e-12;

std::vector<P> distinctPoints(const std::vector<P>& row) {
  double size = 0;
  for (const P& p : row) size = std::max({size, std::fabs(p.x), std::fabs(p.y)});
  std::vector<P> out;
  for (const P& p : row) {
    const P q = flat(p);
    if (out.empty() || out.back().distanceTo(q) > kSamePoint * (1 + size)) out.push_back(q);
  }
  return out;
}

}  // namespace

SmoothPath smoothPathThrough(const std::vector<P>& row, int samplesPerSpan) {
  SmoothPath path;
  path.points = distinctPoints(row);
  const std::size_t n = path.points.size();
  if (n >= 2) path.startTangent = unit(path.points[1] - path.points[0]);
  if (n < 3) return path;

  // Span lengths are the parameter steps: the curve runs at about even
  // speed, so it does not overshoot between points far apart.
  const std::vector<P> knots = path.points;
  std::vector<double> h(n - 1);
  for (std::size_t i = 0; i + 1 < n; ++i) h[i] = knots[i].distanceTo(knots[i + 1]);

  // Second derivatives M at the points (zero at the ends), from the
  // tridiagonal system that makes the slopes meet, solved by elimination.
  std::vector<V> m(n, V(0, 0, 0)), rhs(n, V(0, 0, 0));
  std::vector<double> diag(n, 1.0);
  for (std::size_t i = 1; i + 1 < n; ++i) {
    diag[i] = 2 * (h[i - 1] + h[i]);
    rhs[i] = ((knots[i + 1] - knots[i]) * (1 / h[i]) - (knots[i] - knots[i - 1]) * (1 / h[i - 1])) * 6;
  }
  for (std::size_t i = 2; i + 1 < n; ++i) {
    const double f = h[i - 1] / diag[i - 1];
    diag[i] -= f * h[i - 1];
    rhs[i] = rhs[i] - rhs[i - 1] * f;
  }
  for (std::size_t i = n - 2; i >= 1; --i) m[i] = (rhs[i] - m[i + 1] * h[i]) * (1 / diag[i]);

  path.points.clear();
  samplesPerSpan = std::max(1, samplesPerSpan);
  path.points.push_back(knots[0]);
  for (std::size_t i = 0; i + 1 < n; ++i) {
    const double hi = h[i];
    // The cubic on span i at distance s along it.
    const V a = (knots[i] - P()) * (1 / hi) - m[i] * (hi / 6);
    const V b = (knots[i + 1] - P()) * (1 / hi) - m[i + 1] * (hi / 6);
    for (int k = 1; k <= samplesPerSpan; ++k) {
      const double s = hi * k / samplesPerSpan, r = hi - s;
      const V q = m[i] * (r * r * r / (6 * hi)) + m[i + 1] * (s * s * s / (6 * hi)) + a * r + b * s;
      path.points.push_back(k == samplesPerSpan ? knots[i + 1] : P(q.x, q.y, 0));
    }
  }
  // Slope at the start: the chord's direction corrected by the bending at
  // the second point.
  path.startTangent = unit((knots[1] - knots[0]) * (1 / h[0]) - m[1] * (h[0] / 6), path.startTangent);
  return path;
}

}  // namespace render
