// The drawing view and its scene on the offscreen platform: picking, window
// and crossing selection by dragging, and zoom and pan keeping the drawing
// point under the cursor; and the main window picking a point with snaps
// while the dimension being placed follows the cursor, and selecting a
// dimension by a click for the palette to change.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>
#include <QKeyEvent>
#include <QWheelEvent>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "../host/host_test_support.h"
#include "command_line_panel.h"
#include "console.h"
#include "dim_block_builder.h"
#include "documents.h"
#include "drawing_view.h"
#include "host_services.h"
#include "main_window.h"
#include "module_test_support.h"
#include "offscreen_application.h"
#include "picture_compare.h"
#include "point_input.h"
#include "snap_answer.h"
#include "translation.h"
#include "view_scene.h"

namespace {

using qrvwindow::DrawingView;
using qrvwindow::ViewScene;

// Two lines side by side and a circle around the second one's middle.
struct Geometry {
  OdDbObjectId left, right, circle;
};

Geometry addGeometry(OdDbDatabase& db) {
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  auto line = [&](OdGePoint3d a, OdGePoint3d b) {
    OdDbLinePtr l = OdDbLine::createObject();
    l->setStartPoint(a);
    l->setEndPoint(b);
    return ms->appendOdDbEntity(l);
  };
  Geometry g;
  g.left = line({0, 0, 0}, {10, 0, 0});
  g.right = line({20, 0, 0}, {30, 10, 0});
  OdDbCirclePtr c = OdDbCircle::createObject();
  c->setCenter({25, 5, 0});
  c->setRadius(2);
  g.circle = ms->appendOdDbEntity(c);
  return g;
}

// The geometry shown in a 400 x 300 view at its extents.
struct Drawing {
  QApplication& application = offscreenApplication();
  OdDbDatabase db;
  Geometry g = addGeometry(db);
  OdDbObjectId left = g.left, right = g.right, circle = g.circle;
  ViewScene scene;
  DrawingView view;
  Drawing() {
    scene.build(&db, {255, 255, 255}, {0, 0, 0});
    view.resize(400, 300);
    view.setScene(&scene, false);
  }
  OdDbObjectId id(std::uint32_t i) const { return scene.entities()[i].id; }
};

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
    click(view, px);
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

TEST(DrawingView, ADragFromAGripSaysWhereItWasDroppedAndAClickOnOneStillPicks) {
  Drawing d;
  DrawingView& view = d.view;
  std::vector<std::pair<std::size_t, QPointF>> dropped;
  int clicks = 0, boxes = 0;
  view.onGripDragged = [&](std::size_t grip, QPointF to) { dropped.push_back({grip, to}); };
  view.onClick = [&](QPointF, double) { ++clicks; };
  view.onBox = [&](const QRectF&, bool) { ++boxes; };
  view.setGrips({QPointF(5, 0), QPointF(27, 5)}, true);
  // Pressed within the pick box of the second grip, dropped elsewhere.
  drag(view, view.toPixel({27, 5}) + QPointF(3, -2), view.toPixel({30, 8}));
  ASSERT_EQ(dropped.size(), 1u);
  EXPECT_EQ(dropped[0].first, 1u);
  EXPECT_NEAR(dropped[0].second.x(), 30, 1e-6);
  EXPECT_NEAR(dropped[0].second.y(), 8, 1e-6);
  EXPECT_EQ(boxes, 0);
  // Let go where it was pressed: a click, which picks as ever.
  click(view, view.toPixel({5, 0}));
  EXPECT_EQ(clicks, 1);
  // Grips that cannot move (a command is asking): the drag is a box.
  view.setGrips({QPointF(5, 0), QPointF(27, 5)}, false);
  drag(view, view.toPixel({27, 5}), view.toPixel({30, 8}));
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(dropped.size(), 1u);
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
  // The pan mode does the same with the left button and selects nothing,
  // until Escape ends it.
  int ended = 0, boxes = 0;
  view.onModeEnded = [&] { ++ended; };
  view.onBox = [&](const QRectF&, bool) { ++boxes; };
  view.setMode(DrawingView::Mode::kPan);
  const QPointF held = view.toDrawing(cursor);
  drag(view, cursor, cursor + QPointF(-30, 10));
  EXPECT_NEAR(view.toDrawing(cursor + QPointF(-30, 10)).x(), held.x(), 1e-9);
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&view, &escape);
  EXPECT_EQ(view.mode(), DrawingView::Mode::kNormal);
  // A zoom window shows the dragged box as large as the view allows, once.
  view.setMode(DrawingView::Mode::kZoomWindow);
  drag(view, view.toPixel({22, 8}), view.toPixel({28, 2}));
  EXPECT_NEAR(view.pixelsPerUnit(), 300.0 / 6, 1e-9);
  EXPECT_NEAR(view.toDrawing({200, 150}).x(), 25, 1e-9);
  EXPECT_EQ(view.mode(), DrawingView::Mode::kNormal);
  EXPECT_EQ(ended, 2);
  EXPECT_EQ(boxes, 0);
  view.onBox = nullptr;

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

// The main window while a command waits for the second point of a linear
// dimension from the origin (its line 4 units below), told so as the
// window's session tells it. The cursor near the end of the slanted line
// snaps to it; the dimension, the rubber band and the end's marker follow
// (the picture matches tests/window_view/reference/point-picking.png;
// DDS_RENEW_PICTURES=1 writes it anew); a click answers the snap as a
// script types it (`_END 2A 30,10`). F3 turns snaps off, as the history says
// in the session's language, and a click answers the point under the cursor. Where the command can make
// nothing of the point, nothing is shown; Escape cancels the command, and
// the end of the prompt takes everything away.
TEST(MainWindowPointPrompt, TheDimensionBeingPlacedFollowsTheCursorWhichSnapsUntilF3) {
  offscreenApplication();
  // No settings of the user's: the window's dark background.
  const std::filesystem::path config = std::filesystem::temp_directory_path() / "qrv-point-prompt-config";
  std::filesystem::remove_all(config);
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  for (HostLanguage language : {HostLanguage::kEnglish, HostLanguage::kRussian}) {
    setHostLanguage(language);
    ScriptedHost host;
    OdDbDatabase& db = *host.newDocument(OdDb::kEnglish, false)->database();
    const Geometry g = addGeometry(db);
    qrvwindow::MainWindow window;
    DrawingView& view = window.view();
    view.setFixedSize(400, 300);  // whatever the window's layout would make of it
    window.refresh();
    window.promptKind = [] { return qrvwindow::MainWindow::PromptKind::kPoint; };
    std::vector<QString> answers;
    window.answer = [&](const QString& text) { answers.push_back(text); };
    bool cancelled = false;
    window.cancel = [&] { cancelled = true; };

    HostPointOptions options;
    options.base = OdGePoint3d(0, 0, 0);
    options.preview = [&](const OdGePoint3d& at) -> OdDbEntityPtr {
      OdDbRotatedDimensionPtr dim = OdDbRotatedDimension::createObject();
      dim->setXLine2Point(at);
      dim->setDimLinePoint({0, -4, 0});
      dim->setDimensionStyle(db.getDimstyle());
      dim->setDimtxt(1.2);
      dim->setDimasz(0.8);
      return dim;
    };
    window.pointPromptStarted(&options);
    const QPointF nearEnd = view.toPixel({30, 10}) + QPointF(3, 2);
    mouse(view, QEvent::MouseMove, nearEnd, Qt::NoButton);
    ASSERT_TRUE(view.shownSnap());
    EXPECT_EQ(view.shownSnap()->kind, snap::Kind::kEndpoint);
    ASSERT_TRUE(view.shownPreview());
    EXPECT_NEAR(view.shownPreview()->extents().right(), 30, 0.5);  // the second extension line at the end

    if (language == HostLanguage::kEnglish)
      picturetest::expectLikeReference(view.grab().toImage(), "tests/window_view/reference", "point-picking.png");
    click(view, nearEnd);

    QAction* f3 = nullptr;
    for (QAction* a : window.findChildren<QAction*>())
      if (a->shortcut() == QKeySequence(Qt::Key_F3)) f3 = a;
    ASSERT_TRUE(f3);
    f3->trigger();
    EXPECT_FALSE(view.shownSnap());
    click(view, nearEnd);
    f3->trigger();
    EXPECT_TRUE(view.shownSnap());
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0].toStdString(), "_END " + g.right.getHandle().ascii() + " " + hostPointAnswer({30, 10, 0}));
    const QPointF under = view.toDrawing(nearEnd);
    EXPECT_EQ(answers[1].toStdString(), hostPointAnswer(OdGePoint3d(under.x(), under.y(), 0)));
    const QString history = window.commandLine().historyText();
    if (language == HostLanguage::kRussian)
      EXPECT_TRUE(history.contains("<Объектная привязка откл.>\n<Объектная привязка вкл.>")) << history.toStdString();
    else
      EXPECT_TRUE(history.contains("<Object snaps off>\n<Object snaps on>")) << history.toStdString();

