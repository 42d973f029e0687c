#include "scene_painter.h"

#include <algorithm>
#include <cmath>

namespace qrvwindow {

namespace {

// Text whose run is lower than this many pixels is drawn as a line.
constexpr double kReadableTextPx = 4;
// Points of a line closer than this many pixels to the last one kept are
// left out.
constexpr double kMergePx = 0.75;
constexpr float kHighlightExtraPx = 2;
// A dot primitive (a definition point) is this many pixels across.
constexpr double kMarkPx = 2;

}  // namespace

ScenePainter::ScenePainter(QPainter& painter, const ViewScene& scene, const QRgb* highlight)
    : m_painter(painter), m_scene(scene), m_highlight(highlight), m_toPixels(painter.transform()) {
  m_pixelsPerUnit = std::sqrt(std::abs(m_toPixels.determinant()));
  m_painter.save();
  m_painter.resetTransform();
  m_painter.setBrush(Qt::NoBrush);
}

ScenePainter::~ScenePainter() {
  flush();
  m_painter.restore();
}

void ScenePainter::batch(QRgb color, bool dots) {
  if (color == m_batchColor && dots == m_batchDots) return;
  flush();
  m_batchColor = color;
  m_batchDots = dots;
}

void ScenePainter::flush() {
  if (m_lines.empty() && m_dots.empty() && m_marks.empty()) return;
  QPen pen(QColor::fromRgb(m_batchColor), 1);
  pen.setCosmetic(true);
  m_painter.setPen(pen);
  if (!m_lines.empty()) m_painter.drawLines(m_lines.data(), int(m_lines.size()));
  if (!m_dots.empty()) m_painter.drawPoints(m_dots.data(), int(m_dots.size()));
  if (!m_marks.empty()) {
    pen.setWidthF(m_highlight ? kMarkPx + kHighlightExtraPx : kMarkPx);
    // Square: tens of thousands of definition points paint as fast as
    // single pixels, where round ones took as long as the rest together.
    pen.setCapStyle(Qt::SquareCap);
    m_painter.setPen(pen);
    m_painter.drawPoints(m_marks.data(), int(m_marks.size()));
  }
  m_lines.clear();
  m_dots.clear();
  m_marks.clear();
}

bool ScenePainter::toPixels(const SceneEntity& e, const ScenePrim& p) {
  m_pixels.clear();
  const QPointF base = m_toPixels.map(e.bounds.topLeft());
  const double m11 = m_toPixels.m11(), m12 = m_toPixels.m12(), m21 = m_toPixels.m21(), m22 = m_toPixels.m22();
  const ScenePoint* pts = m_scene.pointData() + p.first;
  bool spread = false;
  for (std::uint32_t k = 0; k < p.count; ++k) {
    const QPointF px(base.x() + m11 * pts[k].x + m21 * pts[k].y, base.y() + m12 * pts[k].x + m22 * pts[k].y);
    if (!m_pixels.empty()) {
      const QPointF step = px - m_pixels.back();
      if (std::abs(step.x()) < kMergePx && std::abs(step.y()) < kMergePx) {
        if (k + 1 == p.count && m_pixels.size() > 1) m_pixels.back() = px;  // the line still ends where it ends
        continue;
      }
      spread = true;
    }
    m_pixels.push_back(px);
  }
  return spread;
}

bool ScenePainter::spreadOrDot(const SceneEntity& e, const ScenePrim& p, QRgb color) {
  if (toPixels(e, p)) return true;
  if (!m_pixels.empty()) {
    batch(color, true);
    m_dots.push_back(m_pixels.front());
  }
  return false;
}

void ScenePainter::dot(const SceneEntity& e) {
  if (e.first == e.last) return;
  const ScenePrim& first = m_scene.prims()[e.first];
  // A lone mark keeps its size: it is never smaller than a pixel.
  const bool mark = first.kind == ScenePrim::kDot;
  batch(colorOf(first), mark ? m_batchDots : true);
  (mark ? m_marks : m_dots).push_back(m_toPixels.map(e.bounds.center()));
}

void ScenePainter::mark(const SceneEntity& e, const ScenePrim& p) {
  batch(colorOf(p), m_batchDots);
  const ScenePoint& at = m_scene.pointData()[p.first];
  m_marks.push_back(m_toPixels.map(QPointF(e.bounds.left() + at.x, e.bounds.top() + at.y)));
}

void ScenePainter::addThinCurves(const QPainterPath& outline) {
  QPointF last;
  const int count = outline.elementCount();
  for (int i = 0; i < count; ++i) {
    const QPainterPath::Element& e = outline.elementAt(i);
    const QPointF at = m_toPixels.map(QPointF(e.x, e.y));
    if (e.type == QPainterPath::MoveToElement) {
      last = at;
    } else if (e.type == QPainterPath::LineToElement) {
      m_lines.emplace_back(last, at);
      last = at;
    } else if (e.type == QPainterPath::CurveToElement && i + 2 < count) {
      const QPainterPath::Element &e2 = outline.elementAt(i + 1), &e3 = outline.elementAt(i + 2);
      const QPointF c1 = at, c2 = m_toPixels.map(QPointF(e2.x, e2.y)), end = m_toPixels.map(QPointF(e3.x, e3.y));
      i += 2;
      // Cut into even pieces that stray less than a quarter pixel: a
      // curve strays at most 3/4 of its control points' larger second
      // difference over the pieces squared.
      const QPointF d1 = last - 2 * c1 + c2, d2 = c1 - 2 * c2 + end;
      const double bend = std::max(std::hypot(d1.x(), d1.y()), std::hypot(d2.x(), d2.y()));
      const int pieces = std::clamp(int(std::ceil(std::sqrt(3 * bend))), 1, 256);
      for (int k = 1; k <= pieces; ++k) {
        const double t = double(k) / pieces, u = 1 - t;
        const QPointF q = k == pieces ? end : u * u * u * last + 3 * u * u * t * c1 + 3 * u * t * t * c2 + t * t * t * end;
        m_lines.emplace_back(k == 1 ? last : m_lines.back().p2(), q);
      }
      last = end;
    }
  }
}

void ScenePainter::path(const SceneEntity&, const ScenePrim& p) {
  const QRgb color = colorOf(p);
  const QPainterPath& outline = m_scene.path(p);
  const QRectF box = m_toPixels.mapRect(outline.controlPointRect());
  if (box.width() < kMergePx && box.height() < kMergePx) {
    batch(color, true);
    m_dots.push_back(box.center());
    return;
  }
  double width = p.kind == ScenePrim::kWidePathStroke ? p.width * m_pixelsPerUnit : p.width;
  if (m_highlight) width += kHighlightExtraPx;
  if (p.kind == ScenePrim::kPathStroke && width <= 1) {
    // Thin curves join the batch of thin lines, cut in pixels.
    batch(color, false);
    addThinCurves(outline);
    return;
  }
  flush();
  m_painter.setTransform(m_toPixels);
  if (p.kind == ScenePrim::kPathFill) {
    m_painter.fillPath(outline, QColor::fromRgba(color));
  } else {
    QPen pen(QColor::fromRgb(color), std::max(1.0, width));
    pen.setCosmetic(true);
    const bool wide = p.kind == ScenePrim::kWidePathStroke;
    pen.setCapStyle(wide ? Qt::FlatCap : Qt::RoundCap);
    pen.setJoinStyle(wide ? Qt::MiterJoin : Qt::RoundJoin);
    pen.setMiterLimit(2);  // pen widths: four half widths out at most, as elsewhere
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawPath(outline);
  }
  m_painter.resetTransform();
}

void ScenePainter::polyline(const SceneEntity& e, const ScenePrim& p) {
  const QRgb color = colorOf(p);
  if (!spreadOrDot(e, p, color)) return;
  double width = p.kind == ScenePrim::kWideStroke ? p.width * m_pixelsPerUnit : p.width;
  if (m_highlight) width += kHighlightExtraPx;
  if (width <= 1) {
    batch(color, false);
    for (std::size_t k = 1; k < m_pixels.size(); ++k) m_lines.emplace_back(m_pixels[k - 1], m_pixels[k]);
    return;
  }
  flush();
  QPen pen(QColor::fromRgb(color), width);
  pen.setCosmetic(true);
  if (p.kind == ScenePrim::kWideStroke) {
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setMiterLimit(2);  // pen widths: four half widths out at most, as elsewhere
  }
  m_painter.setPen(pen);
  m_painter.drawPolyline(m_pixels.data(), int(m_pixels.size()));
}

void ScenePainter::fill(const SceneEntity& e, const ScenePrim& p) {
  const QRgb color = colorOf(p);
  if (!spreadOrDot(e, p, color)) return;
  flush();
  m_painter.setPen(Qt::NoPen);
  m_painter.setBrush(QColor::fromRgba(color));
  m_painter.drawPolygon(m_pixels.data(), int(m_pixels.size()));
  m_painter.setBrush(Qt::NoBrush);
}

void ScenePainter::text(const SceneEntity& e, const ScenePrim& p) {
  const SceneText& t = m_scene.text(p);
  const QRgb color = colorOf(p);
  QTransform place;
  place.translate(e.bounds.left() + t.origin.x, e.bounds.top() + t.origin.y);
  place.rotateRadians(t.rotation);
  place.scale(t.scaleX, t.scaleY);
  place.shear(t.lean, 0);
  const QTransform toPixels = place * m_toPixels;
  const double heightPx = std::min(t.box.width() * std::abs(t.scaleX), t.box.height() * std::abs(t.scaleY)) *
                          m_pixelsPerUnit;
  if (heightPx < kReadableTextPx) {
    // Text too small to read is drawn as the line it makes on paper:
    // filling its glyphs would cost the most and show nothing.
    const double y = t.box.center().y();
    const QPointF a = toPixels.map(QPointF(t.box.left(), y)), b = toPixels.map(QPointF(t.box.right(), y));
    if (std::abs(a.x() - b.x()) < kMergePx && std::abs(a.y() - b.y()) < kMergePx) {
      batch(color, true);
      m_dots.push_back(a);
    } else {
      batch(color, false);
      m_lines.emplace_back(a, b);
    }
    return;
  }
  flush();
  m_painter.setTransform(toPixels);
  m_painter.fillPath(m_scene.textOutline(p), QColor::fromRgba(color));
  m_painter.resetTransform();
}

void ScenePainter::beginClip(const ScenePrim& p) {
  flush();  // what waits was drawn before the clip
  m_painter.save();
  // The painter's transform is reset here: the region goes in pixels. With
  // a clip already set the new one is cut by it (nested regions).
  m_painter.setClipPath(m_toPixels.map(m_scene.path(p)), Qt::IntersectClip);
}

void ScenePainter::endClip() {
  flush();
  m_painter.restore();
}

void ScenePainter::image(const ScenePrim& p) {
  const SceneImage& picture = m_scene.image(p);
  flush();
  m_painter.save();
  m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
  m_painter.setTransform(picture.place * m_toPixels);
  m_painter.drawImage(QPointF(0, 0), picture.image);
  m_painter.restore();
}

void ScenePainter::entity(const SceneEntity& e) {
  for (std::uint32_t k = e.first; k < e.last; ++k) {
    const ScenePrim& p = m_scene.prims()[k];
    switch (p.kind) {
      case ScenePrim::kStroke:
      case ScenePrim::kWideStroke:
        polyline(e, p);
        break;
      case ScenePrim::kFill:
        fill(e, p);
        break;
      case ScenePrim::kText:
        text(e, p);
        break;
      case ScenePrim::kPathStroke:
      case ScenePrim::kWidePathStroke:
      case ScenePrim::kPathFill:
        path(e, p);
        break;
      case ScenePrim::kDot:
        mark(e, p);
        break;
      case ScenePrim::kClipBegin:
        beginClip(p);
        break;
      case ScenePrim::kClipEnd:
        endClip();
        break;
      case ScenePrim::kImage:
        image(p);
        break;
    }
  }
}

}  // namespace qrvwindow
