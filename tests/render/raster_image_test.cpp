// The rasteriser and the PNG writer.
#include <gtest/gtest.h>

#include <fstream>

#include "font_metrics.h"
#include "raster_image.h"

using namespace render;

namespace {
const Rgb kWhite{255, 255, 255}, kRed{255, 0, 0}, kBlue{0, 0, 255};

// A 10 x 10 unit frame so that one unit is ten pixels (100 x 100 image).
DisplayList framed() {
  DisplayList l;
  l.add(FilledPolygonPrim{{{0, 0}, {10, 0}, {10, 10}}, kWhite});  // sets the bounds, draws white
  l.add(FilledPolygonPrim{{{0, 0}, {0, 10}, {10, 10}}, kWhite});
  return l;
}
RasterOptions hundred() {
  RasterOptions o;
  o.widthPx = 100;
  o.heightPx = 100;
  o.marginPx = 0;
  return o;
}
int inked(const Image& img, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += img.at(x, y) != kWhite;
  return n;
}
}  // namespace

TEST(Raster, FillsStrokesAndDashesLandWhereTheMappingSays) {
  DisplayList l = framed();
  l.add(FilledPolygonPrim{{{1, 1}, {3, 1}, {3, 3}, {1, 3}}, kBlue});
  Stroke s;
  s.color = kRed;
  s.lineweightMm = 0.0;  // one pixel
  l.add(PolylinePrim{{{0, 5}, {10, 5}}, false, s});
  s.dashes = {1.0, -1.0};
  l.add(PolylinePrim{{{0, 8}, {10, 8}}, false, s});
  const Image img = rasterize(l, hundred());
  ASSERT_EQ(img.width, 100);
  ASSERT_EQ(img.height, 100);
  EXPECT_EQ(img.at(20, 80), kBlue);   // (2, 2), y up
  EXPECT_EQ(img.at(55, 20), kWhite);  // (5.5, 8): in a gap of the dashed line
  EXPECT_GT(inked(img, 0, 49, 100, 51), 90);  // the full line at y = 5
  // The dashed line at y = 8: inked and blank stretches of ten pixels.
  EXPECT_GT(inked(img, 2, 19, 8, 21), 5);
  EXPECT_EQ(inked(img, 12, 19, 18, 21), 0);

  // A polyline's width: square ends where the line ends, a mitred corner.
  DisplayList w = framed();
  Stroke wide;
  wide.color = kRed;
  wide.width = 2;
  w.add(PolylinePrim{{{3, 2}, {7, 2}, {7, 6}}, false, wide});
  const Image corner = rasterize(w, hundred());
  EXPECT_EQ(inked(corner, 20, 70, 29, 90), 0);  // nothing before the start (3, 2)
  EXPECT_EQ(inked(corner, 60, 31, 80, 39), 0);  // nothing beyond the end (7, 6)
  EXPECT_EQ(corner.at(78, 88), kRed);           // the outer corner (8, 1) filled
}

TEST(Raster, TextIsDrawnFromTheGlyphOutlinesInsideItsBox) {
  DisplayList l = framed();
  TextRunPrim t;
  t.text = "HH";
  t.font = FontMetrics::shared().fontFor("txt", "");
  t.capHeight = 3;
  t.emSize = 3 / FontMetrics::shared().info(t.font).capHeightPerEm;
  t.advance = 6;
  t.origin = {2, 2};
  t.color = kRed;
  l.add(t);
  const Image img = rasterize(l, hundred());
  EXPECT_GT(inked(img, 20, 50, 80, 80), 200);  // from (2, 2) to (8, 5)
  EXPECT_EQ(inked(img, 0, 0, 100, 45), 0);     // nothing above the capitals
  EXPECT_EQ(inked(img, 85, 0, 100, 100), 0);   // nor past the measured width
}

TEST(Raster, PngFilesAndFailures) {
  const Image img = rasterize(framed(), hundred());
  const std::string path = std::string(DDS_BINARY_DIR) + "/render_raster_test.png";
  std::string error;
  ASSERT_TRUE(writePngFile(img, path, &error)) << error;
  std::ifstream in(path, std::ios::binary);
  std::string head(24, '\0');
  in.read(head.data(), 24);
  EXPECT_EQ(head.substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(head.substr(12, 4), "IHDR");
  EXPECT_EQ(head.substr(16, 8), std::string("\0\0\0\x64\0\0\0\x64", 8));  // 100 x 100
  EXPECT_FALSE(writePngFile(img, "/nonexistent-folder/x.png", &error));
  EXPECT_NE(error.find("/nonexistent-folder/x.png"), std::string::npos);
  EXPECT_FALSE(writePngFile(Image(), path, &error));
}

// A ring of two circles: the even-odd rule leaves the inner one a hole,
// the non-zero rule (both turning the same way) fills it. A dot is about
// two pixels whatever the scale.
TEST(Raster, PathsFillByTheirRuleAndDotsKeepTheirSize) {
  const double turn = 2 * 3.14159265358979323846;
  PathPrim ring;
  ring.segments = {PathSegment::circleArc({5, 5}, 4, 0, turn), PathSegment::close(),
                   PathSegment::circleArc({5, 5}, 2, 0, turn), PathSegment::close()};
  ring.fill = PathFill{kBlue, FillRule::kEvenOdd};
  DisplayList l = framed();
  l.add(ring);
  l.add(DotPrim{{9, 9}, kRed});
  Image img = rasterize(l, hundred());
  EXPECT_EQ(img.at(50, 50), kWhite);  // the hole
  EXPECT_EQ(img.at(50, 20), kBlue);   // (5, 8): in the ring
  // (9, 9) is a corner of four pixels: the dot shares itself among them.
  EXPECT_EQ(inked(img, 85, 5, 95, 15), 4);
  EXPECT_EQ(img.at(90, 10).r, 255);
  EXPECT_LT(img.at(90, 10).g, 128);
  ring.fill->rule = FillRule::kNonZero;
  DisplayList solid = framed();
  solid.add(ring);
  img = rasterize(solid, hundred());
  EXPECT_EQ(img.at(50, 50), kBlue);
}
