// DIMSTYLE in a scripted qrvhost session: the manager and the New style
// dialog print themselves and follow the script's lines; the style made
// with New is in the saved drawing.
#include <gtest/gtest.h>

#include "session_support.h"

using namespace sessions;

TEST(ManagerSessions, NewStyleIsSavedAndReadBackByEzdxf) {
  const auto dir = tempFolder("manager");
  makeDrawing(dir / "in.dxf");
  const Result r = runScript(dir,
                             "DIMSTYLE\npress 4\ntype 1006 Site plan\npress OK\npress OK\nselect 1000 Standard\n"
                             "press 4\nselect 1010 Linear dimensions\npress 1\npress 1\ndump\npress Close\nSAVEAS\n" +
                                 (dir / "out.dxf").string() + "\nQUIT\n",
                             (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  // The last dump: the linear child is selected below Standard.
  expectAllIn(r.out, {"dialog 1000 \"Dimension Style Manager\"", "dialog 1002 \"Creating style\"",
                      "1006 edit enabled visible \"Copy of Standard\"",
                      "dialog 1010 \"Modify dimension style: Site plan\"", "row 1: indent=1 \"Linear\"",
                      "row 2: \"Site plan\""});

  auto db = readDxfDrawing((dir / "out.dxf").string());
  OdDbDimStyleTablePtr t = db->getDimStyleTableId().safeOpenObject();
  EXPECT_FALSE(t->getAt("Site plan").isNull());
  ASSERT_FALSE(t->getAt("Standard$0").isNull());
  // The two rotated dimensions used Standard: they now use its linear child.
  const auto dims = entitiesOf<OdDbRotatedDimension>(*db);
  ASSERT_EQ(dims.size(), 2u);
  for (const auto& dim : dims) EXPECT_EQ(dim->dimensionStyle(), t->getAt("Standard$0"));

  if (!ezdxfAvailable()) GTEST_SKIP() << "ezdxf is not installed";
  const std::string py = ezdxfReport(
      dir,
      "print(sorted(s.dxf.name for s in doc.dimstyles))\n"
      "print(sorted(d.dxf.dimstyle for d in doc.modelspace().query('DIMENSION')))\n",
      dir / "out.dxf");
  expectAllIn(py, {"errors 0", "'Site plan'", "['Standard$0', 'Standard$0']"});
}
