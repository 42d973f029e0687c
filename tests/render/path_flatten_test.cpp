// Paths cut into polylines: ends exact, within the tolerance, nothing that
// is not a number whatever the input; the arcs' Bezier forms and bounds.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "path_flatten.h"

using namespace render;

namespace {

constexpr double kPi = std::numbers::pi;

double distanceToSegment(Point2 p, Point2 a, Point2 b) {
  const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
  const double t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
  return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
}

double distanceToLine(Point2 p, const std::vector<Point2>& line) {
  double best = INFINITY;
  for (std::size_t i = 1; i < line.size(); ++i) best = std::min(best, distanceToSegment(p, line[i - 1], line[i]));
  return best;
}

Point2 cubicAt(Point2 a, Point2 b, Point2 c, Point2 d, double t) {
  const double u = 1 - t;
  return {u * u * u * a.x + 3 * u * u * t * b.x + 3 * u * t * t * c.x + t * t * t * d.x,
          u * u * u * a.y + 3 * u * u * t * b.y + 3 * u * t * t * c.y + t * t * t * d.y};
}

}  // namespace

TEST(PathFlatten, CurvesEndExactlyAndStayWithinTheTolerance) {
  // A turned ellipse clockwise over most of a turn, then a cubic from its end.
  const PathSegment arc = PathSegment::arc({3, 4}, {6, 2}, 0.4, 2.5, -2.0);
  const Point2 c1{20, 30}, c2{-10, 25}, end{5, -7};
  for (double tolerance : {0.5, 0.01}) {
    const auto lines = flatten({arc, PathSegment::cubicTo(c1, c2, end)}, tolerance);
    ASSERT_EQ(lines.size(), 1u);
    const std::vector<Point2>& pts = lines[0].points;
    const Point2 arcEnd = arcPointAt(arc, -2.0);
    EXPECT_EQ(pts.front(), arcPointAt(arc, 2.5));
    EXPECT_EQ(pts.back(), end);
    const auto arcEndAt = std::find(pts.begin(), pts.end(), arcEnd);
    ASSERT_NE(arcEndAt, pts.end());
    const std::vector<Point2> arcPart(pts.begin(), arcEndAt + 1), cubicPart(arcEndAt, pts.end());
    for (int k = 0; k <= 1000; ++k) {
      EXPECT_LE(distanceToLine(arcPointAt(arc, 2.5 - 4.5 * k / 1000), arcPart), tolerance * 1.0001);
      EXPECT_LE(distanceToLine(cubicAt(arcEnd, c1, c2, end, k / 1000.0), cubicPart), tolerance * 1.0001);
    }
    // Finer tolerances cost more points, not wasted ones.
    EXPECT_LT(pts.size(), tolerance > 0.1 ? 40u : 400u);
  }
}

TEST(PathFlatten, SubPathsCloseAndDegenerateInputStaysFinite) {
  const double nan = std::nan("");
  const std::vector<PathSegment> ring = {
      PathSegment::circleArc({0, 0}, 10, 0, 2 * kPi), PathSegment::close(),
      PathSegment::moveTo({4, 0}), PathSegment::circleArc({0, 0}, 4, 0, -2 * kPi), PathSegment::close(),
      // Nothing but a place to start: no line.
      PathSegment::moveTo({50, 50}),
      // Not a number: left out, the pen stays at (1, 1).
      PathSegment::moveTo({1, 1}), PathSegment::lineTo({nan, 2}), PathSegment::arc({0, 0}, {1, 0}, 1, 0, nan),
      PathSegment::lineTo({1, 1}),
      // A circle of no size, a curve whose points are all one, a line of
      // no length.
      PathSegment::circleArc({7, 7}, 0, 0, 2 * kPi), PathSegment::cubicTo({7, 7}, {7, 7}, {7, 7})};
  for (double tolerance : {0.1, 0.0, nan, -1.0}) {
    const auto lines = flatten(ring, tolerance);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[0].closed);
    EXPECT_TRUE(lines[1].closed);
    EXPECT_FALSE(lines[2].closed);
    // A closed line does not repeat its first point.
    EXPECT_NE(lines[0].points.front(), lines[0].points.back());
    EXPECT_EQ(lines[2].points.front(), (Point2{1, 1}));
    EXPECT_EQ(lines[2].points.back(), (Point2{7, 7}));
    for (const FlatLine& l : lines)
      for (const Point2& p : l.points) ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    EXPECT_LE(lines[0].points.size(), 16384u);
  }
  // After a close the pen is back where the sub-path began.
  const auto again = flatten({PathSegment::moveTo({0, 0}), PathSegment::lineTo({1, 0}), PathSegment::close(),
                              PathSegment::lineTo({0, 1})},
                             0.1);
  ASSERT_EQ(again.size(), 2u);
  EXPECT_EQ(again[1].points, (std::vector<Point2>{{0, 0}, {0, 1}}));
}

TEST(PathFlatten, ArcsAsBeziersAndTheirBounds) {
  const PathSegment ellipse = PathSegment::arc({1, 2}, {3, 4}, 0.5, 0.3, 0.3 + 2 * kPi);
  const auto cubics = arcAsCubics(ellipse);
  ASSERT_EQ(cubics.size(), 4u);
  Point2 from = arcPointAt(ellipse, 0.3);
  for (std::size_t i = 0; i < cubics.size(); ++i) {
    const double t = 0.3 + kPi / 2 * (i + 0.5);
    // The middle of a quarter turn's Bezier is off the ellipse by far less
    // than a thousandth of its size.
    const Point2 mid = cubicAt(from, cubics[i].c1, cubics[i].c2, cubics[i].to, 0.5);
    const Point2 exact = arcPointAt(ellipse, t);
    EXPECT_LT(std::hypot(mid.x - exact.x, mid.y - exact.y), 5e-3);
    from = cubics[i].to;
  }
  EXPECT_EQ(cubics.back().to, arcPointAt(ellipse, 0.3 + 2 * kPi));
  EXPECT_TRUE(arcAsCubics(PathSegment::arc({0, 0}, {1, 0}, 1, 0, std::nan(""))).empty());
  // The top of a circle's arc over 45°..135° is its highest point, not an
  // end; the ends are the sides.
  const Bounds b = pathBounds({PathSegment::circleArc({0, 0}, 2, kPi / 4, 3 * kPi / 4)}, 0.5);
  EXPECT_DOUBLE_EQ(b.maxY, 2.5);
  EXPECT_NEAR(b.minY, std::sqrt(2.0) - 0.5, 1e-12);
  EXPECT_NEAR(b.maxX, std::sqrt(2.0) + 0.5, 1e-12);
}
