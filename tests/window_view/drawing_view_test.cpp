// The drawing view and its scene on the offscreen platform: picking, window
// and crossing selection by dragging, and zoom and pan keeping the drawing
// point under the cursor.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbEntities.h"
#include "drawing_view.h"
#include "offscreen_application.h"
#include "view_scene.h"

namespace {

using qrvwindow::DrawingView;
using qrvwindow::ViewScene;

// Two lines side by side and a circle around the second one's middle.
// Shown in a 400 x 300 view at its extents.
struct Drawing {
  QApplication& application = offscreenApplication();
  OdDbDatabase db;
  OdDbObjectId left, right, circle;
  ViewScene scene;
  DrawingView view;
  Drawing() {
    OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    auto line = [&](OdGePoint3d a, OdGePoint3d b) {
      OdDbLinePtr l = OdDbLine::createObject();
      l->setStartPoint(a);
      l->setEndPoint(b);
      return ms->appendOdDbEntity(l);
    };
    left = line({0, 0, 0}, {10, 0, 0});
    right = line({20, 0, 0}, {30, 10, 0});
    OdDbCirclePtr c = OdDbCircle::createObject();
    c->setCenter({25, 5, 0});
    c->setRadius(2);
    circle = ms->appendOdDbEntity(c);
    ms.release();
    scene.build(&db, {255, 255, 255}, {0, 0, 0});
    view.resize(400, 300);
    view.setScene(&scene, false);
  }
  OdDbObjectId id(std::uint32_t i) const { return scene.entities()[i].id; }
};

void mouse(QWidget& w, QEvent::Type type, QPointF at, Qt::MouseButton button) {
  QMouseEvent e(type, at, w.mapToGlobal(at), button, type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                Qt::NoModifier);
  QApplication::sendEvent(&w, &e);
}

void drag(QWidget& w, QPointF from, QPointF to, Qt::MouseButton button = Qt::LeftButton) {
  mouse(w, QEvent::MouseButtonPress, from, button);
  mouse(w, QEvent::MouseMove, (from + to) / 2, button);
  mouse(w, QEvent::MouseMove, to, button);
  mouse(w, QEvent::MouseButtonRelease, to, button);
}

}  // namespace

TEST(DrawingView, ClicksPickTheEntityUnderThePickBoxAndBoxesSelectByWindowOrCrossing) {
  Drawing d;
  DrawingView& view = d.view;
  std::vector<OdDbObjectId> clicked;
  view.onClick = [&](QPointF at, double tolerance) {
    const int i = d.scene.pick(at, tolerance);
    clicked.push_back(i >= 0 ? d.id(std::uint32_t(i)) : OdDbObjectId());
  };
  std::vector<OdDbObjectId> boxed;
  bool crossing = false;
  view.onBox = [&](const QRectF& box, bool isCrossing) {
    crossing = isCrossing;
    boxed.clear();
    for (std::uint32_t i : isCrossing ? d.scene.crossing(box) : d.scene.inside(box)) boxed.push_back(d.id(i));
  };

  // On the left line, on the circle, and on nothing (inside the circle).
  for (QPointF at : {QPointF(5, 0.05), QPointF(27, 5), QPointF(24.9, 5.9)}) {
    const QPointF px = view.toPixel(at);
    mouse(view, QEvent::MouseButtonPress, px, Qt::LeftButton);
    mouse(view, QEvent::MouseButtonRelease, px, Qt::LeftButton);
  }
  ASSERT_EQ(clicked.size(), 3u);
  EXPECT_EQ(clicked[0], d.left);
  EXPECT_EQ(clicked[1], d.circle);
  EXPECT_TRUE(clicked[2].isNull());

  // Left to right around the circle only: the window holds the circle; the
  // line through it is not wholly inside.
  drag(view, view.toPixel({22, 8}), view.toPixel({28, 2}));
  EXPECT_FALSE(crossing);
  EXPECT_EQ(boxed, std::vector<OdDbObjectId>{d.circle});
  // The same box right to left crosses the line as well.
  drag(view, view.toPixel({28, 2}), view.toPixel({22, 8}));
  EXPECT_TRUE(crossing);
  EXPECT_EQ(boxed, (std::vector<OdDbObjectId>{d.right, d.circle}));
  // A crossing box between the lines meets neither, though it lies inside
  // the box around the slanted line.
  drag(view, view.toPixel({29, 1}), view.toPixel({27, 3}));
  EXPECT_TRUE(boxed.empty());
}

TEST(DrawingView, ZoomAndPanKeepTheDrawingPointUnderTheCursor) {
  Drawing d;
  DrawingView& view = d.view;
  // Zoom extents shows every entity.
  for (const auto& e : d.scene.entities()) {
    const QRectF px = QRectF(view.toPixel(e.bounds.topLeft()), view.toPixel(e.bounds.bottomRight())).normalized();
    EXPECT_TRUE(px.left() >= 0 && px.right() <= 400 && px.top() >= 0 && px.bottom() <= 300) << px.left();
  }
  const QPointF cursor(130, 70);
  const QPointF under = view.toDrawing(cursor);
  QWheelEvent wheel(cursor, view.mapToGlobal(cursor), {}, QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  const double before = view.pixelsPerUnit();
  QApplication::sendEvent(&view, &wheel);
  EXPECT_NEAR(view.pixelsPerUnit(), before * 1.44, before * 1e-9);
  EXPECT_NEAR(view.toDrawing(cursor).x(), under.x(), 1e-9);
  EXPECT_NEAR(view.toDrawing(cursor).y(), under.y(), 1e-9);
  // Dragging with the middle button carries the point along with the mouse.
  drag(view, cursor, cursor + QPointF(50, -20), Qt::MiddleButton);
  EXPECT_NEAR(view.toDrawing(cursor + QPointF(50, -20)).x(), under.x(), 1e-9);
  EXPECT_NEAR(view.toDrawing(cursor + QPointF(50, -20)).y(), under.y(), 1e-9);

  // A pan moves the picture along and paints only what comes into view:
  // the same picture as one painted whole.
  view.zoomExtents();
  view.zoomAt(QPointF(200, 150), 3);  // the right line and the circle out of view
  view.grab();
  view.panPixels(QPointF(-150, 60));
  const QImage moved = view.grab().toImage();
  view.setBackground(QColor(33, 40, 48));  // the same colour: painted whole
  const QImage whole = view.grab().toImage();
  ASSERT_EQ(moved.size(), whole.size());
  int differing = 0, inked = 0;
  for (int y = 0; y < whole.height(); ++y)
    for (int x = 0; x < whole.width(); ++x) {
      differing += std::abs(qGray(moved.pixel(x, y)) - qGray(whole.pixel(x, y))) > 8;
      inked += whole.pixel(x, y) != QColor(33, 40, 48).rgb();
    }
  EXPECT_GT(inked, 500);  // the lines and the circle are in view
  EXPECT_EQ(differing, 0);
}
