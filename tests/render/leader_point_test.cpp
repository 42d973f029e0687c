// Spline leaders (a smooth curve through the vertices, the arrow along the
// curve) and points (by the drawing's point style) in the renderer.
#include <cmath>

#include "OdDbLayerTableRecord.h"
#include "OdDbLeader.h"
#include "render_test_util.h"
#include "renderer.h"
#include "smooth_path.h"

using namespace rt;
using render::DisplayList;
using render::FilledPolygonPrim;
using render::Point2;
using render::PolylinePrim;
using render::Rgb;

namespace {
constexpr double kTol = 1e-9;

struct LeadersAndPoints : ::testing::Test {
  Drawing d;
  OdDbLeaderPtr leader(const std::vector<OdGePoint3d>& vertices, bool splined) {
    OdDbLeaderPtr l = OdDbLeader::createObject();
    l->setVertices(vertices);
    if (splined) l->setToSplineLeader();
    l->setDimensionStyle(d.db->getDimStyleStandardId());
    return d.add(l);
  }
  OdDbPointPtr point(OdGePoint3d at) {
    OdDbPointPtr p = OdDbPoint::createObject();
    p->setPosition(at);
    return d.add(p);
  }
  DisplayList render() { return render::renderModelSpace(d.db.get()); }
};

void expectAt(const Point2& p, double x, double y) {
  EXPECT_NEAR(p.x, x, kTol);
  EXPECT_NEAR(p.y, y, kTol);
}

// The middle of an arrow's base (corners 1 and 2 of the triangle).
Point2 arrowBase(const FilledPolygonPrim& f) {
  return {(f.points[1].x + f.points[2].x) / 2, (f.points[1].y + f.points[2].y) / 2};
}

}  // namespace

TEST_F(LeadersAndPoints, SplineLeaderRunsThroughItsVerticesWithTheArrowAlongTheCurve) {
  // Symmetric about x = 4: the natural spline's bending at (4, 2) is
  // (0, -0.3), its slope at the start along (4, 3).
  leader({{0, 0}, {4, 2}, {8, 0}}, true).release();
  DisplayList l = render();
  auto lines = all<PolylinePrim>(l);
  ASSERT_EQ(lines.size(), 1u);
  const auto& pts = lines[0].points;
  ASSERT_EQ(pts.size(), 33u);  // 16 pieces a span
  expectAt(pts[0], 0, 0);
  expectAt(pts[16], 4, 2);
  expectAt(pts[32], 8, 0);
  expectAt(pts[8], 2, 1.375);  // above the chord: the curve bulges out
  expectAt(pts[24], 6, 1.375);
  auto fills = all<FilledPolygonPrim>(l);
  ASSERT_EQ(fills.size(), 1u);
  expectAt(fills[0].points[0], 0, 0);
  expectAt(arrowBase(fills[0]), 0.8 * 0.18, 0.6 * 0.18);

  // The same vertices straight: the arrow along the first segment.
  d = Drawing();
  leader({{0, 0}, {4, 2}, {8, 0}}, false).release();
  l = render();
  ASSERT_EQ(all<PolylinePrim>(l).at(0).points.size(), 3u);
  expectAt(arrowBase(all<FilledPolygonPrim>(l).at(0)), 0.18 * 2 / std::sqrt(5), 0.18 / std::sqrt(5));
}

