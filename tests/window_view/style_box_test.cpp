// The toolbar's dimension-style drop-down: choosing a style makes it
// current, and with overrides only after the question is answered Yes.
#include <gtest/gtest.h>

#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbSymbolTable.h"
#include "offscreen_application.h"
#include "style_box.h"

TEST(DimStyleBox, MakesTheChosenStyleCurrentAskingFirstWhenTheDrawingHasOverrides) {
  offscreenApplication();

  OdDbDatabase db;
  {
    OdDbSymbolTablePtr styles = db.getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
    OdDbDimStyleTableRecordPtr wide = OdDbDimStyleTableRecord::createObject();
    wide->setName("Wide");
    styles->add(wide);
  }
  qrvwindow::DimStyleBox box;
  QStringList madeCurrent, asked;
  bool answer = false;
  box.makeCurrent = [&](const QString& style) { madeCurrent << style; };
  box.confirm = [&](const QString& question) {
    asked << question;
    return answer;
  };
  box.fill(&db);
  ASSERT_EQ(box.count(), 2);
  EXPECT_EQ(box.currentText(), "Standard");

  // No overrides: no question.
  ASSERT_FALSE(qrvwindow::hasStyleOverrides(&db));
  emit box.activated(box.findText("Wide"));
  EXPECT_EQ(madeCurrent, QStringList{"Wide"});
  EXPECT_TRUE(asked.isEmpty());

  // A current value that differs from the style: No keeps the style, and
  // the box shows it again; Yes goes on.
  box.fill(&db);
  db.setDimVar(*OdDbDimVars::indexOf("DIMASZ"), 7.0);
  ASSERT_TRUE(qrvwindow::hasStyleOverrides(&db));
  box.setCurrentIndex(box.findText("Wide"));
  emit box.activated(box.findText("Wide"));
  ASSERT_EQ(asked.size(), 1);
  EXPECT_TRUE(asked[0].contains("discard your style overrides"));
  EXPECT_EQ(madeCurrent.size(), 1);
  EXPECT_EQ(box.currentText(), "Standard");
  answer = true;
  emit box.activated(box.findText("Wide"));
  EXPECT_EQ(madeCurrent, (QStringList{"Wide", "Wide"}));
}
