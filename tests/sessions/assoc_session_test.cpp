// Associative dimensions in whole qrvhost sessions: made from typed object
// snaps, shown by the palette, taken away and given again, lost with their
// geometry, and not made when DIMASSOC says so.
#include <gtest/gtest.h>

#include "OdDbDimAssoc.h"
#include "session_support.h"

using namespace sessions;

namespace {

// A line from (0,0) to (10,0); its handle.
std::string makeLine(const std::filesystem::path& path) {
  OdDbDatabase db;
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  const std::string handle = addLine(ms, {0, 0}, {10, 0});
  ms.release();
  writeDxfDrawing(db, path.string());
  return handle;
}

TEST(AssocSessions, SnappedDimensionsAreAssociatedShownTakenAwayGivenAgainAndLostWithTheirGeometry) {
  const auto dir = tempFolder("assoc");
  const std::string line = makeLine(dir / "in.dxf");
  const auto out = dir / "out.dxf";
  const Result r = runScript(dir,
                             "DIMLINEAR\nEND FFFF\nEND " + line + " 1,0\nEND " + line + "\n5,-5\n"
                             "PROPERTIES\nL\n\nclose\n"
                             "DIMDISASSOCIATE\nL\n\n"
                             "PROPERTIES\nclose\n"
                             "DIMREASSOCIATE\nL\n\nS\n" + line + "\n"
                             "ERASE\n" + line + "\n\nU\n"
                             "SETVAR\nDIMASSOC\n1\n"
                             "DIMALIGNED\nEND " + line + " 0,0\nEND " + line + "\n5,5\n"
                             "SAVEAS\n" + out.string() + "\nQUIT\n",
                             (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  expectAllIn(r.out, {"Object snap \"END FFFF\": FFFF is no object of the drawing.", "Dimension text = 10.0000",
                      "General.Associative = Yes (read-only)", "1 dimension(s) disassociated.",
                      "General.Associative = No (read-only)", "1 dimension(s) reassociated.",
                      "is no longer associative: its geometry was erased.", "Undone: ERASE"});

  // Readers find the class of the objects they are to make.
  EXPECT_TRUE(contains(readAll(out), "CLASS\n  1\nDIMASSOC\n  2\nAcDbDimAssoc\n")) << "no class entry";
  auto db = readDxfDrawing(out.string());
  EXPECT_EQ(db->getDIMASSOC(), 1);
  const auto dims = entitiesOf<OdDbDimension>(*db);
  ASSERT_EQ(dims.size(), 2u);
  // The first follows the line again (undo gave back the erase); the
  // second, made with DIMASSOC 1, follows nothing.
  EXPECT_TRUE(odDbIsDimAssociative(*dims[0]));
  EXPECT_FALSE(odDbIsDimAssociative(*dims[1]));
  EXPECT_TRUE(odDbDimAssocId(*dims[1]).isNull());
}

}  // namespace
