// A hatch record's boundary loops, pattern and fill as the picture takes
// them; records whose counts do not match what follows keep what is whole.
#include <gtest/gtest.h>

#include <numbers>
#include <vector>

#include "DxfHatchRecord.h"
#include "DxfTestSupport.h"

using dxftest::tagsOf;

namespace {

using Kind = OdDbHatchEdge::Kind;

}  // namespace

TEST(HatchRecord, LoopsOfEveryEdgeKindPatternAndStyleAreRead) {
  const auto tags = tagsOf({
      {0, "HATCH"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbHatch"},
      {10, "0"}, {20, "0"}, {30, "2.5"}, {210, "0"}, {220, "0"}, {230, "1"},
      {2, "ANSI31"}, {70, "0"}, {71, "0"}, {91, "3"},
      // An outer loop of edges: a line, a clockwise arc, an elliptic arc, a
      // spline and a line; then the objects it came from.
      {92, "1"}, {93, "5"},
      {72, "1"}, {10, "0"}, {20, "0"}, {11, "10"}, {21, "0"},
      {72, "2"}, {10, "10"}, {20, "5"}, {40, "5"}, {50, "90"}, {51, "270"}, {73, "0"},
      {72, "3"}, {10, "5"}, {20, "10"}, {11, "5"}, {21, "0"}, {40, "0.5"}, {50, "0"}, {51, "180"}, {73, "1"},
      {72, "4"}, {94, "1"}, {73, "0"}, {74, "0"}, {95, "4"}, {96, "2"},
      {40, "0"}, {40, "0"}, {40, "1"}, {40, "1"}, {10, "0"}, {20, "10"}, {10, "0"}, {20, "5"},
      {97, "0"},  // no fit points, then one more edge
      {72, "1"}, {10, "0"}, {20, "5"}, {11, "0"}, {21, "0"},
      {97, "1"}, {330, "2F"},
      // An island: a polyline with one bulged side.
      {92, "2"}, {72, "1"}, {73, "1"}, {93, "3"},
      {10, "2"}, {20, "2"}, {42, "0"}, {10, "4"}, {20, "2"}, {42, "1"}, {10, "3"}, {20, "4"}, {42, "0"},
      {97, "0"},
      // A loop claiming two edges with one whole: dropped.
      {92, "0"}, {93, "2"}, {72, "1"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}, {72, "2"}, {10, "1"},
      {75, "1"}, {76, "1"}, {52, "45"}, {41, "2"}, {77, "0"}, {78, "1"},
      {53, "45"}, {43, "1"}, {44, "2"}, {45, "-2"}, {46, "2"}, {79, "2"}, {49, "3"}, {49, "-1"},
      {98, "1"}, {10, "5"}, {20, "5"}, {1001, "ACAD"}, {1070, "1"}});
  const OdDbHatchShapePtr s = dxfReadHatchShape(tags);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->fill, OdDbHatchShape::Fill::kPattern);
  EXPECT_DOUBLE_EQ(s->elevation, 2.5);
  ASSERT_EQ(s->loops.size(), 2u);
  const auto& outer = s->loops[0].edges;
  ASSERT_EQ(outer.size(), 5u);
  EXPECT_EQ(outer[0].kind, Kind::kLine);
  EXPECT_DOUBLE_EQ(outer[0].end.x, 10);
  EXPECT_EQ(outer[1].kind, Kind::kCircularArc);
  EXPECT_FALSE(outer[1].counterClockwise);
  EXPECT_NEAR(outer[1].endAngle, 1.5 * std::numbers::pi, 1e-12);
  EXPECT_EQ(outer[2].kind, Kind::kEllipticArc);
  EXPECT_DOUBLE_EQ(outer[2].majorAxis.x, 5);
  EXPECT_DOUBLE_EQ(outer[2].ratio, 0.5);
  EXPECT_EQ(outer[3].kind, Kind::kSpline);
  EXPECT_EQ(outer[3].knots.size(), 4u);
  EXPECT_EQ(outer[3].controlPoints.size(), 2u);
  const auto& island = s->loops[1];
  EXPECT_TRUE(island.isPolyline());
  ASSERT_EQ(island.vertices.size(), 3u);
  EXPECT_EQ(island.bulges, (std::vector<double>{0, 1, 0}));
  EXPECT_EQ(s->style, 1);
  EXPECT_NEAR(s->patternAngle, std::numbers::pi / 4, 1e-12);
  ASSERT_EQ(s->patternLines.size(), 1u);
  EXPECT_DOUBLE_EQ(s->patternLines[0].offset.x, -2);
  EXPECT_EQ(s->patternLines[0].dashes, (std::vector<double>{3, -1}));
}

