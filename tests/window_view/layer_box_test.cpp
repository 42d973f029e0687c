// The toolbar's layer drop-down: its rows show each layer's state and
// colour (the open list matches tests/window_view/reference/layer-box.png;
// DDS_RENEW_PICTURES=1 writes it anew), a click on a row's glyph types the
// -LAYER option that toggles it and leaves the list open, and choosing a
// row types the one that makes it current.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>

#include "OdDbDatabase.h"
#include "OdDbLayerTableRecord.h"
#include "layer_box.h"
#include "offscreen_application.h"
#include "picture_compare.h"

TEST(LayerBox, RowsShowTheStateAndAClickOnAGlyphTogglesIt) {
  offscreenApplication();
  OdDbDatabase db;
  {
    OdDbLayerTablePtr layers = db.getLayerTableId().safeOpenObject(OdDb::kForWrite);
    OdDbLayerTableRecordPtr walls = OdDbLayerTableRecord::createObject();
    walls->setName("Walls");
    walls->setColor(OdCmColor::fromIndex(1));
    walls->setIsFrozen(true);
    walls->setIsLocked(true);
    layers->add(walls);
    OdDbLayerTableRecordPtr notes = OdDbLayerTableRecord::createObject();
    notes->setName("Notes");
    notes->setIsOff(true);
    layers->add(notes);
  }
  qrvwindow::LayerBox box;
  std::vector<QStringList> typed;
  box.typeLines = [&](const QStringList& lines) { typed.push_back(lines); };
  box.fill(&db);
  ASSERT_EQ(box.count(), 3);
  EXPECT_EQ(box.currentText(), "0");

  box.resize(240, box.sizeHint().height());
  box.showPopup();
  QAbstractItemView* list = box.view();
  ASSERT_TRUE(list->isVisible());
  QApplication::processEvents();
  picturetest::expectLikeReference(list->grab().toImage(), "tests/window_view/reference", "layer-box.png");

  using Toggle = qrvwindow::LayerBox::Toggle;
  const QRect walls = list->visualRect(box.model()->index(1, 0));
  const QRect notes = list->visualRect(box.model()->index(2, 0));
  click(*list->viewport(), qrvwindow::LayerBox::toggleRect(walls, Toggle::kLocked).center());
  click(*list->viewport(), qrvwindow::LayerBox::toggleRect(walls, Toggle::kFrozen).center());
  click(*list->viewport(), qrvwindow::LayerBox::toggleRect(notes, Toggle::kOn).center());
  click(*list->viewport(), qrvwindow::LayerBox::toggleRect(notes, Toggle::kLocked).center());
  EXPECT_EQ(typed, (std::vector<QStringList>{{"-LAYER", "Unlock", "Walls", ""},
                                             {"-LAYER", "Thaw", "Walls", ""},
                                             {"-LAYER", "ON", "Notes", ""},
                                             {"-LAYER", "LOck", "Notes", ""}}));
  EXPECT_TRUE(list->isVisible());  // the list stays open for the next toggle
  typed.clear();
  emit box.activated(2);
  EXPECT_EQ(typed, (std::vector<QStringList>{{"-LAYER", "Set", "Notes", ""}}));
  box.hidePopup();
}
