// A layout's picture: each viewport shows model space at its scale, cut to
// its frame or its boundary entity, without the layers it freezes; the
// layout's own view is no window.
#include <gtest/gtest.h>

#include <cmath>

#include "DxfDrawingIO.h"
#include "OdDbDatabase.h"
#include "OdDbLayoutView.h"
#include "../shared/dxf_records.h"
#include "../shared/layout_drawing.h"
#include "../shared/reference_picture.h"
#include "layout_picture.h"
#include "pdf_writer.h"
#include "raster_image.h"
#include "svg_writer.h"
#include "render_test_util.h"

using namespace render;
using rt::all;

TEST(LayoutPicture, ViewportsShowModelSpaceScaledClippedAndWithoutTheirFrozenLayers) {
  auto db = readDxfDrawingFromBytes(layoutDrawing());
  const auto layouts = odDbLayouts(db.get());
  ASSERT_EQ(layouts.size(), 1u);
  EXPECT_EQ(std::string(layouts[0].name), "Layout1");

  const DisplayList picture = renderLayout(db.get(), layouts[0]);
  std::vector<PolylinePrim> lines;
  for (const PolylinePrim& p : all<PolylinePrim>(picture))
    if (!p.closed) lines.push_back(p);
  // Only A's line: model (25..75, 0) would land on (37.5..62.5, 50), and the
  // frame (30..70) cuts it.
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_EQ(lines[0].points.size(), 2u);
  EXPECT_NEAR(lines[0].points[0].x, 30.0, 1e-9);
  EXPECT_NEAR(lines[0].points[1].x, 70.0, 1e-9);
  EXPECT_NEAR(lines[0].points[0].y, 50.0, 1e-9);
  EXPECT_EQ(lines[0].stroke.color, (Rgb{255, 0, 0}));
  // One frame: the second viewport's; the layout's own view has none.
  const auto frames = all<PolylinePrim>(picture).size() - lines.size();
  EXPECT_EQ(frames, 1u);
  EXPECT_NEAR(picture.bounds().minX, 30.0, 1e-9);
  EXPECT_NEAR(picture.bounds().maxY, 60.0, 1e-9);
}

