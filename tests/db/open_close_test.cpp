// The open/close protocol, identifiers and errors.
#include <gtest/gtest.h>

#include "db_test_util.h"
#include "OdDbLayerTableRecord.h"

TEST(OpenClose, WritingNeedsAWriteOpenAndUpgradeGivesIt) {
  OdDbDatabase db;
  OdDbObjectId id = addStyle(db, "A");
  OdDbDimStyleTableRecordPtr rec = id.safeOpenObject();
  const OdError readOnly = thrownError([&] { rec->setDimasz(1.0); });  // a read-open record takes no change
  EXPECT_EQ(readOnly.code(), eNotOpenForWrite);
  EXPECT_NE(readOnly.description().find("OdDbDimStyleTableRecord"), std::string::npos);
  EXPECT_DOUBLE_EQ(rec->dimasz(), 0.18);
  rec->upgradeOpen();
  rec->setDimasz(1.0);
  rec.release();
  // Closed again: a fresh read open sees the value and may not write.
  OdDbDimStyleTableRecordPtr again = id.safeOpenObject();
  EXPECT_DOUBLE_EQ(again->dimasz(), 1.0);
  EXPECT_FALSE(again->isWriteEnabled());
}

// A file reader's objects take changes without notes while the drawing
// loads; closed, they need a write open again, and once loaded their changes
// are undone like any other.
TEST(OpenClose, ObjectsOpenedForLoadingBecomeOrdinaryWhenLoaded) {
  OdDbDatabase db;
  OdDbObjectId id = addStyle(db, "A");
  {
    OdDbDimStyleTableRecordPtr rec = id.safeOpenObject();
    rec->openForLoading();
    rec->setDimasz(2.0);
  }
  OdDbDimStyleTableRecordPtr closed = id.safeOpenObject();
  EXPECT_EQ(thrownError([&] { closed->setDimasz(3.0); }).code(), eNotOpenForWrite);
  closed.release();
  db.finishLoading();
  EXPECT_FALSE(db.changedSinceLoading());
  db.beginUndoGroup("EDIT");
  OdDbDimStyleTableRecordPtr(id.safeOpenObject(OdDb::kForWrite))->setDimasz(5.0);
  db.endUndoGroup();
  EXPECT_TRUE(db.changedSinceLoading());
  db.undo();
  EXPECT_DOUBLE_EQ(OdDbDimStyleTableRecordPtr(id.safeOpenObject())->dimasz(), 2.0);
}

TEST(OpenClose, ErasedMissingAndNullIdsFailClearly) {
  OdDbDatabase db;
  OdDbObjectId id = addStyle(db, "Gone");
  id.safeOpenObject(OdDb::kForWrite)->erase();
  EXPECT_TRUE(id.isErased());
  EXPECT_FALSE(id.isValid());
  EXPECT_TRUE(id.openObject().isNull());
  EXPECT_FALSE(id.openObject(OdDb::kForRead, true).isNull());
  EXPECT_EQ(thrownError([&] { id.safeOpenObject(); }).code(), eWasErased);
  OdDbObjectId null;
  EXPECT_TRUE(null.isNull());
  EXPECT_TRUE(null.openObject().isNull());
  EXPECT_EQ(thrownError([&] { null.safeOpenObject(); }).code(), eNullObjectId);
  EXPECT_EQ(OdDbObjectId::kNull, null);
}

TEST(OpenClose, OpeningAsTheWrongClassThrows) {
  OdDbDatabase db;
  // A layer does not open as a dimension style.
  EXPECT_EQ(thrownError([&] { OdDbDimStyleTableRecordPtr wrong = db.getLayerZeroId().safeOpenObject(); }).code(),
            eNotThatKindOfClass);
  OdDbObjectPtr obj = db.getLayerZeroId().safeOpenObject();
  EXPECT_TRUE(OdDbDimStyleTableRecord::cast(obj.get()).isNull());
  EXPECT_FALSE(OdDbLayerTableRecord::cast(obj.get()).isNull());
}

TEST(OpenClose, HandlesAreUniqueStableAndFindTheirObjects) {
  OdDbDatabase db;
  OdDbObjectId a = addStyle(db, "A"), b = addStyle(db, "B");
  EXPECT_NE(a.getHandle(), b.getHandle());
  EXPECT_EQ(db.getOdDbObjectId(a.getHandle()), a);
  EXPECT_EQ(db.getOdDbObjectId(OdDbHandle::fromAscii(b.getHandle().ascii()).value()), b);
  EXPECT_GT(db.handseed().value(), b.getHandle().value());
  EXPECT_FALSE(OdDbHandle::fromAscii("XYZ").has_value());
  EXPECT_EQ(OdDbHandle(0x1F).ascii(), "1F");
  // A handle in use cannot be given to another object.
  EXPECT_THROW(db.addOdDbObject(OdDbDimStyleTableRecord::createObject(), OdDbObjectId(), a.getHandle()),
               OdError);
}

TEST(OpenClose, ObjectKnowsItsOwnerAndDatabase) {
  OdDbDatabase db;
  OdDbObjectId style = addStyle(db, "A");
  OdDbObjectId dim = addRotatedDim(db, style);
  OdDbDimensionPtr d = dim.safeOpenObject();
  EXPECT_EQ(d->ownerId(), db.getModelSpaceId());
  EXPECT_EQ(d->database(), &db);
  EXPECT_EQ(d->objectId(), dim);
  EXPECT_EQ(d->layerId(), db.getLayerZeroId());
  EXPECT_FALSE(d->isKindOf(OdDbLeader::desc()));
}

// Files number objects in runs, strides and scattered values; every object
// must be found by its handle whatever the pattern, across the index's
// growth, and a handle nobody has must find nothing.
TEST(OpenClose, EveryHandlePatternFindsItsObject) {
  OdDbDatabase db;
  const std::size_t standard = db.numObjects();
  std::vector<std::pair<std::uint64_t, OdDbObjectId>> added;
  auto add = [&](std::uint64_t handle) {
    added.emplace_back(handle, db.addOdDbObject(OdDbDimStyleTableRecord::createObject(), OdDbObjectId(),
                                                OdDbHandle(handle)));
  };
  for (std::uint64_t h = 0x100; h < 0x100 + 3000; ++h) add(h);             // a run
  for (std::uint64_t i = 1; i <= 2000; ++i) add(i << 20);                   // a power-of-two stride
  for (std::uint64_t i = 1; i <= 500; ++i) add(0xFFFFFFFF00000000ull + i);  // far above the rest
  std::uint64_t x = 88172645463325252ull;
  for (int i = 0; i < 2000; ++i) {  // scattered
    x ^= x << 13, x ^= x >> 7, x ^= x << 17;
    const std::uint64_t h = x % (std::uint64_t(1) << 40);
    if (h > 0x100000 && db.getOdDbObjectId(OdDbHandle(h)).isNull()) add(h);
  }
  for (const auto& [handle, id] : added) ASSERT_EQ(db.getOdDbObjectId(OdDbHandle(handle)), id) << handle;
  EXPECT_TRUE(db.getOdDbObjectId(OdDbHandle(0x100 + 3000)).isNull());
  EXPECT_TRUE(db.getOdDbObjectId(OdDbHandle(2001ull << 20)).isNull());
  EXPECT_EQ(db.numObjects(), standard + added.size());
  // A new object gets a handle above all of them.
  OdDbObjectId fresh = db.addOdDbObject(OdDbDimStyleTableRecord::createObject(), OdDbObjectId(), OdDbHandle());
  EXPECT_EQ(fresh.getHandle().value(), 0xFFFFFFFF00000000ull + 501);
}
