// Pattern lines cut to a region with islands, dashed, and bounded in number.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

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
