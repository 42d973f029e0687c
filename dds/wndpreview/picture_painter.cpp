#include "picture_painter.h"

#include <algorithm>
#include <cmath>

namespace dds {
namespace {

// Capitals take about 0.7 of a font's pixel height.
constexpr double kCapToFontHeight = 1 / 0.7;

ui::Color toUi(HostPictureColor c) { return {c.r, c.g, c.b}; }

ui::Point toUi(const HostPicturePoint& p) { return {int(std::lround(p.x)), int(std::lround(p.y))}; }

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
    const int fontHeight = int(std::lround(capHeightPx * kCapToFontHeight));
    if (utf8.empty() || fontHeight < 1) return;
    // The run's centre on the screen (y down): along the baseline by half
    // the advance, up by half the cap height.
    const double dx = std::cos(rotation), dy = -std::sin(rotation);
    const double cx = origin.x + dx * advancePx / 2 + dy * capHeightPx / 2;
    const double cy = origin.y + dy * advancePx / 2 - dx * capHeightPx / 2;
    m_dc.setFontHeight(fontHeight);
    m_dc.setTextColor(toUi(color));
    const ui::Point extent = m_dc.textExtent(utf8);
    m_dc.text({int(std::lround(cx - extent.x / 2.0)), int(std::lround(cy - extent.y / 2.0))}, utf8);
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

}  // namespace

void playPicture(const HostPicture& picture, ui::DeviceContext& dc, const ui::Rect& target) {
  DcSink sink(dc);
  picture.play(sink, {double(target.x), double(target.y), double(target.right()), double(target.bottom())});
  dc.setFontHeight(0);
}

}  // namespace dds
