#include "hatch_lines.h"

#include <algorithm>
#include <cmath>

namespace render {

namespace {

struct Crossing {
  double t;
  int winding;  // +1 where an edge crosses the line leftwards, -1 rightwards
};

// Edges are half-open (one end strictly on the left side), so a line
// through a vertex counts the two edges meeting there once between them.
std::vector<Crossing> crossings(const std::vector<Polygon>& region, Point2 origin, Point2 dir) {
  std::vector<Crossing> out;
  const Point2 n{-dir.y, dir.x};
  for (const Polygon& poly : region) {
    const std::size_t count = poly.size();
    if (count < 3) continue;
    for (std::size_t i = 0; i < count; ++i) {
      const Point2 a = poly[i], b = poly[(i + 1) % count];
      const double da = (a.x - origin.x) * n.x + (a.y - origin.y) * n.y;
      const double db = (b.x - origin.x) * n.x + (b.y - origin.y) * n.y;
      if ((da > 0) == (db > 0)) continue;
      const double s = da / (da - db);
      const Point2 p{a.x + (b.x - a.x) * s, a.y + (b.y - a.y) * s};
      out.push_back({(p.x - origin.x) * dir.x + (p.y - origin.y) * dir.y, db > da ? 1 : -1});
    }
  }
  std::sort(out.begin(), out.end(), [](const Crossing& l, const Crossing& r) { return l.t < r.t; });
  return out;
}

bool insideBy(FillRule rule, int winding, int parity) { return rule == FillRule::kEvenOdd ? (parity & 1) : winding != 0; }

}  // namespace

std::vector<std::pair<double, double>> insideSpans(const std::vector<Polygon>& region, FillRule rule,
                                                   Point2 origin, Point2 dir) {
  std::vector<std::pair<double, double>> spans;
  int winding = 0, parity = 0;
  double from = 0;
  for (const Crossing& c : crossings(region, origin, dir)) {
    const bool was = insideBy(rule, winding, parity);
    winding += c.winding;
    ++parity;
    const bool is = insideBy(rule, winding, parity);
    if (!was && is) from = c.t;
    if (was && !is && c.t > from) spans.emplace_back(from, c.t);
  }
  return spans;
}

bool insideRegion(const std::vector<Polygon>& region, FillRule rule, Point2 p) {
  // The horizontal line through p: inside when p lies in one of its spans.
  for (const auto& [a, b] : insideSpans(region, rule, {p.x, p.y}, {1, 0}))
    if (a <= 0 && 0 <= b) return true;
  return false;
}

void addPatternStrokes(const std::vector<Polygon>& region, FillRule rule, const PatternFamily& family,
                       std::size_t maxLines, PatternStrokes& out, std::size_t maxDashesPerSpan) {
  const Point2 dir{std::cos(family.angle), std::sin(family.angle)};
  const Point2 n{-dir.y, dir.x};
  // Lines are `step` apart across, and each copy's base moves `shift` along.
  const double step = family.offset.x * n.x + family.offset.y * n.y;
  const double shift = family.offset.x * dir.x + family.offset.y * dir.y;
  if (!std::isfinite(step) || !std::isfinite(shift) || !std::isfinite(family.angle) || maxLines == 0) return;
  double lo = INFINITY, hi = -INFINITY;
  for (const Polygon& poly : region)
    for (const Point2& p : poly) {
      const double s = (p.x - family.base.x) * n.x + (p.y - family.base.y) * n.y;
      lo = std::min(lo, s), hi = std::max(hi, s);
    }
  if (!(lo <= hi) || !(std::fabs(step) > 0)) return;
  const double k0 = std::ceil(std::min(lo / step, hi / step)), k1 = std::floor(std::max(lo / step, hi / step));
  if (!(k1 >= k0)) return;
  const double lines = k1 - k0 + 1;
  double every = 1;
  if (lines > double(maxLines)) {
    every = std::ceil(lines / double(maxLines));
    out.thinned = true;
  }
  double period = 0;
  for (double d : family.dashes) period += std::fabs(d);
  const bool dashed = !family.dashes.empty() && period > 0 && std::isfinite(period);
  for (double k = k0; k <= k1; k += every) {
    const Point2 origin{family.base.x + family.offset.x * k, family.base.y + family.offset.y * k};
    auto at = [&](double t) { return Point2{origin.x + dir.x * t, origin.y + dir.y * t}; };
    for (const auto& [a, b] : insideSpans(region, rule, origin, dir)) {
      if (!dashed || (b - a) / period > double(maxDashesPerSpan)) {
        out.dashes.emplace_back(at(a), at(b));
        continue;
      }
      // The dash pattern repeats from the line's origin: start at the
      // period holding `a`.
      double t = a - std::fmod(a, period);
      if (t > a) t -= period;
      while (t < b) {
        for (double d : family.dashes) {
          const double len = std::fabs(d);
          if (d > 0) {
            const double s = std::max(t, a), e = std::min(t + len, b);
            if (e > s) out.dashes.emplace_back(at(s), at(e));
          } else if (d == 0 && t >= a && t <= b) {
            out.dots.push_back(at(t));
          }
          t += len;
          if (t >= b) break;
        }
      }
    }
  }
}

}  // namespace render
