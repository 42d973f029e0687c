#pragma once
// Paints a ViewScene's entities in pixels: the painter's transform is
// applied here, points closer than a pixel are merged, what fits in a pixel
// becomes a dot, and thin lines of one colour go to the painter together.
// Most of a drawing's lines share a few colours, and one call for many
// lines costs the painter little more than one for each.
#include <QLineF>
#include <QPainter>
#include <QTransform>
#include <vector>

#include "view_scene.h"

namespace qrvwindow {

class ScenePainter {
public:
  // `highlight`: every primitive in that colour, lines two pixels wider.
  ScenePainter(QPainter& painter, const ViewScene& scene, const QRgb* highlight = nullptr);
  ~ScenePainter();  // paints what waits and gives the painter its transform back

  void entity(const SceneEntity& e);
  // A dot of the entity's first colour at its middle.
  void dot(const SceneEntity& e);

private:
  void polyline(const SceneEntity& e, const ScenePrim& p);
  void fill(const SceneEntity& e, const ScenePrim& p);
  void text(const SceneEntity& e, const ScenePrim& p);
  // Curves at the screen's resolution, with the path's fill rule.
  void path(const SceneEntity& e, const ScenePrim& p);
  // A path's outline as thin lines in pixels, in the batch.
  void addThinCurves(const QPainterPath& outline);
  // From a kClipBegin to its kClipEnd only the inside of its region shows.
  void beginClip(const ScenePrim& p);
  void endClip();
  // A picture's pixels, smoothed when they are drawn larger or smaller.
  void image(const ScenePrim& p);
  // A dot of two pixels, whatever the zoom.
  void mark(const SceneEntity& e, const ScenePrim& p);
  // The primitive's points in pixels, merged below a pixel; false when all
  // of them fall into one pixel (then `m_pixels` holds that one).
  bool toPixels(const SceneEntity& e, const ScenePrim& p);
  // The primitive in pixels when it spreads over more than one; else its
  // dot is painted and the answer is false.
  bool spreadOrDot(const SceneEntity& e, const ScenePrim& p, QRgb color);
  void batch(QRgb color, bool dots);
  void flush();
  QRgb colorOf(const ScenePrim& p) const { return m_highlight ? *m_highlight : p.color; }

  QPainter& m_painter;
  const ViewScene& m_scene;
  const QRgb* m_highlight;
  QTransform m_toPixels;
  double m_pixelsPerUnit;
  std::vector<QPointF> m_pixels;
  // What waits to be painted: thin lines or dots of one colour.
  std::vector<QLineF> m_lines;
  std::vector<QPointF> m_dots;
  std::vector<QPointF> m_marks;  // two pixels across
  QRgb m_batchColor = 0;
  bool m_batchDots = false;
};

}  // namespace qrvwindow
