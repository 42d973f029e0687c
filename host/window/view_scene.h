#pragma once
// Model space of one drawing as the view paints it: the renderer's picture
// of each entity kept apart (so that a pick finds its entity and a redraw
// skips what is off screen), dashes already cut, text as shared glyph
// outlines, and a grid over the drawing that says which entities lie in a
// box. Points are kept as floats from their entity's corner: half the
// memory of doubles, and exact to far below a pixel at any zoom that shows
// the entity.
#include <QImage>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QTransform>
#include <QRgb>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "OdDbObjectId.h"
#include "display_list.h"
#include "renderer.h"
#include "scene_glyphs.h"

class OdDbDatabase;
class QPainter;

namespace qrvwindow {

struct ScenePoint {
  float x = 0, y = 0;  // drawing units from the entity's corner
};

struct ScenePrim {
  enum Kind : std::uint8_t {
    kStroke, kWideStroke, kFill, kText, kPathStroke, kWidePathStroke, kPathFill, kDot,
    // What follows up to the matching kClipEnd shows only inside a region
    // (the path `first`, filled even-odd); kImage is picture `first`.
    kClipBegin, kClipEnd, kImage
  };
  Kind kind = kStroke;
  QRgb color = 0;
  // kStroke, kPathStroke: the lineweight in pixels; kWideStroke,
  // kWidePathStroke: the width in drawing units.
  float width = 1;
  // The points (kStroke, kWideStroke, kFill; a closed outline repeats its
  // first point; kDot its one point), for kText the text (first), for the
  // path kinds the path (first), curves kept as curves so that the painter
  // draws them at the resolution of the screen.
  std::uint32_t first = 0, count = 0;
};

// A text run: its glyphs placed from `origin` (drawing units from the
// entity's corner), turned by `rotation` and scaled from ems by `scaleX`
// and `scaleY`; `box` is what the glyphs cover, in ems.
struct SceneText {
  ScenePoint origin;
  float rotation = 0, scaleX = 1, scaleY = 1;  // negative: mirrored
  float lean = 0;                              // ems right per em up
  QRectF box;
  std::uint32_t firstGlyph = 0, glyphCount = 0;
};

// A picture's pixels and where they go: `place` maps the pixel grid (x
// right, y down) into drawing coordinates. The image's bytes are the
// renderer's, kept alive by `pixels`.
struct SceneImage {
  std::shared_ptr<const render::ImagePixels> pixels;
  QImage image;
  QTransform place;
};

struct SceneEntity {
  OdDbObjectId id;
  QRectF bounds;  // drawing coordinates, y up; its top left is the corner points count from
  std::uint32_t first = 0, last = 0;  // its primitives
};

class ViewScene {
public:
  // Draws every entity of the drawing's model space; colours that follow
  // the background (colour 7) take `foreground`.
  void build(OdDbDatabase* db, render::Rgb background, render::Rgb foreground);
  // One picture as the scene's only entity (an entity that is in no
  // drawing, such as one being placed).
  void buildFrom(const render::DisplayList& picture);
  // Draws the given entities anew with the colours of the last build: an
  // entity the scene has takes its new picture in its place, one erased or
  // no longer in model space goes, a new one comes in drawing order. Gives
  // the areas (drawing coordinates) whose picture changed: where the
  // entities were and where they are now.
  std::vector<QRectF> update(OdDbDatabase* db, const std::vector<OdDbObjectId>& changed);
  void clear();

  const std::vector<SceneEntity>& entities() const { return m_entities; }
  const std::vector<ScenePrim>& prims() const { return m_prims; }
  const QRectF& extents() const { return m_extents; }
  // The bytes the scene holds (its arrays, not the shared glyphs).
  std::size_t memoryBytes() const;
  // The entities whose bounds meet the box (drawing coordinates), each
  // once, in drawing order.
  std::vector<std::uint32_t> query(const QRectF& box) const;

  // Paints the entities that meet `visible` with the painter's transform
  // (drawing to pixels at `pixelsPerUnit`). What is too small to show is
  // simplified: an entity or primitive within a pixel becomes a dot, text
  // too low to read the line it makes, points closer than a pixel merge.
  void paint(QPainter& painter, const QRectF& visible, double pixelsPerUnit) const;
  // Paints as paint() does into the whole of `image`, drawing coordinates
  // mapped to its (logical) pixels by `toPixels`, antialiased. With enough
  // to paint, the image is cut into bands of rows painted at once, each on
  // a thread of its own; lines reach `reachPx` pixels out of their entity.
  void paintImage(QImage& image, const QTransform& toPixels, const QRectF& visible, double pixelsPerUnit,
                  double reachPx) const;
  // Paints the given entities over the picture in one colour, lines wider.
  void paintHighlight(QPainter& painter, const std::vector<std::uint32_t>& which, double pixelsPerUnit,
                      QRgb color) const;

