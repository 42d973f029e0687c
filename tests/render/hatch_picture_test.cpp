// Hatches read from a file are drawn: a solid fill whose island stays
// empty, and pattern lines kept inside their boundary.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "DxfDrawingIO.h"
#include "OdDbDatabase.h"
#include "render_test_util.h"
#include "renderer.h"

using namespace render;
using rt::all;

namespace {

// A square from (x, y) as a polyline loop of the hatch record.
std::string squareLoop(double x, double y, double size) {
  std::string s = " 92\n2\n 72\n0\n 73\n1\n 93\n4\n";
  const double xs[] = {x, x + size, x + size, x}, ys[] = {y, y, y + size, y + size};
  for (int i = 0; i < 4; ++i) s += " 10\n" + std::to_string(xs[i]) + "\n 20\n" + std::to_string(ys[i]) + "\n";
  return s + " 97\n0\n";
}

std::string hatch(const std::string& handle, int color, bool solid, const std::string& loops, int count,
                  const std::string& pattern) {
  return "  0\nHATCH\n  5\n" + handle + "\n100\nAcDbEntity\n  8\n0\n 62\n" + std::to_string(color) +
         "\n100\nAcDbHatch\n 10\n0\n 20\n0\n 30\n0\n210\n0\n220\n0\n230\n1\n  2\n" +
         (solid ? "SOLID" : "LINES") + "\n 70\n" + (solid ? "1" : "0") + "\n 71\n0\n 91\n" +
         std::to_string(count) + "\n" + loops + " 75\n0\n 76\n1\n" + pattern + " 98\n0\n";
}

}  // namespace

TEST(HatchPicture, SolidFillLeavesItsIslandAndPatternLinesStayInside) {
  // Solid: the square 0..10 with the island 3..7. Pattern: horizontal lines
  // 1 apart through (0, 0.5) across the square 20..30.
  const std::string drawing =
      "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n" +
      hatch("A1", 1, true, squareLoop(0, 0, 10) + squareLoop(3, 3, 4), 2, "") +
      hatch("A2", 5, false, squareLoop(20, 0, 10), 1,
            " 52\n0\n 41\n1\n 77\n0\n 78\n1\n 53\n0\n 43\n0\n 44\n0.5\n 45\n0\n 46\n1\n 79\n0\n") +
      "  0\nENDSEC\n  0\nEOF\n";
  const auto path = std::filesystem::temp_directory_path() / "dds_hatch_picture.dxf";
  std::ofstream(path) << drawing;
  auto db = readDxfDrawing(path.string());
  std::filesystem::remove(path);
  RenderReport report;
  const DisplayList picture = renderModelSpace(db.get(), {}, &report);
  EXPECT_TRUE(report.notDrawn.empty());

  const auto paths = all<PathPrim>(picture);
  ASSERT_EQ(paths.size(), 2u);
  const PathPrim& solid = paths[0];
  ASSERT_TRUE(solid.fill);
  EXPECT_EQ(solid.fill->color, (Rgb{255, 0, 0}));
  EXPECT_EQ(solid.fill->rule, FillRule::kEvenOdd);
  EXPECT_EQ(std::count_if(solid.segments.begin(), solid.segments.end(),
                          [](const PathSegment& s) { return s.kind == PathSegment::Kind::kMove; }),
            2);

  const PathPrim& lines = paths[1];
  EXPECT_FALSE(lines.fill);
  ASSERT_TRUE(lines.stroke);
  EXPECT_EQ(lines.stroke->color, (Rgb{0, 0, 255}));
  ASSERT_EQ(lines.segments.size(), 20u);  // y = 0.5 .. 9.5, each from x = 20 to 30
  for (const PathSegment& s : lines.segments) {
    EXPECT_NEAR(s.to.x, s.kind == PathSegment::Kind::kMove ? 20 : 30, 1e-9);
    EXPECT_GT(s.to.y, 0);
    EXPECT_LT(s.to.y, 10);
  }
}
