// Associative dimensions: following their geometry through edits, undo and
// redo; the DIMASSOC record through saving and reading, also as other
// programs write it; erased geometry.
#include <gtest/gtest.h>

#include <numbers>

#include "DxfDrawingIO.h"
#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimAssocFollow.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"

namespace {

struct Drawing {
  std::unique_ptr<OdDbDatabase> db = std::make_unique<OdDbDatabase>();
  OdDbObjectId line, circle, linear, radius;
};

OdDbObjectId append(OdDbDatabase& db, OdDbEntityPtr e) {
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  return ms->appendOdDbEntity(e);
}

void associate(OdDbDimension& dim, const std::vector<std::pair<int, OdDbOsnapPointRef>>& refs) {
  OdDbDimAssocPtr assoc = OdDbDimAssoc::createObject();
  for (const auto& [i, ref] : refs) assoc->setPointRef(i, ref);
  odDbSetDimAssoc(dim, assoc);
}

// A line from (0,0) to (10,0) with a linear dimension on its ends, and a
// circle at (20,0) of radius 5 with a radius dimension, as the drafting
// commands associate them.
Drawing makeDrawing() {
  Drawing d;
  OdDbLinePtr line = OdDbLine::createObject();
  line->setEndPoint({10, 0});
  d.line = append(*d.db, line);
  OdDbCirclePtr circle = OdDbCircle::createObject();
  circle->setCenter({20, 0});
  circle->setRadius(5);
  d.circle = append(*d.db, circle);

  OdDbRotatedDimensionPtr linear = OdDbRotatedDimension::createObject();
  linear->setXLine1Point({0, 0});
  linear->setXLine2Point({10, 0});
  linear->setDimLinePoint({5, -5});
  d.linear = append(*d.db, linear);
  associate(*linear, {{0, *odDbMakeOsnapRef(*line, OdDbOsnapType::kEnd, OdGePoint3d(0, 0))},
                      {1, *odDbMakeOsnapRef(*line, OdDbOsnapType::kEnd, OdGePoint3d(10, 0))}});

  OdDbRadialDimensionPtr radius = OdDbRadialDimension::createObject();
  radius->setCenter({20, 0});
  radius->setChordPoint({20, 5});
  d.radius = append(*d.db, radius);
  associate(*radius, {{0, *odDbMakeOsnapRef(*circle, OdDbOsnapType::kNear, OdGePoint3d(20, 5))},
                      {1, *odDbMakeOsnapRef(*circle, OdDbOsnapType::kCen, std::nullopt)}});
  return d;
}

void inStep(OdDbDatabase& db, const std::function<void()>& change) {
  db.beginUndoGroup("EDIT");
  change();
  db.endUndoGroup();
}

OdDbObjectId byHandle(const OdDbDatabase& db, OdDbObjectId original) {
  return db.getOdDbObjectId(original.getHandle());
}

TEST(DimAssoc, DimensionsFollowTheirGeometryWithinTheStepThroughUndoRedoAndSaving) {
  Drawing d = makeDrawing();
  OdDbDatabase& db = *d.db;
  EXPECT_TRUE(odDbIsDimAssociative(*OdDbEntity::cast(d.linear.openObject())));

  // The whole line moves: the dimension goes along, its line too.
  inStep(db, [&] {
    OdDbLinePtr line = d.line.safeOpenObject(OdDb::kForWrite);
    line->setStartPoint({0, 3});
    line->setEndPoint({10, 3});
  });
  {
    OdDbRotatedDimensionPtr dim = d.linear.safeOpenObject();
    EXPECT_EQ(dim->xLine1Point(), OdGePoint3d(0, 3));
    EXPECT_EQ(dim->xLine2Point(), OdGePoint3d(10, 3));
    EXPECT_EQ(dim->dimLinePoint(), OdGePoint3d(5, -2));
  }
  // One end moves: that origin follows, the dimension line stays.
  inStep(db, [&] { OdDbLinePtr(d.line.safeOpenObject(OdDb::kForWrite))->setEndPoint({14, 3}); });
  {
    OdDbRotatedDimensionPtr dim = d.linear.safeOpenObject();
    EXPECT_EQ(dim->xLine2Point(), OdGePoint3d(14, 3));
    EXPECT_EQ(dim->dimLinePoint(), OdGePoint3d(5, -2));
    EXPECT_DOUBLE_EQ(dim->getMeasurement(), 14.0);
  }
  // The circle grows and moves: chord point at the same angle, new centre.
  inStep(db, [&] {
    OdDbCirclePtr c = d.circle.safeOpenObject(OdDb::kForWrite);
    c->setCenter({30, 0});
    c->setRadius(8);
  });
  {
    OdDbRadialDimensionPtr dim = d.radius.safeOpenObject();
    EXPECT_EQ(dim->center(), OdGePoint3d(30, 0));
    EXPECT_NEAR(dim->chordPoint().x, 30, 1e-12);
    EXPECT_NEAR(dim->chordPoint().y, 8, 1e-12);
  }
  // Undo gives back the geometry and the dimension together; redo both.
  db.undo();
  EXPECT_EQ(OdDbRadialDimensionPtr(d.radius.safeOpenObject())->center(), OdGePoint3d(20, 0));
  db.redo();
  EXPECT_EQ(OdDbRadialDimensionPtr(d.radius.safeOpenObject())->center(), OdGePoint3d(30, 0));

  // Saved and read again, the association is there and still followed.
  const std::string bytes = writeDxfDrawingToBytes(db);
  DxfReadReport report;
  auto again = readDxfDrawingFromBytes(bytes, &report);
  EXPECT_TRUE(report.warnings.empty());
  const OdDbObjectId line2 = byHandle(*again, d.line), linear2 = byHandle(*again, d.linear);
  EXPECT_TRUE(odDbIsDimAssociative(*OdDbEntity::cast(linear2.openObject())));
  inStep(*again, [&] { OdDbLinePtr(line2.safeOpenObject(OdDb::kForWrite))->setStartPoint({-6, 3}); });
  EXPECT_DOUBLE_EQ(OdDbRotatedDimensionPtr(linear2.safeOpenObject())->getMeasurement(), 20.0);
  // Unchanged, it is written back as it was read.
  auto third = readDxfDrawingFromBytes(bytes);
  EXPECT_EQ(writeDxfDrawingToBytes(*third), bytes);
}

TEST(DimAssoc, ErasedGeometryOrADimensionMovedAloneEndsTheAssociationWithANoteAndUndoBringsItBack) {
  Drawing d = makeDrawing();
  std::vector<std::pair<OdDbHandle, OdDbDimAssocLoss>> notes;
  odDbSetDimAssocNoteSink([&](OdDbHandle h, OdDbDimAssocLoss why) { notes.emplace_back(h, why); });
  // A change that leaves the associated points alone keeps the association.
  inStep(*d.db, [&] { OdDbRadialDimensionPtr(d.radius.safeOpenObject(OdDb::kForWrite))->setDimasz(1.0); });
  EXPECT_TRUE(notes.empty());
  inStep(*d.db, [&] { OdDbRadialDimensionPtr(d.radius.safeOpenObject(OdDb::kForWrite))->setCenter({0, 9}); });
  inStep(*d.db, [&] { d.line.safeOpenObject(OdDb::kForWrite)->erase(); });
  odDbSetDimAssocNoteSink(nullptr);
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0], std::make_pair(d.radius.getHandle(), OdDbDimAssocLoss::kMovedAway));
  EXPECT_EQ(notes[1], std::make_pair(d.linear.getHandle(), OdDbDimAssocLoss::kGeometryGone));
  EXPECT_EQ(OdDbRadialDimensionPtr(d.radius.safeOpenObject())->center(), OdGePoint3d(0, 9));
  EXPECT_TRUE(odDbDimAssocId(*OdDbEntity::cast(d.radius.openObject())).isNull());
  OdDbRotatedDimensionPtr dim = d.linear.safeOpenObject();
  EXPECT_EQ(dim->xLine2Point(), OdGePoint3d(10, 0));
  EXPECT_TRUE(odDbDimAssocId(*dim).isNull());
  dim.release();
  d.db->undo();
  EXPECT_TRUE(odDbIsDimAssociative(*OdDbEntity::cast(d.linear.openObject())));
  // An erased dimension takes its association along: no saved object names it.
  const OdDbObjectId assoc = odDbDimAssocId(*OdDbEntity::cast(d.linear.openObject()));
  inStep(*d.db, [&] { d.linear.safeOpenObject(OdDb::kForWrite)->erase(); });
  EXPECT_TRUE(assoc.isErased());
  EXPECT_EQ(writeDxfDrawingToBytes(*d.db).find("AcDbDimAssoc"), std::string::npos);
  d.db->undo();
  EXPECT_FALSE(assoc.isErased());
}

