#include "display_list.h"

#include <algorithm>
#include <cmath>

#include "path_flatten.h"

namespace render {

void Bounds::add(Point2 p) {
  if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;  // never let one bad point spoil the box
  minX = std::min(minX, p.x);
  minY = std::min(minY, p.y);
  maxX = std::max(maxX, p.x);
  maxY = std::max(maxY, p.y);
}

void Bounds::add(const Bounds& b) {
  if (b.empty()) return;
  add(Point2{b.minX, b.minY});
  add(Point2{b.maxX, b.maxY});
}

namespace {
Bounds pointsBounds(const std::vector<Point2>& pts, double halfWidth) {
  Bounds b;
  for (const Point2& p : pts) {
    b.add(Point2{p.x - halfWidth, p.y - halfWidth});
    b.add(Point2{p.x + halfWidth, p.y + halfWidth});
  }
  return b;
}

Bounds textBounds(const TextRunPrim& t) {
  // The run's box: baseline to cap height, with room for descenders (the
  // other way for a run upside down) and for the lean of its top.
  const double c = std::cos(t.rotation), s = std::sin(t.rotation);
  const double lo = t.upsideDown ? -t.capHeight : -0.25 * t.capHeight, hi = t.upsideDown ? 0.25 * t.capHeight : t.capHeight;
  Bounds b;
  for (double u : {0.0, t.advance})
    for (double v : {lo, hi}) b.add(Point2{t.origin.x + u * c - v * s, t.origin.y + u * s + v * c});
  return b;
}
}  // namespace

Point2 glyphPoint(const TextRunPrim& t, Point2 em, double stretch) {
  double x = em.x * t.emSize * stretch + em.y * t.emSize * std::tan(t.oblique), y = em.y * t.emSize;
  if (t.backward) x = t.advance - x;
  if (t.upsideDown) y = -y;
  const double c = std::cos(t.rotation), s = std::sin(t.rotation);
  return {t.origin.x + x * c - y * s, t.origin.y + x * s + y * c};
}

Bounds boundsOf(const Primitive& p) {
  return std::visit(
      Overloaded{
          [](const PolylinePrim& pl) { return pointsBounds(pl.points, pl.stroke.width / 2); },
          [](const FilledPolygonPrim& fp) { return pointsBounds(fp.points, 0.0); },
          [](const TextRunPrim& t) { return textBounds(t); },
          [](const PathPrim& path) { return pathBounds(path.segments, path.stroke ? path.stroke->width / 2 : 0.0); },
          // Its size is in device pixels: in drawing units it is a point.
          [](const DotPrim& d) { return pointsBounds({d.at}, 0.0); },
          [](const ImagePrim& image) {
            if (!image.pixels) return Bounds();
            const double w = image.pixels->width, h = image.pixels->height;
            return pointsBounds({image.at(0, 0), image.at(w, 0), image.at(w, h), image.at(0, h)}, 0.0);
          },
          // What shows: the content where the region lets it through.
          [](const ClipPrim& clip) {
            if (!clip.content) return Bounds();
            Bounds region;
            for (const auto& ring : clip.region) region.add(pointsBounds(ring, 0.0));
            const Bounds& inside = clip.content->bounds();
            Bounds both;
            if (region.empty() || inside.empty()) return both;
            if (std::max(region.minX, inside.minX) > std::min(region.maxX, inside.maxX) ||
                std::max(region.minY, inside.minY) > std::min(region.maxY, inside.maxY))
              return both;  // they do not meet: nothing shows
            both.add(Point2{std::max(region.minX, inside.minX), std::max(region.minY, inside.minY)});
            both.add(Point2{std::min(region.maxX, inside.maxX), std::min(region.maxY, inside.maxY)});
            return both;
          },
      },
      p);
}

void DisplayList::add(Primitive p) {
  m_bounds.add(boundsOf(p));
  m_items.push_back(std::move(p));
}

void DisplayList::clear() {
  m_items.clear();
  m_bounds = Bounds();
}

}  // namespace render
