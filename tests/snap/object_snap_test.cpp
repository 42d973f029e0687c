// Object snaps on a small drawing: each kind found near the cursor, the
// aperture, the nearest point winning, an end before a crossing at the same
// place, and the crossings of lines, arcs and circles.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "OdDbBlockTableRecord.h"
#include "OdDbCurves.h"
#include "OdDbDatabase.h"
#include "OdDbEntities.h"
#include "OdDbFaces.h"
#include "object_snap.h"

namespace {

using snap::Kind;
using snap::Point;

// Two lines crossing at (4,0) (the first ends at (0,0) and (10,0), the
// second's middle is (4,2)), a third line meeting the first at its end
// (0,0); circles of radius 3 at (20,0) and (24,0) and a line at y = 1
// across the first; an arc of radius 5 at (40,0) from 0 to 90 degrees; a
// polyline from (50,0) to (60,0) bulging down in a half circle; a text.
std::vector<snap::Curve> drawingCurves() {
  OdDbDatabase db;
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  const double ends[][4] = {{0, 0, 10, 0}, {4, -2, 4, 6}, {0, 0, 0, -5}, {14, 1, 26, 1}};
  for (const auto& e : ends) {
    OdDbLinePtr l = OdDbLine::createObject();
    l->setStartPoint({e[0], e[1], 0});
    l->setEndPoint({e[2], e[3], 0});
    ms->appendOdDbEntity(l);
  }
  for (double x : {20.0, 24.0}) {
    OdDbCirclePtr c = OdDbCircle::createObject();
    c->setCenter({x, 0, 0});
    c->setRadius(3);
    ms->appendOdDbEntity(c);
  }
  OdDbArcPtr a = OdDbArc::createObject();
  a->setCenter({40, 0, 0});
  a->setRadius(5);
  a->setEndAngle(std::numbers::pi / 2);
  ms->appendOdDbEntity(a);
  OdDbPolylinePtr p = OdDbPolyline::createObject();
  p->addVertexAt(0, 50, 0, 1);
  p->addVertexAt(1, 60, 0);
  ms->appendOdDbEntity(p);
  OdDbTextPtr t = OdDbText::createObject();
  t->setTextString("no snaps");
  ms->appendOdDbEntity(t);

  std::vector<snap::Curve> curves;
  for (auto it = ms->newIterator(); !it->done(); it->step()) snap::addCurvesOf(*it->entity(), curves);
  return curves;
}

}  // namespace

