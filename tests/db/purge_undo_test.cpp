// References, purge and undo: what keeps an object in the drawing, and
// getting back exactly what was there.
#include <gtest/gtest.h>

#include "db_test_util.h"
#include "OdDmUtil.h"

namespace {
bool purgeable(OdDbDatabase& db, OdDbObjectId id) {
  OdDbObjectIdArray ids{id};
  db.purge(ids);
  return ids.size() == 1;
}
}  // namespace

TEST(Purge, ReferencesFromEntitiesLeadersStylesAndHeaderKeepObjects) {
  OdDbDatabase db;
  OdDbObjectId a = addStyle(db, "A"), a7 = addStyle(db, "A$7"), b = addStyle(db, "B");
  EXPECT_TRUE(purgeable(db, a));
  OdDbObjectId dim = addRotatedDim(db, a);
  OdDbObjectId ldr = addLeader(db, a7);
  EXPECT_FALSE(purgeable(db, a));
  EXPECT_FALSE(purgeable(db, a7));
  EXPECT_TRUE(purgeable(db, b));
  EXPECT_FALSE(purgeable(db, db.getDimstyle()));  // the current style

  // An arrow block used by a style, and by an entity's override.
  OdDbObjectId dot = OdDmUtil::getArrowId("_Dot", &db);
  EXPECT_TRUE(purgeable(db, dot));
  OdDbDimStyleTableRecordPtr(b.safeOpenObject(OdDb::kForWrite))->setDimblk(dot);
  EXPECT_FALSE(purgeable(db, dot));
  OdDbDimStyleTableRecordPtr(b.safeOpenObject(OdDb::kForWrite))->setDimblk(OdDbObjectId());
  EXPECT_TRUE(purgeable(db, dot));
  OdDbLeaderPtr(ldr.safeOpenObject(OdDb::kForWrite))->setDimldrblk(dot);
  EXPECT_FALSE(purgeable(db, dot));

  // Erasing the user drops its references.
  dim.safeOpenObject(OdDb::kForWrite)->erase();
  EXPECT_TRUE(purgeable(db, a));
  ldr.safeOpenObject(OdDb::kForWrite)->erase();
  EXPECT_TRUE(purgeable(db, a7));
  EXPECT_TRUE(purgeable(db, dot));

  // The records no drawing can do without are never purged.
  OdDbObjectIdArray fixed{db.getLayerZeroId(), db.getLinetypeContinuousId(), db.getModelSpaceId(),
                          db.getTextStyleStandardId()};
  db.purge(fixed);
  EXPECT_TRUE(fixed.empty());
}

TEST(Purge, AGroupIsTestedWhole) {
  OdDbDatabase db;
  OdDbObjectIdArray group{addStyle(db, "G"), addStyle(db, "G$0"), addStyle(db, "G$7")};
  db.purge(group);
  EXPECT_EQ(group.size(), 3u);
  addLeader(db, group[2]);
  db.purge(group);
  EXPECT_EQ(group.size(), 2u);
}

