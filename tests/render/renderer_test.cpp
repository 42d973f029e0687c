// The renderer: geometry of each entity kind, colours, lineweights and
// linetypes resolved through layers and block references, and dimensions
// drawn through their blocks (or, while being placed, without one).
#include <numbers>

#include "OdDbCurves.h"
#include "OdDbFaces.h"
#include "OdDbLayerTableRecord.h"
#include "OdDbLeader.h"
#include "OdDbLinetypeTableRecord.h"
#include "entity_preview.h"
#include "path_flatten.h"
#include "render_test_util.h"
#include "renderer.h"

using namespace rt;
using render::DisplayList;
using render::FilledPolygonPrim;
using render::Bounds;
using render::Point2;
using render::PolylinePrim;
using render::Rgb;
using render::TextRunPrim;

namespace {
constexpr double kTol = 1e-9;

struct Scene : ::testing::Test {
  Drawing d;
  OdDbObjectId layer(const char* name, OdInt16 color, OdDb::LineWeight lw = OdDb::kLnWtByLwDefault) {
    OdDbLayerTablePtr t = d.db->getLayerTableId().safeOpenObject(OdDb::kForWrite);
    OdDbLayerTableRecordPtr l = OdDbLayerTableRecord::createObject();
    l->setName(name);
    l->setColor(OdCmColor::fromIndex(color));
    l->setLineWeight(lw);
    return t->add(l);
  }
  OdDbLinePtr line(OdGePoint3d a, OdGePoint3d b) {
    OdDbLinePtr l = OdDbLine::createObject();
    l->setStartPoint(a);
    l->setEndPoint(b);
    return d.add(l);
  }
  OdDbObjectId block(const char* name) {
    OdDbBlockTablePtr t = d.db->getBlockTableId().safeOpenObject(OdDb::kForWrite);
    OdDbBlockTableRecordPtr b = OdDbBlockTableRecord::createObject();
    b->setName(name);
    return t->add(b);
  }
  // An entity added to a block with the drawing's defaults, still open.
  template <class T>
  OdSmartPtr<T> append(OdDbObjectId blk, OdSmartPtr<T> e) {
    OdDbBlockTableRecordPtr b = blk.safeOpenObject(OdDb::kForWrite);
    e->setDatabaseDefaults(d.db.get());
    b->appendOdDbEntity(e);
    return e;
  }
  OdDbLinePtr lineIn(OdDbObjectId blk, OdGePoint3d end) {
    OdDbLinePtr l = OdDbLine::createObject();
    l->setEndPoint(end);
    return append(blk, l);
  }
  // A reference to `what` in a block, or in model space when `blk` is null.
  OdDbBlockReferencePtr insert(OdDbObjectId what, OdDbObjectId blk = {}, OdGePoint3d at = {}) {
    OdDbBlockReferencePtr r = OdDbBlockReference::createObject();
    r->setBlockTableRecord(what);
    r->setPosition(at);
    return blk.isNull() ? d.add(r) : append(blk, r);
  }
  DisplayList render() { return render::renderModelSpace(d.db.get()); }
};
}  // namespace

TEST_F(Scene, ColoursComeFromEntityLayerAndBlock) {
  const OdDbObjectId red = layer("Red", 1, OdDb::kLnWt050);
  OdDbLinePtr a = line({0, 0}, {1, 0});
  a->setLayer(red);  // by layer
  OdDbLinePtr b = line({0, 1}, {1, 1});
  b->setColor(OdCmColor::fromRGB(10, 20, 30));
  OdDbLinePtr c = line({0, 2}, {1, 2});
  c->setColorIndex(7);  // white on white would vanish: the foreground
  a.release(), b.release(), c.release();
  DisplayList l = render();
  auto lines = all<PolylinePrim>(l);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].stroke.color, (Rgb{255, 0, 0}));
  EXPECT_NEAR(lines[0].stroke.lineweightMm, 0.5, kTol);
  EXPECT_EQ(lines[1].stroke.color, (Rgb{10, 20, 30}));
  EXPECT_NEAR(lines[1].stroke.lineweightMm, 0.25, kTol);  // default
  EXPECT_EQ(lines[2].stroke.color, (Rgb{0, 0, 0}));
}

