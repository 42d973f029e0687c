#include "hatch_lines.h"

#include <algorithm>
#include <cmath>

namespace render {

namespace {

struct Edge {
  Point2 a, b;
};

struct Crossing {
  double t;
  int winding;  // +1 where an edge crosses the line leftwards, -1 rightwards
};

// Edges are half-open (one end strictly on the left side), so a line
// through a vertex counts the two edges meeting there once between them.
template <class Edges>
std::vector<std::pair<double, double>> spansAcross(const Edges& edges, FillRule rule, Point2 origin, Point2 dir) {
  std::vector<Crossing> cross;
  const Point2 n{-dir.y, dir.x};
  for (const Edge& e : edges) {
    const double da = (e.a.x - origin.x) * n.x + (e.a.y - origin.y) * n.y;
    const double db = (e.b.x - origin.x) * n.x + (e.b.y - origin.y) * n.y;
    if ((da > 0) == (db > 0)) continue;
    const double s = da / (da - db);
    const Point2 p{e.a.x + (e.b.x - e.a.x) * s, e.a.y + (e.b.y - e.a.y) * s};
    cross.push_back({(p.x - origin.x) * dir.x + (p.y - origin.y) * dir.y, db > da ? 1 : -1});
  }
  std::sort(cross.begin(), cross.end(), [](const Crossing& l, const Crossing& r) { return l.t < r.t; });
  std::vector<std::pair<double, double>> spans;
  int winding = 0, parity = 0;
  double from = 0;
  auto inside = [&] { return rule == FillRule::kEvenOdd ? (parity & 1) != 0 : winding != 0; };
  for (const Crossing& c : cross) {
    const bool was = inside();
    winding += c.winding;
    ++parity;
    const bool is = inside();
    if (!was && is) from = c.t;
    if (was && !is && c.t > from) spans.emplace_back(from, c.t);
  }
  return spans;
}

std::vector<Edge> edgesOf(const std::vector<Polygon>& region) {
  std::vector<Edge> edges;
  for (const Polygon& poly : region) {
    if (poly.size() < 3) continue;
    for (std::size_t i = 0; i < poly.size(); ++i) edges.push_back({poly[i], poly[(i + 1) % poly.size()]});
  }
  return edges;
}

// Stretches of more than this many dashes in all are drawn whole: a picture
// that size says no more than its lines do.
constexpr std::size_t kMaxDashes = 1'000'000;

}  // namespace

std::vector<std::pair<double, double>> insideSpans(const std::vector<Polygon>& region, FillRule rule,
                                                   Point2 origin, Point2 dir) {
  return spansAcross(edgesOf(region), rule, origin, dir);
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
  double step = family.offset.x * n.x + family.offset.y * n.y;
  Point2 offset = family.offset;
  if (step < 0) step = -step, offset = {-offset.x, -offset.y};
  if (!std::isfinite(step) || !std::isfinite(offset.x) || !std::isfinite(offset.y) || !std::isfinite(family.angle) ||
      !(step > 0) || maxLines == 0)
    return;
  // Each edge by how far across it lies, so that a line meets only the
  // edges whose range holds it (a sweep across the region).
  struct Ranged {
    double lo, hi;
    Edge e;
  };
  std::vector<Ranged> edges;
  for (const Edge& e : edgesOf(region)) {
    const double sa = (e.a.x - family.base.x) * n.x + (e.a.y - family.base.y) * n.y;
    const double sb = (e.b.x - family.base.x) * n.x + (e.b.y - family.base.y) * n.y;
    edges.push_back({std::min(sa, sb), std::max(sa, sb), e});
  }
  if (edges.empty()) return;
  std::sort(edges.begin(), edges.end(), [](const Ranged& l, const Ranged& r) { return l.lo < r.lo; });
  double lo = edges.front().lo, hi = -INFINITY;
  for (const Ranged& r : edges) hi = std::max(hi, r.hi);
  const double k0 = std::ceil(lo / step), k1 = std::floor(hi / step);
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
  std::vector<Edge> active;
  std::vector<Ranged> open;
  std::size_t next = 0;
  const double count = std::floor((k1 - k0) / every) + 1;
  for (double i = 0; i < count; ++i) {
    const double k = k0 + i * every;
    const double across = k * step;
    while (next < edges.size() && edges[next].lo <= across) open.push_back(edges[next++]);
    std::erase_if(open, [&](const Ranged& r) { return r.hi < across; });
    active.clear();
    for (const Ranged& r : open) active.push_back(r.e);
    const Point2 origin{family.base.x + offset.x * k, family.base.y + offset.y * k};
    auto at = [&](double t) { return Point2{origin.x + dir.x * t, origin.y + dir.y * t}; };
    for (const auto& [a, b] : spansAcross(active, rule, origin, dir)) {
      if (!dashed || (b - a) / period > double(maxDashesPerSpan) || out.dashes.size() + out.dots.size() > kMaxDashes) {
        out.dashes.emplace_back(at(a), at(b));
        continue;
      }
      // The dash pattern repeats from the line's origin: walk it from the
      // start of the period holding `a`, counting from `a` (small numbers,
      // however far the origin lies).
      double phase = std::fmod(a, period);
      if (phase < 0) phase += period;
      const double length = b - a;
      double u = -phase;
      while (u < length) {
        for (double d : family.dashes) {
          const double len = std::fabs(d);
          if (d > 0) {
            const double s = std::max(u, 0.0), e = std::min(u + len, length);
            if (e > s) out.dashes.emplace_back(at(a + s), at(a + e));
          } else if (d == 0 && u >= 0 && u <= length) {
            out.dots.push_back(at(a + u));
          }
          u += len;
          if (u >= length) break;
        }
      }
    }
  }
}

}  // namespace render
