// The Properties palette in whole qrvhost sessions: SELECT, PROPERTIES, the
// palette's script lines, and what the saved drawing holds. On a drawing
// with every dimension kind and a leader, rows of each category set through
// the type filter land on the right entities only, a second palette on part
// of the drawing shows and sets their shared rows, and other readers find it
// all in the saved drawing.
#include <gtest/gtest.h>

#include "../shared/every_dimension_kind.h"
#include "session_support.h"

using namespace sessions;

namespace {

// One entity of every dimension class and a leader, in this order; gives
// their handles.
std::vector<std::string> makeEveryKindDrawing(const std::filesystem::path& path) {
  OdDbDatabase db;
  std::vector<std::string> handles;
  for (OdDbObjectId id : addOneDimensionOfEveryKind(db)) handles.push_back(id.getHandle().ascii());
  handles.push_back(addLeader(db, db.getDimStyleStandardId(), {0, 40, 0}).getHandle().ascii());
  writeDxfDrawing(db, path.string());
  return handles;
}

}  // namespace

TEST(PaletteSessions, RowsOfEachCategoryReachTheirClassesAndTheSavedDrawing) {
  const auto dir = tempFolder("palette-kinds");
  const auto h = makeEveryKindDrawing(dir / "in.dxf");
  const Result r = runScript(dir, "SELECT\nALL\n\nPROPERTIES\n"
                                  // Rows every selected class carries.
                                  "set Lines & Arrows.Arrow size = abc\n"
                                  "set Lines & Arrows.Arrow size = 0.3\n"
                                  "set Misc.Dim style = Standard\n"
                                  "set Fit.Dim scale overall = 2\n"
                                  // Each class's own rows, one category after another.
                                  "filter Rotated Dimension\n"
                                  "set Lines & Arrows.Ext line 1 = Off\n"
                                  "set Lines & Arrows.Arrow 1 = Dot\n"
                                  "set Lines & Arrows.Dim line color = 255,128,0\n"
                                  "set Primary units.Dim suffix = mm\n"
                                  "set Tolerances.Tolerance display = Symmetrical\n"
                                  "set Tolerances.Tolerance limit upper = 0.05\n"
                                  "filter Aligned Dimension\n"
                                  "set Alternate Units.Alt enabled = Yes\n"
                                  "set Alternate Units.Alt prefix = [\n"
                                  "set Text.Text pos vert = Above\n"
                                  "filter Radial Dimension\n"
                                  "set Primary units.Precision = 0.000\n"
                                  "set Fit.Text movement = Move text, add leader\n"
                                  "filter Diametric Dimension\n"
                                  "set Text.Text height = 0.4\n"
                                  "set Lines & Arrows.Center mark size = 0.2\n"
                                  "filter Angular Dimension\n"
                                  "set Text.Text color = red\n"
                                  "filter 3-Point Angular Dimension\n"
                                  "set Primary units.Suppress trailing zeros = Yes\n"
                                  "filter Ordinate Dimension\n"
                                  "set Text.Text offset = 0.125\n"
                                  "filter Arc Dimension\n"
                                  "set Lines & Arrows.Dim line color = blue\n"
                                  "filter Jogged Radius Dimension\n"
                                  "set Lines & Arrows.Dim line lineweight = 0.35\n"
                                  "filter Leader\n"
                                  "set Lines & Arrows.Arrow = Open 30\n"
                                  "filter All\n"
                                  "close\n"
                                  // The first and the last entity: a dimension and the leader.
                                  "SELECT\n" + h.front() + " " + h.back() + "\n\n"
                                  "PROPERTIES\n"
                                  "set Lines & Arrows.Arrow size = 0.75\n"
                                  "dump\n"
                                  "\n"
                                  "SAVEAS\n" +
                                      (dir / "out.dxf").string() + "\nQUIT\n", (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.find("*Invalid*"), r.out.rfind("*Invalid*")) << "one refusal only\n" << r.out;
  expectAllIn(r.out, {"palette: 10 objects (Rotated Dimension: 1, Aligned Dimension: 1, Radial Dimension: 1,", "filter: All (10)", "*Invalid* Invalid expression: abc",
                      "  Lines & Arrows.Arrow size = 0.3000\n", "  Lines & Arrows.Dim line color = 255,128,0\n",
                      "  General.Associative = No (read-only)"});
  // The second palette: the shared rows of a dimension and the leader.
  expectAllIn(r.out, {"palette: 2 objects (Rotated Dimension: 1, Leader: 1)",
                      "  Lines & Arrows.Dim line color = *VARIES*", "  Lines & Arrows.Arrow size = 0.7500\n"});
  EXPECT_FALSE(contains(r.out, "not every")) << r.out;
  // An ordinate dimension carries only the rows every dimension has.
  EXPECT_TRUE(contains(r.out, "filter: Ordinate Dimension (1)")) << r.out;

  auto db = readDxfDrawing((dir / "out.dxf").string());
  auto entity = [&](std::size_t i) { return openEntity(*db, h[i]); };
  auto arrows = [&](std::size_t i) { return i == 0 || i + 1 == h.size() ? 0.75 : 0.3; };
  for (std::size_t i = 0; i < h.size(); ++i) {
    EXPECT_DOUBLE_EQ(entity(i)->dimasz(), arrows(i)) << h[i];
    EXPECT_DOUBLE_EQ(entity(i)->dimscale(), 2.0) << h[i];
  }
  EXPECT_EQ(entity(0)->dimclrd(), OdCmColor::fromRGB(255, 128, 0));
  // A class's own row changed that class only.
  EXPECT_TRUE(entity(0)->dimse1());
  EXPECT_FALSE(entity(1)->dimse1());
  EXPECT_TRUE(entity(1)->dimalt());
  EXPECT_FALSE(entity(0)->dimalt());
  EXPECT_EQ(entity(2)->dimdec(), 3);
  EXPECT_NE(entity(3)->dimdec(), 3);
  EXPECT_EQ(entity(4)->dimclrt(), OdCmColor::fromIndex(1));
  EXPECT_NE(entity(5)->dimclrt(), OdCmColor::fromIndex(1));

  if (!ezdxfAvailable()) GTEST_SKIP() << "ezdxf is not installed";
  const std::string py = ezdxfReport(
      dir,
      "names = ['dimasz', 'dimscale', 'dimse1', 'dimsah', 'dimblk1', 'dimpost', 'dimtol', 'dimlim', 'dimtp',\n"
      "         'dimtm', 'dimalt', 'dimapost', 'dimtad', 'dimdec', 'dimtmove', 'dimtxt', 'dimcen', 'dimclrt',\n"
      "         'dimzin', 'dimgap', 'dimclrd', 'dimlwd', 'dimldrblk']\n"
      "for e in doc.modelspace():\n"
      "    if e.dxftype() not in ('DIMENSION', 'ARC_DIMENSION', 'LARGE_RADIAL_DIMENSION', 'LEADER'): continue\n"
      "    o = e.get_acad_dstyle(doc.dimstyles.get(e.dxf.dimstyle)) if hasattr(e, 'get_acad_dstyle') else {}\n"
      "    shown = {k: (round(v, 6) if isinstance(v, float) else v) for k, v in o.items() if k in names}\n"
      "    print(e.dxf.handle, e.dxftype(), sorted(shown.items()))\n",
      dir / "out.dxf");
  EXPECT_TRUE(contains(py, "errors 0")) << py;
  auto line = [&](std::size_t i) {
    const auto at = py.find(h[i] + " ");
    return at == std::string::npos ? std::string() : py.substr(at, py.find('\n', at) - at);
  };
  EXPECT_TRUE(contains(line(0), "('dimse1', 1)") && contains(line(0), "('dimsah', 1)") &&
              contains(line(0), "('dimblk1', 'Dot')") && contains(line(0), "('dimpost', 'mm')") &&
              contains(line(0), "('dimtol', 1)") && contains(line(0), "('dimtp', 0.05)"))
      << line(0);
  EXPECT_TRUE(contains(line(1), "('dimalt', 1)") && contains(line(1), "('dimapost', '[<>')") &&
              contains(line(1), "('dimtad', 1)"))
      << line(1);
  EXPECT_TRUE(contains(line(2), "('dimdec', 3)") && contains(line(2), "('dimtmove', 1)")) << line(2);
  EXPECT_TRUE(contains(line(3), "('dimtxt', 0.4)") && contains(line(3), "('dimcen', 0.2)")) << line(3);
  EXPECT_TRUE(contains(line(4), "('dimclrt', 1)")) << line(4);
  EXPECT_TRUE(contains(line(5), "('dimzin', 8)")) << line(5);
  EXPECT_TRUE(contains(line(6), "('dimgap', 0.125)")) << line(6);
  EXPECT_TRUE(contains(line(7), "('dimclrd', 5)")) << line(7);
  EXPECT_TRUE(contains(line(8), "('dimlwd', 35)")) << line(8);
  EXPECT_TRUE(contains(line(9), "('dimldrblk', 'Open30')")) << line(9);
  for (std::size_t i = 0; i < h.size(); ++i)
    EXPECT_TRUE(contains(line(i), "('dimasz', " + std::string(arrows(i) == 0.3 ? "0.3)" : "0.75)"))) << line(i);
}


TEST(PaletteSessions, RussianRowsTakeEnglishLinesAndUndoRestoresAll) {
  const auto dir = tempFolder("palette-ru");
  const auto handles = makeDrawing(dir / "in.dxf");
  const Result r = runScript(dir, "PROPERTIES\n" + handles[0] + " " + handles[1] +
                                  "\n\n"
                                  "set Lines & Arrows.Arrow 1 = Right angle\n"
                                  "set Линии и стрелки.Размерная линия 1 = Откл\n"
                                  "close\nUNDO\n\nPROPERTIES\nclose\n", (dir / "in.dxf").string(), "--lang ru");
  ASSERT_EQ(r.status, 0) << r.out;
  expectAllIn(r.out, {"  Линии и стрелки.Стрелка 1 = Прямой угол\n", "  Линии и стрелки.Размерная линия 1 = Откл\n"});
  // After UNDO the pick-first selection is shown again with its old values.
  const auto after = r.out.substr(r.out.find("UNDO"));
  EXPECT_TRUE(contains(after, "  Линии и стрелки.Размерная линия 1 = Вкл\n")) << after;
}

TEST(PaletteSessions, GeneralRowsAndALoadedLinetypeAreSavedAndErasedObjectsLeaveTheSelection) {
  const auto dir = tempFolder("palette-general");
  const auto handles = makeDrawing(dir / "in.dxf");
  const Result r = runScript(dir, "SELECT\nALL\n\nPROPERTIES\n"
                                  "set General.Color = blue\n"
                                  "set General.Linetype = Load...\n"
                                  "hidden, CENTER2\n"
                                  "\n"  // the program's own linetype file
                                  "set General.Linetype = PHANTOM\n"
                                  "filter Rotated Dimension\n"
                                  "set Lines & Arrows.Dim line linetype = CENTER2\n"
                                  "close\n"
                                  "SAVEAS\n" +
                                      (dir / "out.dxf").string() +
                                      // Erased objects leave the selection; with nothing selected,
                                      // a declined question is the reason given, not the objects.
                                      "\nSELECT\n" + handles[0] + " " + handles[1] + "\n\nERASE\n" + handles[1] +
                                      "\n\nPROPERTIES\nclose\n"
                                      "SELECT\n\n-DIMSTYLE\nS\nWide\nDIMASZ\n0.5\nPROPERTIES\n\n"
                                      "set Styles.Dimension style = Standard\nN\nclose\nQUIT\nN\n",
                             (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_FALSE(contains(r.out, "Not every selected object")) << r.out;
  expectAllIn(r.out, {"palette: 1 objects (Rotated Dimension: 1)",
                      "*Invalid* The current style stays, with its overrides", "filter: All (4)\n  General.Color = By Layer\n", "  General.Color = blue\n",
                      "Loaded 2 linetype(s) from linetypes.lin.", "  General.Linetype = HIDDEN\n",
                      "*Invalid* \"PHANTOM\" is not a linetype of this drawing",
                      "  Lines & Arrows.Dim line linetype = CENTER2\n"});

  auto db = readDxfDrawing((dir / "out.dxf").string());
  for (const std::string& h : handles) {
    OdDbEntityPtr e = db->getOdDbObjectId(*OdDbHandle::fromAscii(h)).safeOpenObject();
    EXPECT_EQ(e->colorIndex(), 5) << h;
    EXPECT_EQ(e->linetype(), "HIDDEN") << h;
  }
  if (!ezdxfAvailable()) GTEST_SKIP() << "ezdxf is not installed";
  const std::string py = ezdxfReport(dir,
                                     "for name in ('HIDDEN', 'CENTER2'):\n"
                                     "    lt = doc.linetypes.get(name)\n"
                                     "    print(name, [(t.code, round(t.value, 6)) for t in lt.pattern_tags.tags])\n"
                                     "e = doc.entitydb['" + handles[3] + "']\n"
                                     "print('text', e.dxf.linetype, e.dxf.color)\n",
                                     dir / "out.dxf");
  expectAllIn(py, {"errors 0", "HIDDEN [(72, 65), (73, 2), (40, 9.525), (49, 6.35), (74, 0), (49, -3.175), (74, 0)]",
                   "CENTER2 [(72, 65), (73, 4), (40, 28.575), (49, 19.05), (74, 0), (49, -3.175), (74, 0), (49, 3.175), "
                   "(74, 0), (49, -3.175), (74, 0)]",
                   "text HIDDEN 5"});
}
