// The main window's grips: a selected dimension shows them, and dropping one
// types -DIMGRIP with the dimension, the grip and the point.
#include <gtest/gtest.h>

#include "../host/host_test_support.h"
#include "../shared/dimension_builders.h"
#include "dim_block_builder.h"
#include "drawing_view.h"
#include "main_window.h"
#include "offscreen_application.h"
#include "point_input.h"

TEST(MainWindowGrips, DroppingAGripOfTheSelectedDimensionTypesDimGrip) {
  offscreenApplication();
  render::installDimBlockBuilder();
  ScriptedHost host;
  HostApDocument* doc = host.newDocument(OdDb::kEnglish);
  OdDbDatabase& db = *doc->database();
  const OdDbObjectId dim = addRotatedDim(db, db.getDimStyleStandardId());  // (0,0) to (10,0), its line at y 3
  qrvwindow::MainWindow window;
  std::vector<QStringList> typed;
  window.typeLines = [&](const QStringList& lines) { typed.push_back(lines); };
  window.refresh();
  doc->setPickFirstSelection({dim});
  window.refresh();
  // The view has no meta-object of its own: found among the widgets by type.
  qrvwindow::DrawingView* view = nullptr;
  for (QWidget* w : window.findChildren<QWidget*>())
    if (auto* v = dynamic_cast<qrvwindow::DrawingView*>(w)) view = v;
  ASSERT_NE(view, nullptr);
  // The line's grip at the second extension line, dragged up.
  const QPointF from = view->toPixel({10, 3}), to = from + QPointF(0, -40);
  drag(*view, from, to);
  const QPointF dropped = view->toDrawing(to);
  const std::string at = hostPointAnswer(OdGePoint3d(dropped.x(), dropped.y(), 0));
  ASSERT_EQ(typed.size(), 1u);
  EXPECT_EQ(typed[0], (QStringList{"-DIMGRIP", QString::fromStdString(dim.getHandle().ascii()), "_Line",
                                   QString::fromStdString(at)}));
  // Nothing selected, no grips: the same drag is a box.
  doc->setPickFirstSelection({});
  window.refresh();
  drag(*view, from, to);
  EXPECT_EQ(typed.size(), 1u);
}
