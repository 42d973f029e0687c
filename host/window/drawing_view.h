#pragma once
// The drawing view: model space painted from a ViewScene, with zoom (the
// wheel, around the cursor), pan (middle button, or space and drag), zoom
// extents (a double click of the middle button), a crosshair, and
// selection by click, window (dragged left to right) and crossing (right
// to left). What the user picks goes to the owner through callbacks; the
// view only paints what it is told is selected. While a point is asked, it
// shows the entity being placed, the rubber band to the cursor and the
// marker of an object snap, and the point a click gives is the snapped one.
#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "point_input.h"
#include "view_scene.h"
#include "view_snaps.h"

namespace qrvwindow {

class DrawingView : public QWidget {
public:
  explicit DrawingView(QWidget* parent = nullptr);

  // The scene to show (not owned; null shows nothing). Keeps the zoom when
  // `keepView`, else shows the scene's extents.
  void setScene(const ViewScene* scene, bool keepView);
  // The scene's pictures changed in these areas (drawing coordinates):
  // they are painted anew, the rest of the picture stands.
  void sceneChanged(const std::vector<QRectF>& areas);
  void setBackground(const QColor& color);
  void setHighlighted(std::vector<std::uint32_t> entities);
  // The grips of the selected dimensions (drawing points), painted as small
  // squares; when `draggable`, a left drag from one says where it was
  // dropped (a click on one is a click).
  void setGrips(std::vector<QPointF> grips, bool draggable);
  std::function<void(std::size_t grip, QPointF to)> onGripDragged;
  // A point prompt's base point: a rubber band runs from it to the cursor.
  void setRubberBase(std::optional<QPointF> base);
  // The entity the command would make of the point under the cursor,
  // painted over the drawing (not owned; null shows none).
  void setPreview(const ViewScene* preview);
  // What the cursor snaps to: the snap within `aperture` drawing units of a
  // drawing point. Null: no snaps. The snap under the cursor is looked up
  // again at once.
  using Snapper = std::function<std::optional<SceneSnap>(QPointF drawing, double aperture)>;
  void setSnapper(Snapper snapper);
  // The snap under the cursor now, if any (at a click: the one clicked),
  // and the entity being placed.
  const std::optional<SceneSnap>& shownSnap() const { return m_snap; }
  const ViewScene* shownPreview() const { return m_preview; }

  // While a point is asked: the drawing's grid snap and ortho, which the
  // point under the cursor follows where no object snap is found. None
  // when no point is asked.
  void setDrafting(std::optional<HostDraftingModes> modes);
  // The grid's dots at this spacing (drawing units), or none. Where the
  // dots would crowd, every second (fourth ...) one is shown.
  void setGrid(std::optional<QSizeF> spacing);

  void zoomExtents();
  // Shows the drawing area `box` (drawing units) as large as the view allows.
  void zoomTo(const QRectF& box);
  // What a left drag does: select (normal), zoom to the dragged box (once,
  // then back to normal), or pan until Escape.
  enum class Mode { kNormal, kZoomWindow, kPan };
  void setMode(Mode mode);
  Mode mode() const { return m_mode; }
  // Told when a mode ends by itself (a box zoomed to, Escape).
  std::function<void()> onModeEnded;
  // Zooms by `factor` keeping the drawing point under the pixel `at` there.
  void zoomAt(QPointF at, double factor);
  void panPixels(QPointF delta);

  QPointF toDrawing(QPointF pixel) const;
  QPointF toPixel(QPointF drawing) const;
  double pixelsPerUnit() const { return m_scale; }

  // The point under the cursor (the snapped one while a snap shows).
  std::function<void(QPointF drawing)> onCursor;
  // A click: the point (snapped) and the pick tolerance, both in drawing
  // units.
  std::function<void(QPointF drawing, double tolerance)> onClick;
  // A dragged box in drawing units; crossing when dragged right to left.
  std::function<void(const QRectF& box, bool crossing)> onBox;
  std::function<void()> onEscape;
  // Text typed while the view has the focus (it belongs to the command line).
  std::function<void(const QString& text)> onTyped;

protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void wheelEvent(QWheelEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;
  void keyPressEvent(QKeyEvent*) override;
  void keyReleaseEvent(QKeyEvent*) override;
  void leaveEvent(QEvent*) override;

private:
  void invalidate();
  void renderCache();
  // Moves the picture along after a pan and paints what came into view;
  // false when it cannot (not by whole pixels, or all of it is new).
  bool scrollCache();
  // Paints the scene into the part of the picture (pixels of the view).
  void paintInto(QImage& image, const QRect& area);
  // The part of the drawing that pixels of the view show, with the reach
  // of wide lines around it.
  QRectF drawingAround(const QRect& area) const;
  QTransform transform() const;
  void paintGrid(QPainter& p, const QColor& ink) const;
  // The grip within the pick box of `pixel`, the nearest.
  std::optional<std::size_t> gripAt(QPointF pixel) const;
  void paintGrips(QPainter& p) const;
  // The drawing point a cursor at `pixel` stands for, and m_snap set.
  QPointF trackCursor(QPointF pixel);

  const ViewScene* m_scene = nullptr;
  QColor m_background{33, 40, 48};
  QPointF m_center;     // the drawing point at the middle of the view
  double m_scale = 1;   // pixels per drawing unit
  QImage m_cache;
  bool m_cacheValid = false;
  QPointF m_cacheCenter;  // the drawing point at the middle of m_cache
  std::vector<std::uint32_t> m_highlighted;
  std::optional<QPointF> m_rubberBase;
  const ViewScene* m_preview = nullptr;
  Snapper m_snapper;
  std::optional<SceneSnap> m_snap;

  std::optional<QPointF> m_cursor;    // pixels
  std::optional<QPointF> m_panFrom;   // pixels, while panning
  std::optional<QPointF> m_boxFrom;   // pixels, while dragging a box
  std::vector<QPointF> m_grips;       // drawing points
  bool m_gripsDraggable = false;
  std::optional<std::size_t> m_gripDragged;
  bool m_spaceDown = false;
  Mode m_mode = Mode::kNormal;
  std::optional<HostDraftingModes> m_drafting;
  std::optional<QPointF> m_drafted;  // the point the cursor stands for, when drafting moved it
  std::optional<QSizeF> m_grid;
};

}  // namespace qrvwindow
