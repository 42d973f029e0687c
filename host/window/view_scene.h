#pragma once
// Model space of one drawing as the view paints it: the renderer's picture
// of each entity kept apart (so that a pick finds its entity and a redraw
// skips what is off screen), text as glyph outlines, dashes already cut,
// and a grid over the drawing that says which entities lie in a box.
#include <QColor>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "OdDbObjectId.h"
#include "display_list.h"

class OdDbDatabase;
class QPainter;

namespace qrvwindow {

struct ScenePrim {
  enum Kind : std::uint8_t { kStroke, kWideStroke, kFill, kText };
  Kind kind = kStroke;
  QColor color;
  float widthPx = 1;      // kStroke: the lineweight in pixels
  float widthUnits = 0;   // kWideStroke: the width in drawing units
  bool closed = false;
  QPolygonF points;       // drawing coordinates
  QPainterPath path;      // kText: the glyph outlines
};

struct SceneEntity {
  OdDbObjectId id;
  QRectF bounds;  // drawing coordinates, y up
  std::uint32_t first = 0, last = 0;  // its primitives
};

class ViewScene {
public:
  // Draws every entity of the drawing's model space; colours that follow
  // the background (colour 7) take `foreground`.
  void build(OdDbDatabase* db, render::Rgb background, render::Rgb foreground);
  void clear();

  const std::vector<SceneEntity>& entities() const { return m_entities; }
  const std::vector<ScenePrim>& prims() const { return m_prims; }
  const QRectF& extents() const { return m_extents; }
  // The entities whose bounds meet the box (drawing coordinates), each once.
  std::vector<std::uint32_t> query(const QRectF& box) const;

  // Paints the entities that meet `visible` with the painter's transform
  // (drawing to pixels at `pixelsPerUnit`); entities smaller than a pixel
  // become a dot.
  void paint(QPainter& painter, const QRectF& visible, double pixelsPerUnit) const;
  // Paints the given entities over the picture in one colour.
  void paintHighlight(QPainter& painter, const std::vector<std::uint32_t>& which, double pixelsPerUnit,
                      const QColor& color) const;

  // The entity under a point (drawing coordinates) within `tolerance`
  // drawing units, the topmost when several; -1 when none.
  int pick(QPointF at, double tolerance) const;
  // Window selection: entities wholly inside. Crossing: entities with any
  // part inside.
  std::vector<std::uint32_t> inside(const QRectF& box) const;
  std::vector<std::uint32_t> crossing(const QRectF& box) const;
  int indexOf(OdDbObjectId id) const;

private:
  void addEntity(OdDbObjectId id, const render::DisplayList& list);
  void addPrimitive(const render::Primitive& p, SceneEntity& entity);
  void buildGrid();
  QPainterPath textPath(const render::TextRunPrim& t);
  bool touches(const SceneEntity& e, const QRectF& box) const;
  void paintEntity(QPainter& painter, const SceneEntity& e, double pixelsPerUnit, const QColor* override) const;

  std::unordered_map<std::string, QPainterPath> m_outlines;  // "font\ntext" -> outlines in ems
  std::vector<SceneEntity> m_entities;
  std::vector<ScenePrim> m_prims;
  QRectF m_extents;
  // The grid: cells of m_cell units from the extents' corner, each listing
  // the entities whose bounds reach into it.
  int m_columns = 0, m_rows = 0;
  double m_cell = 1;
  std::vector<std::vector<std::uint32_t>> m_grid;
  mutable std::vector<std::uint32_t> m_seen;  // query stamps
  mutable std::uint32_t m_stamp = 0;
};

}  // namespace qrvwindow
