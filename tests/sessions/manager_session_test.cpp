// DIMSTYLE in a scripted qrvhost session: the manager and the New style
// dialog print themselves and follow the script's lines; the style made
// with New is in the saved drawing.
#include <gtest/gtest.h>

#include "session_support.h"

using namespace sessions;

TEST(ManagerSessions, NewStyleIsSavedAndReadBackByEzdxf) {
  const auto dir = tempFolder("manager");
  makeDrawing(dir / "in.dxf");
  writeText(dir / "s.scr",
            "DIMSTYLE\n"
            "press 4\n"
            "type 1006 Site plan\n"
            "press OK\n"
            "press OK\n"
            "select 1000 Standard\n"
            "press 4\n"
            "select 1010 Linear dimensions\n"
            "press 1\n"
            "press 1\n"
            "dump\n"
            "press Close\n"
            "SAVEAS\n" +
                (dir / "out.dxf").string() + "\nQUIT\n");
  const Result r = runHost("--script " + (dir / "s.scr").string() + " " + (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_TRUE(contains(r.out, "dialog 1000 \"Dimension Style Manager\"")) << r.out;
  EXPECT_TRUE(contains(r.out, "dialog 1002 \"Creating style\"")) << r.out;
  EXPECT_TRUE(contains(r.out, "1006 edit enabled visible \"Copy of Standard\"")) << r.out;
  EXPECT_TRUE(contains(r.out, "dialog 1010 \"Modify dimension style: Site plan\"")) << r.out;
  // The last dump: the linear child is selected below Standard.
  EXPECT_TRUE(contains(r.out, "row 1: indent=1 \"Linear\"")) << r.out;
  EXPECT_TRUE(contains(r.out, "row 2: \"Site plan\"")) << r.out;

  auto db = readDxfDrawing((dir / "out.dxf").string());
  OdDbDimStyleTablePtr t = db->getDimStyleTableId().safeOpenObject();
  EXPECT_FALSE(t->getAt("Site plan").isNull());
  ASSERT_FALSE(t->getAt("Standard$0").isNull());
  // The two rotated dimensions used Standard: they now use its linear child.
  OdDbBlockTableRecordPtr ms = db->getModelSpaceId().safeOpenObject();
  int switched = 0;
  for (auto e = ms->newIterator(); !e->done(); e->step())
    if (auto dim = OdDbRotatedDimension::cast(e->entity().get())) switched += dim->dimensionStyle() == t->getAt("Standard$0");
  EXPECT_EQ(switched, 2);

  if (!ezdxfAvailable()) GTEST_SKIP() << "ezdxf is not installed";
  const std::string py = ezdxfReport(
      dir,
      "print(sorted(s.dxf.name for s in doc.dimstyles))\n"
      "print(sorted(d.dxf.dimstyle for d in doc.modelspace().query('DIMENSION')))\n",
      dir / "out.dxf");
  EXPECT_TRUE(contains(py, "errors 0")) << py;
  EXPECT_TRUE(contains(py, "'Site plan'")) << py;
  EXPECT_TRUE(contains(py, "['Standard$0', 'Standard$0']")) << py;
}
