// MOVE, COPY, ROTATE, MIRROR, SCALE and STRETCH in whole qrvhost sessions:
// what ezdxf reads of the saved drawing against what the maps should have
// made of the drawing before, undo and redo, the refusals, and a session in
// Russian.
#include <gtest/gtest.h>

#include "OdDbTransform.h"
#include "session_support.h"

using namespace sessions;

namespace {

// Model space: a line, a circle, an arc, a polyline with an arc segment, a
// text, a rotated dimension and a leader with its multi-line text. Gives
// the arc's handle.
std::string makeModifyDrawing(const std::filesystem::path& path) {
  OdDbDatabase db;
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  addLine(ms, {0, 0}, {10, 0});
  addCircle(ms, {20, 0}, 5);
  const std::string arc = addArc(ms, {40, 0}, 5, 0, 1.2);
  OdDbPolylinePtr poly = OdDbPolyline::createObject();
  poly->addVertexAt(0, 0, 10, 0.5), poly->addVertexAt(1, 10, 10), poly->addVertexAt(2, 10, 20);
  ms->appendOdDbEntity(poly);
  OdDbTextPtr text = OdDbText::createObject();
  text->setPosition({0, 30}), text->setTextString("NOTE"), text->setHeight(2.5);
  ms->appendOdDbEntity(text);
  OdDbMTextPtr note = OdDbMText::createObject();
  note->setLocation({30, 30}), note->setContents("Leader note");
  const OdDbObjectId noteId = ms->appendOdDbEntity(note);
  ms.release();
  addRotatedDim(db, db.getDimStyleStandardId());  // (0,0) to (10,0)
  OdDbLeaderPtr leader = addLeader(db, db.getDimStyleStandardId(), {25, 25}).safeOpenObject(OdDb::kForWrite);
  leader->attachAnnotation(noteId);
  leader.release();
  writeDxfDrawing(db, path.string());
  return arc;
}

// Compares the saved drawing with the drawing before carried by the map
// given as Python (a function of a point's x and y giving x and y; `s` the
// scale, `m` whether it mirrors): one line per entity, "ok" when it agrees.
const char* kCompare = R"(
import ezdxf, math, sys
before = ezdxf.readfile(sys.argv[1]).modelspace()
doc = ezdxf.readfile(sys.argv[2])
print('errors', len(doc.audit().errors))
after = doc.modelspace()
def same(p, q): return abs(p[0] - q[0]) < 1e-6 and abs(p[1] - q[1]) < 1e-6
def points(e):
    t = e.dxftype()
    if t == 'LINE': return [e.dxf.start, e.dxf.end], None
    if t == 'CIRCLE': return [e.dxf.center], e.dxf.radius
    if t == 'ARC':
        return [e.start_point, e.end_point, e.dxf.center], e.dxf.radius
    if t == 'LWPOLYLINE': return [(x, y) for x, y in e.get_points('xy')], [b for b, in e.get_points('b')]
    if t in ('TEXT', 'MTEXT'): return [e.dxf.insert if t == 'MTEXT' or e.dxf.halign == 0 else e.dxf.align_point], None
    if t == 'DIMENSION': return [e.dxf.defpoint2, e.dxf.defpoint3], e.get_measurement()
    if t == 'LEADER': return list(e.vertices), None
    return [], None
for b, a in zip(before, after):
    pb, sb = points(b)
    pa, sa = points(a)
    # Mirrored, an arc runs the other way: its ends trade places, bulges
    # change sign.
    if m and b.dxftype() == 'ARC': pa = [pa[1], pa[0], pa[2]]
    if b.dxftype() == 'LWPOLYLINE': sb, sa = sb[0] * (-1 if m else 1), sa[0]
    elif sb is not None: sb = sb * s
    ok = len(pb) == len(pa) and all(same(f(p[0], p[1]), q) for p, q in zip(pb, pa))
    ok = ok and (sb is None or abs(sb - sa) < 1e-6)
    print(a.dxftype(), 'ok' if ok else 'moved wrongly: %s -> %s, %s -> %s' % (pb, pa, sb, sa))
print('count', len(after), len(before))
)";

std::string compare(const std::filesystem::path& dir, const std::string& map, const std::filesystem::path& before,
                    const std::filesystem::path& after) {
  return runPython(dir, map + kCompare, {before, after});
}