TEST_F(Scene, BlockReferencesTransformAndPassOnByBlockAndLayerZero) {
  const OdDbObjectId green = layer("Green", 3);
  const OdDbObjectId blk = block("Part");
  lineIn(blk, {1, 0})->setColor(OdCmColor(OdCmColor::kByBlock));
  lineIn(blk, {0, 1});  // layer 0, by layer
  OdDbBlockReferencePtr ref = insert(blk, {}, {5, 5});
  ref->setRotation(std::numbers::pi / 2);
  ref->setScaleFactors({2, 2, 2});
  ref->setLayer(green);
  ref->setColorIndex(5);
  ref.release();
  auto lines = all<PolylinePrim>(render());
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NEAR(lines[0].points[1].x, 5.0, kTol);  // (1, 0) turned and doubled
  EXPECT_NEAR(lines[0].points[1].y, 7.0, kTol);
  EXPECT_EQ(lines[0].stroke.color, (Rgb{0, 0, 255}));  // the reference's colour
  EXPECT_EQ(lines[1].stroke.color, (Rgb{0, 255, 0}));  // layer 0 takes the reference's layer
}

TEST_F(Scene, BlocksThatInsertThemselvesAreDrawnOnceAndSaidSo) {
  // A inserts B twice and B inserts A twice: with only a depth limit the
  // work doubles at every level.
  const OdDbObjectId a = block("A"), b = block("B");
  for (auto [into, what] : {std::pair{a, b}, std::pair{b, a}}) {
    for (double x : {0.0, 10.0}) insert(what, into, {x, 0, 0});
    lineIn(into, {1, 1});
  }
  insert(a);
  render::RenderReport report;
  const DisplayList l = render::renderModelSpace(d.db.get(), {}, &report);
  // A's line, and B's line in each of A's two inserts of B.
  EXPECT_EQ(all<PolylinePrim>(l).size(), 3u);
  EXPECT_EQ(report.cyclicBlocks, std::vector<OdString>{"A"});
  EXPECT_FALSE(report.workLimitReached);
}

TEST_F(Scene, TheWorkBoundCountsRepeatsNotWhatTheDrawingHolds) {
  render::RenderOptions o;
  o.maxWork = 500;  // a circle costs its entity and its two path segments
  render::RenderReport report;
  const OdDbObjectId ring = block("Ring");
  append(ring, OdDbCircle::createObject())->setRadius(1);
  for (int i = 0; i < 300; ++i) d.add(OdDbCircle::createObject())->setRadius(i + 1);
  insert(ring);
  EXPECT_EQ(all<render::PathPrim>(render::renderModelSpace(d.db.get(), o, &report)).size(), 301u);
  EXPECT_FALSE(report.workLimitReached) << "300 circles and the block drawn once";
  for (int i = 0; i < 300; ++i) insert(ring, {}, {double(i), 0, 0});
  render::renderModelSpace(d.db.get(), o, &report);
  EXPECT_TRUE(report.workLimitReached) << "the block drawn 300 times more";
}

TEST_F(Scene, DeepFanOutStopsAtTheWorkBound) {
  // No cycle, but each of twenty levels inserts the next twice: a million
  // lines at the bottom.
  std::vector<OdDbObjectId> levels;
  for (int i = 0; i < 20; ++i) levels.push_back(block(("L" + std::to_string(i)).c_str()));
  for (int i = 0; i + 1 < 20; ++i)
    for (int k = 0; k < 2; ++k) insert(levels[i + 1], levels[i]);
  lineIn(levels[19], {1, 1});
  insert(levels[0]);
  render::RenderOptions o;
  o.maxWork = 20000;
  render::RenderReport report;
  render::renderModelSpace(d.db.get(), o, &report);
  EXPECT_TRUE(report.workLimitReached);
  EXPECT_TRUE(report.cyclicBlocks.empty());
}

