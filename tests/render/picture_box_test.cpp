// Which pictures a selection box takes: wholly inside for a window, any
// part inside for a crossing box, also where no point of the picture lies
// in the box (a line through it, a fill around it) and for curves.
#include <gtest/gtest.h>

#include "picture_box.h"

using namespace render;

TEST(PictureBox, WindowsTakeWhatIsWhollyInsideCrossingBoxesWhatRunsThroughOrAround) {
  Bounds box;
  box.add(Point2{0, 0});
  box.add(Point2{10, 10});
  auto picture = [](Primitive p) {
    DisplayList list;
    list.add(std::move(p));
    return list;
  };
  const DisplayList through = picture(PolylinePrim{{{-5, 5}, {15, 5}}, false, {}});
  const DisplayList around = picture(FilledPolygonPrim{{{-5, -5}, {15, -5}, {15, 15}, {-5, 15}}, {}});
  const DisplayList arc = picture(PathPrim{{PathSegment::circleArc({5, -20}, 22, 0.1, 3.0)}, std::nullopt, Stroke{}});
  const DisplayList beside = picture(PolylinePrim{{{11, 0}, {20, 20}}, false, {}});
  const DisplayList within = picture(PolylinePrim{{{1, 1}, {9, 9}}, false, {}});
  for (const DisplayList* crossing : {&through, &around, &arc}) {
    EXPECT_TRUE(pictureCrosses(*crossing, box));
    EXPECT_FALSE(pictureInside(*crossing, box));
  }
  EXPECT_FALSE(pictureCrosses(beside, box));
  EXPECT_TRUE(pictureInside(within, box));
  EXPECT_TRUE(pictureCrosses(within, box));
  EXPECT_FALSE(pictureInside(DisplayList(), box)) << "nothing drawn is never inside";
}
