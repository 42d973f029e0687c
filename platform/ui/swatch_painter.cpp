#include "swatch_painter.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

constexpr int kSampleWidth = 36;  // pixels of picture before the text
constexpr int kGap = 4;

int textStart(const Rect& item) { return item.x + kSampleWidth + kGap; }

// The sample's box: the item's left part, a little inset.
Rect sampleBox(const Rect& item) { return {item.x + 2, item.y + 2, kSampleWidth - 2, std::max(4, item.cy - 4)}; }

std::vector<Point> circle(Point c, int r, int steps = 16) {
  std::vector<Point> pts;
  for (int i = 0; i <= steps; ++i) {
    const double a = 2 * 3.14159265358979 * i / steps;
    pts.push_back({c.x + int(std::lround(r * std::cos(a))), c.y + int(std::lround(r * std::sin(a)))});
  }
  return pts;
}

}  // namespace

int DrawArrow(DeviceContext& dc, const Rect& item, const std::string& name, Color ink) {
  const Rect b = sampleBox(item);
  const int cy = b.y + b.cy / 2, tip = b.x + 2, len = std::min(12, b.cx / 2), half = std::max(2, len / 3);
  dc.setPen(ink);
  // The dimension line the arrowhead ends.
  auto line = [&](int fromX) { dc.polyline({{fromX, cy}, {b.right(), cy}}); };
  const std::vector<Point> triangle = {{tip, cy}, {tip + len, cy - half}, {tip + len, cy + half}, {tip, cy}};
  if (name.empty() || name == "_ClosedBlank" || name == "_Closed") {
    if (name.empty()) dc.fillPolygon(triangle, ink);
    dc.polyline(triangle);
    line(name == "_ClosedBlank" ? tip + len : tip);
  } else if (name == "_Open" || name == "_Open30" || name == "_Open90") {
    const int h = name == "_Open30" ? std::max(2, half / 2) : (name == "_Open90" ? len / 2 : half);
    const int l = name == "_Open90" ? len / 2 : len;
    dc.polyline({{tip + l, cy - h}, {tip, cy}, {tip + l, cy + h}});
    line(tip);
  } else if (name == "_Dot" || name == "_DotSmall" || name == "_DotBlank" || name == "_Small") {
    const int r = (name == "_DotSmall" || name == "_Small") ? 2 : 4;
    const std::vector<Point> ring = circle({tip + r, cy}, r);
    if (name == "_Dot" || name == "_DotSmall") dc.fillPolygon(ring, ink);
    dc.polyline(ring);
    line(name == "_DotBlank" ? tip + 2 * r : tip + r);
  } else if (name == "_ArchTick" || name == "_Oblique") {
    dc.setPen(ink, name == "_ArchTick" ? 2 : 1);
    dc.polyline({{tip + 4 - half, cy + half}, {tip + 4 + half, cy - half}});
    dc.setPen(ink);
    line(tip);
  } else if (name == "_Origin" || name == "_Origin2") {
    dc.polyline(circle({tip + 4, cy}, 4));
    if (name == "_Origin2") dc.polyline(circle({tip + 4, cy}, 2));
    line(tip + 8);
  } else if (name == "_BoxBlank" || name == "_BoxFilled") {
    const std::vector<Point> box = {{tip, cy - 3}, {tip + 6, cy - 3}, {tip + 6, cy + 3}, {tip, cy + 3}, {tip, cy - 3}};
    if (name == "_BoxFilled") dc.fillPolygon(box, ink);
    dc.polyline(box);
    line(tip + 6);
  } else if (name == "_DatumBlank" || name == "_DatumFilled") {
    const std::vector<Point> datum = {{tip, cy - half}, {tip + len, cy}, {tip, cy + half}, {tip, cy - half}};
    if (name == "_DatumFilled") dc.fillPolygon(datum, ink);
    dc.polyline(datum);
    line(tip + len);
  } else if (name == "_Integral") {
    dc.polyline({{tip, cy + half}, {tip + 2, cy + half + 1}, {tip + 4, cy}, {tip + 6, cy - half - 1}, {tip + 8, cy - half}});
    line(tip + 4);
  } else if (name == "_None") {
    line(tip);
  } else {
    // A user block: a dashed frame marks that the block draws itself.
    dc.setPen(ink, 1, PenStyle::kDash);
    dc.frameRect({tip, cy - half, len, 2 * half});
    dc.setPen(ink);
    line(tip + len);
  }
  return textStart(item);
}

int DrawLineType(DeviceContext& dc, const Rect& item, const std::vector<double>& pattern, Color ink) {
  const Rect b = sampleBox(item);
  const int cy = b.y + b.cy / 2;
  double total = 0;
  for (double d : pattern) total += std::fabs(d);
  if (pattern.empty() || total <= 0) {
    dc.setPen(ink);
    dc.polyline({{b.x, cy}, {b.right(), cy}});
    return textStart(item);
  }
  // Two repetitions of the pattern across the sample.
  const double scale = b.cx / (2 * total);
  double x = b.x;
  dc.setPen(ink);
  for (int rep = 0; rep < 2; ++rep)
    for (double d : pattern) {
      const double w = std::max(1.0, std::fabs(d) * scale);
      if (d > 0) dc.polyline({{int(x), cy}, {int(x + w), cy}});
      if (d == 0) dc.fillRect({int(x), cy, 1, 1}, ink);
      x += d == 0 ? 1 : w;
    }
  return textStart(item);
}

int DrawLineWeight(DeviceContext& dc, const Rect& item, int hundredthsMm, Color ink) {
  const Rect b = sampleBox(item);
  // About 4 pixels a millimetre, at least one pixel.
  const int thick = hundredthsMm < 0 ? 1 : std::clamp(int(std::lround(hundredthsMm * 0.04)), 1, b.cy);
  dc.fillRect({b.x, b.y + (b.cy - thick) / 2, b.cx, thick}, ink);
  return textStart(item);
}

int DrawColorSwatch(DeviceContext& dc, const Rect& item, Color color) {
  const Rect b = sampleBox(item);
  const int side = std::min(b.cy, 12);
  const Rect swatch{b.x, b.y + (b.cy - side) / 2, side, side};
  dc.fillRect(swatch, color);
  dc.setPen({0, 0, 0});
  dc.frameRect(swatch);
  return swatch.right() + kGap;
}

int DrawItemPicture(DeviceContext& dc, const Rect& item, const PZItemPicture& picture, Color ink) {
  switch (picture.kind) {
    case PZItemPicture::Kind::kColor: {
      const OdCmColor& c = picture.color;
      const bool own = c.isByACI() || c.isByColor();
      return DrawColorSwatch(dc, item, own ? Color{c.red(), c.green(), c.blue()} : ink);
    }
    case PZItemPicture::Kind::kLinetype: return DrawLineType(dc, item, picture.dashes, ink);
    case PZItemPicture::Kind::kLineweight: return DrawLineWeight(dc, item, picture.lineweight, ink);
    case PZItemPicture::Kind::kArrow: return DrawArrow(dc, item, picture.arrowBlock, ink);
    case PZItemPicture::Kind::kNone: break;
  }
  return item.x + 2;
}

}  // namespace ui