TEST(ObjectSnaps, EachKindIsFoundNearTheCursorAndTheNearestWins) {
  const std::vector<snap::Curve> curves = drawingCurves();
  ASSERT_EQ(curves.size(), 8u);  // the text gives none
  const double s = std::sqrt(0.5) * 5;
  const struct {
    Point cursor;
    Kind kind;
    Point expected;
  } cases[] = {
      {{10.2, 0.1}, Kind::kEndpoint, {10, 0}},
      {{4.1, 2.2}, Kind::kMidpoint, {4, 2}},
      {{4.2, -0.1}, Kind::kIntersection, {4, 0}},                  // line and line
      {{22.9, 1.1}, Kind::kIntersection, {20 + std::sqrt(8.0), 1}},  // line and circle
      {{22.1, 2.3}, Kind::kIntersection, {22, std::sqrt(5.0)}},     // circle and circle
      {{20.1, 0.1}, Kind::kCentre, {20, 0}},
      {{20, -3.05}, Kind::kCentre, {20, 0}},  // on the circle, far from its centre
      {{45.1, 0.1}, Kind::kEndpoint, {45, 0}},
      {{40 + s, s + 0.2}, Kind::kMidpoint, {40 + s, s}},
      {{55.2, -4.8}, Kind::kMidpoint, {55, -5}},  // the polyline's bulge
      {{60.1, 0.3}, Kind::kEndpoint, {60, 0}},
      {{0.1, 0.1}, Kind::kEndpoint, {0, 0}},  // two lines end there: an end, not a crossing
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.cursor.x << "," << c.cursor.y);
    const auto found = snap::nearestSnap(curves, c.cursor, 0.5, snap::kAllKinds);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->kind, c.kind);
    EXPECT_NEAR(found->point.x, c.expected.x, 1e-9);
    EXPECT_NEAR(found->point.y, c.expected.y, 1e-9);
  }

  // The aperture: an end 0.6 away is found only with a larger one.
  EXPECT_FALSE(snap::nearestSnap(curves, {10.6, 0}, 0.5, snap::kAllKinds));
  EXPECT_TRUE(snap::nearestSnap(curves, {10.6, 0}, 0.7, snap::kAllKinds));
  // Only the kinds asked for: the crossing left out, nothing else is near.
  EXPECT_FALSE(snap::nearestSnap(curves, {4.2, -0.1}, 0.5, snap::kAllKinds & ~snap::kindBit(Kind::kIntersection)));
  // Nearer than the crossing (4,0), the middle (5,0) of the first line wins.
  EXPECT_EQ(snap::nearestSnap(curves, {4.7, 0}, 1.0, snap::kAllKinds)->kind, Kind::kMidpoint);

  // The nearest point of a line or arc, only where no other kind asked for
  // is near: the end wins at (10.2, 0.1), and on an arc its centre when
  // centres are asked for.
  const unsigned withNearest = snap::kAllKinds | snap::kindBit(Kind::kNearest);
  const unsigned noCentres = withNearest & ~snap::kindBit(Kind::kCentre);
  const double c = 5 * std::cos(std::numbers::pi / 6), h = std::sqrt(12.5);  // 30 degrees on the arc, 45 on the bulge
  const std::pair<Point, Point> nearest[] = {{{7.3, 0.2}, {7.3, 0}}, {{40 + 1.04 * c, 2.6}, {40 + c, 2.5}}, {{55 + 1.04 * h, -1.04 * h}, {55 + h, -h}}};
  for (const auto& [cursor, expected] : nearest) {
    const auto found = snap::nearestSnap(curves, cursor, 0.5, noCentres);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->kind, Kind::kNearest);
    EXPECT_NEAR(found->point.x, expected.x, 1e-9);
    EXPECT_NEAR(found->point.y, expected.y, 1e-9);
  }
  EXPECT_FALSE(snap::nearestSnap(curves, {7.3, 0.2}, 0.5, snap::kAllKinds));
  EXPECT_EQ(snap::nearestSnap(curves, {10.2, 0.1}, 0.5, withNearest)->kind, Kind::kEndpoint);
  EXPECT_EQ(snap::nearestSnap(curves, {40 + 1.04 * c, 2.6}, 0.5, withNearest)->kind, Kind::kCentre);
}

TEST(ObjectSnaps, CrossingsOfParallelTangentConcentricAndMissingCurves) {
  const snap::Segment a{{0, 0}, {10, 0}}, parallel{{0, 1}, {10, 1}}, short_{{5, 1}, {5, 0.5}};
  const snap::Arc circle{{5, 2}, 1, 0, 0, true}, concentric{{5, 2}, 2, 0, 0, true};
  EXPECT_TRUE(snap::intersections(a, parallel).empty());
  EXPECT_TRUE(snap::intersections(a, short_).empty());  // the line through it would cross
  const auto tangent = snap::intersections(parallel, circle);
  ASSERT_EQ(tangent.size(), 1u);
  EXPECT_NEAR(tangent[0].x, 5, 1e-9);
  EXPECT_TRUE(snap::intersections(circle, concentric).empty());
  // An arc crosses only within its angles: the upper half of the circle
  // meets a line at y = 2.5, the lower half does not.
  const snap::Arc upper{{5, 2}, 1, 0, std::numbers::pi, false}, lower{{5, 2}, 1, std::numbers::pi, 0, false};
  const snap::Segment high{{0, 2.5}, {10, 2.5}};
  EXPECT_EQ(snap::intersections(high, upper).size(), 2u);
  EXPECT_TRUE(snap::intersections(high, lower).empty());
  EXPECT_NEAR(snap::distanceTo(lower, {5, 3}), std::hypot(1, 1), 1e-9);  // to the nearer end
}

