// Pattern lines cut to a region with islands, dashed, and bounded in number;
// which loops a hatch style fills.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "draw_hatch.h"
#include "hatch_lines.h"

using namespace render;

namespace {

Polygon square(double x0, double y0, double size, bool clockwise = false) {
  Polygon p{{x0, y0}, {x0 + size, y0}, {x0 + size, y0 + size}, {x0, y0 + size}};
  if (clockwise) std::reverse(p.begin(), p.end());
  return p;
}

}  // namespace

TEST(HatchLines, SpansFollowTheFillRuleThroughIslandsAndVertices) {
  // A 10 square with a 2..4 island running the same way.
  const std::vector<Polygon> region{square(0, 0, 10), square(2, 2, 2)};
  using Spans = std::vector<std::pair<double, double>>;
  EXPECT_EQ(insideSpans(region, FillRule::kEvenOdd, {0, 3}, {1, 0}), (Spans{{0, 2}, {4, 10}}));
  EXPECT_EQ(insideSpans(region, FillRule::kNonZero, {0, 3}, {1, 0}), (Spans{{0, 10}}));
  // Through the corners: the diagonal enters and leaves once.
  const double d = std::sqrt(0.5);
  const auto diagonal = insideSpans({square(0, 0, 10)}, FillRule::kEvenOdd, {0, 0}, {d, d});
  ASSERT_EQ(diagonal.size(), 1u);
  EXPECT_NEAR(diagonal[0].second - diagonal[0].first, 10 * std::sqrt(2.0), 1e-9);
  EXPECT_TRUE(insideRegion(region, FillRule::kEvenOdd, {1, 1}));
  EXPECT_FALSE(insideRegion(region, FillRule::kEvenOdd, {3, 3}));
  EXPECT_FALSE(insideRegion(region, FillRule::kEvenOdd, {11, 3}));
}

TEST(HatchLines, DashesRepeatFromTheBaseAndDenseFamiliesAreThinned) {
  const std::vector<Polygon> region{square(0, 0, 10)};
  PatternStrokes out;
  // Horizontal lines 4 apart through (3, 1): y = 1, 5, 9; dash 2, gap 1,
  // dot, gap 1 from x = 3 (and so from x = -1: the region cuts that dash).
  addPatternStrokes(region, FillRule::kEvenOdd, {0, {3, 1}, {0, 4}, {2, -1, 0, -1}}, 100, out);
  EXPECT_FALSE(out.thinned);
  std::vector<double> ys;
  for (const auto& [a, b] : out.dashes)
    if (a.x == 0) ys.push_back(a.y);
  EXPECT_EQ(ys, (std::vector<double>{1, 5, 9}));
  ASSERT_GE(out.dashes.size(), 2u);
  EXPECT_NEAR(out.dashes[0].second.x, 1, 1e-12);
  EXPECT_NEAR(out.dashes[1].first.x, 3, 1e-12);
  EXPECT_NEAR(out.dashes[1].second.x, 5, 1e-12);
  EXPECT_NEAR(out.dots.front().x, 2, 1e-12);
  for (const auto& [a, b] : out.dashes) EXPECT_TRUE(a.x >= 0 && b.x <= 10 && a.x < b.x);

  PatternStrokes dense;
  addPatternStrokes(region, FillRule::kEvenOdd, {std::numbers::pi / 2, {0, 0}, {-0.001, 0}, {}}, 50, dense);
  EXPECT_TRUE(dense.thinned);
  EXPECT_LE(dense.dashes.size(), 50u);
  EXPECT_GE(dense.dashes.size(), 40u);
}

TEST(HatchLines, StylesChooseTheLoopsAndTheNormalTurnsThePlane) {
  // Three squares, each inside the last.
  OdDbHatchShape shape;
  shape.fill = OdDbHatchShape::Fill::kSolid;
  for (double size : {10.0, 6.0, 2.0}) {
    OdDbHatchLoop loop;
    loop.flags = 2;
    const double lo = (10 - size) / 2, hi = lo + size;
    loop.vertices = {{lo, lo, 0}, {hi, lo, 0}, {hi, hi, 0}, {lo, hi, 0}};
    shape.loops.push_back(loop);
  }
  const auto same = [](double x, double y) { return Point2{x, y}; };
  struct Expected {
    int style;
    std::size_t loops;
    FillRule rule;
  };
  for (const Expected& e : {Expected{0, 3, FillRule::kEvenOdd}, Expected{1, 2, FillRule::kEvenOdd},
                            Expected{2, 1, FillRule::kNonZero}}) {
    shape.style = e.style;
    const HatchDrawing d = hatchDrawing(shape, same);
    EXPECT_EQ(d.region.size(), e.loops) << e.style;
    EXPECT_EQ(d.rule, e.rule) << e.style;
  }
  // Seen from below, the plane's x runs the other way.
  shape.normal = OdGeVector3d(0, 0, -1);
  const HatchDrawing below = hatchDrawing(shape, same);
  Bounds box;
  for (const Point2& p : below.region[0]) box.add(p);
  EXPECT_DOUBLE_EQ(box.minX, -10);
  EXPECT_DOUBLE_EQ(box.maxY, 10);
}