// What other programs write: padded numbers, a code we do not model, a
// reference through a block reference (a path of two objects), an object
// that is missing. Read, kept, reported; rewritten with what it held.
TEST(DimAssoc, RecordsOfOtherProgramsAreReadToleratedAndKept) {
  Drawing d = makeDrawing();
  std::string bytes = writeDxfDrawingToBytes(*d.db);
  OdDbObjectId assocId = odDbDimAssocId(*OdDbEntity::cast(d.linear.openObject()));
  const std::string head = "  0\nDIMASSOC\n  5\n" + std::string(assocId.getHandle().ascii()) + "\n";
  const std::size_t at = bytes.find(head);
  ASSERT_NE(at, std::string::npos);
  const std::size_t end = bytes.find("\n  0\n", at + head.size());
  const std::string handle = d.line.getHandle().ascii();
  const std::string dictionary = OdDbEntity::cast(d.linear.openObject())->extensionDictionary().getHandle().ascii();
  const std::string theirs = head + "102\n{ACAD_REACTORS\n330\n" + dictionary + "\n102\n}\n330\n" + dictionary +
                             "\n100\nAcDbDimAssoc\n330\n" + std::string(d.linear.getHandle().ascii()) +
                             "\n 90\n        7\n 70\n     0\n 71\n     0\n"
                             "  1\nAcDbOsnapPointRef\n 72\n    13\n331\n" + handle +
                             "\n 73\n     2\n 91\n        0\n 40\n0.0\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 75\n     0\n"
                             "  1\nAcDbOsnapPointRef\n 72\n     1\n331\n" + handle +
                             "\n 73\n     2\n 91\n        0\n 40\n1.0\n 10\n0.0\n 20\n0.0\n 30\n2.0E+50\n 75\n     0\n"
                             "  1\nAcDbOsnapPointRef\n 72\n     2\n331\nFFF0\n331\nFFF1\n 73\n     2\n 91\n        1\n"
                             " 40\n0.0\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 75\n     0\n 94\n        9";
  bytes.replace(at, end - at, theirs);

  DxfReadReport report;
  auto db = readDxfDrawingFromBytes(bytes, &report);
  ASSERT_EQ(report.warnings.size(), 1u);
  EXPECT_NE(report.warnings[0].find("refers to no object by FFF0 FFF1"), std::string::npos) << report.warnings[0];
  EXPECT_EQ(writeDxfDrawingToBytes(*db), bytes);

  const OdDbObjectId line = byHandle(*db, d.line), linear = byHandle(*db, d.linear);
  OdDbDimAssocPtr assoc = OdDbDimAssoc::cast(odDbDimAssocId(*OdDbEntity::cast(linear.openObject())).openObject());
  ASSERT_TRUE(assoc);
  ASSERT_TRUE(assoc->pointRef(2));
  EXPECT_EQ(assoc->pointRef(2)->mainObjects.size(), 2u);
  EXPECT_EQ(assoc->pointRef(1)->osnapType, OdDbOsnapType::kEnd);
  // The path is not followed; the line is, and the record is written anew
  // with the path and the code it did not know.
  inStep(*db, [&] {
    OdDbLinePtr(line.safeOpenObject(OdDb::kForWrite))->setEndPoint({12, 0});
    OdDbDimAssocPtr(assoc->objectId().safeOpenObject(OdDb::kForWrite))->setTransSpace(false);
  });
  EXPECT_DOUBLE_EQ(OdDbRotatedDimensionPtr(linear.safeOpenObject())->getMeasurement(), 12.0);
  const std::string written = writeDxfDrawingToBytes(*db);
  auto reread = readDxfDrawingFromBytes(written);
  OdDbDimAssocPtr kept = OdDbDimAssoc::cast(byHandle(*reread, assoc->objectId()).openObject());
  ASSERT_TRUE(kept);
  EXPECT_EQ(*kept->pointRef(2), *assoc->pointRef(2));
  EXPECT_NE(written.find(" 94\n        9"), std::string::npos);
}

}  // namespace