// An arc of an ellipse gives its ends and centre, a ray the end at its base
// and its crossing with a line, a 3D face only its visible edges.
TEST(ObjectSnaps, EllipsesRaysAndFaces) {
  OdDbDatabase db;
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  OdDbEllipsePtr e = OdDbEllipse::createObject();
  e->setCenter({0, 0, 0});
  e->setMajorAxis({4, 0, 0});
  e->setRadiusRatio(0.5);
  e->setEndParam(std::numbers::pi / 2);  // a quarter: from (4,0) to (0,2)
  ms->appendOdDbEntity(e);
  OdDbRayPtr r = OdDbRay::createObject();
  r->setBasePoint({10, 0, 0});
  r->setUnitDir({0, 1, 0});
  ms->appendOdDbEntity(r);
  OdDbLinePtr l = OdDbLine::createObject();
  l->setStartPoint({8, 5, 0});
  l->setEndPoint({12, 5, 0});
  ms->appendOdDbEntity(l);
  OdDbFacePtr f = OdDbFace::createObject();
  for (int i = 0; i < 4; ++i) f->setVertexAt(i, {20.0 + 2 * (i == 1 || i == 2), 2.0 * (i >= 2), 0});
  f->setInvisibleEdges(1);  // the bottom edge, (20,0) to (22,0)
  ms->appendOdDbEntity(f);
  std::vector<snap::Curve> curves;
  for (auto it = ms->newIterator(); !it->done(); it->step()) snap::addCurvesOf(*it->entity(), curves);
  ASSERT_EQ(curves.size(), 6u);  // the face's three visible edges

  auto at = [&](Point cursor) { return snap::nearestSnap(curves, cursor, 0.3, snap::kAllKinds); };
  const auto end = at({0.1, 2.1});
  ASSERT_TRUE(end);
  EXPECT_NEAR(end->point.x, 0, 1e-12);
  EXPECT_NEAR(end->point.y, 2, 1e-12);
  EXPECT_EQ(at({0.1, 0.1})->kind, Kind::kCentre);
  EXPECT_EQ(at({10.1, 0.1})->point, (Point{10, 0}));
  const auto crossing = at({10.1, 5.1});
  ASSERT_TRUE(crossing);
  EXPECT_EQ(crossing->kind, Kind::kIntersection);
  EXPECT_NEAR(crossing->point.y, 5, 1e-9);
  EXPECT_EQ(at({22.1, 1.1})->kind, Kind::kMidpoint);  // a visible edge's middle
  EXPECT_FALSE(at({21, 0.1}));                         // the hidden edge has none
}

// Snaps follow the curves the view draws: a closed polyline of two bulged
// stretches is a whole circle (both halves have middles), and a line
// crosses a spline where the curve is, not where its control polygon is.
TEST(ObjectSnaps, LandOnTheDrawnCurves) {
  OdDbDatabase db;
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  OdDbPolylinePtr ring = OdDbPolyline::createObject();
  ring->addVertexAt(0, 0, 0, 1);
  ring->addVertexAt(1, 10, 0, 1);
  ring->setClosed(true);
  ms->appendOdDbEntity(ring);
  OdDbSplinePtr s = OdDbSpline::createObject();
  s->setDegree(2);
  s->setControlPoints({{20, 0, 0}, {25, 10, 0}, {30, 0, 0}});  // y = 20 t (1 - t), x = 20 + 10 t
  s->setKnots({0, 0, 0, 1, 1, 1});
  ms->appendOdDbEntity(s);
  OdDbLinePtr l = OdDbLine::createObject();
  l->setStartPoint({18, 4, 0});
  l->setEndPoint({32, 4, 0});
  ms->appendOdDbEntity(l);
  std::vector<snap::Curve> curves;
  for (auto it = ms->newIterator(); !it->done(); it->step()) snap::addCurvesOf(*it->entity(), curves);

  auto at = [&](Point cursor) { return snap::nearestSnap(curves, cursor, 0.3, snap::kAllKinds); };
  for (double y : {-5.0, 5.0}) {
    const auto middle = at({5.1, y + 0.1});
    ASSERT_TRUE(middle) << y;
    EXPECT_EQ(middle->kind, Kind::kMidpoint);
    EXPECT_NEAR(middle->point.y, y, 1e-9);
  }
  const auto crossing = at({22.8, 4.1});
  ASSERT_TRUE(crossing);
  EXPECT_EQ(crossing->kind, Kind::kIntersection);
  EXPECT_NEAR(crossing->point.x, 20 + 10 * (1 - std::sqrt(0.2)) / 2, 0.01);
  EXPECT_EQ(at({30.1, 0.1})->point, (Point{30, 0}));  // the spline's end
}