TEST_F(LeadersAndPoints, SplineLeaderWithRepeatedOrFewVertices) {
  // A vertex given twice counts once: the same curve as above.
  leader({{0, 0}, {4, 2}, {4, 2}, {8, 0}}, true).release();
  // Two vertices: a straight line.
  leader({{0, -5}, {3, -1}}, true).release();
  const DisplayList l = render();
  auto lines = all<PolylinePrim>(l);
  ASSERT_EQ(lines.size(), 2u);
  ASSERT_EQ(lines[0].points.size(), 33u);
  expectAt(lines[0].points[8], 2, 1.375);
  expectAt(lines[0].points[32], 8, 0);
  ASSERT_EQ(lines[1].points.size(), 2u);
  auto fills = all<FilledPolygonPrim>(l);
  ASSERT_EQ(fills.size(), 2u);
  expectAt(arrowBase(fills[1]), 0.6 * 0.18, -5 + 0.8 * 0.18);
  // A vertex that is not a number is passed over; nothing drawn is one.
  leader({{0, 0}, {std::nan(""), 1}, {4, 2}, {8, 0}}, true).release();
  for (const auto& line : all<PolylinePrim>(render()))
    for (const Point2& q : line.points) EXPECT_TRUE(std::isfinite(q.x) && std::isfinite(q.y));
  // Bending spreads over four points; the ends stay straight (no bending),
  // so the curve meets every point and leaves the first along a smooth
  // start.
  const render::SmoothPath p = render::smoothPathThrough({{0, 0}, {1, 1}, {2, 0}, {3, 1}}, 4);
  ASSERT_EQ(p.points.size(), 13u);
  for (int i = 0; i < 4; ++i) expectAt({p.points[i * 4].x, p.points[i * 4].y}, i, i % 2);
  EXPECT_NEAR(std::hypot(p.startTangent.x, p.startTangent.y), 1.0, kTol);
  EXPECT_GT(p.startTangent.y, std::sqrt(0.5));  // steeper than the chord to (1, 1)
}

// Points by the drawing's point style: a dot (PDMODE 0) of device size, a
// figure and frames sized absolutely or as a share of the picture's height,
// drawn last; nothing for PDMODE 1; hidden layers draw none.
TEST_F(LeadersAndPoints, PointsFollowTheDrawingsPointStyle) {
  OdDbPointPtr red = point({10, 10});
  red->setColorIndex(1);
  red.release();
  OdDbLinePtr line = OdDbLine::createObject();
  line->setEndPoint({100, 50});
  d.add(line).release();
  OdDbLayerTablePtr layers = d.db->getLayerTableId().safeOpenObject(OdDb::kForWrite);
  OdDbLayerTableRecordPtr off = OdDbLayerTableRecord::createObject();
  off->setName("Off");
  off->setIsOff(true);
  const OdDbObjectId offId = layers->add(off);
  off.release();
  layers.release();
  point({500, 500})->setLayer(offId);
  // A point in a block follows the reference: (1, 1) doubled, moved to (50, 0).
  OdDbBlockTablePtr blocks = d.db->getBlockTableId().safeOpenObject(OdDb::kForWrite);
  OdDbBlockTableRecordPtr part = OdDbBlockTableRecord::createObject();
  part->setName("Part");
  const OdDbObjectId partId = blocks->add(part);
  OdDbPointPtr inner = OdDbPoint::createObject();
  inner->setDatabaseDefaults(d.db.get());
  inner->setPosition({1, 1});
  part->appendOdDbEntity(inner);
  part.release();
  blocks.release();
  OdDbBlockReferencePtr ref = OdDbBlockReference::createObject();
  ref->setBlockTableRecord(partId);
  ref->setPosition({50, 0});
  ref->setScaleFactors({2, 2, 2});
  d.add(ref).release();

  DisplayList l = render();
  auto dots = all<render::DotPrim>(l);
  ASSERT_EQ(dots.size(), 2u);
  expectAt(dots[0].at, 10, 10);
  EXPECT_EQ(dots[0].color, (Rgb{255, 0, 0}));
  expectAt(dots[1].at, 52, 2);

  // A cross in a circle; the picture is 50 high: 5 % of that is 2.5.
  d.db->setPDMODE(35);
  l = render();
  ASSERT_EQ(l.size(), 7u);
  ASSERT_TRUE(std::holds_alternative<PolylinePrim>(l.items()[0]));  // the line, though drawn after the point
  auto crosses = all<PolylinePrim>(l);
  ASSERT_EQ(crosses.size(), 5u);
  expectAt(crosses[1].points[0], 10 - 1.25, 10 - 1.25);
  expectAt(crosses[1].points[1], 10 + 1.25, 10 + 1.25);
  EXPECT_EQ(crosses[1].stroke.color, (Rgb{255, 0, 0}));
  auto circles = all<render::PathPrim>(l);
  ASSERT_EQ(circles.size(), 2u);
  EXPECT_NEAR(circles[1].segments[0].axis.x, 1.25, kTol);
  expectAt(circles[1].segments[0].to, 52, 2);
  // A square of 10 % of the height; a tick of absolute size 3.
  d.db->setPDMODE(64);
  d.db->setPDSIZE(-10);
  auto squares = all<PolylinePrim>(render());
  ASSERT_EQ(squares.size(), 3u);
  expectAt(squares[1].points[0], 10 - 2.5, 10 - 2.5);
  EXPECT_TRUE(squares[1].closed);
  d.db->setPDMODE(4);
  d.db->setPDSIZE(3);
  auto ticks = all<PolylinePrim>(render());
  ASSERT_EQ(ticks.size(), 3u);
  expectAt(ticks[1].points[1], 10, 11.5);
  d.db->setPDMODE(1);
  EXPECT_EQ(render().size(), 1u);
  EXPECT_THROW(d.db->setPDMODE(5), OdError);
}