  // The entity under a point (drawing coordinates) within `tolerance`
  // drawing units, the topmost when several; -1 when none.
  int pick(QPointF at, double tolerance) const;
  // Window selection: entities wholly inside. Crossing: entities with any
  // part inside.
  std::vector<std::uint32_t> inside(const QRectF& box) const;
  std::vector<std::uint32_t> crossing(const QRectF& box) const;
  int indexOf(OdDbObjectId id) const;

  // For the painter and the tests: a primitive's points in drawing
  // coordinates, and a text's box in drawing coordinates.
  std::vector<QPointF> points(const SceneEntity& e, const ScenePrim& p) const;
  QRectF textBounds(const SceneEntity& e, const ScenePrim& p) const;
  const SceneText& text(const ScenePrim& p) const { return m_texts[p.first]; }
  // A path primitive's outline in drawing coordinates (its fill rule set),
  // and as polygons that stray no more than `tolerance` from it.
  const QPainterPath& path(const ScenePrim& p) const { return m_paths[p.first]; }
  const SceneImage& image(const ScenePrim& p) const { return m_images[p.first]; }
  std::vector<QPolygonF> pathPolygons(const ScenePrim& p, double tolerance) const;
  static bool isPath(const ScenePrim& p) {
    return p.kind == ScenePrim::kPathStroke || p.kind == ScenePrim::kWidePathStroke || p.kind == ScenePrim::kPathFill;
  }
  const ScenePoint* pointData() const { return m_points.data(); }
  // A text's glyphs as one outline in ems (made when first asked for; the
  // outlines kept are shared by the threads that paint).
  QPainterPath textOutline(const ScenePrim& p) const;

private:
  // Adds an entity's primitives to the arrays; false when it has no
  // picture that can be placed.
  bool addEntity(OdDbObjectId id, const render::DisplayList& list, SceneEntity& e);
  // Places the entities in the order of model space (after new ones came).
  void sortByDrawingOrder(OdDbDatabase* db);
  // Drops the primitives no entity uses any more, once they are the most.
  void compactIfWasteful();
  // Makes room in the arrays for the rest of a build, from what the first
  // `done` of `total` entities took.
  void reserveAhead(std::size_t done, std::size_t total);
  // The index, extents and grid, from the entities.
  void index();
  void addPrimitive(const render::Primitive& p, QPointF corner);
  void addPoints(const std::vector<render::Point2>& pts, QPointF corner, bool close);
  void addStroke(const std::vector<render::Point2>& pts, bool closed, const render::Stroke& stroke, QPointF corner);
  void addPath(const render::PathPrim& path, QPointF corner);
  void addClip(const render::ClipPrim& clip, QPointF corner);
  void addImage(const render::ImagePrim& image);
  void buildGrid();
  bool touches(const SceneEntity& e, const QRectF& box) const;
  void paintEntities(QPainter& painter, const std::vector<std::uint32_t>& which, double pixelsPerUnit) const;

  render::RenderOptions m_options;
  GlyphCache m_glyphs;
  std::vector<SceneEntity> m_entities;
  std::vector<ScenePrim> m_prims;
  std::vector<ScenePoint> m_points;
  std::vector<SceneText> m_texts;
  std::vector<GlyphPlacement> m_glyphPlacements;
  std::vector<QPainterPath> m_paths;  // of the path kinds and kClipBegin
  std::vector<SceneImage> m_images;
  std::unordered_map<OdDbObjectId, std::uint32_t> m_index;
  QRectF m_extents;
  // The grid: cells of m_cell units from the extents' corner; the entities
  // whose bounds reach into cell k are m_cellItems[m_cellStart[k] ..
  // m_cellStart[k + 1]). The last cell lists the entities met everywhere.
  int m_columns = 0, m_rows = 0;
  double m_cell = 1;
  std::vector<std::uint32_t> m_cellStart, m_cellItems;
  // Outlines of the texts painted large enough to read, a few thousand at
  // most: the glyphs themselves are shared.
  mutable std::unordered_map<std::uint32_t, QPainterPath> m_textOutlines;
  mutable std::vector<std::uint32_t> m_seen;  // query stamps
  mutable std::uint32_t m_stamp = 0;
};

}  // namespace qrvwindow
