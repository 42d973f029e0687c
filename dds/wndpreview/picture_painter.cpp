#include "picture_painter.h"

#include <algorithm>
#include <cmath>

#include "paint_rect.h"

namespace dds {
namespace {

// Capitals take about 0.7 of a font's pixel height.
constexpr double kCapToFontHeight = 1 / 0.7;

ui::Color toUi(HostPictureColor c) { return {c.r, c.g, c.b}; }

ui::Point toUi(const HostPicturePoint& p) { return {int(std::lround(p.x)), int(std::lround(p.y))}; }

struct PlacedText {
  int fontHeight = 0;  // 0: too small to draw
  ui::Point topLeft, extent;
};

// Where the context draws a run of text: in the font its capitals ask
// for, centred where the picture has the run's centre. Leaves that font
// selected.
PlacedText placeText(ui::DeviceContext& dc, const std::string& utf8, HostPicturePoint origin, double capHeightPx,
                     double advancePx, double rotation) {
  PlacedText placed;
  placed.fontHeight = int(std::lround(capHeightPx * kCapToFontHeight));
  if (utf8.empty() || placed.fontHeight < 1) {
    placed.fontHeight = 0;
    return placed;
  }
  // The run's centre on the screen (y down): along the baseline by half
  // the advance, up by half the cap height.
  const double dx = std::cos(rotation), dy = -std::sin(rotation);
  const double cx = origin.x + dx * advancePx / 2 + dy * capHeightPx / 2;
  const double cy = origin.y + dy * advancePx / 2 - dx * capHeightPx / 2;
  dc.setFontHeight(placed.fontHeight);
  placed.extent = dc.textExtent(utf8);
  placed.topLeft = {int(std::lround(cx - placed.extent.x / 2.0)), int(std::lround(cy - placed.extent.y / 2.0))};
  return placed;
}

class DcSink final : public HostPictureSink {
public:
  explicit DcSink(ui::DeviceContext& dc) : m_dc(dc) {}

  void polyline(const std::vector<HostPicturePoint>& points, bool closed, HostPictureColor color,
                double widthPx) override {
    if (points.size() < 2) return;
    std::vector<ui::Point> out;
    out.reserve(points.size() + 1);
    for (const auto& p : points) out.push_back(toUi(p));
    if (closed) out.push_back(out.front());
    m_dc.setPen(toUi(color), std::max(1, int(std::lround(widthPx))));
    m_dc.polyline(out);
  }

  void filledPolygon(const std::vector<HostPicturePoint>& points, HostPictureColor color) override {
    if (points.size() < 3) return;
    std::vector<ui::Point> out;
    out.reserve(points.size());
    for (const auto& p : points) out.push_back(toUi(p));
    m_dc.fillPolygon(out, toUi(color));
  }

  void text(const std::string& utf8, HostPicturePoint origin, double capHeightPx, double advancePx, double rotation,
            HostPictureColor color) override {
    const PlacedText placed = placeText(m_dc, utf8, origin, capHeightPx, advancePx, rotation);
    if (placed.fontHeight < 1) return;
    m_dc.setTextColor(toUi(color));
    m_dc.text(placed.topLeft, utf8);
  }

  // Device contexts draw upright text only.
  bool drawsTurnedText() const override { return false; }

  // All contours as one polygon: each is entered from the first contour's
  // start and left back to it, so the bridges cancel out under the
  // even-odd fill and the letters' holes stay open.
  void textOutlines(const std::vector<std::vector<HostPicturePoint>>& contours, HostPictureColor color) override {
    std::vector<ui::Point> polygon;
    ui::Point anchor;
    for (const auto& contour : contours) {
      if (contour.empty()) continue;
      if (polygon.empty()) anchor = toUi(contour.front());
      for (const auto& p : contour) polygon.push_back(toUi(p));
      polygon.push_back(toUi(contour.front()));
      polygon.push_back(anchor);
    }
    if (polygon.size() >= 3) m_dc.fillPolygon(polygon, toUi(color));
  }

private:
  ui::DeviceContext& m_dc;
};

// The box of the pixels a picture covers when played on a context: lines
// with their width, and text as large as the context's font makes it.
class ExtentSink final : public HostPictureSink {
public:
  explicit ExtentSink(ui::DeviceContext& dc) : m_dc(dc) {}

