#pragma once
// The device context on a QPainter: owner-drawn items and painted frames
// draw on screen with the same calls they record headless.
#include <QPainter>
#include <QPalette>

#include "device_context.h"

namespace ui::qt {

class QtPainterDC : public DeviceContext {
public:
  explicit QtPainterDC(QPainter& painter, const QPalette* palette = nullptr);

  void setPen(Color color, int width, PenStyle style) override;
  void setTextColor(Color color) override;
  void setFontHeight(int pixels) override;
  void fillRect(const Rect& r, Color color) override;
  void frameRect(const Rect& r) override;
  void polyline(const std::vector<Point>& points) override;
  void fillPolygon(const std::vector<Point>& points, Color color) override;
  void text(Point at, const std::string& utf8) override;
  Point textExtent(const std::string& utf8) const override;
  Color windowColor() const override;
  Color windowTextColor() const override;
  Color highlightColor() const override;
  Color highlightTextColor() const override;

private:
  QPainter& m_painter;
  QPalette m_palette;
  QPen m_pen;
  QColor m_textColor;
};

QColor toQColor(Color c);
Color fromQColor(const QColor& c);

}  // namespace ui::qt