TEST(HatchRecord, MalformedRecordsKeepWhatIsWholeAndReadNoFurther) {
  // Solid, a gradient's first colour, a count far beyond the record.
  const OdDbHatchShapePtr cut = dxfReadHatchShape(tagsOf({
      {70, "1"}, {91, "99999999999"}, {92, "2"}, {93, "4"}, {10, "0"}, {20, "0"}}));
  EXPECT_EQ(cut->fill, OdDbHatchShape::Fill::kSolid);
  EXPECT_TRUE(cut->loops.empty());
  // A loop cut off in its third vertex; a spline whose knots do not fit its
  // control points; values that are no numbers.
  const OdDbHatchShapePtr s = dxfReadHatchShape(tagsOf({
      {70, "1"}, {91, "3"},
      {92, "0"}, {93, "1"}, {72, "4"}, {94, "3"}, {95, "2"}, {96, "2"}, {40, "0"}, {40, "1"},
      {10, "0"}, {20, "0"}, {10, "1"}, {20, "1"}, {97, "2"}, {11, "0"}, {21, "0"}, {11, "3"}, {21, "1"},
      {92, "2"}, {93, "3"}, {10, "0"}, {20, "0"}, {10, "1"}, {20, "x"},
      {450, "1"}, {470, "LINEAR"}, {463, "0"}, {63, "5"}, {421, "16711680"}, {463, "1"}, {63, "2"}}));
  ASSERT_EQ(s->loops.size(), 1u);
  EXPECT_TRUE(s->loops[0].edges[0].controlPoints.empty());
  EXPECT_EQ(s->loops[0].edges[0].fitPoints.size(), 2u);
  EXPECT_TRUE(s->gradient);
  EXPECT_EQ(s->gradientColorIndex, 5);
  EXPECT_EQ(s->gradientTrueColor, 0xFF0000);
}

TEST(HatchRecord, ImageFramesFollowTheClipPolygonOrTheWholeImage) {
  // 4 x 2 pixels of 0.5 units from (10, 20); clip vertices count from the
  // top left pixel's centre, downwards.
  std::vector<DxfTag> tags = tagsOf({{10, "10"}, {20, "20"}, {11, "0.5"}, {21, "0"}, {12, "0"}, {22, "0.5"},
                                      {13, "4"}, {23, "2"}, {71, "1"}, {91, "2"}, {14, "-0.5"}, {24, "-0.5"},
                                      {14, "1.5"}, {24, "0.5"}});
  const OdDbHatchShapePtr s = dxfReadImageFrame(tags, true);
  EXPECT_EQ(s->fill, OdDbHatchShape::Fill::kBackground);
  ASSERT_EQ(s->loops.size(), 1u);
  const auto& v = s->loops[0].vertices;
  ASSERT_EQ(v.size(), 4u);
  // The top left quarter: x 10..11, y 20.5..21.
  EXPECT_EQ(v[0], OdGePoint3d(10, 21, 0));
  EXPECT_EQ(v[2], OdGePoint3d(11, 20.5, 0));
  tags.resize(8);
  const OdDbHatchShapePtr frame = dxfReadImageFrame(tags, false);
  const auto& whole = frame->loops[0].vertices;
  EXPECT_EQ(whole[0], OdGePoint3d(10, 21, 0));
  EXPECT_EQ(whole[2], OdGePoint3d(12, 20, 0));
}