    // F9 and F8: away from any object snap, the click answers the point on
    // the snap grid (the drawing's 0.5), kept along X from the base point;
    // the drawing keeps both modes.
    db.setSNAPUNIT(0.5, 0.5);
    for (QAction* a : window.findChildren<QAction*>())
      if (a->shortcut() == QKeySequence(Qt::Key_F9) || a->shortcut() == QKeySequence(Qt::Key_F8)) a->trigger();
    EXPECT_EQ(db.getSNAPMODE(), 1);
    EXPECT_EQ(db.getORTHOMODE(), 1);
    const QPointF away = view.toPixel({12.3, 2.2});
    mouse(view, QEvent::MouseMove, away, Qt::NoButton);
    EXPECT_FALSE(view.shownSnap());
    click(view, away);
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_EQ(answers[2].toStdString(), hostPointAnswer(OdGePoint3d(12.5, 0, 0)));
    EXPECT_TRUE(window.commandLine().historyText().contains(language == HostLanguage::kRussian ? "<Орто вкл.>"
                                                                                             : "<Ortho on>"));

    // Every kind of snap clicked answers as a script types it, which the
    // prompt reads back as the same point on the same objects (and so
    // associates a dimension with them); away from snaps, the grid point.
    db.setSNAPMODE(0);
    db.setORTHOMODE(0);
    const double r = std::sqrt(2.0);
    const struct {
      OdGePoint3d cursor, snapped;
      std::string typed;
    } clicks[] = {
        {{5.1, 0.1, 0}, {5, 0, 0}, "_MID " + g.left.getHandle().ascii()},
        {{25 + r, 5 + r, 0}, {25 + r, 5 + r, 0}, "_INT " + g.right.getHandle().ascii() + " " + g.circle.getHandle().ascii()},
        {{27, 5, 0}, {25, 5, 0}, "_CEN " + g.circle.getHandle().ascii()},
    };
    for (const auto& c : clicks) {
      answers.clear();
      const QPointF at = view.toPixel({c.cursor.x, c.cursor.y});
      mouse(view, QEvent::MouseMove, at, Qt::NoButton);
      click(view, at);
      ASSERT_EQ(answers.size(), 1u);
      const std::string typed = answers[0].toStdString();
      EXPECT_EQ(typed.substr(0, c.typed.size()), c.typed);
      const HostSnapAnswer read = hostParseSnapAnswer(typed, db);
      ASSERT_EQ(read.kind, HostSnapAnswer::kSnapped) << typed;
      EXPECT_LT(read.ref.point.distanceTo(c.snapped), 1e-9) << typed;
    }

