#include "picture_box.h"

#include "clip_to_rect.h"
#include "path_flatten.h"

namespace render {

namespace {

bool contains(const Bounds& box, const Bounds& b) {
  return !b.empty() && b.minX >= box.minX && b.maxX <= box.maxX && b.minY >= box.minY && b.maxY <= box.maxY;
}

bool meets(const Bounds& a, const Bounds& b) {
  return !a.empty() && !b.empty() && a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
}

bool lineMeets(const std::vector<Point2>& points, bool closed, const Bounds& box) {
  if (points.size() == 1) {
    const Point2 q = points.front();
    return q.x >= box.minX && q.x <= box.maxX && q.y >= box.minY && q.y <= box.maxY;
  }
  return !clipPolyline(points, closed, box).empty();
}

bool primitiveMeets(const Primitive& p, const Bounds& box) {
  if (!meets(boundsOf(p), box)) return false;
  return std::visit(
      Overloaded{
          [&](const PolylinePrim& pl) { return lineMeets(pl.points, pl.closed, box); },
          [&](const FilledPolygonPrim& fp) { return !clipPolygon(fp.points, box).empty(); },
          // Text and pictures are taken by their box, as the window takes them.
          [](const TextRunPrim&) { return true; },
          [](const ImagePrim&) { return true; },
          [](const DotPrim&) { return true; },
          [&](const PathPrim& path) {
            const Bounds b = pathBounds(path.segments, 0);
            const double tolerance = std::max(b.width(), b.height()) * 1e-3;
            for (const FlatLine& line : flatten(path.segments, tolerance)) {
              if (path.fill && !clipPolygon(line.points, box).empty()) return true;
              if (lineMeets(line.points, line.closed, box)) return true;
            }
            return false;
          },
          [&](const ClipPrim& clip) { return clip.content && pictureCrosses(*clip.content, box); },
      },
      p);
}

}  // namespace

bool pictureInside(const DisplayList& picture, const Bounds& box) { return contains(box, picture.bounds()); }

bool pictureCrosses(const DisplayList& picture, const Bounds& box) {
  if (pictureInside(picture, box)) return true;
  for (const Primitive& p : picture.items())
    if (primitiveMeets(p, box)) return true;
  return false;
}

}  // namespace render
