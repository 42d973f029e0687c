#pragma once
// A picture as a list of vector primitives in drawing coordinates (with
// placed pixels and clipped groups): what the renderer produces and what
// the picture writers consume. Colours, widths, dash patterns and pictures'
// pixels are already resolved; nothing here refers back to the drawing.
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace render {

struct Point2 {
  double x = 0, y = 0;
  bool operator==(const Point2&) const = default;
};

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// An axis-aligned box; empty until something is added.
struct Bounds {
  double minX = std::numeric_limits<double>::infinity();
  double minY = std::numeric_limits<double>::infinity();
  double maxX = -std::numeric_limits<double>::infinity();
  double maxY = -std::numeric_limits<double>::infinity();

  bool empty() const { return minX > maxX || minY > maxY; }
  void add(Point2 p);
  void add(const Bounds& b);
  double width() const { return empty() ? 0.0 : maxX - minX; }
  double height() const { return empty() ? 0.0 : maxY - minY; }
};

struct Stroke {
  Rgb color;
  // The line's weight in millimetres on paper (0 is the thinnest line the
  // device draws).
  double lineweightMm = 0.25;
  // A width in drawing units (wide polylines, donuts); 0 draws with the
  // lineweight instead.
  double width = 0.0;
  // Dash pattern in drawing units: positive a dash, negative a gap, zero a
  // dot; empty for a continuous line.
  std::vector<double> dashes;
};

struct PolylinePrim {
  std::vector<Point2> points;
  bool closed = false;
  Stroke stroke;
};

struct FilledPolygonPrim {
  std::vector<Point2> points;
  Rgb color;
  double opacity = 1.0;  // 1 covers what lies below, 0 leaves it clear
};

// One run of text on one baseline.
struct TextRunPrim {
  std::string text;         // UTF-8, formatting codes already resolved
  Point2 origin;            // left end of the baseline
  double capHeight = 0.0;   // the drawing's text height: height of capitals
  double emSize = 0.0;      // the font size that gives that cap height
  double rotation = 0.0;    // radians, counter-clockwise
  double widthFactor = 1.0;
  double advance = 0.0;     // measured width along the baseline, width factor included
  std::string fontFamily;
  int font = -1;            // FontMetrics number, for drawing the outlines
  Rgb color;
  double oblique = 0.0;     // radians the glyphs lean to the right
  bool backward = false;    // mirrored left to right within its advance
  bool upsideDown = false;  // mirrored about its baseline
  double opacity = 1.0;     // of the glyphs and their fill
};

// Where a point of a glyph outline (in ems, baseline on y = 0) lands in the
// drawing: stretched by `stretch` (ems to the run's width), leaning,
// mirrored as the run says, turned and placed at the origin.
Point2 glyphPoint(const TextRunPrim& t, Point2 em, double stretch);

// One step of a path's outline from the pen's position.
//   kMove   starts a sub-path at `to`;
//   kLine   a straight line to `to`;
//   kArc    an elliptical arc around `to` (the centre): `axis` is the major
//           semi-axis as a vector from the centre, `ratio` the minor axis
//           over the major (1: a circle; the minor axis is the major turned
//           a quarter counter-clockwise, or clockwise when the ratio is
//           negative: a mirrored ellipse), running from parameter `start` to
//           `end` in radians, counter-clockwise when `end` > `start` and
//           clockwise when less. A pen elsewhere than the arc's first point
//           draws a line to it first; an arc may also open a sub-path;
//   kCubic  a cubic Bezier curve over `c1` and `c2` to `to`;
//   kClose  closes the sub-path with a line back to its first point.
struct PathSegment {
  enum class Kind : std::uint8_t { kMove, kLine, kArc, kCubic, kClose };
  Kind kind = Kind::kLine;
  Point2 to;
  Point2 c1, c2;
  Point2 axis;
  double ratio = 1, start = 0, end = 0;

  static PathSegment moveTo(Point2 p) { return {Kind::kMove, p, {}, {}, {}, 1, 0, 0}; }
  static PathSegment lineTo(Point2 p) { return {Kind::kLine, p, {}, {}, {}, 1, 0, 0}; }
  static PathSegment cubicTo(Point2 c1, Point2 c2, Point2 p) { return {Kind::kCubic, p, c1, c2, {}, 1, 0, 0}; }
  static PathSegment arc(Point2 centre, Point2 majorAxis, double ratio, double start, double end) {
    return {Kind::kArc, centre, {}, {}, majorAxis, ratio, start, end};
  }
  static PathSegment circleArc(Point2 centre, double radius, double start, double end) {
    return arc(centre, {radius, 0}, 1, start, end);
  }
  static PathSegment close() { return {Kind::kClose, {}, {}, {}, {}, 1, 0, 0}; }
  bool operator==(const PathSegment&) const = default;
};

enum class FillRule : std::uint8_t { kNonZero, kEvenOdd };

struct PathFill {
  Rgb color;
  // Even-odd makes every closed sub-path inside another a hole.
  FillRule rule = FillRule::kNonZero;
  double opacity = 1.0;
};

// Curves kept as curves, so that each writer draws them at its own
// resolution: filled, stroked, or both (fill first).
struct PathPrim {
  std::vector<PathSegment> segments;
  std::optional<PathFill> fill;
  std::optional<Stroke> stroke;
};

// A mark that stays about two device pixels wide at any scale: the
// definition points of dimensions and points drawn as a dot.
struct DotPrim {
  Point2 at;
  Rgb color;
};

// A picture's pixels: rows top to bottom, 4 bytes a pixel (red, green,
// blue, opacity).
struct ImagePixels {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgba;
};

// Pixels placed in the drawing: the top left corner of the first pixel at
// `corner`, each pixel `across` to the right and `down` below the one
// before (any affine placement: turned, stretched, slanted, mirrored).
struct ImagePrim {
  std::shared_ptr<const ImagePixels> pixels;
  Point2 corner;
  Point2 across, down;
  // Where a point of the pixel grid (x right, y down, in pixels) lands.
  Point2 at(double x, double y) const {
    return {corner.x + across.x * x + down.x * y, corner.y + across.y * x + down.y * y};
  }
};

class DisplayList;

// Primitives shown only inside a region (closed rings filled even-odd):
// what a viewport shows through its boundary, an image through its clip.
// Every writer cuts its content exactly there, glyphs included. Regions
// nest: a clip inside another shows what lies inside both.
struct ClipPrim {
  std::vector<std::vector<Point2>> region;
  std::shared_ptr<const DisplayList> content;
};

using Primitive = std::variant<PolylinePrim, FilledPolygonPrim, TextRunPrim, PathPrim, DotPrim, ImagePrim, ClipPrim>;

// Lets std::visit take one lambda per primitive kind: a kind without its
// lambda does not build, so no consumer can skip a new kind unnoticed.
template <class... Visitors>
struct Overloaded : Visitors... {
  using Visitors::operator()...;
};

class DisplayList {
public:
  void add(Primitive p);
  const std::vector<Primitive>& items() const { return m_items; }
  std::size_t size() const { return m_items.size(); }
  bool empty() const { return m_items.empty(); }
  void clear();
  // The box around every primitive (text by its measured box).
  const Bounds& bounds() const { return m_bounds; }

private:
  std::vector<Primitive> m_items;
  Bounds m_bounds;
};

Bounds boundsOf(const Primitive& p);

}  // namespace render