TEST(Undo, RestoresChangedCreatedAndErasedObjectsAndTheHeader) {
  OdDbDatabase db;
  OdDbObjectId a = addStyle(db, "A", 0.5);
  OdDbObjectId dim = addRotatedDim(db, a);
  EXPECT_FALSE(db.hasUndo());  // nothing was recorded outside a step

  db.beginUndoGroup("EDIT");
  OdDbDimStyleTableRecordPtr(a.safeOpenObject(OdDb::kForWrite))->setDimasz(2.0);
  OdDbDimStyleTableRecordPtr(a.safeOpenObject(OdDb::kForWrite))->setName("Renamed");
  dim.safeOpenObject(OdDb::kForWrite)->erase();
  OdDbObjectId created = addStyle(db, "New");
  db.setDimstyle(a);
  db.setDimasz(7.0);
  db.endUndoGroup();
  ASSERT_TRUE(db.hasUndo());
  EXPECT_EQ(db.undoName(), "EDIT");
  EXPECT_TRUE(purgeable(db, db.getDimStyleStandardId()));

  db.undo();
  OdDbDimStyleTableRecordPtr rec = a.safeOpenObject();
  EXPECT_DOUBLE_EQ(rec->dimasz(), 0.5);
  EXPECT_EQ(rec->getName(), "A");
  EXPECT_TRUE(dim.isValid());
  EXPECT_TRUE(created.isErased());
  OdDbDimStyleTablePtr t = db.getDimStyleTableId().safeOpenObject();
  EXPECT_TRUE(t->getAt("New").isNull());
  EXPECT_EQ(t->getAt("a"), a);
  EXPECT_EQ(db.getDimstyle(), db.getDimStyleStandardId());
  EXPECT_DOUBLE_EQ(db.dimasz(), 0.18);
  // References are back as they were.
  EXPECT_FALSE(purgeable(db, a));
  EXPECT_FALSE(purgeable(db, db.getDimStyleStandardId()));
  EXPECT_FALSE(db.hasUndo());
  EXPECT_THROW(db.undo(), OdError);

  // Redo makes the step again, with its references, and undo takes it back
  // once more.
  ASSERT_TRUE(db.hasRedo());
  EXPECT_EQ(db.redoName(), "EDIT");
  db.redo();
  EXPECT_DOUBLE_EQ(OdDbDimStyleTableRecordPtr(a.safeOpenObject())->dimasz(), 2.0);
  EXPECT_EQ(t->getAt("Renamed"), a);
  EXPECT_TRUE(dim.isErased());
  EXPECT_FALSE(created.isErased());
  EXPECT_EQ(t->getAt("New"), created);
  EXPECT_EQ(db.getDimstyle(), a);
  EXPECT_DOUBLE_EQ(db.dimasz(), 7.0);
  EXPECT_TRUE(purgeable(db, db.getDimStyleStandardId()));
  EXPECT_FALSE(db.hasRedo());
  EXPECT_THROW(db.redo(), OdError);
  db.undo();
  EXPECT_TRUE(created.isErased());
  EXPECT_EQ(db.getDimstyle(), db.getDimStyleStandardId());

  // A new change makes the undone step obsolete, also one made outside
  // any step; a step that changes nothing, or a change not recorded on
  // purpose (a preview), does not.
  db.beginUndoGroup("NOTHING");
  db.endUndoGroup();
  db.blockUndoRecording(true);
  db.setDimtxt(0.3);
  const OdDbObjectId unrecorded = addStyle(db, "Unrecorded");
  db.blockUndoRecording(false);
  EXPECT_TRUE(db.hasRedo());
  // A record added unrecorded (a dimension's block built for saving) stays
  // in its table when the table is given back an older list.
  db.redo();
  EXPECT_EQ(t->getAt("Unrecorded"), unrecorded);
  EXPECT_EQ(t->getAt("New"), created);
  db.undo();
  EXPECT_EQ(t->getAt("Unrecorded"), unrecorded);
  EXPECT_TRUE(t->getAt("New").isNull());
  db.beginUndoGroup("OTHER");
  db.setDimasz(1.0);
  db.endUndoGroup();
  EXPECT_FALSE(db.hasRedo());
  db.undo();
  EXPECT_TRUE(db.hasRedo());
  db.setDimtxt(0.25);
  EXPECT_FALSE(db.hasRedo());
  // A step that takes itself back leaves nothing to redo.
  db.beginUndoGroup("OTHER");
  db.setDimasz(1.0);
  db.endUndoGroup();
  db.undoAndForget();
  EXPECT_DOUBLE_EQ(db.dimasz(), 0.18);
  EXPECT_FALSE(db.hasRedo());
}

TEST(Undo, NestedGroupsFormOneStepAndBlockingRecordsNothing) {
  OdDbDatabase db;
  OdDbObjectId a = addStyle(db, "A", 0.5);
  db.beginUndoGroup("OUTER");
  db.beginUndoGroup("INNER");
  OdDbDimStyleTableRecordPtr(a.safeOpenObject(OdDb::kForWrite))->setDimasz(1.0);
  db.endUndoGroup();
  OdDbDimStyleTableRecordPtr(a.safeOpenObject(OdDb::kForWrite))->setDimasz(2.0);
  db.endUndoGroup();
  db.undo();
  EXPECT_DOUBLE_EQ(OdDbDimStyleTableRecordPtr(a.safeOpenObject())->dimasz(), 0.5);

  db.blockUndoRecording(true);
  db.beginUndoGroup("PREVIEW");
  OdDbDimStyleTableRecordPtr(a.safeOpenObject(OdDb::kForWrite))->setDimasz(3.0);
  db.endUndoGroup();
  EXPECT_FALSE(db.hasUndo());
}