// A dimension's definition points are dots whatever the figure, and none
// when points show nothing.
TEST_F(LeadersAndPoints, DefinitionPointsOfDimensionsAreDots) {
  OdDbRotatedDimensionPtr dim = d.linear();
  OdDbPointPtr defpoint = OdDbPoint::createObject();
  defpoint->setDatabaseDefaults(d.db.get());
  defpoint->setPosition({10, 0});
  d.db->setPDMODE(3);
  for (int mode : {3, 1}) {
    d.db->setPDMODE(OdInt16(mode));
    render::Renderer r;
    r.drawDimensionParts(dim.get(), {defpoint});
    const auto dots = all<render::DotPrim>(r.displayList());
    EXPECT_EQ(r.displayList().size(), dots.size());
    ASSERT_EQ(dots.size(), mode == 1 ? 0u : 1u);
    if (!dots.empty()) expectAt(dots[0].at, 10, 0);
  }
}

TEST_F(LeadersAndPoints, PointSymbolsFollowThePictureAsItGrows) {
  d.db->setPDMODE(2);
  OdDbPointPtr p = point({3, 4});
  OdDbLinePtr line = OdDbLine::createObject();
  line->setStartPoint({0, 4});
  line->setEndPoint({0, 404});
  d.add(line);
  render::Renderer r;
  r.draw(p.get());
  ASSERT_EQ(r.displayList().size(), 2u);  // a lone point: a plus of size 1
  expectAt(std::get<PolylinePrim>(r.displayList().items()[0]).points[1], 3.5, 4);
  EXPECT_TRUE(r.report().pointsSizedByPicture);
  r.draw(line.get());
  ASSERT_EQ(r.displayList().size(), 3u);  // the symbol once, now 5 % of 400
  expectAt(std::get<PolylinePrim>(r.displayList().items()[1]).points[1], 13, 4);
  const DisplayList taken = r.take();
  EXPECT_EQ(taken.size(), 3u);
  EXPECT_NEAR(taken.bounds().maxY, 404, kTol);
  EXPECT_TRUE(r.displayList().empty());  // taken with the line
  // A view's height given: the share is of that.
  render::RenderOptions o;
  o.pointViewHeight = 1000;
  render::Renderer inView(o);
  inView.draw(p.get());
  expectAt(std::get<PolylinePrim>(inView.displayList().items()[0]).points[1], 28, 4);
  EXPECT_FALSE(inView.report().pointsSizedByPicture);
}