TEST_F(Scene, LinetypesScaleAndHiddenLayersDrawNothing) {
  OdDbLinetypeTablePtr lts = d.db->getLinetypeTableId().safeOpenObject(OdDb::kForWrite);
  OdDbLinetypeTableRecordPtr dashed = OdDbLinetypeTableRecord::createObject();
  dashed->setName("Dashed");
  dashed->setDashes({0.5, -0.25});
  const OdDbObjectId dashedId = lts->add(dashed);
  dashed.release();
  lts.release();
  OdDbLinePtr a = line({0, 0}, {10, 0});
  a->setLinetype(dashedId);
  a->setLinetypeScale(2);
  const OdDbObjectId off = layer("Off", 1);
  OdDbLayerTableRecordPtr(off.safeOpenObject(OdDb::kForWrite))->setIsOff(true);
  line({0, 5}, {1, 5})->setLayer(off);
  a.release();
  auto lines = all<PolylinePrim>(render());
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].stroke.dashes, (std::vector<double>{1.0, -0.5}));
}

TEST_F(Scene, ArcsBulgesAndSolids) {
  OdDbArcPtr arc = OdDbArc::createObject();
  arc->setCenter({0, 0});
  arc->setRadius(2);
  arc->setStartAngle(0);
  arc->setEndAngle(std::numbers::pi / 2);
  d.add(arc).release();
  OdDbPolylinePtr p = OdDbPolyline::createObject();
  p->addVertexAt(0, 10, 0, 1.0);  // a half circle, counter-clockwise, under the chord
  p->addVertexAt(1, 12, 0);
  d.add(p).release();
  OdDbSolidPtr s = OdDbSolid::createObject();
  s->setPointAt(0, {20, 0});
  s->setPointAt(1, {21, 0});
  s->setPointAt(2, {20, 1});
  s->setPointAt(3, {21, 1});
  d.add(s).release();
  // A circle in a block stretched along x and turned: an ellipse.
  const OdDbObjectId blk = block("Stretched");
  append(blk, OdDbCircle::createObject())->setRadius(1);
  OdDbBlockReferencePtr r = insert(blk, {}, {30, 0, 0});
  r->setScaleFactors(OdGeVector3d(3, 1, 1));
  r->setRotation(std::numbers::pi / 6);
  r.release();
  // An arc in a mirrored block runs the other way round: (1, 0) to (0, 1)
  // becomes (49, 0) to (50, 1) through the upper left.
  const OdDbObjectId mirrored = block("Mirrored");
  OdDbArcPtr quarter = OdDbArc::createObject();
  quarter->setRadius(1);
  quarter->setEndAngle(std::numbers::pi / 2);
  append(mirrored, quarter).release();
  OdDbBlockReferencePtr m = insert(mirrored, {}, {50, 0, 0});
  m->setScaleFactors(OdGeVector3d(-1, 1, 1));
  m.release();
  // A donut whose width reaches its centre: a filled disc of the outer
  // radius (here 1 + 1), with no stroke.
  OdDbPolylinePtr donut = OdDbPolyline::createObject();
  donut->addVertexAt(0, 39, 0, 1.0);
  donut->addVertexAt(1, 41, 0, 1.0);
  donut->setClosed(true);
  donut->setConstantWidth(2);
  d.add(donut).release();
  const DisplayList l = render();
  auto paths = all<render::PathPrim>(l);
  ASSERT_EQ(paths.size(), 5u);
  const auto mirroredLine = render::flatten(paths[3].segments, 1e-4)[0].points;
  EXPECT_NEAR(mirroredLine.front().x, 49, kTol);
  EXPECT_NEAR(mirroredLine.back().y, 1, kTol);
  const render::Point2 middle = mirroredLine[mirroredLine.size() / 2];
  EXPECT_NEAR(middle.x, 50 - std::sqrt(0.5), 1e-3);
  EXPECT_NEAR(middle.y, std::sqrt(0.5), 1e-3);
  EXPECT_FALSE(paths[4].stroke);
  ASSERT_TRUE(paths[4].fill);
  EXPECT_EQ(paths[4].fill->color, (Rgb{0, 0, 0}));
  const render::Bounds disc = render::pathBounds(paths[4].segments, 0);
  EXPECT_NEAR(disc.minX, 38, kTol);
  EXPECT_NEAR(disc.maxY, 2, kTol);
  const auto ends = [](const render::PathPrim& path) {
    const auto lines = render::flatten(path.segments, 1e-3);
    return std::pair(lines.front().points.front(), lines.back().points.back());
  };
  EXPECT_NEAR(ends(paths[0]).first.x, 2.0, kTol);
  EXPECT_NEAR(ends(paths[0]).second.y, 2.0, kTol);
  const render::Bounds bulge = render::pathBounds(paths[1].segments, 0);
  EXPECT_NEAR(bulge.minY, -1.0, kTol);
  EXPECT_NEAR(bulge.maxY, 0.0, kTol);
  EXPECT_NEAR(ends(paths[1]).second.x, 12.0, kTol);
  // The ellipse: semi-axes 3 and 1, the major one at 30°.
  const render::PathSegment& e = paths[2].segments[0];
  EXPECT_NEAR(std::hypot(e.axis.x, e.axis.y), 3.0, kTol);
  EXPECT_NEAR(std::fabs(e.ratio), 1.0 / 3, kTol);
  EXPECT_NEAR(std::fabs(std::remainder(std::atan2(e.axis.y, e.axis.x) - std::numbers::pi / 6, std::numbers::pi)), 0,
              kTol);
  auto fills = all<FilledPolygonPrim>(l);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].color, (Rgb{0, 0, 0}));
  // Corners 0, 1, 3, 2 make the outline.
  EXPECT_EQ(fills[0].points[2], (render::Point2{21, 1}));
  EXPECT_EQ(fills[0].points[3], (render::Point2{20, 1}));
}

