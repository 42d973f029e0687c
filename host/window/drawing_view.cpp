#include "drawing_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "view_snaps.h"

namespace qrvwindow {

namespace {

constexpr double kPickBoxPx = 5;      // half the pick box
constexpr double kGripPx = 4;         // half a grip's square
constexpr double kDragThresholdPx = 4;  // a press that moves less is a click
constexpr double kWheelStep = 1.2;    // zoom per wheel notch
constexpr double kExtentsMarginPx = 16;
constexpr double kReachPx = 8;  // how far a line's width may reach out of its entity's box
// How far from the cursor a snap point is looked for.
constexpr double kSnapAperturePx = 8;
// More changed areas than this are painted as one picture of the view.
constexpr std::size_t kMostChangedAreas = 64;

}  // namespace

DrawingView::DrawingView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::BlankCursor);  // the crosshair stands in for it
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(200, 150);
}

void DrawingView::setScene(const ViewScene* scene, bool keepView) {
  m_scene = scene;
  m_highlighted.clear();
  if (!keepView) zoomExtents();
  invalidate();
}

void DrawingView::sceneChanged(const std::vector<QRectF>& areas) {
  if (!m_cacheValid || m_cacheCenter != m_center || areas.size() > kMostChangedAreas) {
    invalidate();
    return;
  }
  for (const QRectF& area : areas) {
    const QRect px = QRectF(toPixel(area.topLeft()), toPixel(area.bottomRight()))
                         .normalized()
                         .adjusted(-kReachPx, -kReachPx, kReachPx, kReachPx)
                         .toAlignedRect() &
                     rect();
    if (px.isEmpty()) continue;
    {
      QPainter p(&m_cache);
      p.fillRect(px, m_background);
    }
    paintInto(m_cache, px);
  }
  update();
}

void DrawingView::setBackground(const QColor& color) {
  m_background = color;
  invalidate();
}

void DrawingView::setHighlighted(std::vector<std::uint32_t> entities) {
  m_highlighted = std::move(entities);
  update();
}

void DrawingView::setGrips(std::vector<QPointF> grips, bool draggable) {
  m_grips = std::move(grips);
  m_gripsDraggable = draggable;
  m_gripDragged.reset();
  update();
}

std::optional<std::size_t> DrawingView::gripAt(QPointF pixel) const {
  std::optional<std::size_t> nearest;
  double best = kPickBoxPx + 1;
  for (std::size_t i = 0; i < m_grips.size(); ++i) {
    const QPointF d = toPixel(m_grips[i]) - pixel;
    const double far = std::max(std::abs(d.x()), std::abs(d.y()));
    if (far < best) best = far, nearest = i;
  }
  return nearest;
}

void DrawingView::paintGrips(QPainter& p) const {
  if (m_grips.empty()) return;
  const QColor fill(40, 140, 255);
  p.setPen(QPen(QColor(250, 250, 250), 1));
  for (std::size_t i = 0; i < m_grips.size(); ++i) {
    const QPointF at = toPixel(m_grips[i]);
    p.setBrush(m_gripDragged == i ? QColor(230, 60, 60) : fill);
    p.drawRect(QRectF(at.x() - kGripPx, at.y() - kGripPx, 2 * kGripPx, 2 * kGripPx));
  }
  p.setBrush(Qt::NoBrush);
  if (m_gripDragged && m_cursor) {
    p.setPen(QPen(QColor(230, 60, 60), 1, Qt::DashLine));
    p.drawLine(toPixel(m_grips[*m_gripDragged]), *m_cursor);
  }
}

void DrawingView::setRubberBase(std::optional<QPointF> base) {
  m_rubberBase = base;
  update();
}

void DrawingView::setPreview(const ViewScene* preview) {
  m_preview = preview;
  update();
}

void DrawingView::setSnapper(Snapper snapper) {
  m_snapper = std::move(snapper);
  m_snap.reset();
  if (m_cursor) trackCursor(*m_cursor);
  update();
}

QPointF DrawingView::trackCursor(QPointF pixel) {
  const QPointF at = toDrawing(pixel);
  m_snap = m_snapper ? m_snapper(at, kSnapAperturePx / m_scale) : std::nullopt;
  m_drafted.reset();
  if (m_snap) return QPointF(m_snap->point.x, m_snap->point.y);
  if (!m_drafting) return at;
  std::optional<OdGePoint3d> base;
  if (m_rubberBase) base = OdGePoint3d(m_rubberBase->x(), m_rubberBase->y(), 0);
  const OdGePoint3d p = hostDraftedPoint(OdGePoint3d(at.x(), at.y(), 0), base, *m_drafting);
  m_drafted = QPointF(p.x, p.y);
  return *m_drafted;
}

