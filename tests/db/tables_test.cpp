// Symbol tables: default contents, order, look-up without regard to case,
// refusals of bad and duplicate names, renaming.
#include <gtest/gtest.h>

#include "db_test_util.h"
#include "OdDbLinetypeTableRecord.h"
#include "OdDbTextStyleTableRecord.h"

namespace {
std::vector<OdString> styleNames(OdDbDatabase& db) {
  std::vector<OdString> names;
  OdDbDimStyleTablePtr t = db.getDimStyleTableId().safeOpenObject();
  for (auto it = t->newIterator(); !it->done(); it->step()) names.push_back(it->getRecord()->getName());
  return names;
}
}  // namespace

TEST(Tables, NewDrawingHasTheStandardRecords) {
  OdDbDatabase db;
  EXPECT_FALSE(db.getLinetypeByLayerId().isNull());
  EXPECT_FALSE(db.getLinetypeByBlockId().isNull());
  EXPECT_FALSE(db.getLinetypeContinuousId().isNull());
  EXPECT_FALSE(db.getLayerZeroId().isNull());
  EXPECT_FALSE(db.getTextStyleStandardId().isNull());
  EXPECT_FALSE(db.getModelSpaceId().isNull());
  EXPECT_FALSE(db.getPaperSpaceId().isNull());
  EXPECT_EQ(db.getDimstyle(), db.getDimStyleStandardId());
  EXPECT_EQ(db.getCLAYER(), db.getLayerZeroId());
  OdDbBlockTablePtr blocks = db.getBlockTableId().safeOpenObject();
  EXPECT_EQ(blocks->getAt("*model_space"), db.getModelSpaceId());
  EXPECT_TRUE(OdDbBlockTableRecordPtr(db.getPaperSpaceId().safeOpenObject())->isLayout());
}

TEST(Tables, OrderIsInsertionOrderAndErasedRecordsAreSkipped) {
  OdDbDatabase db;
  addStyle(db, "Zeta");
  OdDbObjectId alpha = addStyle(db, "alpha");
  addStyle(db, "Mid");
  EXPECT_EQ(styleNames(db), (std::vector<OdString>{"Standard", "Zeta", "alpha", "Mid"}));
  alpha.safeOpenObject(OdDb::kForWrite)->erase();
  EXPECT_EQ(styleNames(db), (std::vector<OdString>{"Standard", "Zeta", "Mid"}));
  OdDbDimStyleTablePtr t = db.getDimStyleTableId().safeOpenObject();
  EXPECT_TRUE(t->getAt("alpha").isNull());
  EXPECT_EQ(t->getAt("alpha", true), alpha);
  int all = 0;
  for (auto it = t->newIterator(true, false); !it->done(); it->step(true, false)) ++all;
  EXPECT_EQ(all, 4);
}

TEST(Tables, LookUpIgnoresCaseAndKeepsTheStoredCase) {
  OdDbDatabase db;
  OdDbObjectId id = addStyle(db, "Mechanical");
  OdDbObjectId ru = addStyle(db, "Чертёж");
  OdDbDimStyleTablePtr t = db.getDimStyleTableId().safeOpenObject();
  EXPECT_EQ(t->getAt("MECHANICAL"), id);
  EXPECT_EQ(t->getAt("mechanical"), id);
  EXPECT_EQ(t->getAt("ЧЕРТЁЖ"), ru);
  EXPECT_EQ(OdDbDimStyleTableRecordPtr(id.safeOpenObject())->getName(), "Mechanical");
  EXPECT_TRUE(t->getAt("Mechanica").isNull());
}

TEST(Tables, DuplicateAndInvalidNamesAreRefused) {
  OdDbDatabase db;
  addStyle(db, "A");
  // A duplicate name differing only in case is refused.
  EXPECT_EQ(thrownError([&] { addStyle(db, "a"); }).code(), eDuplicateRecordName);
  for (const char* bad : {"", "a<b", "x|y", " lead", "trail ", "q?", "semi;colon", "back`tick"}) {
    EXPECT_THROW(addStyle(db, bad), OdError) << bad;
  }
  EXPECT_EQ(styleNames(db).size(), 2u);
  // A new record of the same name is fine once the old one is erased.
  OdDbDimStyleTablePtr t = db.getDimStyleTableId().safeOpenObject();
  t->getAt("A").safeOpenObject(OdDb::kForWrite)->erase();
  t.release();
  EXPECT_NO_THROW(addStyle(db, "A"));
}

TEST(Tables, RenameChecksTheOtherNamesOfTheTable) {
  OdDbDatabase db;
  OdDbObjectId a = addStyle(db, "A");
  addStyle(db, "B");
  OdDbDimStyleTableRecordPtr rec = a.safeOpenObject(OdDb::kForWrite);
  EXPECT_THROW(rec->setName("b"), OdError);
  EXPECT_THROW(rec->setName("bad:name"), OdError);
  EXPECT_EQ(rec->getName(), "A");
  rec->setName("a");  // a change of case of its own name is allowed
  rec->setName("Renamed");
  rec.release();
  OdDbDimStyleTablePtr t = db.getDimStyleTableId().safeOpenObject();
  EXPECT_EQ(t->getAt("renamed"), a);
  EXPECT_TRUE(t->getAt("A").isNull());
}

TEST(Tables, TablesRefuseRecordsOfTheWrongKind) {
  OdDbDatabase db;
  OdDbDimStyleTablePtr t = db.getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
  OdDbLinetypeTableRecordPtr lt = OdDbLinetypeTableRecord::createObject();
  lt->setName("Dashed");
  EXPECT_THROW(t->add(lt), OdError);
  OdDbTextStyleTablePtr ts = db.getTextStyleTableId().safeOpenObject(OdDb::kForWrite);
  OdDbTextStyleTableRecordPtr style = OdDbTextStyleTableRecord::createObject();
  style->setName("Mono");
  style->setTextSize(2.5);
  EXPECT_THROW(style->setTextSize(-1), OdError);
  ts->add(style);
  EXPECT_DOUBLE_EQ(OdDbTextStyleTableRecordPtr(ts->getAt("mono").safeOpenObject())->textSize(), 2.5);
}
