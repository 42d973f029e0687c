#include "qt_device_context.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPolygon>

namespace ui::qt {

QColor toQColor(Color c) { return QColor(c.r, c.g, c.b); }
Color fromQColor(const QColor& c) {
  return Color{std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue())};
}

QtPainterDC::QtPainterDC(QPainter& painter, const QPalette* palette)
    : m_painter(painter), m_palette(palette ? *palette : QApplication::palette()) {
  m_pen = QPen(m_palette.color(QPalette::WindowText));
  m_textColor = m_palette.color(QPalette::WindowText);
}

void QtPainterDC::setPen(Color color, int width, PenStyle style) {
  m_pen = QPen(toQColor(color));
  m_pen.setWidth(width);
  switch (style) {
    case PenStyle::kSolid: m_pen.setStyle(Qt::SolidLine); break;
    case PenStyle::kDash: m_pen.setStyle(Qt::DashLine); break;
    case PenStyle::kDot: m_pen.setStyle(Qt::DotLine); break;
    case PenStyle::kNone: m_pen.setStyle(Qt::NoPen); break;
  }
}

void QtPainterDC::setTextColor(Color color) { m_textColor = toQColor(color); }

void QtPainterDC::setFontHeight(int pixels) {
  QFont font = QApplication::font();
  if (pixels > 0) font.setPixelSize(pixels);
  m_painter.setFont(font);
}

void QtPainterDC::fillRect(const Rect& r, Color color) {
  m_painter.fillRect(QRect(r.x, r.y, r.cx, r.cy), toQColor(color));
}

void QtPainterDC::frameRect(const Rect& r) {
  m_painter.setPen(m_pen);
  m_painter.setBrush(Qt::NoBrush);
  m_painter.drawRect(QRect(r.x, r.y, r.cx - 1, r.cy - 1));
}

void QtPainterDC::polyline(const std::vector<Point>& points) {
  QPolygon poly;
  for (const Point& p : points) poly << QPoint(p.x, p.y);
  m_painter.setPen(m_pen);
  m_painter.drawPolyline(poly);
}

void QtPainterDC::fillPolygon(const std::vector<Point>& points, Color color) {
  QPolygon poly;
  for (const Point& p : points) poly << QPoint(p.x, p.y);
  m_painter.setPen(Qt::NoPen);
  m_painter.setBrush(toQColor(color));
  m_painter.drawPolygon(poly);
  m_painter.setBrush(Qt::NoBrush);
}

void QtPainterDC::text(Point at, const std::string& utf8) {
  m_painter.setPen(m_textColor);
  const QFontMetrics fm(m_painter.font());
  m_painter.drawText(QPoint(at.x, at.y + fm.ascent()), QString::fromStdString(utf8));
}

Point QtPainterDC::textExtent(const std::string& utf8) const {
  const QFontMetrics fm(m_painter.font());
  return Point{fm.horizontalAdvance(QString::fromStdString(utf8)), fm.height()};
}

Color QtPainterDC::windowColor() const { return fromQColor(m_palette.color(QPalette::Base)); }
Color QtPainterDC::windowTextColor() const { return fromQColor(m_palette.color(QPalette::Text)); }
Color QtPainterDC::highlightColor() const { return fromQColor(m_palette.color(QPalette::Highlight)); }
Color QtPainterDC::highlightTextColor() const { return fromQColor(m_palette.color(QPalette::HighlightedText)); }

}  // namespace ui::qt
