#include "DxfHatchRecord.h"

#include <algorithm>

#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
// Bounds on what one record may claim, so that a corrupt count cannot make
// the reader reserve or loop without end; real hatches stay far below.
constexpr std::int64_t kMaxCount = 10'000'000;

// Reads the record's tags in order; every read takes the next tag only when
// it has the code expected, so a record that ends early or holds something
// else stops the read where it is, never beyond its tags.
class Cursor {
public:
  explicit Cursor(std::span<const DxfTag> tags) : m_tags(tags) {
    // Extended data (1000 and up) is no part of the shape.
    std::size_t end = 0;
    while (end < m_tags.size() && m_tags[end].code < 1000) ++end;
    m_tags = m_tags.first(end);
  }
  bool done() const { return m_at >= m_tags.size(); }
  int code() const { return done() ? -1 : m_tags[m_at].code; }
  // The code `ahead` tags on, without reading.
  int codeAhead(std::size_t ahead) const { return m_at + ahead < m_tags.size() ? m_tags[m_at + ahead].code : -1; }
  void skip() { ++m_at; }
  const DxfTag& tag() const { return m_tags[m_at]; }
  bool number(int code, double& v) {
    if (this->code() != code) return false;
    double x = 0;
    const bool ok = dxfParseDouble(m_tags[m_at].trimmed(), x) && std::isfinite(x);
    ++m_at;
    if (ok) v = x;
    return ok;
  }
  bool integer(int code, std::int64_t& v) {
    if (this->code() != code) return false;
    std::int64_t x = 0;
    const bool ok = dxfParseInt(m_tags[m_at].trimmed(), x);
    ++m_at;
    if (ok) v = x;
    return ok;
  }
  // A count: a non-negative integer within bounds.
  bool count(int code, std::int64_t& n) { return integer(code, n) && n >= 0 && n <= kMaxCount; }
  bool point(int xCode, OdGePoint3d& p) {
    double x = 0, y = 0;
    if (!number(xCode, x) || !number(xCode + 10, y)) return false;
    p = OdGePoint3d(x, y, 0);
    return true;
  }
  // Skips tags until one of `code` or the end; false at the end.
  bool seek(int code) {
    while (!done() && this->code() != code) ++m_at;
    return !done();
  }

private:
  std::span<const DxfTag> m_tags;
  std::size_t m_at = 0;
};

bool readArc(Cursor& c, OdDbHatchEdge& e, bool elliptic) {
  double a0 = 0, a1 = 0;
  if (!c.point(10, e.centre)) return false;
  if (elliptic) {
    OdGePoint3d axis;
    if (!c.point(11, axis) || !c.number(40, e.ratio)) return false;
    e.majorAxis = OdGeVector3d(axis.x, axis.y, 0);
  } else if (!c.number(40, e.radius)) {
    return false;
  }
  if (!c.number(50, a0) || !c.number(51, a1)) return false;
  std::int64_t ccw = 1;
  c.integer(73, ccw);  // writers leave it out for counter-clockwise arcs
  e.startAngle = a0 * kDegree;
  e.endAngle = a1 * kDegree;
  e.counterClockwise = ccw != 0;
  return true;
}

bool readSpline(Cursor& c, OdDbHatchEdge& e, bool lastEdge) {
  std::int64_t degree = 0, rational = 0, periodic = 0, knots = 0, points = 0;
  if (!c.integer(94, degree) || degree < 1 || degree > 25) return false;
  c.integer(73, rational);
  c.integer(74, periodic);
  if (!c.count(95, knots) || !c.count(96, points)) return false;
  e.degree = int(degree);
  for (std::int64_t i = 0; i < knots; ++i) {
    double k = 0;
    if (!c.number(40, k)) return false;
    e.knots.push_back(k);
  }
  for (std::int64_t i = 0; i < points; ++i) {
    OdGePoint3d p;
    if (!c.point(10, p)) return false;
    e.controlPoints.push_back(p);
    double w = 1;
    if (c.number(42, w)) e.weights.push_back(w);
  }
  if (e.weights.size() != e.controlPoints.size()) e.weights.clear();
  // Later versions follow with fit points (97 and its points, then 12 and
  // 13 tangents); earlier ones go on with the next edge or, after the last,
  // with the loop's own 97, the count of the objects it came from, which
  // what follows the count tells apart.
  std::int64_t fits = 0;
  const int after = c.codeAhead(1);
  const bool fitData = c.code() == 97 && (!lastEdge || after == 11 || after == 12 || after == 97);
  if (fitData && c.count(97, fits)) {
    for (std::int64_t i = 0; i < fits; ++i) {
      OdGePoint3d p;
      if (!c.point(11, p)) break;
      e.fitPoints.push_back(p);
    }
  }
  OdGePoint3d tangent;
  c.point(12, tangent);
  c.point(13, tangent);
  // Knots that do not fit the control points leave only the fit points.
  if (e.knots.size() != e.controlPoints.size() + std::size_t(degree) + 1) {
    e.knots.clear();
    e.controlPoints.clear();
    e.weights.clear();
  }
  return !e.controlPoints.empty() || e.fitPoints.size() >= 2;
}