  void polyline(const std::vector<HostPicturePoint>& points, bool, HostPictureColor, double widthPx) override {
    const double half = std::max(1.0, widthPx) / 2;
    for (const auto& p : points) {
      add(p.x - half, p.y - half);
      add(p.x + half, p.y + half);
    }
  }
  void filledPolygon(const std::vector<HostPicturePoint>& points, HostPictureColor) override {
    for (const auto& p : points) add(p.x, p.y);
  }
  void text(const std::string& utf8, HostPicturePoint origin, double capHeightPx, double advancePx, double rotation,
            HostPictureColor) override {
    const PlacedText placed = placeText(m_dc, utf8, origin, capHeightPx, advancePx, rotation);
    if (placed.fontHeight < 1) return;
    add(placed.topLeft.x, placed.topLeft.y);
    add(placed.topLeft.x + placed.extent.x, placed.topLeft.y + placed.extent.y);
  }
  bool drawsTurnedText() const override { return false; }
  void textOutlines(const std::vector<std::vector<HostPicturePoint>>& contours, HostPictureColor) override {
    for (const auto& contour : contours)
      for (const auto& p : contour) add(p.x, p.y);
  }

  bool empty() const { return !(m_maxX > m_minX) || !(m_maxY > m_minY); }
  double minX() const { return m_minX; }
  double minY() const { return m_minY; }
  double width() const { return m_maxX - m_minX; }
  double height() const { return m_maxY - m_minY; }

private:
  void add(double x, double y) {
    m_minX = std::min(m_minX, x);
    m_minY = std::min(m_minY, y);
    m_maxX = std::max(m_maxX, x);
    m_maxY = std::max(m_maxY, y);
  }
  ui::DeviceContext& m_dc;
  double m_minX = HUGE_VAL, m_minY = HUGE_VAL, m_maxX = -HUGE_VAL, m_maxY = -HUGE_VAL;
};

ExtentSink measure(const HostPicture& picture, ui::DeviceContext& dc, const ui::Rect& target) {
  ExtentSink sink(dc);
  picture.play(sink, {double(target.x), double(target.y), double(target.right()), double(target.bottom())});
  dc.setFontHeight(0);
  return sink;
}

}  // namespace

ui::Rect fittedPictureRect(const HostPicture& picture, ui::DeviceContext& dc, const ui::Rect& client,
                           int marginPx) {
  ui::Rect inner{client.x + marginPx, client.y + marginPx, client.cx - 2 * marginPx, client.cy - 2 * marginPx};
  if (inner.cx <= 0 || inner.cy <= 0) inner = client;
  const HostPictureBox box = picture.bounds();
  ui::Rect target = previewPaintRect(inner, box.width(), box.height());
  // The picture's own box holds text as its fonts measure it; the context
  // may draw it wider or taller. Scaling the target scales what is drawn
  // but for the whole pixels of font sizes, so a few rounds settle it.
  for (int round = 0; round < 4; ++round) {
    const ExtentSink drawn = measure(picture, dc, target);
    if (drawn.empty()) break;
    if (drawn.minX() >= inner.x && drawn.minY() >= inner.y && drawn.minX() + drawn.width() <= inner.right() &&
        drawn.minY() + drawn.height() <= inner.bottom() && round > 0)
      break;
    const double k = std::min(inner.cx / drawn.width(), inner.cy / drawn.height()) * (round == 0 ? 1.0 : 0.98);
    const double left = inner.x + (inner.cx - drawn.width() * k) / 2 + (target.x - drawn.minX()) * k;
    const double top = inner.y + (inner.cy - drawn.height() * k) / 2 + (target.y - drawn.minY()) * k;
    target = {int(std::lround(left)), int(std::lround(top)), std::max(1, int(std::lround(target.cx * k))),
              std::max(1, int(std::lround(target.cy * k)))};
  }
  return target;
}

void playPicture(const HostPicture& picture, ui::DeviceContext& dc, const ui::Rect& target) {
  DcSink sink(dc);
  picture.play(sink, {double(target.x), double(target.y), double(target.right()), double(target.bottom())});
  dc.setFontHeight(0);
}

}  // namespace dds
