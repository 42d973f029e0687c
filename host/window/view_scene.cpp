#include "view_scene.h"

#include <QLineF>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "path_flatten.h"
#include "renderer.h"
#include "hand_off_queue.h"
#include "scene_painter.h"

namespace qrvwindow {

namespace {

constexpr double kPxPerMm = 96 / 25.4;
// The grid has at most this many cells along a side; an entity that would
// reach into more cells than kWideEntityCells is listed in every query.
constexpr int kGridSide = 128;
constexpr std::size_t kWideEntityCells = 2048;
// Entities handed from the renderer to the scene at a time.
constexpr std::size_t kBatchSize = 256;
// Text outlines kept between paints.
constexpr std::size_t kTextOutlineCacheSize = 4096;
// Painting in bands on threads of their own pays from this many entities
// on; more bands than this gain little over the painter's own costs.
constexpr std::size_t kBandedPaintFrom = 4096;
constexpr unsigned kMaxBands = 4;

QRgb toRgb(render::Rgb c) { return qRgb(c.r, c.g, c.b); }
// Fills and text may let what lies below show through.
QRgb toRgba(render::Rgb c, double opacity) {
  return qRgba(c.r, c.g, c.b, int(std::lround(std::clamp(opacity, 0.0, 1.0) * 255)));
}

QRectF boxOf(const render::Bounds& b) {
  if (b.empty()) return {};
  return QRectF(QPointF(b.minX, b.minY), QPointF(b.maxX, b.maxY));
}

// The pieces a dash pattern (drawing units: positive a dash, negative a
// gap, zero a dot) leaves of a polyline.
std::vector<std::vector<render::Point2>> dashed(const std::vector<render::Point2>& line,
                                                const std::vector<double>& pattern) {
  double total = 0;
  for (double d : pattern) total += std::abs(d);
  if (pattern.empty() || !(total > 0) || !std::isfinite(total) || line.empty()) return {line};
  std::vector<std::vector<render::Point2>> pieces;
  std::size_t index = 0;
  double left = std::abs(pattern[0]);
  auto drawing = [&] { return pattern[index] >= 0; };
  std::vector<render::Point2> current;
  if (drawing()) current.push_back(line.front());
  // A dot is a dash so short that it shows as a point at any zoom.
  const double dot = total * 1e-3;
  for (std::size_t i = 1; i < line.size(); ++i) {
    render::Point2 a = line[i - 1];
    const render::Point2 b = line[i];
    double segment = std::hypot(b.x - a.x, b.y - a.y);
    while (segment > 0) {
      const double step = std::min(segment, left > 0 ? left : dot);
      const double f = step / segment;
      const render::Point2 p{a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f};
      if (drawing()) current.push_back(p);
      segment -= step;
      a = p;
      left -= step;
      if (left <= 1e-12) {
        if (drawing() && current.size() > 1) pieces.push_back(current);
        current.clear();
        index = (index + 1) % pattern.size();
        left = std::abs(pattern[index]);
        if (drawing()) current.push_back(a);
      }
    }
  }
  if (current.size() > 1) pieces.push_back(std::move(current));
  return pieces;
}

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

bool polylineMeetsBox(const std::vector<QPointF>& pts, const QRectF& box) {
  for (std::size_t i = 1; i < pts.size(); ++i)
    if (segmentMeetsBox(pts[i - 1], pts[i], box)) return true;
  return pts.size() == 1 && box.contains(pts.front());
}


// A stroke's look in the scene: a polyline's width in drawing units
// (`wide`), or its lineweight in pixels (`thin`).
ScenePrim strokePrim(const render::Stroke& stroke, ScenePrim::Kind thin, ScenePrim::Kind wide) {
  ScenePrim prim;
  prim.color = toRgb(stroke.color);
  prim.kind = stroke.width > 0 ? wide : thin;
  prim.width = float(stroke.width > 0 ? stroke.width : std::max(1.0, stroke.lineweightMm * kPxPerMm));
  return prim;
}

}  // namespace

void ViewScene::clear() {
  m_entities.clear();
  m_prims.clear();
  m_points.clear();
  m_texts.clear();
  m_glyphPlacements.clear();
  m_paths.clear();
  m_images.clear();
  m_index.clear();
  m_textOutlines.clear();
  m_cellStart.clear();
  m_cellItems.clear();
  m_extents = {};
  m_columns = m_rows = 0;
}

std::size_t ViewScene::memoryBytes() const {
  std::size_t pathBytes = m_paths.capacity() * sizeof(QPainterPath);
  for (const QPainterPath& path : m_paths) pathBytes += std::size_t(path.elementCount()) * sizeof(QPainterPath::Element);
  return pathBytes + m_entities.capacity() * sizeof(SceneEntity) + m_prims.capacity() * sizeof(ScenePrim) +
         m_points.capacity() * sizeof(ScenePoint) + m_texts.capacity() * sizeof(SceneText) +
         m_glyphPlacements.capacity() * sizeof(GlyphPlacement) +
         m_index.size() * (sizeof(OdDbObjectId) + sizeof(std::uint32_t) + 2 * sizeof(void*)) +
         (m_cellStart.capacity() + m_cellItems.capacity() + m_seen.capacity()) * sizeof(std::uint32_t);
}

void ViewScene::build(OdDbDatabase* db, render::Rgb background, render::Rgb foreground) {
  clear();
  if (!db) return;
  auto space = OdDbBlockTableRecord::cast(db->getModelSpaceId().openObject());
  if (!space) return;
  m_options = {};
  m_options.background = background;
  m_options.foreground = foreground;
  // Each entity is a picture of its own with the renderer's bounds on work
  // to itself, so a big drawing is drawn whole; the renderer is kept, and
  // with it what it learnt of the drawing's layers and styles. Only this
  // thread reads the drawing; a second one turns the pictures into the
  // scene's arrays, which nothing else touches until it is done.
  using Batch = std::vector<std::pair<OdDbObjectId, render::DisplayList>>;
  // Converted batches go back to be freed where they were made: memory
  // freed on another thread than the one that took it costs a lock.
  HandOffQueue<Batch> queue, spent;
  std::exception_ptr converterFailure;
  const std::size_t total = space->entityIds().size();
  m_entities.reserve(total);
  // Points whose size is a share of the view's height, drawn again once the
  // drawing's extents are known: alone, each would be sized by itself.
  std::vector<OdDbObjectId> sizedByThemselves;
  std::thread converter([&] {
    try {
      std::size_t done = 0;
      while (std::optional<Batch> batch = queue.take()) {
        reserveAhead(done, total);
        done += batch->size();
        for (auto& [id, list] : *batch) {
          SceneEntity e;
          if (addEntity(id, list, e)) m_entities.push_back(e);
        }
        spent.put(std::move(*batch));
      }
    } catch (...) {
      converterFailure = std::current_exception();
      while (queue.take()) {
      }
    }
  });
  try {
    render::Renderer renderer(m_options);
    Batch batch;
    for (OdDbBlockIteratorPtr it = space->newIterator(); !it->done(); it->step()) {
      const OdDbObjectId id = it->objectId();
      renderer.draw(id);
      if (renderer.report().pointsSizedByPicture) sizedByThemselves.push_back(id);
      batch.emplace_back(id, renderer.take());
      renderer.restart();
      if (batch.size() == kBatchSize) {
        queue.put(std::exchange(batch, {}));
        while (spent.tryTake()) {
        }
      }
    }
    queue.put(std::move(batch));
  } catch (...) {
    queue.close();
    converter.join();
    clear();
    throw;
  }
  queue.close();
  converter.join();
  if (converterFailure) {
    clear();
    std::rethrow_exception(converterFailure);
  }
  index();
  // The view opens on the drawing's extents: their height stands for the
  // view's, and stays for later updates so that points keep one size.
  m_options.pointViewHeight = m_extents.height() > 0 ? m_extents.height() : m_extents.width();
  if (!sizedByThemselves.empty()) update(db, sizedByThemselves);
}

namespace {

// Grows an array to what the whole drawing will need at the rate seen over
// the first `done` of `total` entities, before the next batch could outgrow
// it: a growing array would otherwise be copied and its new pages touched
// at every doubling, which costs more than filling it.
template <class Array>
void growToward(Array& array, std::size_t done, std::size_t total) {
  if (done == 0) {
    array.reserve(std::max<std::size_t>(array.capacity(), 4096));
    return;
  }
  const double perEntity = double(array.size()) / double(done);
  const double nextBatch = perEntity * kBatchSize * 2;
  if (double(array.capacity() - array.size()) >= nextBatch) return;
  const double projected = perEntity * double(total) * 1.2 + nextBatch;
  array.reserve(std::max(std::size_t(projected), array.size() + std::size_t(nextBatch) + 1));
}

}  // namespace

void ViewScene::reserveAhead(std::size_t done, std::size_t total) {
  growToward(m_prims, done, total);
  growToward(m_points, done, total);
  growToward(m_texts, done, total);
  growToward(m_glyphPlacements, done, total);
  growToward(m_paths, done, total);
}

void ViewScene::index() {
  m_index.clear();
  m_index.reserve(m_entities.size());
  m_extents = {};
  for (std::uint32_t i = 0; i < m_entities.size(); ++i) {
    m_index.emplace(m_entities[i].id, i);
    m_extents = m_extents.isNull() ? m_entities[i].bounds : m_extents.united(m_entities[i].bounds);
  }
  buildGrid();
}

void ViewScene::buildFrom(const render::DisplayList& picture) {
  clear();
  SceneEntity e;
  if (addEntity(OdDbObjectId(), picture, e)) m_entities.push_back(e);
  index();
}

bool ViewScene::addEntity(OdDbObjectId id, const render::DisplayList& list, SceneEntity& e) {
  if (list.empty() || list.bounds().empty()) return false;
  e.id = id;
  e.bounds = boxOf(list.bounds());
  // A picture with no scale cannot be placed on screen.
  if (!std::isfinite(e.bounds.width()) || !std::isfinite(e.bounds.height())) return false;
  e.first = std::uint32_t(m_prims.size());
  for (const render::Primitive& p : list.items()) addPrimitive(p, e.bounds.topLeft());
  e.last = std::uint32_t(m_prims.size());
  return true;
}

std::vector<QRectF> ViewScene::update(OdDbDatabase* db, const std::vector<OdDbObjectId>& changed) {
  std::vector<QRectF> areas;
  if (!db || changed.empty()) return areas;
  const OdDbObjectId space = db->getModelSpaceId();
  render::Renderer renderer(m_options);
  bool added = false, removed = false;
  for (const OdDbObjectId& id : changed) {
    const int at = indexOf(id);
    if (at >= 0) areas.push_back(m_entities[std::size_t(at)].bounds);
    SceneEntity e;
    bool drawn = false;
    const OdDbObjectPtr object = id.openObject();
    if (object && object->ownerId() == space) {
      renderer.draw(id);
      drawn = addEntity(id, renderer.take(), e);
      renderer.restart();
    }
    if (drawn) areas.push_back(e.bounds);
    if (drawn && at >= 0) {
      m_entities[std::size_t(at)] = e;
    } else if (drawn) {
      m_entities.push_back(e);
      m_index.emplace(id, std::uint32_t(m_entities.size() - 1));
      added = true;
    } else if (at >= 0) {
      m_entities[std::size_t(at)].id = OdDbObjectId();  // gone: dropped below
      removed = true;
    }
  }
  if (removed) std::erase_if(m_entities, [](const SceneEntity& e) { return e.id.isNull(); });
  if (added) sortByDrawingOrder(db);
  compactIfWasteful();
  index();
  return areas;
}

void ViewScene::sortByDrawingOrder(OdDbDatabase* db) {
  auto space = OdDbBlockTableRecord::cast(db->getModelSpaceId().openObject());
  if (!space) return;
  std::unordered_map<OdDbObjectId, std::uint32_t> order;
  order.reserve(m_entities.size());
  std::uint32_t n = 0;
  for (OdDbBlockIteratorPtr it = space->newIterator(); !it->done(); it->step()) order.emplace(it->objectId(), n++);
  // Every entity of the scene is in model space: update() took out the rest.
  std::stable_sort(m_entities.begin(), m_entities.end(),
                   [&](const SceneEntity& a, const SceneEntity& b) { return order[a.id] < order[b.id]; });
}

void ViewScene::compactIfWasteful() {
  std::size_t used = 0;
  for (const SceneEntity& e : m_entities) used += e.last - e.first;
  if (m_prims.size() < 1024 || used * 2 >= m_prims.size()) return;
  std::vector<ScenePrim> prims;
  std::vector<ScenePoint> points;
  std::vector<SceneText> texts;
  std::vector<GlyphPlacement> glyphs;
  std::vector<QPainterPath> paths;
  std::vector<SceneImage> images;
  prims.reserve(used);
  for (SceneEntity& e : m_entities) {
    const std::uint32_t first = std::uint32_t(prims.size());
    for (std::uint32_t k = e.first; k < e.last; ++k) {
      ScenePrim p = m_prims[k];
      if (p.kind == ScenePrim::kText) {
        SceneText t = m_texts[p.first];
        p.first = std::uint32_t(texts.size());
        const std::uint32_t glyph = std::uint32_t(glyphs.size());
        glyphs.insert(glyphs.end(), m_glyphPlacements.begin() + t.firstGlyph,
                      m_glyphPlacements.begin() + t.firstGlyph + t.glyphCount);
        t.firstGlyph = glyph;
        texts.push_back(t);
      } else if (isPath(p) || p.kind == ScenePrim::kClipBegin) {
        paths.push_back(m_paths[p.first]);
        p.first = std::uint32_t(paths.size() - 1);
      } else if (p.kind == ScenePrim::kImage) {
        images.push_back(m_images[p.first]);
        p.first = std::uint32_t(images.size() - 1);
      } else {
        const std::uint32_t point = std::uint32_t(points.size());
        points.insert(points.end(), m_points.begin() + p.first, m_points.begin() + p.first + p.count);
        p.first = point;
      }
      prims.push_back(p);
    }
    e.first = first;
    e.last = std::uint32_t(prims.size());
  }
  m_prims = std::move(prims);
  m_points = std::move(points);
  m_texts = std::move(texts);
  m_glyphPlacements = std::move(glyphs);
  m_paths = std::move(paths);
  m_images = std::move(images);
  m_textOutlines.clear();  // keyed by the texts' old places
}

void ViewScene::addPoints(const std::vector<render::Point2>& pts, QPointF corner, bool close) {
  for (const render::Point2& q : pts) m_points.push_back({float(q.x - corner.x()), float(q.y - corner.y())});
  if (close) {
    const ScenePoint start = m_points[m_points.size() - pts.size()];
    m_points.push_back(start);
  }
}

void ViewScene::addStroke(const std::vector<render::Point2>& pts, bool closed, const render::Stroke& stroke,
                          QPointF corner) {
  ScenePrim prim = strokePrim(stroke, ScenePrim::kStroke, ScenePrim::kWideStroke);
  const bool close = closed && pts.size() > 2;
  if (stroke.dashes.empty()) {
    prim.first = std::uint32_t(m_points.size());
    addPoints(pts, corner, close);
    prim.count = std::uint32_t(m_points.size() - prim.first);
    m_prims.push_back(prim);
    return;
  }
  std::vector<render::Point2> line = pts;
  if (close) line.push_back(line.front());
  for (const auto& piece : dashed(line, stroke.dashes)) {
    prim.first = std::uint32_t(m_points.size());
    addPoints(piece, corner, false);
    prim.count = std::uint32_t(piece.size());
    m_prims.push_back(prim);
  }
}

void ViewScene::addPath(const render::PathPrim& path, QPointF corner) {
  QPainterPath outline;
  outline.setFillRule(path.fill && path.fill->rule == render::FillRule::kEvenOdd ? Qt::OddEvenFill : Qt::WindingFill);
  bool open = false;
  auto cubic = [&](const render::PathSegment& c) {
    outline.cubicTo(c.c1.x, c.c1.y, c.c2.x, c.c2.y, c.to.x, c.to.y);
  };
  for (const render::PathSegment& s : path.segments) {
    if (!render::isFinite(s)) continue;  // as everywhere: left out, the pen stays
    switch (s.kind) {
      case render::PathSegment::Kind::kMove:
        outline.moveTo(s.to.x, s.to.y);
        open = true;
        break;
      case render::PathSegment::Kind::kLine:
        if (!open) outline.moveTo(s.to.x, s.to.y);
        outline.lineTo(s.to.x, s.to.y);
        open = true;
        break;
      case render::PathSegment::Kind::kCubic:
        if (!open) outline.moveTo(s.to.x, s.to.y);
        cubic(s);
        open = true;
        break;
      case render::PathSegment::Kind::kArc: {
        const std::vector<render::PathSegment> pieces = render::arcAsCubics(s);
        if (pieces.empty()) break;
        const render::Point2 first = render::arcPointAt(s, s.start);
        if (open)
          outline.lineTo(first.x, first.y);
        else
          outline.moveTo(first.x, first.y);
        for (const render::PathSegment& c : pieces) cubic(c);
        open = true;
        break;
      }
      case render::PathSegment::Kind::kClose:
        if (open) outline.closeSubpath();
        break;
    }
  }
  if (outline.isEmpty()) return;
  if (path.fill) {
    ScenePrim prim;
    prim.kind = ScenePrim::kPathFill;
    prim.color = toRgba(path.fill->color, path.fill->opacity);
    prim.first = std::uint32_t(m_paths.size());
    m_paths.push_back(outline);
    m_prims.push_back(prim);
  }
  if (!path.stroke) return;
  const render::Stroke& stroke = *path.stroke;
  if (!stroke.dashes.empty()) {
    // Dashes are cut here, once, from the curves cut finer than the
    // dashes' own scale and a thousandth of the path's size.
    const QRectF box = outline.controlPointRect();
    double shortest = std::max(box.width(), box.height()) * 1e-3;
    for (double d : stroke.dashes)
      if (d != 0) shortest = std::min(shortest, std::abs(d) / 4);
    for (const render::FlatLine& line : render::flatten(path.segments, shortest))
      addStroke(line.points, line.closed, stroke, corner);
    return;
  }
  ScenePrim prim = strokePrim(stroke, ScenePrim::kPathStroke, ScenePrim::kWidePathStroke);
  prim.first = std::uint32_t(m_paths.size());
  m_paths.push_back(outline);
  m_prims.push_back(prim);
}

void ViewScene::addClip(const render::ClipPrim& clip, QPointF corner) {
  if (!clip.content) return;
  QPainterPath region;
  region.setFillRule(Qt::OddEvenFill);
  for (const auto& ring : clip.region) {
    if (ring.size() < 3) continue;
    region.moveTo(ring[0].x, ring[0].y);
    for (std::size_t i = 1; i < ring.size(); ++i) region.lineTo(ring[i].x, ring[i].y);
    region.closeSubpath();
  }
  if (region.isEmpty()) return;
  ScenePrim begin;
  begin.kind = ScenePrim::kClipBegin;
  begin.first = std::uint32_t(m_paths.size());
  m_paths.push_back(region);
  const std::size_t at = m_prims.size();
  m_prims.push_back(begin);
  for (const render::Primitive& p : clip.content->items()) addPrimitive(p, corner);
  // An entity too small to show is a dot of its first primitive's colour.
  if (m_prims.size() > at + 1) m_prims[at].color = m_prims[at + 1].color;
  ScenePrim end;
  end.kind = ScenePrim::kClipEnd;
  m_prims.push_back(end);
}

void ViewScene::addImage(const render::ImagePrim& image) {
  if (!image.pixels || image.pixels->width <= 0 || image.pixels->height <= 0) return;
  const render::ImagePixels& px = *image.pixels;
  SceneImage placed;
  placed.pixels = image.pixels;
  // Qt reads the renderer's bytes in place; `pixels` keeps them.
  placed.image = QImage(px.rgba.data(), px.width, px.height, qsizetype(px.width) * 4, QImage::Format_RGBA8888);
  placed.place = QTransform(image.across.x, image.across.y, image.down.x, image.down.y, image.corner.x, image.corner.y);
  ScenePrim prim;
  prim.kind = ScenePrim::kImage;
  prim.first = std::uint32_t(m_images.size());
  m_images.push_back(std::move(placed));
  m_prims.push_back(prim);
}

void ViewScene::addPrimitive(const render::Primitive& p, QPointF corner) {
  std::visit(
      render::Overloaded{
          [&](const render::PolylinePrim& line) { addStroke(line.points, line.closed, line.stroke, corner); },
          [&](const render::FilledPolygonPrim& fill) {
            ScenePrim prim;
            prim.kind = ScenePrim::kFill;
            prim.color = toRgba(fill.color, fill.opacity);
            prim.first = std::uint32_t(m_points.size());
            addPoints(fill.points, corner, false);
            prim.count = std::uint32_t(fill.points.size());
            m_prims.push_back(prim);
          },
          [&](const render::TextRunPrim& text) {
            SceneText t;
            t.firstGlyph = std::uint32_t(m_glyphPlacements.size());
            if (text.font >= 0) t.box = m_glyphs.layOut(text.font, text.text, m_glyphPlacements);
            t.glyphCount = std::uint32_t(m_glyphPlacements.size() - t.firstGlyph);
            ScenePrim prim;
            prim.color = toRgba(text.color, text.opacity);
            if (t.glyphCount == 0) {
              // No font to draw it with: its box stands in, so that it is not lost.
              const QRectF box = boxOf(render::boundsOf(p));
              prim.first = std::uint32_t(m_points.size());
              addPoints({{box.left(), box.top()}, {box.right(), box.top()}, {box.right(), box.bottom()},
                         {box.left(), box.bottom()}},
                        corner, true);
              prim.count = 5;
              m_prims.push_back(prim);
              return;
            }
            // A run mirrored left to right starts from its far end.
            const double along = text.backward ? text.advance : 0.0;
            t.origin = {float(text.origin.x + along * std::cos(text.rotation) - corner.x()),
                        float(text.origin.y + along * std::sin(text.rotation) - corner.y())};
            t.rotation = float(text.rotation);
            t.scaleX = float(text.emSize * text.widthFactor * (text.backward ? -1 : 1));
            t.scaleY = float(text.emSize * (text.upsideDown ? -1 : 1));
            t.lean = text.widthFactor > 0 ? float(std::tan(text.oblique) / text.widthFactor) : 0.0f;
            prim.kind = ScenePrim::kText;
            prim.first = std::uint32_t(m_texts.size());
            m_texts.push_back(t);
            m_prims.push_back(prim);
          },
          [&](const render::PathPrim& path) { addPath(path, corner); },
          [&](const render::ImagePrim& image) { addImage(image); },
          [&](const render::ClipPrim& clip) { addClip(clip, corner); },
          [&](const render::DotPrim& dot) {
            ScenePrim prim;
            prim.kind = ScenePrim::kDot;
            prim.color = toRgb(dot.color);
            prim.first = std::uint32_t(m_points.size());
            addPoints({dot.at}, corner, false);
            prim.count = 1;
            m_prims.push_back(prim);
          },
      },
      p);
}

QPainterPath ViewScene::textOutline(const ScenePrim& p) const {
  // One lock for every scene: texts large enough to fill are few at a time.
  static std::mutex outlinesLock;
  std::lock_guard lock(outlinesLock);
  auto found = m_textOutlines.find(p.first);
  if (found != m_textOutlines.end()) return found->second;
  if (m_textOutlines.size() >= kTextOutlineCacheSize) m_textOutlines.clear();
  const SceneText& t = m_texts[p.first];
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  for (std::uint32_t k = t.firstGlyph; k < t.firstGlyph + t.glyphCount; ++k) {
    const GlyphPlacement& g = m_glyphPlacements[k];
    path.addPath(m_glyphs.outline(g.glyph).translated(g.x, 0));
  }
  return m_textOutlines.emplace(p.first, std::move(path)).first->second;
}

std::vector<QPolygonF> ViewScene::pathPolygons(const ScenePrim& p, double tolerance) const {
  // Qt cuts curves to within half a unit of the coordinates it is given:
  // scaled so that half a unit is the tolerance, then scaled back.
  const double k = tolerance > 0 ? 0.5 / tolerance : 1;
  QList<QPolygonF> scaled = m_paths[p.first].toSubpathPolygons(QTransform::fromScale(k, k));
  std::vector<QPolygonF> out;
  out.reserve(std::size_t(scaled.size()));
  const QTransform back = QTransform::fromScale(1 / k, 1 / k);
  for (const QPolygonF& polygon : scaled) out.push_back(back.map(polygon));
  return out;
}

std::vector<QPointF> ViewScene::points(const SceneEntity& e, const ScenePrim& p) const {
  std::vector<QPointF> out;
  if (p.kind == ScenePrim::kText) return out;
  if (isPath(p)) {
    for (const QPolygonF& polygon : pathPolygons(p, std::max(e.bounds.width(), e.bounds.height()) * 1e-3))
      out.insert(out.end(), polygon.begin(), polygon.end());
    return out;
  }
  out.reserve(p.count);
  const double x0 = e.bounds.left(), y0 = e.bounds.top();
  for (std::uint32_t k = p.first; k < p.first + p.count; ++k) out.emplace_back(x0 + m_points[k].x, y0 + m_points[k].y);
  return out;
}

QRectF ViewScene::textBounds(const SceneEntity& e, const ScenePrim& p) const {
  const SceneText& t = m_texts[p.first];
  QTransform place;
  place.translate(e.bounds.left() + t.origin.x, e.bounds.top() + t.origin.y);
  place.rotateRadians(t.rotation);
  place.scale(t.scaleX, t.scaleY);
  place.shear(t.lean, 0);
  return place.mapRect(t.box);
}

void ViewScene::buildGrid() {
  m_cellStart.clear();
  m_cellItems.clear();
  m_seen.assign(m_entities.size(), 0);
  m_stamp = 0;
  if (m_entities.empty()) return;
  const double side = std::max(m_extents.width(), m_extents.height());
  m_cell = std::max(side / kGridSide, 1e-9);
  m_columns = std::clamp(int(std::ceil(m_extents.width() / m_cell)) + 1, 1, kGridSide + 1);
  m_rows = std::clamp(int(std::ceil(m_extents.height() / m_cell)) + 1, 1, kGridSide + 1);
  const std::size_t everywhere = std::size_t(m_columns * m_rows);
  // Two passes: count each cell's entities, then place them.
  std::vector<std::uint32_t> count(everywhere + 1, 0);
  auto forCells = [&](std::uint32_t i, auto&& visit) {
    const QRectF& b = m_entities[i].bounds;
    const int c0 = std::clamp(int((b.left() - m_extents.left()) / m_cell), 0, m_columns - 1);
    const int c1 = std::clamp(int((b.right() - m_extents.left()) / m_cell), 0, m_columns - 1);
    const int r0 = std::clamp(int((b.top() - m_extents.top()) / m_cell), 0, m_rows - 1);
    const int r1 = std::clamp(int((b.bottom() - m_extents.top()) / m_cell), 0, m_rows - 1);
    if (std::size_t(c1 - c0 + 1) * std::size_t(r1 - r0 + 1) > kWideEntityCells) return visit(everywhere);
    for (int r = r0; r <= r1; ++r)
      for (int c = c0; c <= c1; ++c) visit(std::size_t(r * m_columns + c));
  };
  for (std::uint32_t i = 0; i < m_entities.size(); ++i) forCells(i, [&](std::size_t cell) { ++count[cell]; });
  m_cellStart.assign(everywhere + 2, 0);
  for (std::size_t k = 0; k <= everywhere; ++k) m_cellStart[k + 1] = m_cellStart[k] + count[k];
  m_cellItems.resize(m_cellStart.back());
  for (std::uint32_t i = 0; i < m_entities.size(); ++i)
    forCells(i, [&](std::size_t cell) { m_cellItems[m_cellStart[cell + 1] - count[cell]--] = i; });
}

std::vector<std::uint32_t> ViewScene::query(const QRectF& box) const {
  std::vector<std::uint32_t> found;
  if (m_cellStart.empty()) return found;
  const std::size_t everywhere = m_cellStart.size() - 2;
  auto cell = [&](std::size_t k) {
    return std::pair(m_cellItems.begin() + m_cellStart[k], m_cellItems.begin() + m_cellStart[k + 1]);
  };
  if (!meets(box, m_extents)) {
    for (auto [it, end] = cell(everywhere); it != end; ++it)
      if (meets(m_entities[*it].bounds, box)) found.push_back(*it);
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
      for (auto [it, end] = cell(std::size_t(r * m_columns + c)); it != end; ++it) take(*it);
  for (auto [it, end] = cell(everywhere); it != end; ++it) take(*it);
  // Drawing order, so that later entities paint over earlier ones.
  std::sort(found.begin(), found.end());
  return found;
}

void ViewScene::paint(QPainter& painter, const QRectF& visible, double pixelsPerUnit) const {
  paintEntities(painter, query(visible), pixelsPerUnit);
}

void ViewScene::paintEntities(QPainter& painter, const std::vector<std::uint32_t>& which, double pixelsPerUnit) const {
  ScenePainter out(painter, *this);
  const double dotSize = 1.5 / pixelsPerUnit;
  for (std::uint32_t i : which) {
    const SceneEntity& e = m_entities[i];
    // Smaller than a pixel: its colour at its place is all that shows.
    if (e.bounds.width() < dotSize && e.bounds.height() < dotSize)
      out.dot(e);
    else
      out.entity(e);
  }
}

void ViewScene::paintImage(QImage& image, const QTransform& toPixels, const QRectF& visible, double pixelsPerUnit,
                           double reachPx) const {
  // The query stamps entities as it goes: it runs here, once, and each band
  // paints those of its entities that reach into it, in drawing order.
  const std::vector<std::uint32_t> all = query(visible);
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const int bands = all.size() < kBandedPaintFrom || image.height() < 64 ? 1 : int(std::min(cores, kMaxBands));
  const qreal ratio = image.devicePixelRatio();
  const int rows = image.height();
  const QTransform toDrawing = toPixels.inverted();
  uchar* bits = image.bits();  // detached here, before any band shares it
  auto paintBand = [&](int band) {
    const int first = rows * band / bands, last = rows * (band + 1) / bands;
    QImage part(bits + std::ptrdiff_t(first) * image.bytesPerLine(), image.width(), last - first,
                image.bytesPerLine(), image.format());
    part.setDevicePixelRatio(ratio);
    const QRectF pixels = QRectF(0, first / ratio, image.width() / ratio, (last - first) / ratio)
                              .adjusted(-reachPx, -reachPx, reachPx, reachPx);
    const QRectF area = toDrawing.mapRect(pixels);
    std::vector<std::uint32_t> mine;
    if (bands == 1) {
      mine = all;
    } else {
      for (std::uint32_t i : all)
        if (meets(m_entities[i].bounds, area)) mine.push_back(i);
    }
    QPainter p(&part);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setTransform(toPixels * QTransform::fromTranslate(0, -first / ratio));
    paintEntities(p, mine, pixelsPerUnit);
  };
  std::vector<std::thread> helpers;
  std::vector<std::exception_ptr> failures(static_cast<std::size_t>(bands));
  try {
    for (int band = 1; band < bands; ++band)
      helpers.emplace_back([&, band] {
        try {
          paintBand(band);
        } catch (...) {
          failures[std::size_t(band)] = std::current_exception();
        }
      });
  } catch (const std::system_error&) {
    // No more threads to be had: the bands without one are painted here.
  }
  try {
    paintBand(0);
    for (int band = int(helpers.size()) + 1; band < bands; ++band) paintBand(band);
  } catch (...) {
    failures[0] = std::current_exception();
  }
  for (std::thread& t : helpers) t.join();
  for (const std::exception_ptr& f : failures)
    if (f) std::rethrow_exception(f);
}

void ViewScene::paintHighlight(QPainter& painter, const std::vector<std::uint32_t>& which, double,
                               QRgb color) const {
  ScenePainter out(painter, *this, &color);
  for (std::uint32_t i : which)
    if (i < m_entities.size()) out.entity(m_entities[i]);
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
        hit = textBounds(e, p).adjusted(-tolerance, -tolerance, tolerance, tolerance).contains(at);
        continue;
      }
      if (isPath(p)) {
        if (p.kind == ScenePrim::kPathFill && path(p).contains(at)) {
          hit = true;
          continue;
        }
        const double reach = tolerance + (p.kind == ScenePrim::kWidePathStroke ? p.width / 2 : 0);
        for (const QPolygonF& line : pathPolygons(p, tolerance / 4))
          for (qsizetype j = 1; j < line.size() && !hit; ++j) hit = segmentDistance(at, line[j - 1], line[j]) <= reach;
        continue;
      }
      const std::vector<QPointF> pts = points(e, p);
      if (p.kind == ScenePrim::kDot) {
        hit = !pts.empty() && std::hypot(pts[0].x() - at.x(), pts[0].y() - at.y()) <= tolerance;
      } else if (p.kind == ScenePrim::kFill && QPolygonF(pts.begin(), pts.end()).containsPoint(at, Qt::OddEvenFill)) {
        hit = true;
      } else {
        const double reach = tolerance + (p.kind == ScenePrim::kWideStroke ? p.width / 2 : 0);
        for (std::size_t j = 1; j < pts.size() && !hit; ++j) hit = segmentDistance(at, pts[j - 1], pts[j]) <= reach;
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
      if (meets(textBounds(e, p), box)) return true;
      continue;
    }
    if (isPath(p)) {
      if (p.kind == ScenePrim::kPathFill && path(p).intersects(box)) return true;
      for (const QPolygonF& line : pathPolygons(p, std::max(e.bounds.width(), e.bounds.height()) * 1e-3))
        if (polylineMeetsBox(std::vector<QPointF>(line.begin(), line.end()), box)) return true;
      continue;
    }
    std::vector<QPointF> pts = points(e, p);
    if (p.kind == ScenePrim::kFill && pts.size() > 2) {
      if (QPolygonF(pts.begin(), pts.end()).containsPoint(box.center(), Qt::OddEvenFill)) return true;
      pts.push_back(pts.front());
    }
    if (polylineMeetsBox(pts, box)) return true;
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
  const auto found = m_index.find(id);
  return found == m_index.end() ? -1 : int(found->second);
}

}  // namespace qrvwindow