// One boundary loop; false when it is not whole (what was read of it is
// dropped, and the loops after it are not read).
bool readLoop(Cursor& c, OdDbHatchLoop& loop) {
  std::int64_t flags = 0;
  if (!c.integer(92, flags)) return false;
  loop.flags = int(flags);
  if (loop.isPolyline()) {
    std::int64_t hasBulge = 0, closed = 0, n = 0;
    c.integer(72, hasBulge);
    c.integer(73, closed);
    if (!c.count(93, n)) return false;
    for (std::int64_t i = 0; i < n; ++i) {
      OdGePoint3d p;
      if (!c.point(10, p)) return false;
      double bulge = 0;
      c.number(42, bulge);
      loop.vertices.push_back(p);
      loop.bulges.push_back(bulge);
    }
  } else {
    std::int64_t n = 0;
    if (!c.count(93, n)) return false;
    for (std::int64_t i = 0; i < n; ++i) {
      std::int64_t type = 0;
      if (!c.integer(72, type)) return false;
      OdDbHatchEdge e;
      bool whole = false;
      switch (type) {
        case 1: whole = c.point(10, e.start) && c.point(11, e.end); break;
        case 2: e.kind = OdDbHatchEdge::Kind::kCircularArc, whole = readArc(c, e, false); break;
        case 3: e.kind = OdDbHatchEdge::Kind::kEllipticArc, whole = readArc(c, e, true); break;
        case 4: e.kind = OdDbHatchEdge::Kind::kSpline, whole = readSpline(c, e, i + 1 == n); break;
        default: break;
      }
      if (!whole) return false;
      loop.edges.push_back(std::move(e));
    }
  }
  // The objects the loop was made from: handles only.
  std::int64_t sources = 0;
  if (c.count(97, sources))
    for (std::int64_t i = 0; i < sources && c.code() == 330; ++i) c.skip();
  return true;
}

}  // namespace

// The record's codes come in a fixed order: elevation and normal, pattern
// name, solid flag, loops (91 and what follows), style (75), pattern
// (52, 41, 78 and its lines), seed points, gradient (450 on).
OdDbHatchShapePtr dxfReadHatchShape(std::span<const DxfTag> tags) {
  auto shape = std::make_shared<OdDbHatchShape>();
  Cursor c(tags);
  std::int64_t solid = 0, loops = 0;
  // Everything before the loops: unordered codes, by value.
  while (!c.done() && c.code() != 91) {
    switch (c.code()) {
      case 30: c.number(30, shape->elevation); break;
      case 210: c.number(210, shape->normal.x); break;
      case 220: c.number(220, shape->normal.y); break;
      case 230: c.number(230, shape->normal.z); break;
      case 70: c.integer(70, solid); break;
      default: c.skip(); break;
    }
  }
  shape->fill = solid != 0 ? OdDbHatchShape::Fill::kSolid : OdDbHatchShape::Fill::kPattern;
  if (c.count(91, loops)) {
    for (std::int64_t i = 0; i < loops; ++i) {
      OdDbHatchLoop loop;
      if (!readLoop(c, loop)) break;
      shape->loops.push_back(std::move(loop));
    }
  }
  // After the loops: style, pattern, gradient. The pattern lines' codes
  // repeat per line, so they are read in order.
  while (!c.done()) {
    std::int64_t v = 0;
    switch (c.code()) {
      case 75: if (c.integer(75, v)) shape->style = v >= 0 && v <= 2 ? int(v) : 0; break;
      case 52: if (c.number(52, shape->patternAngle)) shape->patternAngle *= kDegree; break;
      case 41: c.number(41, shape->patternScale); break;
      case 78: {
        std::int64_t n = 0;
        if (!c.count(78, n)) break;
        for (std::int64_t i = 0; i < n; ++i) {
          OdDbHatchPatternLine line;
          double angle = 0;
          std::int64_t dashes = 0;
          if (!c.number(53, angle) || !c.number(43, line.base.x) || !c.number(44, line.base.y) ||
              !c.number(45, line.offset.x) || !c.number(46, line.offset.y) || !c.count(79, dashes))
            break;
          line.angle = angle * kDegree;
          bool whole = true;
          for (std::int64_t k = 0; k < dashes && whole; ++k) {
            double d = 0;
            whole = c.number(49, d);
            line.dashes.push_back(d);
          }
          if (!whole) break;
          shape->patternLines.push_back(std::move(line));
        }
        break;
      }
      case 450: if (c.integer(450, v)) shape->gradient = v != 0; break;
      case 63: if (c.integer(63, v) && shape->gradientColorIndex == 0) shape->gradientColorIndex = int(v); break;
      case 421:
        if (c.integer(421, v) && shape->gradientTrueColor < 0) shape->gradientTrueColor = int(v & 0xFFFFFF);
        break;
      default: c.skip(); break;
    }
  }
  if (shape->gradient) shape->fill = OdDbHatchShape::Fill::kSolid;
  return shape;
}