void DrawingView::setDrafting(std::optional<HostDraftingModes> modes) {
  m_drafting = modes;
  m_drafted.reset();
  update();
}

void DrawingView::setGrid(std::optional<QSizeF> spacing) {
  if (spacing && !(spacing->width() > 0 && spacing->height() > 0)) spacing.reset();
  m_grid = spacing;
  update();
}

void DrawingView::paintGrid(QPainter& p, const QColor& ink) const {
  if (!m_grid) return;
  // At least 8 pixels between dots, and no more dots than a screen holds.
  double sx = m_grid->width(), sy = m_grid->height();
  while (sx * m_scale < 8) sx *= 2;
  while (sy * m_scale < 8) sy *= 2;
  const QRectF visible = QRectF(toDrawing(QPointF(0, height())), toDrawing(QPointF(width(), 0))).normalized();
  const double x0 = std::ceil(visible.left() / sx), x1 = std::floor(visible.right() / sx);
  const double y0 = std::ceil(visible.top() / sy), y1 = std::floor(visible.bottom() / sy);
  if (!(x1 - x0 < 4000 && y1 - y0 < 4000)) return;
  p.setPen(QPen(ink, 1));
  for (double i = x0; i <= x1; ++i)
    for (double j = y0; j <= y1; ++j) p.drawPoint(toPixel(QPointF(i * sx, j * sy)));
}

QTransform DrawingView::transform() const {
  // y grows upwards in the drawing and downwards on the screen.
  QTransform t;
  t.translate(width() / 2.0, height() / 2.0);
  t.scale(m_scale, -m_scale);
  t.translate(-m_center.x(), -m_center.y());
  return t;
}

QPointF DrawingView::toDrawing(QPointF pixel) const {
  return QPointF(m_center.x() + (pixel.x() - width() / 2.0) / m_scale,
                 m_center.y() - (pixel.y() - height() / 2.0) / m_scale);
}

QPointF DrawingView::toPixel(QPointF drawing) const { return transform().map(drawing); }

void DrawingView::zoomExtents() {
  if (!m_scene || m_scene->entities().empty()) {
    m_center = {};
    m_scale = 1;
    invalidate();
    return;
  }
  const QRectF e = m_scene->extents();
  const double w = std::max(1.0, width() - 2 * kExtentsMarginPx);
  const double h = std::max(1.0, height() - 2 * kExtentsMarginPx);
  const double sx = e.width() > 0 ? w / e.width() : 1e12;
  const double sy = e.height() > 0 ? h / e.height() : 1e12;
  m_scale = std::min(sx, sy);
  if (!(m_scale > 0) || !std::isfinite(m_scale) || m_scale >= 1e12) m_scale = 1;
  m_center = e.center();
  invalidate();
}

void DrawingView::zoomTo(const QRectF& box) {
  if (!(box.width() > 0 && box.height() > 0)) return;
  const double scale = std::min(width() / box.width(), height() / box.height());
  if (!(scale > 1e-12 && scale < 1e12)) return;
  m_scale = scale;
  m_center = box.center();
  invalidate();
}

void DrawingView::setMode(Mode mode) {
  m_mode = mode;
  m_boxFrom.reset();
  m_panFrom.reset();
  // The crosshair stands in for the cursor, except for the hand that pans.
  setCursor(mode == Mode::kPan ? Qt::OpenHandCursor : Qt::BlankCursor);
  update();
}

void DrawingView::zoomAt(QPointF at, double factor) {
  const QPointF before = toDrawing(at);
  const double scale = m_scale * factor;
  if (!(scale > 1e-12 && scale < 1e12)) return;  // beyond what doubles can show
  m_scale = scale;
  const QPointF after = toDrawing(at);
  m_center += before - after;
  invalidate();
}

void DrawingView::panPixels(QPointF delta) {
  m_center -= QPointF(delta.x() / m_scale, -delta.y() / m_scale);
  update();  // the picture moves along; only what comes into view is painted
}

void DrawingView::invalidate() {
  m_cacheValid = false;
  update();
}

void DrawingView::renderCache() {
  const qreal ratio = devicePixelRatioF();
  // The picture of the same size is painted over: new memory for it would
  // cost more than the painting at every step of the wheel.
  if (m_cache.size() != size() * ratio || m_cache.devicePixelRatio() != ratio) {
    m_cache = QImage(size() * ratio, QImage::Format_RGB32);
    m_cache.setDevicePixelRatio(ratio);
  }
  m_cache.fill(m_background);
  if (m_scene) m_scene->paintImage(m_cache, transform(), drawingAround(rect()), m_scale, kReachPx);
  m_cacheCenter = m_center;
  m_cacheValid = true;
}