namespace {

// Model space: "CLIP" on layer A, 10 high from the origin, and a filled
// square from (30, -5) to (50, 15). Paper space: a viewport cut by a circle
// (status 0x10000, boundary 340: the circle of radius 15 at (50, 50)) and a
// rectangular one 40 x 20 at (120, 50), both showing model space at full
// size with (25, 5) at their centre, so that the text and the square cross
// both boundaries. `boundary` is the handle the first viewport names.
std::string clippedViewportsDrawing(const char* boundary = "60") {
  return records({
      {0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1015"}, {0, "ENDSEC"},
      {0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "LAYER"},
      {0, "LAYER"}, {2, "A"}, {70, "0"}, {62, "5"}, {6, "CONTINUOUS"}, {0, "ENDTAB"}, {0, "ENDSEC"},
      {0, "SECTION"}, {2, "ENTITIES"},
      {0, "TEXT"}, {8, "A"}, {10, "0"}, {20, "0"}, {40, "10"}, {1, "CLIP"},
      {0, "SOLID"}, {8, "A"}, {62, "1"}, {10, "30"}, {20, "-5"}, {11, "50"}, {21, "-5"}, {12, "30"}, {22, "15"},
      {13, "50"}, {23, "15"},
      {0, "VIEWPORT"}, {67, "1"}, {8, "0"}, {10, "100"}, {20, "100"}, {40, "300"}, {41, "200"}, {68, "1"},
      {69, "1"}, {12, "100"}, {22, "100"}, {45, "200"},
      {0, "CIRCLE"}, {5, "60"}, {67, "1"}, {8, "0"}, {62, "3"}, {10, "50"}, {20, "50"}, {40, "15"},
      {0, "VIEWPORT"}, {67, "1"}, {8, "0"}, {10, "50"}, {20, "50"}, {40, "40"}, {41, "40"}, {68, "2"},
      {69, "2"}, {12, "25"}, {22, "5"}, {45, "40"}, {90, "65536"}, {340, boundary},
      {0, "VIEWPORT"}, {67, "1"}, {8, "0"}, {10, "120"}, {20, "50"}, {40, "40"}, {41, "20"}, {68, "3"},
      {69, "3"}, {12, "25"}, {22, "5"}, {45, "20"},
      {0, "ENDSEC"}, {0, "EOF"}});
}

DisplayList clippedViewportsPicture(const char* boundary, RenderReport* report = nullptr) {
  auto db = readDxfDrawingFromBytes(clippedViewportsDrawing(boundary));
  const auto layouts = odDbLayouts(db.get());
  EXPECT_EQ(layouts.size(), 1u);
  return layouts.empty() ? DisplayList() : renderLayout(db.get(), layouts[0], {}, report);
}

std::size_t closedLines(const DisplayList& picture) {
  std::size_t n = 0;
  for (const Primitive& p : picture.items())
    if (auto line = std::get_if<PolylinePrim>(&p); line && line->closed) ++n;
  return n;
}

}  // namespace

// A viewport cut by a boundary entity shows model space inside that entity
// only, and the entity (drawn with paper space) is its frame; text and fills
// crossing a boundary are cut exactly there, in every writer.
TEST(LayoutPicture, BoundariesCutEverythingTheyCrossGlyphsIncluded) {
  RenderReport report;
  const DisplayList picture = clippedViewportsPicture("60", &report);
  EXPECT_TRUE(report.notDrawn.empty());

  std::vector<ClipPrim> clips;
  for (const Primitive& p : picture.items())
    if (auto clip = std::get_if<ClipPrim>(&p)) clips.push_back(*clip);
  ASSERT_EQ(clips.size(), 2u);
  ASSERT_EQ(clips[0].region.size(), 1u);
  EXPECT_GT(clips[0].region[0].size(), 16u);
  for (const Point2& p : clips[0].region[0]) EXPECT_NEAR(std::hypot(p.x - 50, p.y - 50), 15.0, 0.05);
  ASSERT_EQ(clips[1].region.size(), 1u);
  EXPECT_EQ(clips[1].region[0].size(), 4u);
  // The text reaches the clips whole; the writers cut its glyphs.
  EXPECT_EQ(all<TextRunPrim>(picture).size(), 2u);
  // One rectangular frame (the circle stands for the other's), and the circle.
  EXPECT_EQ(closedLines(picture), 1u);

  const std::string svg = svgDocument(picture);
  EXPECT_NE(svg.find("<clipPath id=\"clip2\">"), std::string::npos);
  EXPECT_NE(svg.find("<g clip-path=\"url(#clip1)\">"), std::string::npos);
  const std::string pdf = pdfDocument(picture);
  std::size_t cuts = 0;
  for (std::size_t at = pdf.find("W* n"); at != std::string::npos; at = pdf.find("W* n", at + 1)) ++cuts;
  EXPECT_EQ(cuts, 2u);
  RasterOptions options;
  options.widthPx = 400;
  expectLikeReference(rasterize(picture, options), "tests/render/reference", "layout_clipped_viewports");
}

// A boundary that is not there (or draws nothing closed) leaves the
// viewport its rectangle, and the picture's report says so.
TEST(LayoutPicture, ABoundaryThatGivesNoOutlineLeavesTheRectangleAndIsReported) {
  RenderReport report;
  const DisplayList picture = clippedViewportsPicture("61", &report);
  EXPECT_EQ(report.notDrawn[kViewportBoundaryNotUsed], 1);
  EXPECT_EQ(closedLines(picture), 2u);
  for (const ClipPrim& clip : all<ClipPrim>(picture)) EXPECT_EQ(clip.region.at(0).size(), 4u);
  EXPECT_NE(notDrawnText(report.notDrawn, false).find("viewport clip boundaries"), std::string::npos);
}