    // The drawing's OSMODE says which kinds are offered: ends and nearest
    // points only, the middle of the left line is a nearest point there.
    db.setOSMODE(1 | 512);
    answers.clear();
    const QPointF nearMiddle = view.toPixel({5.1, 0.1});
    mouse(view, QEvent::MouseMove, nearMiddle, Qt::NoButton);
    ASSERT_TRUE(view.shownSnap());
    EXPECT_EQ(view.shownSnap()->kind, snap::Kind::kNearest);
    click(view, nearMiddle);
    ASSERT_EQ(answers.size(), 1u);
    const HostSnapAnswer nea = hostParseSnapAnswer(answers[0].toStdString(), db);
    EXPECT_EQ(answers[0].toStdString().substr(0, 5), "_NEA ");
    ASSERT_EQ(nea.kind, HostSnapAnswer::kSnapped) << answers[0].toStdString();
    EXPECT_NEAR(nea.ref.point.y, 0, 1e-9);
    db.setOSMODE(1);
    mouse(view, QEvent::MouseMove, nearMiddle, Qt::NoButton);
    EXPECT_FALSE(view.shownSnap());

    options.preview = [&](const OdGePoint3d&) -> OdDbEntityPtr { throw OdError(eInvalidInput, "the same point"); };
    mouse(view, QEvent::MouseMove, view.toPixel({0, 0}), Qt::NoButton);
    EXPECT_FALSE(view.shownPreview());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&view, &escape);
    EXPECT_TRUE(cancelled);
    window.pointPromptEnded();
    mouse(view, QEvent::MouseMove, nearEnd, Qt::NoButton);
    EXPECT_FALSE(view.shownSnap());
    EXPECT_FALSE(view.shownPreview());
    window.release();
  }
  setHostLanguage(HostLanguage::kEnglish);
}