void DrawingView::paintInto(QImage& image, const QRect& area) {
  if (!m_scene || area.isEmpty()) return;
  QPainter p(&image);
  p.setClipRect(area);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setTransform(transform());
  m_scene->paint(p, drawingAround(area), m_scale);
}

QRectF DrawingView::drawingAround(const QRect& area) const {
  // A little around the area: wide lines reach beyond their entity's box.
  const QRectF around = QRectF(area).adjusted(-kReachPx, -kReachPx, kReachPx, kReachPx);
  return QRectF(toDrawing(around.bottomLeft()), toDrawing(around.topRight())).normalized();
}

bool DrawingView::scrollCache() {
  // Where the cached picture now stands, in whole device pixels: a pan
  // moves it by whole pixels, so the part still in view is exact.
  const qreal ratio = devicePixelRatioF();
  const QPointF shift((m_cacheCenter.x() - m_center.x()) * m_scale * ratio,
                      (m_center.y() - m_cacheCenter.y()) * m_scale * ratio);
  const QPoint whole = shift.toPoint();
  if (std::abs(shift.x() - whole.x()) > 1e-3 || std::abs(shift.y() - whole.y()) > 1e-3 ||
      std::abs(whole.x()) >= m_cache.width() || std::abs(whole.y()) >= m_cache.height())
    return false;
  QImage moved(m_cache.size(), QImage::Format_RGB32);
  moved.setDevicePixelRatio(ratio);
  moved.fill(m_background);
  {
    QPainter p(&moved);
    p.drawImage(QPointF(whole) / ratio, m_cache);
  }
  // What comes into view: a band at the side it comes from, across and down.
  const int w = width(), h = height();
  const int dx = int(std::ceil(std::abs(whole.x()) / ratio)), dy = int(std::ceil(std::abs(whole.y()) / ratio));
  paintInto(moved, whole.x() > 0 ? QRect(0, 0, dx, h) : QRect(w - dx, 0, dx, h));
  paintInto(moved, whole.y() > 0 ? QRect(0, 0, w, dy) : QRect(0, h - dy, w, dy));
  m_cache = std::move(moved);
  m_cacheCenter = m_center;
  return true;
}

void DrawingView::paintEvent(QPaintEvent*) {
  if (!m_cacheValid || m_cache.size() != size() * devicePixelRatioF() ||
      (m_cacheCenter != m_center && !scrollCache()))
    renderCache();
  QPainter p(this);
  p.drawImage(0, 0, m_cache);
  if (m_scene && !m_highlighted.empty()) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setTransform(transform());
    m_scene->paintHighlight(p, m_highlighted, m_scale, qRgb(40, 140, 255));
    p.restore();
  }
  paintGrips(p);
  if (m_cursor && m_preview) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setTransform(transform());
    const QRectF visible = QRectF(toDrawing(QPointF(0, height())), toDrawing(QPointF(width(), 0))).normalized();
    m_preview->paint(p, visible, m_scale);
    p.restore();
  }
  const QColor ink = m_background.lightness() < 128 ? QColor(230, 230, 230) : QColor(20, 20, 20);
  paintGrid(p, m_background.lightness() < 128 ? QColor(110, 120, 130) : QColor(150, 150, 150));
  const std::optional<QPointF> snapped = m_snap      ? std::optional(toPixel({m_snap->point.x, m_snap->point.y}))
                                         : m_drafted ? std::optional(toPixel(*m_drafted))
                                                     : std::nullopt;
  if (m_cursor && m_rubberBase) {
    QPen pen(ink, 1, Qt::DashLine);
    p.setPen(pen);
    p.drawLine(toPixel(*m_rubberBase), snapped.value_or(*m_cursor));
  }
  if (m_cursor && m_snap && snapped) paintSnapMarker(p, *snapped, m_snap->kind);
  if (m_cursor && m_boxFrom) {
    const bool crossing = m_cursor->x() < m_boxFrom->x();
    const QRectF box = QRectF(*m_boxFrom, *m_cursor).normalized();
    p.setPen(QPen(crossing ? QColor(60, 200, 90) : QColor(60, 120, 255), 1, crossing ? Qt::DashLine : Qt::SolidLine));
    p.setBrush(crossing ? QColor(60, 200, 90, 50) : QColor(60, 120, 255, 50));
    p.drawRect(box);
    p.setBrush(Qt::NoBrush);
  }
  if (m_cursor) {
    p.setPen(QPen(ink, 1));
    const QPointF c = *m_cursor;
    p.drawLine(QPointF(0, c.y()), QPointF(width(), c.y()));
    p.drawLine(QPointF(c.x(), 0), QPointF(c.x(), height()));
    p.drawRect(QRectF(c.x() - kPickBoxPx, c.y() - kPickBoxPx, 2 * kPickBoxPx, 2 * kPickBoxPx));
  }
}

