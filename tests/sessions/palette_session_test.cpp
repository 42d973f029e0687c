// The Properties palette in whole qrvhost sessions: SELECT, PROPERTIES, the
// palette's script lines, and what the saved drawing holds.
#include <gtest/gtest.h>

#include "session_support.h"

using namespace sessions;

TEST(PaletteSessions, SetsARowForTheSelectionAndTheSavedDrawingCarriesIt) {
  const auto dir = tempFolder("palette");
  const auto handles = makeDrawing(dir / "in.dxf");
  const Result r = runScript(dir, "SELECT\nALL\n\nPROPERTIES\n"
                                  "filter Rotated Dimension\n"
                                  "set Lines & Arrows.Arrow size = abc\n"
                                  "set Lines & Arrows.Arrow size = 0.5\n"
                                  "set Lines & Arrows.Dim line color = 255,128,0\n"
                                  "filter All\n"
                                  "close\n"
                                  "SELECT\n" +
                                      handles[0] + " " + handles[2] +
                                      "\n\n"
                                      "PROPERTIES\n"
                                      "set Lines & Arrows.Arrow size = 0.75\n"
                                      "dump\n"
                                      "\n"
                                      "SAVEAS\n" +
                                      (dir / "out.dxf").string() + "\nQUIT\n", (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  expectAllIn(r.out, {"palette: 4 objects (Rotated Dimension: 2, Leader: 1, Text: 1)", "filter: All (4)",
                      "*Invalid* Invalid expression: abc", "  Lines & Arrows.Arrow size = 0.5000\n",
                      "  Lines & Arrows.Dim line color = 255,128,0\n", "  General.Associative = No (read-only)"});
  // The second palette holds a dimension and the leader: their shared rows.
  expectAllIn(r.out, {"palette: 2 objects (Rotated Dimension: 1, Leader: 1)",
                      "  Lines & Arrows.Dim line color = *VARIES*", "  Lines & Arrows.Arrow size = 0.7500\n"});

  auto db = readDxfDrawing((dir / "out.dxf").string());
  auto entity = [&](std::size_t i) { return openEntity(*db, handles[i]); };
  EXPECT_DOUBLE_EQ(entity(0)->dimasz(), 0.75);
  EXPECT_DOUBLE_EQ(entity(1)->dimasz(), 0.5);
  EXPECT_DOUBLE_EQ(entity(2)->dimasz(), 0.75);
  EXPECT_EQ(entity(1)->dimclrd(), OdCmColor::fromRGB(255, 128, 0));

  if (!ezdxfAvailable()) GTEST_SKIP() << "ezdxf is not installed";
  const std::string py = ezdxfReport(
      dir,
      "for e in doc.modelspace().query('DIMENSION LEADER'):\n"
      "    o = e.get_acad_dstyle(doc.dimstyles.get(e.dxf.dimstyle))\n"
      "    print(e.dxftype(), round(o.get('dimasz', -1), 6))\n",
      dir / "out.dxf");
  expectAllIn(py, {"errors 0", "DIMENSION 0.75\nDIMENSION 0.5\nLEADER 0.75"});
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

TEST(PaletteSessions, ErasedObjectsLeaveTheSelectionAndADeclinedQuestionSaysSo) {
  const auto dir = tempFolder("palette-erase");
  const auto handles = makeDrawing(dir / "in.dxf");
  const Result r = runScript(dir, "SELECT\n" + handles[0] + " " + handles[1] +
                                      "\n\nERASE\n" + handles[1] +
                                      "\n\nPROPERTIES\nclose\n"
                                      "SELECT\n\n-DIMSTYLE\nS\nWide\nDIMASZ\n0.5\nPROPERTIES\n\n"
                                      "set Styles.Dimension style = Standard\n"
                                      "N\nclose\nQUIT\nN\n",
                             (dir / "in.dxf").string());
  EXPECT_TRUE(contains(r.out, "palette: 1 objects (Rotated Dimension: 1)")) << r.out;
  // Nothing is selected: the reason is the declined question, not the objects.
  EXPECT_TRUE(contains(r.out, "*Invalid* The current style stays, with its overrides")) << r.out;
  EXPECT_FALSE(contains(r.out, "Not every selected object")) << r.out;
}

TEST(PaletteSessions, GeneralRowsCoverEveryKindAndLoadALinetypeThatTheSavedDrawingKeeps) {
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
                                      (dir / "out.dxf").string() + "\nQUIT\n",
                             (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  expectAllIn(r.out, {"filter: All (4)\n  General.Color = By Layer\n", "  General.Color = blue\n",
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