TEST_F(Scene, TextAndStackedFractions) {
  OdDbTextPtr t = OdDbText::createObject();
  t->setTextString("%%c10");
  t->setHeight(0.5);
  t->setPosition({1, 1});
  d.add(t).release();
  OdDbMTextPtr m = OdDbMText::createObject();
  m->setContents("2\\S1/2;");
  m->setTextHeight(1.0);
  m->setLocation({0, 10});
  m->setAttachment(1);  // top left
  d.add(m).release();
  const DisplayList l = render();
  auto runs = all<TextRunPrim>(l);
  ASSERT_EQ(runs.size(), 4u);
  EXPECT_EQ(runs[0].text, "\u230010");
  EXPECT_NEAR(runs[0].capHeight, 0.5, kTol);
  EXPECT_GT(runs[0].advance, 0.5);
  EXPECT_EQ(runs[1].text, "2");
  EXPECT_EQ(runs[2].text, "1");
  EXPECT_EQ(runs[3].text, "2");
  EXPECT_NEAR(runs[2].capHeight, 0.7, kTol);
  EXPECT_GT(runs[2].origin.y, runs[3].origin.y);  // numerator over denominator
  EXPECT_LT(runs[1].origin.y, 10.0);               // hangs from the top
  EXPECT_EQ(all<PolylinePrim>(l).size(), 1u);      // the fraction bar
}

