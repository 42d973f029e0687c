// The geometry of curves drawn as points: splines by their knots and
// weights, ellipses, and unbounded lines clipped to a box.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "curve_geometry.h"

using namespace render;

TEST(CurveGeometry, SplinesFollowTheirKnotsAndWeights) {
  // Clamped knots: the curve starts and ends at the end control points.
  SplineData s;
  s.degree = 3;
  s.controlPoints = {{0, 0}, {1, 3}, {4, 3}, {6, -1}, {8, 0}};
  s.knots = {0, 0, 0, 0, 0.5, 1, 1, 1, 1};
  const auto pts = splinePoints(s, 1e-3);
  ASSERT_GT(pts.size(), 8u);
  EXPECT_NEAR(pts.front().x, 0, 1e-12);
  EXPECT_NEAR(pts.back().x, 8, 1e-12);
  EXPECT_NEAR(pts.back().y, 0, 1e-12);
  // Knots that do not fit the control points: a clamped uniform row instead.
  s.knots = {0, 1};
  EXPECT_NEAR(splinePoints(s, 1e-3).back().x, 8, 1e-12);

  // A quarter circle as a rational quadratic: every point at radius 1.
  SplineData q;
  q.degree = 2;
  q.controlPoints = {{1, 0}, {1, 1}, {0, 1}};
  q.knots = {0, 0, 0, 1, 1, 1};
  q.weights = {1, std::sqrt(0.5), 1};
  for (double u : {0.1, 0.37, 0.5, 0.9}) {
    const g2::P p = splinePointAt(q, u);
    EXPECT_NEAR(std::hypot(p.x, p.y), 1.0, 1e-12) << u;
  }
  // The polyline stays within the tolerance of the curve.
  for (const g2::P& p : splinePoints(q, 1e-4)) EXPECT_NEAR(std::hypot(p.x, p.y), 1.0, 1e-12);
}

TEST(CurveGeometry, EllipsesAndArcsOfThem) {
  const auto full = ellipsePoints({1, 1}, g2::V(2, 0, 0), g2::V(0, 0, 1), 0.5, 0, 0, 64);
  double maxY = -1e9, minX = 1e9;
  for (const g2::P& p : full) maxY = std::max(maxY, p.y), minX = std::min(minX, p.x);
  EXPECT_NEAR(maxY, 2.0, 1e-12);  // the minor axis: half of 2, above the centre
  EXPECT_NEAR(minX, -1.0, 1e-12);
  // Half of it, from the major axis's end counter-clockwise; seen from
  // below (normal -Z) the same parameters run the other way.
  const auto upper = ellipsePoints({0, 0}, g2::V(2, 0, 0), g2::V(0, 0, 1), 0.5, 0, std::numbers::pi, 64);
  const auto lower = ellipsePoints({0, 0}, g2::V(2, 0, 0), g2::V(0, 0, -1), 0.5, 0, std::numbers::pi, 64);
  EXPECT_NEAR(upper[upper.size() / 2].y, 1.0, 1e-12);
  EXPECT_NEAR(lower[lower.size() / 2].y, -1.0, 1e-12);
  EXPECT_NEAR(upper.back().x, -2.0, 1e-12);
}

TEST(CurveGeometry, UnboundedLinesAreClippedToTheBox) {
  Bounds box;
  box.add(Point2{0, 0});
  box.add(Point2{10, 5});
  Point2 a, b;
  ASSERT_TRUE(clipToBox({2, 2}, {1, 0}, false, box, a, b));  // a ray: from its base on
  EXPECT_EQ(a, (Point2{2, 2}));
  EXPECT_EQ(b, (Point2{10, 2}));
  ASSERT_TRUE(clipToBox({2, 2}, {1, 0}, true, box, a, b));  // a construction line: both ways
  EXPECT_EQ(a, (Point2{0, 2}));
  EXPECT_FALSE(clipToBox({20, 2}, {1, 0}, false, box, a, b));  // pointing away
  EXPECT_FALSE(clipToBox({2, 8}, {1, 0}, true, box, a, b));   // passing by
}
