#pragma once
// A picture as a list of vector primitives in drawing coordinates: what the
// renderer produces and what the picture writers consume. Colours, widths
// and dash patterns are already resolved; nothing here refers back to the
// drawing.
#include <cstdint>
#include <limits>
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
};

using Primitive = std::variant<PolylinePrim, FilledPolygonPrim, TextRunPrim>;

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