void expectAllOk(const std::string& report, int count) {
  EXPECT_TRUE(contains(report, "errors 0")) << report;
  EXPECT_FALSE(contains(report, "wrongly")) << report;
  EXPECT_TRUE(contains(report, "count " + std::to_string(count))) << report;
}

}  // namespace

TEST(ModifySessions, EachCommandCarriesEveryKindWhereEzdxfFindsItAndUndoRedoRestoreExactly) {
  const auto dir = tempFolder("modify-kinds");
  makeModifyDrawing(dir / "in.dxf");
  auto save = [&](const char* name) { return "SAVEAS\n" + (dir / name).string() + "\n"; };
  const Result r = runScript(dir,
                             "MOVE\nALL\n\n5,5\n@10,-2\n" + save("moved.dxf") +
                                 "ROTATE\nALL\n\n10,0\n90\n" + save("rotated.dxf") +
                                 "MIRROR\nALL\n\n0,0\n0,10\nY\n" + save("mirrored.dxf") +
                                 "SCALE\nALL\n\n0,0\n2.5\n" + save("scaled.dxf") +
                                 "UNDO\n4\nREDO\nREDO\nREDO\nREDO\n" + save("redone.dxf") + "UNDO\n4\n" + save("undone.dxf") +
                                 "QUIT\nY\n",
                             (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  expectAllIn(r.out, {"8 object(s) moved.", "8 object(s) rotated.", "8 object(s) mirrored.", "8 object(s) scaled.",
                      "Undone: SCALE", "Undone: MOVE", "Redone: SCALE"});
  if (!ezdxfAvailable()) GTEST_SKIP() << "ezdxf is not installed";
  const std::string still = "s, m = 1, False\ndef f(x, y): return (x, y)\n";
  expectAllOk(compare(dir, "s, m = 1, False\ndef f(x, y): return (x + 10, y - 2)\n", dir / "in.dxf", dir / "moved.dxf"), 8);
  expectAllOk(compare(dir, "s, m = 1, False\ndef f(x, y): return (10 - y, x - 10)\n", dir / "moved.dxf",
                      dir / "rotated.dxf"), 8);
  expectAllOk(compare(dir, "s, m = 1, True\ndef f(x, y): return (-x, y)\n", dir / "rotated.dxf", dir / "mirrored.dxf"), 8);
  expectAllOk(compare(dir, "s, m = 2.5, False\ndef f(x, y): return (2.5 * x, 2.5 * y)\n", dir / "mirrored.dxf",
                      dir / "scaled.dxf"), 8);
  expectAllOk(compare(dir, still, dir / "in.dxf", dir / "undone.dxf"), 8);
  expectAllOk(compare(dir, still, dir / "scaled.dxf", dir / "redone.dxf"), 8);
  // The leader still points at its note, which went with it.
  auto db = readDxfDrawing((dir / "scaled.dxf").string());
  const auto leaders = entitiesOf<OdDbLeader>(*db);
  ASSERT_EQ(leaders.size(), 1u);
  EXPECT_TRUE(OdDbMText::cast(leaders[0]->annotationObjId().openObject()));
}

TEST(ModifySessions, CopiesStretchMirrtextAndWindowsAndRefusalsThatChangeNothing) {
  const auto dir = tempFolder("modify-copy");
  const std::string arc = makeModifyDrawing(dir / "in.dxf");
  const auto out = dir / "out.dxf";
  // Refused first (nothing changes, no step): a mirror line of one point, a
  // scale of 0, -1 and text, then cancelled. Then copies of what a window
  // holds (the leader and its note), a stretch of the line's and the
  // dimension's right ends, and a mirrored copy of the text with MIRRTEXT 1.
  // An arc length dimension without a leader keeps its unset leader points
  // at the origin: picked with the arc, then stretched by a box around the
  // origin, only the line's start and the rotated dimension's first point
  // move.
  const Result r = runScript(dir,
                             "MIRROR\nALL\n\n3,3\n3,3\n"
                             "SCALE\nALL\n\n0,0\n0\n-1\nabc\n^C\n"
                             "UNDO\n1\n"
                             "COPY\nW\n20,20\n60,40\n\n0,0\n100,0\n200,0\n\n"
                             "STRETCH\nC\n8,-1\n12,12\n\n0,0\n@5,0\n"
                             "DIMARC\n" + arc + "\n48,4\nSTRETCH\nC\n44,-1\n50,8\nC\n-1,-1\n1,1\n\n0,0\n@0,0.5\n"
                             "MIRRTEXT\n1\nMIRROR\nTYPE=TEXT\n\n0,40\n10,40\nN\n"
                             "SAVEAS\n" + out.string() + "\nQUIT\nY\n",
                             (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  expectAllIn(r.out, {"The two points of the mirror line are the same; nothing is mirrored.",
                      "Invalid factor \"0\"", "Invalid factor \"-1\"", "Invalid factor \"abc\"", "Nothing to undo.",
                      "4 object(s) copied.", "3 object(s) stretched.", "2 object(s) stretched.",
                      "1 object(s) mirrored."});
  auto db = readDxfDrawing(out.string());
  // Two copies of the leader and its note, linked to each other.
  const auto leaders = entitiesOf<OdDbLeader>(*db);
  ASSERT_EQ(leaders.size(), 3u);
  for (const auto& leader : leaders) {
    OdDbMTextPtr note = OdDbMText::cast(leader->annotationObjId().openObject());
    ASSERT_TRUE(note);
    EXPECT_NEAR(note->location().x - leader->vertexAt(0).x, 5.0, 1e-9) << "each leader points at its own note";
  }
  // The stretch: the line's end and the dimension's second point moved,
  // the circle (its centre outside) stayed.
  const auto dims = entitiesOf<OdDbRotatedDimension>(*db);
  ASSERT_EQ(dims.size(), 1u);
  EXPECT_NEAR(dims[0]->getMeasurement(), 15, 1e-9);
  EXPECT_EQ(entitiesOf<OdDbLine>(*db).front()->endPoint(), OdGePoint3d(15, 0));
  EXPECT_EQ(entitiesOf<OdDbCircle>(*db).front()->center(), OdGePoint3d(20, 0));
  if (!ezdxfAvailable()) GTEST_SKIP() << "ezdxf is not installed";
  const std::string report = ezdxfReport(dir,
                                         "msp = doc.modelspace()\n"
                                         "d = msp.query('DIMENSION')[0]\n"
                                         "print('measured %.4f' % d.get_measurement())\n"
                                         "for t in msp.query('TEXT'):\n"
                                         "    print('text', t.dxf.insert, t.dxf.get('text_generation_flag', 0))\n",
                                         out);
  expectAllIn(report, {"errors 0", "measured 15.0000", "text (0.0, 30.0, 0.0) 0", "text (0.0, 50.0, 0.0) 4"});
}

TEST(ModifySessions, KindsKeptAsReadAreLeftInPlaceAndSaidSoAndRussianPromptsAnswerInEnglish) {
  if (!ezdxfAvailable()) GTEST_SKIP() << "ezdxf is not installed";
  const auto dir = tempFolder("modify-kept");
  // A hatch is kept as its record: it cannot be moved.
  runPython(dir,
            "import ezdxf, sys\n"
            "doc = ezdxf.new('R2018')\n"
            "msp = doc.modelspace()\n"
            "msp.add_line((0, 0), (10, 0))\n"
            "h = msp.add_hatch()\n"
            "h.paths.add_polyline_path([(0, 0), (5, 0), (5, 5)])\n"
            "doc.saveas(sys.argv[1])\n",
            {dir / "in.dxf"});
  const Result r = runScript(dir, "MOVE\nALL\n\n_D\n3,4\nSAVEAS\n" + (dir / "out.dxf").string() + "\nQUIT\nY\n",
                             (dir / "in.dxf").string(), "--lang ru");
  ASSERT_EQ(r.status, 0) << r.out;
  expectAllIn(r.out, {"Базовая точка или [Перемещение] <Перемещение>:", "Перемещение <0,0,0>:",
                      "Перенесено объектов: 1.", "оставлены на месте: 1."});
  const std::string report = ezdxfReport(dir,
                                         "msp = doc.modelspace()\n"
                                         "print('line', msp.query('LINE')[0].dxf.start)\n"
                                         "print('hatch', list(msp.query('HATCH')[0].paths)[0].vertices[1])\n",
                                         dir / "out.dxf");
  expectAllIn(report, {"errors 0", "line (3.0, 4.0, 0.0)", "hatch (5.0, 0.0"});
}