// Aligned and fit run between their two points; the other justifications
// hang the text from its second point.
TEST_F(Scene, TextJustificationsUseTheSecondPoint) {
  auto text = [&](OdInt16 h, OdInt16 v, OdGePoint3d second) {
    OdDbTextPtr t = OdDbText::createObject();
    t->setTextString("ABC");
    t->setHeight(1.0);
    t->setPosition({0, 0});
    t->setHorizontalMode(h);
    t->setVerticalMode(v);
    t->setAlignmentPoint(second);
    d.add(t).release();
  };
  text(3, 0, {0, 12});     // aligned: runs up, 12 long
  text(5, 0, {12, 0});     // fit: 12 long at its own height
  text(2, 3, {50, 50});    // top right
  text(1, 1, {80, 80});    // bottom centre
  OdDbTextPtr leaning = OdDbText::createObject();
  leaning->setTextString("ABC");
  leaning->setOblique(0.25);
  leaning->setGenerationFlags(2 | 4);  // backward and upside down
  d.add(leaning).release();
  const auto runs = all<TextRunPrim>(render());
  ASSERT_EQ(runs.size(), 5u);
  EXPECT_NEAR(runs[4].oblique, 0.25, kTol);
  EXPECT_TRUE(runs[4].backward && runs[4].upsideDown);
  // Mirrored left to right, the glyphs start at the far end of the advance;
  // upside down, a point above the baseline lands below it.
  const Point2 p = render::glyphPoint(runs[4], {0, 1}, 1.0);
  EXPECT_NEAR(p.x, runs[4].origin.x + runs[4].advance - runs[4].emSize * std::tan(0.25), kTol);
  EXPECT_NEAR(p.y, runs[4].origin.y - runs[4].emSize, kTol);
  EXPECT_NEAR(runs[0].rotation, std::numbers::pi / 2, kTol);
  EXPECT_NEAR(runs[0].advance, 12.0, kTol);
  EXPECT_GT(runs[0].capHeight, 1.5);  // "ABC" is far narrower than 12 at height 1
  EXPECT_NEAR(runs[1].advance, 12.0, kTol);
  EXPECT_NEAR(runs[1].capHeight, 1.0, kTol);
  EXPECT_GT(runs[1].widthFactor, 2.0);
  EXPECT_NEAR(runs[2].origin.x + runs[2].advance, 50.0, kTol);
  EXPECT_NEAR(runs[2].origin.y, 49.0, kTol);
  EXPECT_NEAR(runs[3].origin.x + runs[3].advance / 2, 80.0, kTol);
  EXPECT_GT(runs[3].origin.y, 80.1);  // the baseline stands above the descenders
  EXPECT_LT(runs[3].origin.y, 80.5);
}

TEST_F(Scene, DimensionsAndLeadersAreDrawnInTheirOwnColours) {
  OdDbRotatedDimensionPtr dim = d.linear();
  dim->setColorIndex(1);
  dim->recomputeDimBlock();
  dim.release();
  auto leader = [&] {
    OdDbLeaderPtr l = OdDbLeader::createObject();
    l->appendVertex({0, -5});
    l->appendVertex({2, -3});
    l->setDimensionStyle(d.db->getDimStyleStandardId());
    return l;
  };
  OdDbLeaderPtr ldr = d.add(leader());
  ldr->setDimclrd(OdCmColor::fromIndex(3));
  ldr.release();
  const DisplayList l = render();
  auto runs = all<TextRunPrim>(l);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].text, "10.0000");
  EXPECT_EQ(runs[0].color, (Rgb{255, 0, 0}));  // by block: the dimension's colour
  auto fills = all<FilledPolygonPrim>(l);
  ASSERT_EQ(fills.size(), 3u);  // two arrows of the dimension, one of the leader
  EXPECT_EQ(fills[2].color, (Rgb{0, 255, 0}));
  EXPECT_EQ(fills[2].points[0], (render::Point2{0, -5}));
  EXPECT_NEAR(l.bounds().minY, -5.0, kTol);
  EXPECT_NEAR(l.bounds().maxX, 10.0, 0.01);

  // The same dimension and leader still being placed (in no drawing) draw
  // the same, and nothing is written into the drawing whose styles they use.
  const std::uint64_t stamp = d.db->modificationStamp();
  const std::size_t objects = d.db->numObjects();
  OdDbRotatedDimensionPtr placing = OdDbRotatedDimension::createObject();
  placing->setXLine2Point({10, 0});
  placing->setDimLinePoint({5, 3});
  placing->setDimensionStyle(d.db->getDimStyleStandardId());
  placing->setColorIndex(1);
  const DisplayList shown = render::previewPicture(*placing, *d.db);
  ASSERT_EQ(all<TextRunPrim>(shown).size(), 1u);
  EXPECT_EQ(all<TextRunPrim>(shown)[0].text, "10.0000");
  EXPECT_EQ(all<TextRunPrim>(shown)[0].color, (Rgb{255, 0, 0}));
  EXPECT_EQ(all<FilledPolygonPrim>(shown).size(), 2u);
  EXPECT_EQ(all<FilledPolygonPrim>(render::previewPicture(*leader(), *d.db)).size(), 1u);
  EXPECT_EQ(d.db->modificationStamp(), stamp);
  EXPECT_EQ(d.db->numObjects(), objects);
  EXPECT_TRUE(placing->dimBlockId().isNull());
}

