// What drawing takes from records kept as read: old polylines with their
// vertex records, attributes and the grid of a multiple insert.
#include <gtest/gtest.h>

#include "DxfForeignShapes.h"
#include "DxfTestSupport.h"

namespace {

using Tags = std::vector<DxfTag>;
const auto tags = dxftest::tagsOf;

}  // namespace

TEST(DxfForeignShapes, PolylineVerticesTakeDefaultsSkipFramePointsAndReadFaces) {
  const Tags head = tags({{0, "POLYLINE"}, {100, "AcDb2dPolyline"}, {10, "0"}, {20, "0"}, {30, "4.5"}, {70, "5"},
                          {40, "0.5"}, {41, "0.25"}, {210, "0"}, {220, "0"}, {230, "-2"},
                          {1001, "APP"}, {1040, "9"}});
  const std::vector<Tags> vertices = {
      tags({{0, "VERTEX"}, {102, "{APP"}, {42, "7"}, {102, "}"}, {10, "1"}, {20, "2"}, {42, "0.5"}}),
      tags({{0, "VERTEX"}, {10, "9"}, {20, "9"}, {70, "16"}}),  // a frame point: not on the curve
      tags({{0, "VERTEX"}, {10, "3"}, {20, "4"}, {40, "1"}, {41, "2"}}),
  };
  const OdDbOldPolylinePtr p = dxfReadOldPolyline(head, vertices);
  EXPECT_TRUE(p->is2d());
  EXPECT_TRUE(p->closed());
  EXPECT_EQ(p->elevation, 4.5);
  EXPECT_EQ(p->normal, OdGeVector3d(0, 0, -1));  // made unit
  ASSERT_EQ(p->vertices.size(), 2u);
  EXPECT_EQ(p->vertices[0].at, OdGePoint3d(1, 2, 0));
  EXPECT_EQ(p->vertices[0].bulge, 0.5);  // the application's group is not the vertex's
  EXPECT_EQ(p->vertices[0].startWidth, 0.5);
  EXPECT_EQ(p->vertices[0].endWidth, 0.25);
  EXPECT_EQ(p->vertices[1].endWidth, 2);

  const OdDbOldPolylinePtr face = dxfReadOldPolyline(
      tags({{0, "POLYLINE"}, {70, "64"}}),
      {tags({{0, "VERTEX"}, {10, "1"}, {70, "192"}}),
       tags({{0, "VERTEX"}, {70, "128"}, {71, "1"}, {72, "-2"}, {73, "3"}})});
  EXPECT_FALSE(face->is2d());
  ASSERT_EQ(face->vertices.size(), 1u);
  ASSERT_EQ(face->faces.size(), 1u);
  const OdDbOldPolyline::Face& f = face->faces[0];
  EXPECT_EQ((std::vector<int>{f.corner[0], f.corner[1], f.corner[2], f.corner[3]}), (std::vector<int>{0, 1, 2, -1}));
  EXPECT_EQ((std::vector<bool>{f.visible[0], f.visible[1], f.visible[2]}), (std::vector<bool>{true, false, true}));
}

