// -dimstyle in whole qrvhost sessions: what the user sees and what the
// saved drawing holds. (Its Russian face is run with the other Russian
// commands in the drafting sessions.)
#include <gtest/gtest.h>

#include "OdDmUtil.h"
#include "session_support.h"

using namespace sessions;

TEST(DimStyleSessions, ApplySavesTheCurrentValuesAsOverrides) {
  const auto dir = tempFolder("apply");
  const auto handles = makeDrawing(dir / "in.dxf");
  const Result r = runScript(dir, "DIMASZ\n0.3\nDIMCLRD\n1\n-dimstyle\nA\n" + handles[0] + " " + handles[1] + " " +
                                  handles[2] + " " + handles[3] + "\n\nSAVEAS\n" + (dir / "out.dxf").string() +
                                  "\nQUIT\n", (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_TRUE(contains(r.out, "Select objects")) << r.out;
  auto db = readDxfDrawing((dir / "out.dxf").string());
  for (int i = 0; i < 3; ++i) {
    OdDbDimStyleEntityPtr e = openEntity(*db, handles[i]);
    EXPECT_DOUBLE_EQ(e->dimasz(), 0.3) << i;
    EXPECT_EQ(e->dimclrd(), OdCmColor::fromIndex(1)) << i;
    EXPECT_EQ(e->dimOverrides().items().size(), 2u) << i;
  }
  if (!ezdxfAvailable()) GTEST_SKIP() << "ezdxf is not installed";
  const std::string out = ezdxfReport(
      dir,
      "for e in doc.modelspace().query('DIMENSION LEADER'):\n"
      "    o = e.get_acad_dstyle(doc.dimstyles.get(e.dxf.dimstyle)) if hasattr(e, 'get_acad_dstyle') else {}\n"
      "    print(e.dxftype(), round(o.get('dimasz', -1), 6), o.get('dimclrd', -1))\n",
      dir / "out.dxf");
  EXPECT_TRUE(contains(out, "errors 0")) << out;
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n') - 1, 3) << out;
  expectAllIn(out, {"DIMENSION 0.3 1", "LEADER 0.3 1"});
}
