// A drafter's session with associative dimensions, in English and in
// Russian: a part dimensioned with object snaps (linear, baseline,
// continued, aligned, radius, large radius), its geometry moved, stretched,
// turned and mirrored, saved, opened again in a new run and moved again.
// After every step each associated dimension lies on its geometry and
// measures it; other readers find the same measurements in the saved file.
#include <gtest/gtest.h>

#include <cstdio>

#include "assoc_checks.h"
#include "session_support.h"

using namespace sessions;

namespace {

struct Part {
  std::string bottom, right, top, arc, hole;
  std::string all() const { return bottom + " " + right + " " + top + " " + arc + " " + hole; }
};

// A plate 40 by 20 with a half-round top and a hole.
Part makePart(const std::filesystem::path& path) {
  OdDbDatabase db;
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  Part part;
  part.bottom = addLine(ms, {0, 0, 0}, {40, 0, 0});
  part.right = addLine(ms, {40, 0, 0}, {40, 20, 0});
  part.top = addLine(ms, {40, 20, 0}, {30, 20, 0});
  part.arc = addArc(ms, {20, 20, 0}, 10, 0, 3.141592653589793);
  part.hole = addCircle(ms, {20, 8, 0}, 3);
  ms.release();
  writeDxfDrawing(db, path.string());
  return part;
}

// The words a session of each language is answered with; the English
// snaps as a click in the window types them.
struct Words {
  const char* lang;
  const char *end, *mid, *cen, *intersection, *vertical, *yes;
};
const Words kEnglish{"en", "_END", "_MID", "_CEN", "_INT", "V", "Yes"};
const Words kRussian{"ru", "КОН", "СЕР", "ЦЕН", "ПЕР", "В", "Да"};

class FollowSessions : public testing::TestWithParam<Words> {};

TEST_P(FollowSessions, DimensionsFollowTheirPartThroughModifySaveAndReopen) {
  const Words& w = GetParam();
  const auto dir = tempFolder(std::string("follow-") + w.lang);
  const Part p = makePart(dir / "in.dxf");
  auto file = [&](int step) { return (dir / ("step" + std::to_string(step) + ".dxf")).string(); };
  const std::string end = w.end, mid = w.mid, cen = w.cen, in = w.intersection;
  const std::string saved = "SAVEAS\n";
  const Result first = runScript(
      dir,
      "DIMLINEAR\n" + end + " " + p.bottom + " 0,0\n" + end + " " + p.bottom + " 40,0\n20,-6\n"
      "DIMBASELINE\n" + cen + " " + p.hole + "\n\n\n"
      "DIMCONTINUE\n" + end + " " + p.right + " 40,20\n\n\n"
      "DIMALIGNED\n" + end + " " + p.right + " 40,0\n" + end + " " + p.right + " 40,20\n46,10\n"
      "DIMLINEAR\n" + in + " " + p.bottom + " " + p.right + "\n" + mid + " " + p.arc + "\n" + w.vertical + "\n50,15\n"
      "DIMRADIUS\n" + p.hole + "\n25,12\n"
      "DIMJOGGED\n" + p.arc + "\n35,35\n30,30\n26,26\n" +
      saved + file(0) + "\n"
      "MOVE\n" + p.all() + "\n\n0,0\n5,5\n" + saved + file(1) + "\n"
      // The right side and what ends on it, picked by a crossing box.
      "STRETCH\nC\n43,3\n48,27\n\n0,0\n10,0\n" + saved + file(2) + "\n"
      "ROTATE\n" + p.all() + "\n\n0,0\n30\n" + saved + file(3) + "\n"
      "MIRROR\n" + p.all() + "\n\n0,-100\n0,100\n" + w.yes + "\n" + saved + file(4) + "\nQUIT\n",
      (dir / "in.dxf").string(), std::string("--lang ") + w.lang);
  ASSERT_EQ(first.status, 0) << first.out;
  // Opened again in a new run, the associations still hold and still act.
  const Result second = runScript(dir, "MOVE\n" + p.all() + "\n\n0,0\n3,4\n" + saved + file(5) + "\nQUIT\n", file(4),
                                  std::string("--lang ") + w.lang);
  ASSERT_EQ(second.status, 0) << second.out;

  // The part's bottom after each step: its length is what the first
  // dimension measures (40, stretched to 50).
  const double bottomLength[] = {40, 40, 50, 50, 50, 50};
  for (int step = 0; step <= 5; ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    auto db = readDxfDrawing(file(step));
    ASSERT_TRUE(db);
    int associated = 0;
    EXPECT_EQ(followFaults(*db, &associated), "") << first.out;
    EXPECT_EQ(associated, 7);  // none lost its geometry on the way
    const auto dims = entitiesOf<OdDbDimension>(*db);
    ASSERT_EQ(dims.size(), 7u);
    OdDbLinePtr bottom = db->getOdDbObjectId(*OdDbHandle::fromAscii(p.bottom)).safeOpenObject();
    EXPECT_NEAR(bottom->startPoint().distanceTo(bottom->endPoint()), bottomLength[step], 1e-9);
    // The aligned dimension measures the right side, whatever way it turned.
    EXPECT_NEAR(dims[3]->getMeasurement(), 20, 1e-9);
    EXPECT_NEAR(dims[5]->getMeasurement(), 3, 1e-9);
    EXPECT_NEAR(dims[6]->getMeasurement(), 10, 1e-9);
  }

  // Another reader measures the linear dimensions of the last file from
  // their points as we do.
  if (!ezdxfAvailable()) GTEST_SKIP() << "ezdxf is not installed";
  const std::string report = ezdxfReport(dir,
                                         "for d in doc.modelspace().query('DIMENSION'):\n"
                                         "    if d.dimtype == 0:\n"
                                         "        print('measures %.6f' % d.get_measurement())\n"
                                         "    if d.dimtype == 1:  # its own measurement takes it as rotated by 0\n"
                                         "        print('measures %.6f' % d.dxf.defpoint2.distance(d.dxf.defpoint3))\n",
                                         file(5));
  std::string ours = "errors 0\n";
  auto db = readDxfDrawing(file(5));
  for (const auto& d : entitiesOf<OdDbDimension>(*db)) {
    char line[64];
    std::snprintf(line, sizeof line, "measures %.6f\n", d->getMeasurement());
    if (OdDbRotatedDimension::cast(d) || OdDbAlignedDimension::cast(d)) ours += line;
  }
  EXPECT_EQ(report, ours);
}

INSTANTIATE_TEST_SUITE_P(Languages, FollowSessions, testing::Values(kEnglish, kRussian),
                         [](const testing::TestParamInfo<Words>& info) { return std::string(info.param.lang); });

}  // namespace
