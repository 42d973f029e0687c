// A layout's picture: each viewport shows model space at its scale, cut to
// its frame, without the layers it freezes; the layout's own view is no
// window.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "DxfDrawingIO.h"
#include "OdDbDatabase.h"
#include "OdDbLayoutView.h"
#include "../shared/layout_drawing.h"
#include "layout_picture.h"
#include "render_test_util.h"

using namespace render;
using rt::all;

TEST(LayoutPicture, ViewportsShowModelSpaceScaledClippedAndWithoutTheirFrozenLayers) {
  const auto path = std::filesystem::temp_directory_path() / "dds_layout_picture.dxf";
  std::ofstream(path) << layoutDrawing();
  auto db = readDxfDrawing(path.string());
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
  std::filesystem::remove(path);
}
