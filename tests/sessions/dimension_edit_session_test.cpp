// Building on dimensions already drawn, in whole qrvhost sessions:
// baseline and continued chains (read back by ezdxf), the jogged radius and
// its picture, moving and turning a dimension's text, dragging its grips,
// and copying a dimension's properties onto other objects.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>

#include "OdDbLayerTableRecord.h"
#include "OdDbSymbolTable.h"
#include "assoc_checks.h"
#include "session_support.h"
#include "../shared/reference_picture.h"

using namespace sessions;

namespace {

struct Drawing {
  std::string line, diagonal, arc, dimension, otherDimension, leader;
};

// A line from the origin along X, one from there at 45 degrees, an arc of radius 40 about the origin from
// 20 to 70 degrees; with `dimensions` also a layer A, a style "Other", two
// rotated dimensions (the second of style Other with its own gap) and a
// leader with its own line colour.
Drawing makeEditDrawing(const std::filesystem::path& path, bool dimensions = false) {
  OdDbDatabase db;
  Drawing d;
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  d.line = addLine(ms, {0, 0}, {10, 0});
  d.diagonal = addLine(ms, {0, 0}, {10, 10});
  d.arc = addArc(ms, {0, 0}, 40, std::numbers::pi / 9, 7 * std::numbers::pi / 18);
  ms.release();
  if (dimensions) {
    OdDbLayerTablePtr layers = db.getLayerTableId().safeOpenObject(OdDb::kForWrite);
    OdDbLayerTableRecordPtr a = OdDbLayerTableRecord::createObject();
    a->setName("A");
    layers->add(a);
    OdDbDimStyleTablePtr styles = db.getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
    OdDbDimStyleTableRecordPtr other = OdDbDimStyleTableRecord::createObject();
    other->setName("Other");
    const OdDbObjectId otherId = styles->add(other);
    const OdDbObjectId source = addRotatedDim(db, db.getDimStyleStandardId(), 0);
    const OdDbObjectId target = addRotatedDim(db, otherId, 20);
    const OdDbObjectId leader = addLeader(db, db.getDimStyleStandardId(), {0, 10, 0});
    OdDbRotatedDimensionPtr s = source.safeOpenObject(OdDb::kForWrite);
    s->setLayer("A");
    s->setColorIndex(1);
    s->setDimasz(0.5);
    s->setDimtxt(0.4);
    OdDbRotatedDimensionPtr(target.safeOpenObject(OdDb::kForWrite))->setDimgap(0.2);
    OdDbLeaderPtr(leader.safeOpenObject(OdDb::kForWrite))->setDimclrd(OdCmColor::fromIndex(3));
    d.dimension = source.getHandle().ascii();
    d.otherDimension = target.getHandle().ascii();
    d.leader = leader.getHandle().ascii();
  }
  writeDxfDrawing(db, path.string());
  return d;
}

}  // namespace

