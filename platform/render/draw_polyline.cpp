#include "draw_polyline.h"

#include <algorithm>
#include <cmath>

#include "bulge_arc.h"
#include "plane_transform.h"

namespace render {

namespace {

// Points along one segment from a to b, both ends included: two for a
// straight one, enough to follow an arc at `perTurn` points a circle.
std::vector<g2::P> segmentPoints(const OldVertex& a, const OldVertex& b, int perTurn) {
  const g2::P pa = g2::flat(a.at), pb = g2::flat(b.at);
  const std::optional<BulgeArc> arc = bulgeArc(pa, pb, a.bulge);
  if (!arc) return {pa, pb};
  const g2::P centre = arc->centre;
  const double r = arc->radius, start = arc->start, theta = arc->sweep;
  const int steps = std::clamp(int(std::ceil(std::fabs(theta) / (2 * std::numbers::pi) * perTurn)), 2, perTurn);
  std::vector<g2::P> out{pa};
  for (int i = 1; i < steps; ++i) out.push_back(centre + g2::dir(start + theta * i / steps) * r);
  out.push_back(pb);
  return out;
}

std::size_t segmentCount(std::size_t n, bool closed) { return n < 2 ? 0 : closed ? n : n - 1; }

}  // namespace

std::vector<OldVertex> worldVertices(const OdDbOldPolyline& p, int perTurn) {
  const EntityPlane plane = entityPlane(p.normal);
  const OdGeVector3d &ax = plane.ax, &ay = plane.ay, &n = plane.n;
  auto toWorld = [&](const g2::P& q) {
    return g2::P(q.x * ax.x + q.y * ay.x + p.elevation * n.x, q.x * ax.y + q.y * ay.y + p.elevation * n.y,
                 q.x * ax.z + q.y * ay.z + p.elevation * n.z);
  };
  std::vector<OldVertex> out;
  const auto& v = p.vertices;
  // Seen along the z axis the plane maps onto the XY plane as a rotation,
  // or a mirroring from below: arcs stay arcs.
  if (std::fabs(n.x) < 1e-9 && std::fabs(n.y) < 1e-9) {
    const double turn = n.z < 0 ? -1.0 : 1.0;
    for (OldVertex q : v) {
      q.at = toWorld(q.at);
      q.bulge *= turn;
      out.push_back(q);
    }
    return out;
  }
  const std::size_t segments = segmentCount(v.size(), p.closed());
  for (std::size_t i = 0; i < v.size(); ++i) {
    std::vector<g2::P> along =
        i < segments ? segmentPoints(v[i], v[(i + 1) % v.size()], perTurn) : std::vector<g2::P>{g2::flat(v[i].at)};
    if (i < segments) along.pop_back();  // the next vertex starts the next segment
    for (const g2::P& q : along) out.push_back({toWorld(q), 0, v[i].startWidth, v[i].endWidth});
  }
  return out;
}

std::optional<double> sharedWidth(const std::vector<OldVertex>& v, bool closed) {
  const std::size_t segments = segmentCount(v.size(), closed);
  if (segments == 0) return 0.0;
  const double w = v[0].startWidth;
  for (std::size_t i = 0; i < segments; ++i)
    if (v[i].startWidth != w || v[i].endWidth != w) return std::nullopt;
  return w;
}

std::vector<std::vector<g2::P>> widthOutlines(const std::vector<OldVertex>& v, bool closed, int perTurn) {
  std::vector<std::vector<g2::P>> out;
  const std::size_t segments = segmentCount(v.size(), closed);
  for (std::size_t i = 0; i < segments; ++i) {
    const OldVertex& a = v[i];
    const std::vector<g2::P> along = segmentPoints(a, v[(i + 1) % v.size()], perTurn);
    const std::size_t k = along.size();
    std::vector<g2::P> left, right;
    for (std::size_t j = 0; j < k; ++j) {
      // Across the segment at each point: square to the chord through its
      // neighbours, which for an arc points at the centre.
      const g2::V across = g2::perp(g2::unit(along[std::min(j + 1, k - 1)] - along[j == 0 ? 0 : j - 1]));
      const double half = (a.startWidth + (a.endWidth - a.startWidth) * double(j) / double(k - 1)) / 2;
      left.push_back(along[j] + across * half);
      right.push_back(along[j] - across * half);
    }
    if (!(a.startWidth > 0) && !(a.endWidth > 0)) continue;
    left.insert(left.end(), right.rbegin(), right.rend());
    out.push_back(std::move(left));
  }
  return out;
}

std::vector<PointRow> edgeRows(const OdDbOldPolyline& p) {
  std::vector<PointRow> rows;
  const auto& v = p.vertices;
  if (p.flags & OdDbOldPolyline::kPolyface) {
    for (const OdDbOldPolyline::Face& f : p.faces) {
      const int corners = f.corner[3] < 0 ? 3 : 4;
      for (int i = 0; i < corners; ++i) {
        const int a = f.corner[i], b = f.corner[(i + 1) % corners];
        if (!f.visible[i] || a < 0 || b < 0 || std::size_t(a) >= v.size() || std::size_t(b) >= v.size()) continue;
        rows.push_back({{v[std::size_t(a)].at, v[std::size_t(b)].at}, false});
      }
    }
    return rows;
  }
  if (p.flags & OdDbOldPolyline::kMesh) {
    const std::size_t m = std::size_t(std::max(p.meshM, 0)), n = std::size_t(std::max(p.meshN, 0));
    if (m == 0 || n == 0 || m * n > v.size()) {
      // Counts that do not fit the vertices: the vertices still show, joined.
      PointRow all{{}, false};
      for (const OldVertex& q : v) all.points.push_back(q.at);
      return {all};
    }
    for (std::size_t i = 0; i < m; ++i) {
      PointRow r{{}, (p.flags & OdDbOldPolyline::kClosedN) != 0};
      for (std::size_t j = 0; j < n; ++j) r.points.push_back(v[i * n + j].at);
      rows.push_back(std::move(r));
    }
    for (std::size_t j = 0; j < n; ++j) {
      PointRow r{{}, p.closed()};
      for (std::size_t i = 0; i < m; ++i) r.points.push_back(v[i * n + j].at);
      rows.push_back(std::move(r));
    }
    return rows;
  }
  PointRow r{{}, p.closed()};
  for (const OldVertex& q : v) r.points.push_back(q.at);
  rows.push_back(std::move(r));
  return rows;
}

}  // namespace render