TEST(DxfForeignShapes, AttributesAndInsertGrids) {
  const DxfDocument doc = DxfDocument::parse("  0\nEOF\n");
  const OdDbAttributeText a = dxfReadAttribute(
      doc, tags({{0, "ATTRIB"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbText"}, {10, "1"}, {20, "2"}, {40, "3"},
                 {1, "Value"}, {50, "90"}, {41, "0.8"}, {51, "15"}, {7, "Narrow"}, {71, "2"}, {72, "1"}, {11, "5"},
                 {21, "6"}, {100, "AcDbAttribute"}, {2, "TAG"}, {70, "1"}, {74, "3"}}));
  EXPECT_EQ(a.value, "Value");
  EXPECT_EQ(a.position, OdGePoint3d(1, 2, 0));
  EXPECT_EQ(a.alignmentPoint, OdGePoint3d(5, 6, 0));
  EXPECT_NEAR(a.rotation, 1.5707963267948966, 1e-12);
  EXPECT_NEAR(a.oblique, 0.2617993877991494, 1e-12);
  EXPECT_EQ(a.widthFactor, 0.8);
  EXPECT_EQ(a.style, "Narrow");
  EXPECT_TRUE(a.mirroredX);
  EXPECT_FALSE(a.mirroredY);
  EXPECT_EQ(a.horizontalMode, 1);
  EXPECT_EQ(a.verticalMode, 3);
  EXPECT_TRUE(a.invisible);

  // The multi-line form: the embedded text's own codes do not move it.
  const OdDbAttributeText m = dxfReadAttribute(
      doc, tags({{0, "ATTRIB"}, {10, "1"}, {20, "2"}, {1, "Line"}, {72, "2"}, {101, "Embedded Object"}, {10, "8"},
                 {20, "8"}, {1, "Other"}}));
  EXPECT_EQ(m.value, "Line");
  EXPECT_EQ(m.position, OdGePoint3d(1, 2, 0));
  EXPECT_EQ(m.horizontalMode, 0);

  OdDbInsertExtras grid;
  dxfReadInsertGrid(tags({{0, "INSERT"}, {70, "3"}, {71, "0"}, {44, "2.5"}, {45, "4"}}), grid);
  EXPECT_EQ(grid.columns, 3);
  EXPECT_EQ(grid.rows, 1);  // no rows is still the one row
  EXPECT_EQ(grid.columnSpacing, 2.5);
  EXPECT_EQ(grid.rowSpacing, 4);
}

TEST(DxfForeignShapes, MultiLeaderLinesRunToTheirLeadersLastPointAndTextOrBlockFollow) {
  const DxfDocument doc = DxfDocument::parse("  0\nEOF\n");
  const DxfHandleLookup none = [](std::uint64_t) { return OdDbObjectId(); };
  const Tags record = tags({{0, "MULTILEADER"}, {100, "AcDbMLeader"}, {300, "CONTEXT_DATA{"}, {140, "2"},
                            {41, "3"}, {290, "1"}, {304, "Note"}, {12, "20"}, {22, "5"}, {13, "0"}, {23, "1"},
                            {171, "7"}, {91, "-1023410174"}, {141, "2"}, {92, "33554559"}, {291, "0"},
                            {292, "1"}, {145, "0.5"}, {296, "0"}, {302, "LEADER{"}, {10, "10"}, {20, "5"},
                            {11, "1"}, {21, "0"}, {40, "4"}, {304, "LEADER_LINE{"}, {10, "0"}, {20, "0"}, {10, "5"},
                            {20, "5"}, {305, "}"}, {304, "LEADER_LINE{"}, {10, "0"}, {20, "9"}, {92, "-1023410175"},
                            {305, "}"}, {303, "}"}, {301, "}"}, {170, "1"}, {42, "9"}, {290, "1"}, {292, "1"}});
  const OdDbMultiLeaderShapePtr m = dxfReadMultiLeader(doc, record, none);
  ASSERT_EQ(m->lines.size(), 2u);
  EXPECT_EQ(m->lines[0], (std::vector<OdGePoint3d>{{0, 0, 0}, {5, 5, 0}, {10, 5, 0}}));
  EXPECT_EQ(m->lines[1], (std::vector<OdGePoint3d>{{0, 9, 0}, {10, 5, 0}}));
  ASSERT_EQ(m->landings.size(), 1u);
  EXPECT_EQ(m->landings[0].second, OdGePoint3d(14, 5, 0));
  EXPECT_EQ(m->arrowSize, 2);  // the context's, not the style override's
  EXPECT_TRUE(m->hasText);
  EXPECT_EQ(m->text, "Note");  // the leader line's 304 is no text
  EXPECT_EQ(m->textLocation, OdGePoint3d(20, 5, 0));
  EXPECT_NEAR(m->textRotation, 1.5707963267948966, 1e-12);  // from the text's direction
  EXPECT_EQ(m->textAlignment, 3);
  EXPECT_FALSE(m->hasBlock);
  // The second line's own colour; the text's frame (a record value) and its
  // fill (context values: colour, scale, half transparent).
  ASSERT_EQ(m->lineColors.size(), 2u);
  EXPECT_TRUE(m->lineColors[0].isByBlock());
  EXPECT_EQ(m->lineColors[1].colorIndex(), 1);
  EXPECT_TRUE(m->textFrame);
  EXPECT_EQ(m->landingGap, 0.5);
  EXPECT_TRUE(m->textFill);
  EXPECT_EQ(m->textFillColor.colorIndex(), 2);
  EXPECT_EQ(m->textFillScale, 2);
  EXPECT_NEAR(m->textFillOpacity, 127 / 255.0, 1e-12);
}
