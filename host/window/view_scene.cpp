#include "view_scene.h"

#include <QLineF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <string>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "font_metrics.h"
#include "renderer.h"

namespace qrvwindow {

namespace {

constexpr double kPxPerMm = 96 / 25.4;
// The grid has at most this many cells along a side; an entity that would
// reach into more cells than kWideEntityCells is listed in every query.
constexpr int kGridSide = 128;
constexpr std::size_t kWideEntityCells = 2048;
// Texts whose outlines are kept for the next build.
constexpr std::size_t kOutlineCacheSize = 20000;
// Text whose run is lower than this many pixels is drawn as a line.
constexpr double kReadableTextPx = 4;

QColor toColor(render::Rgb c) { return QColor(c.r, c.g, c.b); }
QPointF toPoint(render::Point2 p) { return QPointF(p.x, p.y); }

QRectF boxOf(const render::Bounds& b) {
  if (b.empty()) return {};
  return QRectF(QPointF(b.minX, b.minY), QPointF(b.maxX, b.maxY));
}

// The pieces a dash pattern (drawing units: positive a dash, negative a
// gap, zero a dot) leaves of a polyline.
std::vector<QPolygonF> dashed(const QPolygonF& line, const std::vector<double>& pattern) {
  double total = 0;
  for (double d : pattern) total += std::abs(d);
  if (pattern.empty() || !(total > 0) || !std::isfinite(total)) return {line};
  std::vector<QPolygonF> pieces;
  std::size_t index = 0;
  double left = std::abs(pattern[0]);
  auto drawing = [&] { return pattern[index] >= 0; };
  QPolygonF current;
  if (drawing()) current << line.front();
  // A dot is a dash so short that it shows as a point at any zoom.
  const double dot = total * 1e-3;
  for (qsizetype i = 1; i < line.size(); ++i) {
    QPointF a = line[i - 1];
    const QPointF b = line[i];
    double segment = QLineF(a, b).length();
    while (segment > 0) {
      const double step = std::min(segment, left > 0 ? left : dot);
      const QPointF p = a + (b - a) * (step / segment);
      if (drawing()) current << p;
      segment -= step;
      a = p;
      left -= step;
      if (left <= 1e-12) {
        if (drawing() && current.size() > 1) pieces.push_back(current);
        current.clear();
        index = (index + 1) % pattern.size();
        left = std::abs(pattern[index]);
        if (drawing()) current << a;
      }
    }
  }
  if (current.size() > 1) pieces.push_back(current);
  return pieces;
}

// The glyph outlines of a text in ems, baseline at y = 0.
QPainterPath outlinesInEms(int font, const std::string& text) {
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  double advance = 0;
  for (const auto& contour : render::FontMetrics::shared().outlines(font, text, advance)) {
    if (contour.size() < 2) continue;
    QPolygonF poly;
    for (const render::Point2& p : contour) poly << QPointF(p.x, p.y);
    poly << poly.front();
    path.addPolygon(poly);
  }
  return path;
}

}  // namespace

QPainterPath ViewScene::textPath(const render::TextRunPrim& t) {
  if (t.font < 0) return {};
  // Drawings repeat their texts (dimension values, notes): each is
  // outlined once.
  std::string key = std::to_string(t.font) + '\n' + t.text;
  auto found = m_outlines.find(key);
  if (found == m_outlines.end()) {
    if (m_outlines.size() >= kOutlineCacheSize) m_outlines.clear();
    found = m_outlines.emplace(std::move(key), outlinesInEms(t.font, t.text)).first;
  }
  QTransform xf;
  xf.translate(t.origin.x, t.origin.y);
  xf.rotateRadians(t.rotation);
  xf.scale(t.emSize * t.widthFactor, t.emSize);
  QPainterPath path = xf.map(found->second);
  path.setFillRule(Qt::WindingFill);
  return path;
}

namespace {

double segmentDistance(QPointF p, QPointF a, QPointF b) {
  const QPointF d = b - a;
  const double len2 = d.x() * d.x() + d.y() * d.y();
  double t = len2 > 0 ? ((p.x() - a.x()) * d.x() + (p.y() - a.y()) * d.y()) / len2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  const QPointF q = a + d * t - p;
  return std::hypot(q.x(), q.y());
}

// Whether two boxes share a point; also boxes without area (a line along an
// axis), which QRectF::intersects never counts.
bool meets(const QRectF& a, const QRectF& b) {
  return a.left() <= b.right() && a.right() >= b.left() && a.top() <= b.bottom() && a.bottom() >= b.top();
}

bool contains(const QRectF& outer, const QRectF& inner) {
  return outer.left() <= inner.left() && outer.right() >= inner.right() && outer.top() <= inner.top() &&
         outer.bottom() >= inner.bottom();
}

bool segmentMeetsBox(QPointF a, QPointF b, const QRectF& box) {
  if (box.contains(a) || box.contains(b)) return true;
  const QLineF s(a, b);
  const QLineF edges[] = {{box.topLeft(), box.topRight()},
                          {box.topRight(), box.bottomRight()},
                          {box.bottomRight(), box.bottomLeft()},
                          {box.bottomLeft(), box.topLeft()}};
  for (const QLineF& e : edges)
    if (s.intersects(e, nullptr) == QLineF::BoundedIntersection) return true;
  return false;
}

bool polylineMeetsBox(const QPolygonF& pts, bool closed, const QRectF& box) {
  for (qsizetype i = 1; i < pts.size(); ++i)
    if (segmentMeetsBox(pts[i - 1], pts[i], box)) return true;
  if (closed && pts.size() > 2 && segmentMeetsBox(pts.back(), pts.front(), box)) return true;
  return pts.size() == 1 && box.contains(pts.front());
}

}  // namespace

void ViewScene::clear() {
  m_entities.clear();
  m_prims.clear();
  m_grid.clear();
  m_extents = {};
  m_columns = m_rows = 0;
}

void ViewScene::build(OdDbDatabase* db, render::Rgb background, render::Rgb foreground) {
  clear();
  if (!db) return;
  auto space = OdDbBlockTableRecord::cast(db->getModelSpaceId().openObject());
  if (!space) return;
  render::RenderOptions options;
  options.background = background;
  options.foreground = foreground;
  // One renderer per entity: each entity gets the renderer's bounds on work
  // to itself, so a big drawing is drawn whole.
  for (OdDbBlockIteratorPtr it = space->newIterator(); !it->done(); it->step()) {
    render::Renderer renderer(options);
    const OdDbObjectId id = it->objectId();
    renderer.draw(id);
    addEntity(id, renderer.displayList());
  }
  buildGrid();
}

void ViewScene::addEntity(OdDbObjectId id, const render::DisplayList& list) {
  if (list.empty() || list.bounds().empty()) return;
  SceneEntity e;
  e.id = id;
  e.first = std::uint32_t(m_prims.size());
  for (const render::Primitive& p : list.items()) addPrimitive(p, e);
  e.last = std::uint32_t(m_prims.size());
  e.bounds = boxOf(list.bounds());
  if (!std::isfinite(e.bounds.width()) || !std::isfinite(e.bounds.height())) {
    m_prims.resize(e.first);  // a picture with no scale cannot be placed on screen
    return;
  }
  m_extents = m_extents.isNull() ? e.bounds : m_extents.united(e.bounds);
  m_entities.push_back(e);
}

void ViewScene::addPrimitive(const render::Primitive& p, SceneEntity&) {
  if (const auto* line = std::get_if<render::PolylinePrim>(&p)) {
    QPolygonF pts;
    for (const render::Point2& q : line->points) pts << toPoint(q);
    if (line->closed && pts.size() > 2) pts << pts.front();
    ScenePrim prim;
    prim.color = toColor(line->stroke.color);
    if (line->stroke.width > 0) {
      prim.kind = ScenePrim::kWideStroke;
      prim.widthUnits = float(line->stroke.width);
    } else {
      prim.widthPx = float(std::max(1.0, line->stroke.lineweightMm * kPxPerMm));
    }
    for (QPolygonF& piece : dashed(pts, line->stroke.dashes)) {
      prim.points = std::move(piece);
      m_prims.push_back(prim);
    }
  } else if (const auto* fill = std::get_if<render::FilledPolygonPrim>(&p)) {
    ScenePrim prim;
    prim.kind = ScenePrim::kFill;
    prim.color = toColor(fill->color);
    for (const render::Point2& q : fill->points) prim.points << toPoint(q);
    m_prims.push_back(std::move(prim));
  } else if (const auto* text = std::get_if<render::TextRunPrim>(&p)) {
    ScenePrim prim;
    prim.kind = ScenePrim::kText;
    prim.color = toColor(text->color);
    prim.path = textPath(*text);
    if (prim.path.isEmpty()) {
      // No font to draw it with: its box stands in, so that it is not lost.
      const QRectF box = boxOf(render::boundsOf(p));
      prim.kind = ScenePrim::kStroke;
      prim.points = QPolygonF(box);
    }
    m_prims.push_back(std::move(prim));
  }
}

void ViewScene::buildGrid() {
  m_grid.clear();
  m_seen.assign(m_entities.size(), 0);
  m_stamp = 0;
  if (m_entities.empty()) return;
  const double side = std::max(m_extents.width(), m_extents.height());
  m_cell = std::max(side / kGridSide, 1e-9);
  m_columns = std::clamp(int(std::ceil(m_extents.width() / m_cell)) + 1, 1, kGridSide + 1);
  m_rows = std::clamp(int(std::ceil(m_extents.height() / m_cell)) + 1, 1, kGridSide + 1);
  m_grid.assign(std::size_t(m_columns * m_rows) + 1, {});  // the last cell: entities met everywhere
  for (std::uint32_t i = 0; i < m_entities.size(); ++i) {
    const QRectF& b = m_entities[i].bounds;
    const int c0 = std::clamp(int((b.left() - m_extents.left()) / m_cell), 0, m_columns - 1);
    const int c1 = std::clamp(int((b.right() - m_extents.left()) / m_cell), 0, m_columns - 1);
    const int r0 = std::clamp(int((b.top() - m_extents.top()) / m_cell), 0, m_rows - 1);
    const int r1 = std::clamp(int((b.bottom() - m_extents.top()) / m_cell), 0, m_rows - 1);
    if (std::size_t(c1 - c0 + 1) * std::size_t(r1 - r0 + 1) > kWideEntityCells) {
      m_grid.back().push_back(i);
      continue;
    }
    for (int r = r0; r <= r1; ++r)
      for (int c = c0; c <= c1; ++c) m_grid[std::size_t(r * m_columns + c)].push_back(i);
  }
}

std::vector<std::uint32_t> ViewScene::query(const QRectF& box) const {
  std::vector<std::uint32_t> found;
  if (m_grid.empty()) return found;
  if (!meets(box, m_extents)) {
    for (std::uint32_t i : m_grid.back())
      if (meets(m_entities[i].bounds, box)) found.push_back(i);
    return found;
  }
  if (++m_stamp == 0) {
    std::fill(m_seen.begin(), m_seen.end(), 0);
    m_stamp = 1;
  }
  auto take = [&](std::uint32_t i) {
    if (m_seen[i] == m_stamp) return;
    m_seen[i] = m_stamp;
    if (meets(m_entities[i].bounds, box)) found.push_back(i);
  };
  const int c0 = std::clamp(int((box.left() - m_extents.left()) / m_cell), 0, m_columns - 1);
  const int c1 = std::clamp(int((box.right() - m_extents.left()) / m_cell), 0, m_columns - 1);
  const int r0 = std::clamp(int((box.top() - m_extents.top()) / m_cell), 0, m_rows - 1);
  const int r1 = std::clamp(int((box.bottom() - m_extents.top()) / m_cell), 0, m_rows - 1);
  for (int r = r0; r <= r1; ++r)
    for (int c = c0; c <= c1; ++c)
      for (std::uint32_t i : m_grid[std::size_t(r * m_columns + c)]) take(i);
  for (std::uint32_t i : m_grid.back()) take(i);
  // Drawing order, so that later entities paint over earlier ones.
  std::sort(found.begin(), found.end());
  return found;
}

void ViewScene::paintEntity(QPainter& painter, const SceneEntity& e, double pixelsPerUnit,
                            const QColor* override) const {
  for (std::uint32_t k = e.first; k < e.last; ++k) {
    const ScenePrim& p = m_prims[k];
    const QColor color = override ? *override : p.color;
    switch (p.kind) {
      case ScenePrim::kStroke: {
        QPen pen(color, p.widthPx + (override ? 2 : 0));
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.drawPolyline(p.points);
        break;
      }
      case ScenePrim::kWideStroke: {
        QPen pen(color, std::max<double>(p.widthUnits, 1.0 / pixelsPerUnit));
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.drawPolyline(p.points);
        break;
      }
      case ScenePrim::kFill:
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawPolygon(p.points);
        painter.setBrush(Qt::NoBrush);
        break;
      case ScenePrim::kText: {
        // Text too small to read is drawn as the line it makes on paper:
        // filling its glyphs would cost the most and show nothing.
        const QRectF box = p.path.controlPointRect();
        if (std::min(box.width(), box.height()) * pixelsPerUnit < kReadableTextPx) {
          QPen pen(color, 1);
          pen.setCosmetic(true);
          painter.setPen(pen);
          const double y = box.center().y();
          painter.drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
        } else {
          painter.fillPath(p.path, color);
        }
        break;
      }
    }
  }
}

void ViewScene::paint(QPainter& painter, const QRectF& visible, double pixelsPerUnit) const {
  const double dotSize = 1.5 / pixelsPerUnit;
  for (std::uint32_t i : query(visible)) {
    const SceneEntity& e = m_entities[i];
    if (e.bounds.width() < dotSize && e.bounds.height() < dotSize) {
      // Smaller than a pixel: its colour at its place is all that shows.
      const ScenePrim& first = m_prims[e.first];
      QPen pen(first.color, 1);
      pen.setCosmetic(true);
      painter.setPen(pen);
      painter.drawPoint(e.bounds.center());
      continue;
    }
    paintEntity(painter, e, pixelsPerUnit, nullptr);
  }
}

void ViewScene::paintHighlight(QPainter& painter, const std::vector<std::uint32_t>& which, double pixelsPerUnit,
                               const QColor& color) const {
  for (std::uint32_t i : which)
    if (i < m_entities.size()) paintEntity(painter, m_entities[i], pixelsPerUnit, &color);
}

int ViewScene::pick(QPointF at, double tolerance) const {
  const QRectF around(at.x() - tolerance, at.y() - tolerance, 2 * tolerance, 2 * tolerance);
  int best = -1;
  for (std::uint32_t i : query(around)) {
    const SceneEntity& e = m_entities[i];
    bool hit = false;
    for (std::uint32_t k = e.first; k < e.last && !hit; ++k) {
      const ScenePrim& p = m_prims[k];
      if (p.kind == ScenePrim::kText) {
        hit = p.path.boundingRect().adjusted(-tolerance, -tolerance, tolerance, tolerance).contains(at);
      } else if (p.kind == ScenePrim::kFill && p.points.containsPoint(at, Qt::OddEvenFill)) {
        hit = true;
      } else {
        const double reach = tolerance + (p.kind == ScenePrim::kWideStroke ? p.widthUnits / 2 : 0);
        for (qsizetype j = 1; j < p.points.size() && !hit; ++j)
          hit = segmentDistance(at, p.points[j - 1], p.points[j]) <= reach;
      }
    }
    if (hit) best = int(i);  // the last in drawing order is the one on top
  }
  return best;
}

bool ViewScene::touches(const SceneEntity& e, const QRectF& box) const {
  if (contains(box, e.bounds)) return true;
  for (std::uint32_t k = e.first; k < e.last; ++k) {
    const ScenePrim& p = m_prims[k];
    if (p.kind == ScenePrim::kText) {
      if (meets(p.path.boundingRect(), box)) return true;
    } else if (polylineMeetsBox(p.points, p.kind == ScenePrim::kFill, box) ||
               (p.kind == ScenePrim::kFill && p.points.containsPoint(box.center(), Qt::OddEvenFill))) {
      return true;
    }
  }
  return false;
}

std::vector<std::uint32_t> ViewScene::inside(const QRectF& box) const {
  std::vector<std::uint32_t> out;
  for (std::uint32_t i : query(box))
    if (contains(box, m_entities[i].bounds)) out.push_back(i);
  return out;
}

std::vector<std::uint32_t> ViewScene::crossing(const QRectF& box) const {
  std::vector<std::uint32_t> out;
  for (std::uint32_t i : query(box))
    if (touches(m_entities[i], box)) out.push_back(i);
  return out;
}

int ViewScene::indexOf(OdDbObjectId id) const {
  for (std::size_t i = 0; i < m_entities.size(); ++i)
    if (m_entities[i].id == id) return int(i);
  return -1;
}

}  // namespace qrvwindow