TEST(DimensionEditSessions, BaselineAndContinueShareOriginsAndStandTheSpacingApart) {
  const auto dir = tempFolder("dim-chains");
  const Drawing d = makeEditDrawing(dir / "in.dxf");
  const auto out = dir / "out.dxf";
  // The spacing is the current value (an override of the style), 2.
  const Result r = runScript(dir, "DIMDLI\n2\n"
                                  "DIMCONTINUE\n" + d.line + "\n"        // no dimension to continue: a line is refused
                                  "\n"
                                  "DIMLINEAR 0,0 10,0 5,-5\n"
                                  "DIMBASELINE 20,0 0,0 30,0 U 40,0\n\n\n"  // the base's origin refused, 30 undone
                                  "DIMCONTINUE 60,0\n\n\n"                 // from the last one, 40
                                  "DIMANGULAR\n\n0,20\n10,20\n0,30\n5,25\n"
                                  "DIMBASELINE -10,21\n\n\n"
                                  "DIMCONTINUE -10,19\n\n\n"
                                  "DIMALIGNED 0,40 10,50 0,50\nDIMCONTINUE 20,60\n\n\n"
                                  "DIMANGULAR\n" + d.line + "\n" + d.diagonal + "\n8,3\nDIMBASELINE -5,5\n\n\n"
                                  "DIMORDINATE 12,7 12,10\n"
                                  "DIMCONTINUE 20,7 U U 30,7\n\n\n"
                                  "SAVEAS\n" + out.string() + "\nUNDO\n1\nSAVEAS\n" + (dir / "undone.dxf").string() +
                                  "\nQUIT\n",
                             (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  expectAllIn(r.out, {"Select continued dimension: " + d.line + "\n1 found, 1 total\nThe object is not a linear, "
                      "ordinate or angular dimension.\nSelect continued dimension: \nCommand: DIMLINEAR",
                      "Specify a second extension line origin or [Undo/Select] <Select>: 0,0\n"
                      "Nothing can be measured to that point; no dimension is drawn.",
                      "Specify a second extension line origin or [Undo/Select] <Select>: \nSelect base dimension: \n",
                      "Specify feature location or [Undo/Select] <Select>: U\nNo dimension of this command is left to "
                      "undo.\n",
                      "Dimension text = 40.0000", "Dimension text = 20.0000", "Undone: DIMCONTINUE"});
  auto undone = readDxfDrawing((dir / "undone.dxf").string());
  EXPECT_EQ(entitiesOf<OdDbDimension>(*undone).size(), 12u);  // the last DIMCONTINUE was one step
  // The angle between the picked lines is associated with them, and so is
  // the baseline angle made from it: its vertex where they cross, its first
  // point the line's end.
  auto saved = readDxfDrawing(out.string());
  int associated = 0;
  EXPECT_EQ(followFaults(*saved, &associated), "");
  EXPECT_EQ(associated, 2);
  for (const auto& angle : entitiesOf<OdDb3PointAngularDimension>(*saved)) {
    if (angle->xLine2Point() != OdGePoint3d(-5, 5, 0)) continue;
    OdDbDimAssocPtr assoc = OdDbDimAssoc::cast(odDbDimAssocId(*angle).openObject());
    ASSERT_TRUE(assoc);
    EXPECT_TRUE(assoc->pointRef(0) && assoc->pointRef(2) && !assoc->pointRef(1));
  }

  if (!ezdxfAvailable()) GTEST_SKIP() << "ezdxf is not installed";
  // Per dimension: its kind, the point on its line (or arc), its two origins,
  // the vertex of an angle and what it measures.
  const std::string listing = ezdxfReport(
      dir,
      "def p(v): return '%g,%g' % (round(v.x, 4) + 0, round(v.y, 4) + 0)\n"
      "for e in doc.modelspace().query('DIMENSION'):\n"
      "    m = e.get_measurement()\n"
      "    m = m.x if e.dimtype == 6 else m\n"
      "    print(e.dimtype, p(e.dxf.defpoint), p(e.dxf.defpoint2), p(e.dxf.defpoint3), p(e.dxf.defpoint4), '%.4f' % m)\n",
      out);
  expectAllIn(listing,
              {"errors 0\n"
               "0 5,-5 0,0 10,0 0,0 10.0000\n"
               "0 20,-7 0,0 20,0 0,0 20.0000\n"      // the base's first origin, 2 further out
               "0 40,-9 0,0 40,0 0,0 40.0000\n"      // 30 was undone: 40 stands next to 20
               "0 60,-9 40,0 60,0 0,0 20.0000\n"     // continued on the same line
               "5 5,25 10,20 0,30 0,20 90.0000\n",
               // The baseline angle from the same ray, its arc 2 beyond the first's (radius 7.0711);
               // the continued one from that angle's second ray, on the same arc.
               "5 0.4519,29.0598 10,20 -10,21 0,20 174.2894\n", "5 -9.0711,20 -10,21 -10,19 0,20 11.4212\n",
               // An aligned one continued along its own line (ezdxf measures aligned ones along X).
               "1 0,50 0,40 10,50 0,0 ", "1 15,65 10,50 20,60 0,0 ",
               // From the angle between two lines: the vertex where they cross, the
               // first line's ray, the arc (radius 8.544) 2 further out.
               "5 4.035,9.7414 10,0 -5,5 0,0 135.0000\n",
               "6 0,0 12,7 12,10 0,0 12.0000\n6 0,0 30,7 30,10 0,0 30.0000\n"});
}

TEST(DimensionEditSessions, JoggedRadiusTakesTheStyleJogAngleAndIsDrawnAsItsReference) {
  const auto dir = tempFolder("dim-jogged");
  const Drawing d = makeEditDrawing(dir / "in.dxf");
  const auto out = dir / "out.dxf", picture = dir / "jogged.png";
  // Large enough to see the jog at the size of the picture.
  const Result r = runScript(dir, "DIMJOGANG\n0.5235987755982988\nDIMSCALE\n8\n"
                                  "DIMJOGGED\n" + d.line + "\n" + d.arc + "\n30,10\n0,0\n"  // a line, then the centre
                                  "DIMJOGGED\n" + d.arc + "\n12,14\n22,38\n11,19\n"
                                  "EXPORT\n" + picture.string() + "\nSAVEAS\n" + out.string() + "\nQUIT\n",
                             (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  expectAllIn(r.out, {"Select arc or circle: " + d.line + "\n1 found, 1 total\nThe object is not an arc or circle.",
                      "Specify center location override: 30,10\nSpecify dimension line location or [Text/Angle]: 0,0\n"
                      "The location is the centre; no dimension is drawn.",
                      "Specify jog location: 11,19\nDimension text = 40.0000"});
  auto db = readDxfDrawing(out.string());
  const auto dims = entitiesOf<QrHugeRadius>(*db);
  ASSERT_EQ(dims.size(), 1u);
  EXPECT_DOUBLE_EQ(dims[0]->getMeasurement(), 40);
  EXPECT_NEAR(dims[0]->jogAngle(), std::numbers::pi / 6, 1e-12);
  EXPECT_EQ(dims[0]->overrideCenter(), OdGePoint3d(12, 14, 0));
  EXPECT_FALSE(dims[0]->dimBlockId().isNull());
  // The line from the centre shown, its jog, the arrow on the arc and the text.
  render::Image image;
  std::string error;
  ASSERT_TRUE(render::readPngFile(picture.string(), image, &error)) << error;
  expectLikeReference(image, "tests/sessions/reference", "dimjogged");
}

TEST(DimensionEditSessions, TextEditOptionsAndGripDragsEachChangeOneStep) {
  const auto dir = tempFolder("dim-tedit");
  makeEditDrawing(dir / "in.dxf");
  auto path = [&](const char* name) { return (dir / name).string(); };
  const Result r = runScript(dir, "DIMLINEAR 0,0 10,0 5,5\n"
                                  "DIMTEDIT L 8,9\nSAVEAS\n" + path("moved.dxf") + "\n"
                                  "DIMTEDIT L LE\nSAVEAS\n" + path("left.dxf") + "\n"
                                  "DIMTEDIT L R\nDIMTEDIT L A 30\nDIMTEDIT L 2,7\nDIMTEDIT L H\nSAVEAS\n" +
                                      path("home.dxf") + "\n"
                                  "DIMTEDIT L C\nSAVEAS\n" + path("center.dxf") + "\n"
                                  "-DIMGRIP L T 3,9\n-DIMGRIP L L 10,12\nSAVEAS\n" + path("grips.dxf") + "\n"
                                  "UNDO\n2\n"
                                  "DIMANGULAR\n\n0,20\n10,20\n0,30\n5,25\nDIMTEDIT L LE\n"  // no justification for angles
                                  "-DIMGRIP L L 0,20\n"                                    // an arc through the vertex
                                  "SAVEAS\n" + path("undone.dxf") + "\nQUIT\n",
                             path("in.dxf"));
  ASSERT_EQ(r.status, 0) << r.out;
  expectAllIn(r.out, {"Specify new location for dimension text or [Left/Right/Center/Home/Angle]: 8,9",
                      "Specify angle for dimension text: 30", "Undone: -DIMGRIP\nUndone: -DIMGRIP",
                      "Left, Right and Center apply to linear, aligned, radius and diameter dimensions; nothing is "
                      "changed.",
                      "The dimension cannot take that place; nothing is changed."});
  EXPECT_FALSE(contains(r.out, "Undone: DIMTEDIT")) << r.out;
  std::vector<decltype(readDxfDrawing(""))> drawings;  // the entities live while their drawing does
  auto first = [&](const char* name) {
    drawings.push_back(readDxfDrawing(path(name)));
    auto dims = entitiesOf<OdDbRotatedDimension>(*drawings.back());
    EXPECT_FALSE(dims.empty()) << name;
    return dims.empty() ? OdDbRotatedDimensionPtr() : dims.front();
  };
  auto moved = first("moved.dxf"), left = first("left.dxf"), home = first("home.dxf"), center = first("center.dxf"),
       grips = first("grips.dxf"), undone = first("undone.dxf");
  ASSERT_TRUE(moved && left && home && center && grips && undone);
  EXPECT_FALSE(moved->isUsingDefaultTextPosition());
  EXPECT_EQ(moved->textPosition(), OdGePoint3d(8, 9, 0));
  // Justified text goes back onto the line, beside the first extension line.
  EXPECT_EQ(left->dimjust(), 1);
  EXPECT_TRUE(left->isUsingDefaultTextPosition());
  EXPECT_EQ(home->dimjust(), 2);
  EXPECT_NEAR(home->textRotation(), std::numbers::pi / 6, 1e-12);
  EXPECT_TRUE(home->isUsingDefaultTextPosition());
  EXPECT_TRUE(center->dimOverrides().empty());  // centred is the style's own
  // The text grip put the text; the line grip moved the line and the text with it.
  EXPECT_EQ(grips->dimLinePoint(), OdGePoint3d(10, 12, 0));
  EXPECT_EQ(grips->textPosition(), OdGePoint3d(3, 12, 0));
  EXPECT_EQ(undone->dimLinePoint(), OdGePoint3d(5, 5, 0));
  EXPECT_TRUE(undone->isUsingDefaultTextPosition());
  auto db = readDxfDrawing(path("undone.dxf"));
  const auto angles = entitiesOf<OdDb3PointAngularDimension>(*db);
  ASSERT_EQ(angles.size(), 1u);
  EXPECT_EQ(angles[0]->arcPoint(), OdGePoint3d(5, 25, 0));
  EXPECT_TRUE(angles[0]->dimOverrides().empty());
}

TEST(DimensionEditSessions, MatchPropGivesAMixedSelectionTheSourcesPropertiesInOneStep) {
  const auto dir = tempFolder("dim-matchprop");
  const Drawing d = makeEditDrawing(dir / "in.dxf", true);
  const auto out = dir / "out.dxf", undone = dir / "undone.dxf";
  const Result r = runScript(dir, "MATCHPROP\n" + d.arc + "\n" + d.dimension + "\nS\nALL\n\n"
                                  "SAVEAS\n" + out.string() + "\nUNDO\n1\nSAVEAS\n" + undone.string() + "\nQUIT\n",
                             (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  expectAllIn(r.out, {"Select source object: " + d.arc + "\n1 found, 1 total\nThe object is not a dimension or leader.",
                      "Select destination object(s) or [Settings]: S\nCopied to every object: layer, color, linetype.",
                      "5 object(s) matched.", "Undone: MATCHPROP"});
  auto db = readDxfDrawing(out.string());
  auto open = [&](OdDbDatabase& in, const std::string& handle) {
    return OdDbEntityPtr(in.getOdDbObjectId(*OdDbHandle::fromAscii(handle)).safeOpenObject());
  };
  OdDbRotatedDimensionPtr source = open(*db, d.dimension), target = open(*db, d.otherDimension);
  OdDbLeaderPtr leader = open(*db, d.leader);
  for (const std::string& h : {d.line, d.diagonal, d.arc, d.otherDimension, d.leader}) {
    EXPECT_EQ(open(*db, h)->layer(), "A") << h;
    EXPECT_EQ(open(*db, h)->colorIndex(), 1) << h;
  }
  // The dimension has the source's style and overrides only; the leader
  // the ones a leader draws with.
  EXPECT_EQ(target->dimensionStyle(), source->dimensionStyle());
  EXPECT_EQ(target->dimOverrides(), source->dimOverrides());
  EXPECT_EQ(leader->dimOverrides().items().size(), 1u);
  EXPECT_DOUBLE_EQ(leader->dimasz(), 0.5);
  EXPECT_FALSE(target->dimBlockId().isNull());

  auto before = readDxfDrawing(undone.string());
  OdDbRotatedDimensionPtr targetBefore = open(*before, d.otherDimension);
  EXPECT_EQ(open(*before, d.line)->layer(), "0");
  EXPECT_DOUBLE_EQ(targetBefore->dimgap(), 0.2);
  EXPECT_EQ(OdDbLeaderPtr(open(*before, d.leader))->dimclrd(), OdCmColor::fromIndex(3));
}