TEST_F(Scene, DimensionTextReadsRightToLeftInPlace) {
  OdDbDiametricDimensionPtr dim = OdDbDiametricDimension::createObject();
  dim->setChordPoint({-2, 0});
  dim->setFarChordPoint({2, 0});
  dim->setDimensionStyle(d.db->getDimStyleStandardId());
  d.add(dim);
  dim->setDimtol(true);  // three runs: the value and two deviations
  dim->setDimtp(0.1);
  dim->setDimtm(0.2);
  dim->recomputeDimBlock();
  OdDbMTextPtr note = OdDbMText::createObject();  // not a dimension's text
  note->setContents("abc");
  note->setLocation({0, 10});
  d.add(note).release();
  const auto before = all<TextRunPrim>(render());
  ASSERT_EQ(before.size(), 4u);
  EXPECT_EQ(before[0].text, "\u23004.0000");
  dim->setDimtxtdirection(true);
  dim->recomputeDimBlock();
  // The block keeps the text in reading order; only its runs are turned.
  EXPECT_EQ(contentsOf(dim->dimBlockId()).texts.at(0)->contents(), "%%c4.0000{\\H1x;\\A1;\\S+0.1000^-0.2000;}");
  dim.release();
  const auto after = all<TextRunPrim>(render());
  ASSERT_EQ(after.size(), 4u);
  const std::vector<std::string> reversed{"0000.4\u2300", "0001.0+", "0002.0-", "abc"};
  for (std::size_t i = 0; i < after.size(); ++i) {
    EXPECT_EQ(after[i].text, reversed[i]);
    EXPECT_EQ(after[i].origin, before[i].origin);
    EXPECT_NEAR(after[i].advance, before[i].advance, kTol);
  }
}

TEST_F(Scene, MasksTakeTheBackgroundAndColourSevenTheForeground) {
  for (OdInt16 color : {7, 257}) {  // 257: no colour
    OdDbSolidPtr s = OdDbSolid::createObject();
    s->setPointAt(0, {30, 0});
    s->setPointAt(1, {31, 0});
    s->setPointAt(2, {30, 1});
    s->setPointAt(3, {30, 1});
    d.add(s);
    s->setColor(color == 257 ? OdCmColor(OdCmColor::kNone) : OdCmColor::fromIndex(color));
  }
  render::RenderOptions dark;
  dark.background = {1, 2, 3};
  dark.foreground = {250, 250, 250};
  auto fills = all<FilledPolygonPrim>(render::renderModelSpace(d.db.get(), dark));
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].color, (Rgb{250, 250, 250}));
  EXPECT_EQ(fills[1].color, (Rgb{1, 2, 3}));
  EXPECT_EQ(fills[1].points.size(), 3u);  // a triangle: the repeated corner dropped
}

