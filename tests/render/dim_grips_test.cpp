// The grips a window offers on a selected dimension, and what a drag does.
#include "dim_grips.h"
#include "render_test_util.h"

using namespace rt;

TEST(DimGrips, TheNearestGripIsTakenAndADragMovesWhatItHoldsAndRebuilds) {
  Drawing d;
  OdDbRotatedDimensionPtr dim = d.linear(10, 3);
  dim->recomputeDimBlock();
  // The text sits on the line's middle, the line's grip at its end on the
  // second extension line; the nearer one within reach is taken.
  EXPECT_EQ(render::gripNear(*dim, {5.01, 3, 0}, 0.05), render::DimGrip::kText);
  EXPECT_EQ(render::gripNear(*dim, {9.99, 3, 0}, 0.05), render::DimGrip::kLine);
  EXPECT_FALSE(render::gripNear(*dim, {5, 4, 0}, 0.05));

  // The line through a new point; the text follows as the builder places it.
  ASSERT_TRUE(render::dragGrip(*dim, render::DimGrip::kLine, {10, 6, 0}));
  EXPECT_EQ(dim->dimLinePoint(), OdGePoint3d(10, 6, 0));
  EXPECT_FALSE(dim->isDimBlockOutOfDate());
  EXPECT_NEAR(dim->textPosition().y, 6, 1e-9);
  EXPECT_TRUE(dim->isUsingDefaultTextPosition());
  // Text put by hand stays where it is dropped, carries the line, and moves
  // with the line's grip after.
  ASSERT_TRUE(render::dragGrip(*dim, render::DimGrip::kText, {12, 8, 0}));
  EXPECT_FALSE(dim->isUsingDefaultTextPosition());
  EXPECT_EQ(render::gripNear(*dim, {10, 8, 0}, 0.05), render::DimGrip::kLine);
  ASSERT_TRUE(render::dragGrip(*dim, render::DimGrip::kLine, {10, 9, 0}));
  EXPECT_EQ(dim->textPosition(), OdGePoint3d(12, 9, 0));

  // An angle's arc takes the new radius on its own side; through the
  // vertex it is refused and nothing moves.
  auto angle = OdDb3PointAngularDimension::createObject();
  angle->setDimensionStyle(d.db->getDimStyleStandardId());
  angle->setXLine1Point({5, 0});
  angle->setXLine2Point({0, 5});
  angle->setArcPoint({3, 3});
  d.add(angle);
  EXPECT_FALSE(render::dragGrip(*angle, render::DimGrip::kLine, {0, 0, 0}));
  EXPECT_EQ(angle->arcPoint(), OdGePoint3d(3, 3, 0));
  ASSERT_TRUE(render::dragGrip(*angle, render::DimGrip::kLine, {0, 6, 0}));
  EXPECT_NEAR(angle->arcPoint().x, 6 / std::sqrt(2.0), 1e-9);
  EXPECT_NEAR(angle->arcPoint().y, 6 / std::sqrt(2.0), 1e-9);
  // Text put by hand carries the arc, whose grip is then at the text's
  // radius, and a drag of the arc takes the text out as far as the arc.
  angle->setTextPosition({7, 1});
  ASSERT_EQ(render::gripNear(*angle, {0, std::hypot(7.0, 1.0), 0}, 0.05), render::DimGrip::kLine);
  ASSERT_TRUE(render::dragGrip(*angle, render::DimGrip::kLine, {0, std::hypot(7.0, 1.0) + 1, 0}));
  EXPECT_NEAR(angle->textPosition().distanceTo({0, 0, 0}), std::hypot(7.0, 1.0) + 1, 1e-9);
  EXPECT_NEAR(angle->textPosition().y / angle->textPosition().x, 1.0 / 7, 1e-9);
  // A radius's line goes where its text goes: the text is its only grip.
  auto radius = OdDbRadialDimension::createObject();
  radius->setChordPoint({3, 0});
  EXPECT_EQ(render::dimensionGrips(*radius).size(), 1u);
  EXPECT_FALSE(render::dragGrip(*radius, render::DimGrip::kLine, {1, 1, 0}));
}
