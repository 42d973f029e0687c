#include "clip_to_rect.h"

#include <cmath>

#include "path_flatten.h"

namespace render {

namespace {

// Cuts the segment a-b to the box (Liang-Barsky); false when nothing is left.
bool clipSegment(Point2& a, Point2& b, const Bounds& box) {
  double t0 = 0, t1 = 1;
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - box.minX, box.maxX - a.x, a.y - box.minY, box.maxY - a.y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0) {
      if (r > t1) return false;
      if (r > t0) t0 = r;
    } else {
      if (r < t0) return false;
      if (r < t1) t1 = r;
    }
  }
  const Point2 start{a.x + t0 * dx, a.y + t0 * dy}, end{a.x + t1 * dx, a.y + t1 * dy};
  a = start, b = end;
  return true;
}

}  // namespace

Point2 Placement::apply(Point2 p) const {
  const double cs = std::cos(rotation) * scale, sn = std::sin(rotation) * scale;
  const double x = p.x - from.x, y = p.y - from.y;
  return {to.x + x * cs - y * sn, to.y + x * sn + y * cs};
}

std::vector<std::vector<Point2>> clipPolyline(const std::vector<Point2>& points, bool closed, const Bounds& box) {
  std::vector<std::vector<Point2>> pieces;
  std::vector<Point2> current;
  const std::size_t n = points.size();
  const std::size_t segments = closed && n > 2 ? n : (n > 0 ? n - 1 : 0);
  for (std::size_t i = 0; i < segments; ++i) {
    Point2 a = points[i], b = points[(i + 1) % n];
    const Point2 originalB = b;
    if (!clipSegment(a, b, box)) {
      if (current.size() > 1) pieces.push_back(std::move(current));
      current.clear();
      continue;
    }
    if (current.empty() || !(current.back() == a)) {
      if (current.size() > 1) pieces.push_back(std::move(current));
      current = {a};
    }
    current.push_back(b);
    if (!(b == originalB)) {  // the line leaves the box here
      pieces.push_back(std::move(current));
      current.clear();
    }
  }
  if (current.size() > 1) pieces.push_back(std::move(current));
  return pieces;
}

// Sutherland-Hodgman against the four sides in turn.
std::vector<Point2> clipPolygon(const std::vector<Point2>& points, const Bounds& box) {
  std::vector<Point2> poly = points;
  auto side = [&](auto inside, auto cross) {
    std::vector<Point2> out;
    for (std::size_t i = 0; i < poly.size(); ++i) {
      const Point2 a = poly[i], b = poly[(i + 1) % poly.size()];
      const bool ina = inside(a), inb = inside(b);
      if (ina) out.push_back(a);
      if (ina != inb) out.push_back(cross(a, b));
    }
    poly = std::move(out);
  };
  auto atX = [](double x) {
    return [x](Point2 a, Point2 b) { return Point2{x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x)}; };
  };
  auto atY = [](double y) {
    return [y](Point2 a, Point2 b) { return Point2{a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y}; };
  };
  side([&](Point2 p) { return p.x >= box.minX; }, atX(box.minX));
  side([&](Point2 p) { return p.x <= box.maxX; }, atX(box.maxX));
  side([&](Point2 p) { return p.y >= box.minY; }, atY(box.minY));
  side([&](Point2 p) { return p.y <= box.maxY; }, atY(box.maxY));
  return poly.size() >= 3 ? poly : std::vector<Point2>{};
}

void addPlacedAndClipped(const DisplayList& in, const Placement& placement, const Bounds& box, DisplayList& out) {
  auto placed = [&](std::vector<Point2> points) {
    for (Point2& p : points) p = placement.apply(p);
    return points;
  };
  auto scaled = [&](Stroke stroke) {
    for (double& d : stroke.dashes) d *= placement.scale;
    stroke.width *= placement.scale;
    return stroke;
  };
  // Curves are cut as lines a thousandth of the frame's size apart at most.
  const double tolerance = (box.width() + box.height()) / 4000 / placement.scale;
  for (const Primitive& item : in.items())
    std::visit(Overloaded{
                   [&](const PolylinePrim& p) {
                     for (auto& piece : clipPolyline(placed(p.points), p.closed, box))
                       out.add(PolylinePrim{std::move(piece), false, scaled(p.stroke)});
                   },
                   [&](const FilledPolygonPrim& p) {
                     if (auto clipped = clipPolygon(placed(p.points), box); !clipped.empty())
                       out.add(FilledPolygonPrim{std::move(clipped), p.color, p.opacity});
                   },
                   [&](const PathPrim& p) {
                     const std::vector<FlatLine> lines = flatten(p.segments, tolerance);
                     if (p.fill) {
                       PathPrim filled;
                       filled.fill = p.fill;
                       for (const FlatLine& line : lines) {
                         const std::vector<Point2> ring = clipPolygon(placed(line.points), box);
                         if (ring.empty()) continue;
                         filled.segments.push_back(PathSegment::moveTo(ring.front()));
                         for (std::size_t i = 1; i < ring.size(); ++i)
                           filled.segments.push_back(PathSegment::lineTo(ring[i]));
                         filled.segments.push_back(PathSegment::close());
                       }
                       if (!filled.segments.empty()) out.add(std::move(filled));
                     }
                     if (p.stroke)
                       for (const FlatLine& line : lines)
                         for (auto& piece : clipPolyline(placed(line.points), line.closed, box))
                           out.add(PolylinePrim{std::move(piece), false, scaled(*p.stroke)});
                   },
                   [&](const DotPrim& d) {
                     const Point2 at = placement.apply(d.at);
                     if (at.x >= box.minX && at.x <= box.maxX && at.y >= box.minY && at.y <= box.maxY)
                       out.add(DotPrim{at, d.color});
                   },
                   [&](const TextRunPrim& t) {
                     TextRunPrim moved = t;
                     moved.origin = placement.apply(t.origin);
                     moved.capHeight *= placement.scale;
                     moved.emSize *= placement.scale;
                     moved.advance *= placement.scale;
                     moved.rotation += placement.rotation;
                     const Bounds b = boundsOf(moved);
                     if (b.maxX >= box.minX && b.minX <= box.maxX && b.maxY >= box.minY && b.minY <= box.maxY)
                       out.add(std::move(moved));
                   },
                   // Pixels are not cut: the picture goes whole when it
                   // meets the box, for a clip around it to cut.
                   [&](const ImagePrim& image) {
                     ImagePrim moved = image;
                     const Point2 origin = placement.apply({0, 0});
                     auto turned = [&](Point2 v) {
                       const Point2 p = placement.apply(v);
                       return Point2{p.x - origin.x, p.y - origin.y};
                     };
                     moved.corner = placement.apply(image.corner);
                     moved.across = turned(image.across);
                     moved.down = turned(image.down);
                     const Bounds b = boundsOf(moved);
                     if (b.maxX >= box.minX && b.minX <= box.maxX && b.maxY >= box.minY && b.minY <= box.maxY)
                       out.add(std::move(moved));
                   },
                   [&](const ClipPrim& clip) {
                     if (!clip.content) return;
                     ClipPrim moved;
                     for (const auto& ring : clip.region) moved.region.push_back(placed(ring));
                     auto content = std::make_shared<DisplayList>();
                     addPlacedAndClipped(*clip.content, placement, box, *content);
                     if (content->empty()) return;
                     moved.content = std::move(content);
                     out.add(std::move(moved));
                   },
               },
               item);
}

}  // namespace render