// Ellipses and splines drawn as curves, rays and construction lines across
// the rest of the picture without widening it, 3D faces by their visible
// edges, traces filled.
TEST_F(Scene, CurvesUnboundedLinesFacesAndTraces) {
  OdDbEllipsePtr e = OdDbEllipse::createObject();
  e->setCenter({0, 0});
  e->setMajorAxis({0, 4, 0});  // upright: 4 up and down, 2 to the sides
  e->setRadiusRatio(0.5);
  d.add(e).release();
  OdDbSplinePtr s = OdDbSpline::createObject();
  s->setDegree(2);
  s->setControlPoints({{10, 0}, {12, 4}, {14, 0}});
  s->setKnots({0, 0, 0, 1, 1, 1});
  d.add(s).release();
  OdDbRayPtr ray = OdDbRay::createObject();
  ray->setBasePoint({0, 0});
  ray->setUnitDir({1, 0, 0});
  const OdDbObjectId rayId = d.add(ray)->objectId();
  OdDbXlinePtr x = OdDbXline::createObject();
  x->setBasePoint({5, 0});
  x->setUnitDir({0, 1, 0});
  d.add(x).release();
  const DisplayList l = render();
  const Bounds b = l.bounds();
  EXPECT_NEAR(b.minX, -2, 1e-9);
  EXPECT_NEAR(b.maxX, 14, 1e-9);
  EXPECT_NEAR(b.minY, -4, 1e-9);
  EXPECT_NEAR(b.maxY, 4, 1e-9);
  // The ellipse is one closed arc of the path.
  const auto paths = all<render::PathPrim>(l);
  ASSERT_EQ(paths.size(), 1u);
  ASSERT_EQ(paths[0].segments.size(), 2u);
  EXPECT_EQ(paths[0].segments[1].kind, render::PathSegment::Kind::kClose);
  auto lines = all<PolylinePrim>(l);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NEAR(lines[0].points.front().x, 10, 1e-12);  // clamped: through the end control points
  EXPECT_NEAR(lines[0].points.back().x, 14, 1e-12);
  double top = 0;
  for (const Point2& p : lines[0].points) top = std::max(top, p.y);
  EXPECT_NEAR(top, 2, 1e-9);
  // The ray from its base to the box's edge; the construction line across it.
  EXPECT_EQ(lines[1].points, (std::vector<Point2>{{0, 0}, {14, 0}}));
  EXPECT_EQ(lines[2].points, (std::vector<Point2>{{5, -4}, {5, 4}}));
  // Drawn alone, across the box the caller gives.
  render::RenderOptions o;
  o.unboundedBox.add(Point2{-100, -50});
  o.unboundedBox.add(Point2{100, 50});
  EXPECT_EQ(all<PolylinePrim>(render::renderEntities({rayId}, o))[0].points,
            (std::vector<Point2>{{0, 0}, {100, 0}}));

  Drawing faces;
  OdDbFacePtr f = OdDbFace::createObject();
  for (int i = 0; i < 4; ++i) f->setVertexAt(i, {double(i == 1 || i == 2), double(i >= 2)});
  f->setInvisibleEdges(2);  // the edge from corner 1 to corner 2
  faces.add(f).release();
  OdDbTracePtr t = OdDbTrace::createObject();
  for (int i = 0; i < 4; ++i) t->setPointAt(i, {5.0 + i % 2, double(i / 2)});
  faces.add(t).release();
  const DisplayList fl = render::renderModelSpace(faces.db.get());
  auto edges = all<PolylinePrim>(fl);
  ASSERT_EQ(edges.size(), 1u);  // one run: corner 2, 3, 0, 1
  EXPECT_EQ(edges[0].points, (std::vector<Point2>{{1, 1}, {0, 1}, {0, 0}, {1, 0}}));
  EXPECT_EQ(all<FilledPolygonPrim>(fl).size(), 1u);
}