// At Command: a click on a dimension selects it and fills the palette; a
// value typed there shows in the view at once; Escape empties both.
TEST(MainWindowSelection, AClickedDimensionFillsThePaletteWhoseChangesShowAtOnce) {
  offscreenApplication();
  render::installDimBlockBuilder();
  std::istringstream in;
  std::ostringstream out;
  ScriptInput script(in);
  HostConsole console(script, out);
  HostServices services(console);
  ModuleLibrary module;  // the dimension rows of the palette are the module's
  ASSERT_TRUE(module.ok()) << dlerror();
  module.init();
  HostApDocument* doc = services.documents().addDocument(std::make_unique<OdDbDatabase>(), "", "");
  OdDbDatabase& db = *doc->database();
  addGeometry(db);
  qrvwindow::MainWindow window;
  DrawingView& view = window.view();
  view.setFixedSize(400, 300);
  window.refresh();
  window.promptKind = [] { return qrvwindow::MainWindow::PromptKind::kCommand; };
  // Drawn after the window first looked: the next look builds its block.
  OdDbObjectId dim;
  {
    OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    OdDbRotatedDimensionPtr d = OdDbRotatedDimension::createObject();
    d->setDatabaseDefaults(&db);
    d->setXLine1Point({0, 0, 0});
    d->setXLine2Point({10, 0, 0});
    d->setDimLinePoint({5, -3, 0});
    d->setDimensionStyle(db.getDimstyle());
    dim = ms->appendOdDbEntity(d);
  }
  window.refresh();

  const QPointF onDimensionLine = view.toPixel({2, -3});
  click(view, onDimensionLine);
  ASSERT_EQ(doc->pickFirstSelection().size(), 1u);
  EXPECT_EQ(doc->pickFirstSelection()[0], dim);
  auto* filter = window.findChild<QComboBox*>("paletteFilter");
  auto* rows = window.findChild<QTreeWidget*>("paletteRows");
  ASSERT_TRUE(filter && rows);
  EXPECT_TRUE(filter->currentText().contains("Dimension")) << filter->currentText().toStdString();
  const auto found = rows->findItems("Text height", Qt::MatchExactly | Qt::MatchRecursive);

  ASSERT_EQ(found.size(), 1);
  auto* edit = qobject_cast<QLineEdit*>(rows->itemWidget(found[0], 1));
  ASSERT_TRUE(edit);

  const QImage before = view.grab().toImage();
  edit->setText("2");
  emit edit->returnPressed();
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_DOUBLE_EQ(OdDbDimensionPtr(dim.safeOpenObject())->dimtxt(), 2.0);
  // Its block built anew and drawn: the text is ten times taller.
  EXPECT_GT(picturetest::differingShare(view.grab().toImage(), before), 0.002);
  EXPECT_EQ(doc->pickFirstSelection().size(), 1u);

  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&view, &escape);
  EXPECT_TRUE(doc->pickFirstSelection().empty());
  EXPECT_EQ(filter->currentText().toStdString(), "No selection");
  window.release();
  module.uninit();
}