// The clip polygon's vertices (14) are in pixels, from the image's top left
// corner, with pixel centres on whole numbers: the image spans -0.5 to
// width - 0.5 across and the same down. The u vector (11) is one pixel's
// width along the image's bottom edge, v (12) one pixel's height up it.
// A clip that is a rectangle (71 = 1) gives two opposite corners.
OdDbHatchShapePtr dxfReadImageFrame(std::span<const DxfTag> tags, bool wipeout,
                                    const DxfImageFileLookup& imageFileOf) {
  auto shape = std::make_shared<OdDbHatchShape>();
  shape->fill = wipeout ? OdDbHatchShape::Fill::kBackground : OdDbHatchShape::Fill::kNone;
  Cursor c(tags);
  OdGePoint3d insert, size;
  OdGeVector3d u, v;
  std::int64_t clipType = 0, clipping = 1, display = 1, brightness = 50, contrast = 50, fade = 0;
  std::optional<std::string> file;
  std::vector<OdGePoint3d> clip;
  while (!c.done()) {
    switch (c.code()) {
      case 10: c.number(10, insert.x); break;
      case 20: c.number(20, insert.y); break;
      case 11: c.number(11, u.x); break;
      case 21: c.number(21, u.y); break;
      case 12: c.number(12, v.x); break;
      case 22: c.number(22, v.y); break;
      case 13: c.number(13, size.x); break;
      case 23: c.number(23, size.y); break;
      case 71: c.integer(71, clipType); break;
      case 280: c.integer(280, clipping); break;
      case 70: c.integer(70, display); break;
      case 281: c.integer(281, brightness); break;
      case 282: c.integer(282, contrast); break;
      case 283: c.integer(283, fade); break;
      case 340: {
        std::uint64_t h = 0;
        if (!wipeout && imageFileOf && dxfParseHandle(c.tag().trimmed(), h) && h != 0) file = imageFileOf(h);
        c.skip();
        break;
      }
      case 14: {
        OdGePoint3d p;
        if (c.point(14, p)) clip.push_back(p);
        break;
      }
      default: c.skip(); break;
    }
  }
  auto at = [&](double x, double y) {
    const double down = size.y - y - 0.5, across = x + 0.5;
    return OdGePoint3d(insert.x + u.x * across + v.x * down, insert.y + u.y * across + v.y * down, 0);
  };
  if (clipType == 1 && clip.size() == 2) {
    const OdGePoint3d a = clip[0], b = clip[1];
    clip = {a, OdGePoint3d(b.x, a.y, 0), b, OdGePoint3d(a.x, b.y, 0)};
  }
  // Without a clip (or with clipping off) the whole image.
  if (clip.size() < 3 || clipping == 0)
    clip = {OdGePoint3d(-0.5, -0.5, 0), OdGePoint3d(size.x - 0.5, -0.5, 0),
            OdGePoint3d(size.x - 0.5, size.y - 0.5, 0), OdGePoint3d(-0.5, size.y - 0.5, 0)};
  // The last vertex may repeat the first to close the polygon.
  if (clip.size() > 3 && clip.front() == clip.back()) clip.pop_back();
  OdDbHatchLoop loop;
  loop.flags = 2 | 1;
  for (const OdGePoint3d& p : clip) loop.vertices.push_back(at(p.x, p.y));
  loop.bulges.assign(loop.vertices.size(), 0.0);
  shape->loops.push_back(std::move(loop));
  if (file) {
    auto image = std::make_shared<OdDbImagePlacement>();
    image->fileName = std::move(*file);
    image->corner = insert;
    image->pixelAcross = u;
    image->pixelUp = v;
    image->widthPx = size.x;
    image->heightPx = size.y;
    image->displayFlags = int(display);
    image->brightness = int(std::clamp<std::int64_t>(brightness, 0, 100));
    image->contrast = int(std::clamp<std::int64_t>(contrast, 0, 100));
    image->fade = int(std::clamp<std::int64_t>(fade, 0, 100));
    shape->image = std::move(image);
  }
  return shape;
}