// A picture of another size is painted anew when next shown.
void DrawingView::resizeEvent(QResizeEvent*) { update(); }

void DrawingView::wheelEvent(QWheelEvent* e) {
  const double notches = e->angleDelta().y() / 120.0;
  if (notches != 0) zoomAt(e->position(), std::pow(kWheelStep, notches));
  e->accept();
}

void DrawingView::mousePressEvent(QMouseEvent* e) {
  setFocus();
  if (e->button() == Qt::MiddleButton || (e->button() == Qt::LeftButton && (m_spaceDown || m_mode == Mode::kPan))) {
    m_panFrom = e->position();
    return;
  }
  if (e->button() == Qt::LeftButton && m_mode == Mode::kNormal && m_gripsDraggable) {
    if ((m_gripDragged = gripAt(e->position()))) return update();
  }
  if (e->button() == Qt::LeftButton) m_boxFrom = e->position();
}

void DrawingView::mouseMoveEvent(QMouseEvent* e) {
  m_cursor = e->position();
  if (m_panFrom) {
    panPixels(e->position() - *m_panFrom);
    m_panFrom = e->position();
  }
  const QPointF at = trackCursor(e->position());
  if (onCursor) onCursor(at);
  update();
}

void DrawingView::mouseReleaseEvent(QMouseEvent* e) {
  if (m_panFrom && (e->button() == Qt::MiddleButton || e->button() == Qt::LeftButton)) {
    m_panFrom.reset();
    return;
  }
  if (e->button() == Qt::LeftButton && m_gripDragged) {
    const std::size_t grip = *m_gripDragged;
    m_gripDragged.reset();
    // A grip pressed and let go where it is: a click, which selects.
    const QPointF moved = e->position() - toPixel(m_grips[grip]);
    if (std::max(std::abs(moved.x()), std::abs(moved.y())) < kDragThresholdPx) {
      if (onClick) onClick(trackCursor(e->position()), kPickBoxPx / m_scale);
    } else if (onGripDragged) {
      onGripDragged(grip, trackCursor(e->position()));
    }
    return update();
  }
  if (e->button() != Qt::LeftButton || !m_boxFrom) return;
  const QPointF from = *m_boxFrom;
  m_boxFrom.reset();
  const QPointF to = e->position();
  const bool click = std::abs(to.x() - from.x()) < kDragThresholdPx && std::abs(to.y() - from.y()) < kDragThresholdPx;
  if (m_mode == Mode::kZoomWindow) {
    // A click picks nothing here; a box is zoomed to, and the mode ends.
    if (click) return update();
    zoomTo(QRectF(toDrawing(from), toDrawing(to)).normalized());
    setMode(Mode::kNormal);
    if (onModeEnded) onModeEnded();
    return;
  }
  if (click) {
    if (onClick) onClick(trackCursor(to), kPickBoxPx / m_scale);
  } else if (onBox) {
    onBox(QRectF(toDrawing(from), toDrawing(to)).normalized(), to.x() < from.x());
  }
  update();
}

void DrawingView::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() == Qt::MiddleButton) {
    zoomExtents();
    return;
  }
  mousePressEvent(e);
}

void DrawingView::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Space && !e->isAutoRepeat()) {
    m_spaceDown = true;
    return;
  }
  if (e->key() == Qt::Key_Escape && m_mode != Mode::kNormal) {
    setMode(Mode::kNormal);
    if (onModeEnded) onModeEnded();
    return;
  }
  if (e->key() == Qt::Key_Escape) {
    m_boxFrom.reset();
    if (onEscape) onEscape();
    update();
    return;
  }
  if (!e->text().isEmpty() && e->text().front().isPrint() && onTyped) {
    onTyped(e->text());
    return;
  }
  QWidget::keyPressEvent(e);
}

void DrawingView::keyReleaseEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Space && !e->isAutoRepeat()) {
    m_spaceDown = false;
    m_panFrom.reset();
    return;
  }
  QWidget::keyReleaseEvent(e);
}

void DrawingView::leaveEvent(QEvent*) {
  m_cursor.reset();
  m_snap.reset();
  update();
}

}  // namespace qrvwindow
