// A layout's picture: each viewport shows model space at its scale, cut to
// its frame, without the layers it freezes; the layout's own view is no
// window.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "DxfDrawingIO.h"
#include "OdDbDatabase.h"
#include "OdDbLayoutView.h"
#include "layout_picture.h"
#include "render_test_util.h"

using namespace render;
using rt::all;

namespace {

// Model space: a line on layer A along y = 0 and one on layer B along
// y = 10. Paper space: the layout's own view (1) and a viewport 40 x 20 at
// (50, 50) showing model space around (50, 0) at half size, with B frozen.
const char* kDrawing = R"(  0
SECTION
  2
HEADER
  9
$ACADVER
  1
AC1015
  0
ENDSEC
  0
SECTION
  2
TABLES
  0
TABLE
  2
LAYER
  0
LAYER
  5
10
  2
A
 70
0
 62
1
  6
CONTINUOUS
  0
LAYER
  5
11
  2
B
 70
0
 62
3
  6
CONTINUOUS
  0
ENDTAB
  0
ENDSEC
  0
SECTION
  2
ENTITIES
  0
LINE
  8
A
 10
0
 20
0
 11
100
 21
0
  0
LINE
  8
B
 10
0
 20
10
 11
100
 21
10
  0
VIEWPORT
 67
1
  8
0
 10
100
 20
100
 40
300
 41
200
 68
1
 69
1
 12
100
 22
100
 45
200
  0
VIEWPORT
 67
1
  8
0
 10
50
 20
50
 40
40
 41
20
 68
2
 69
2
 12
50
 22
0
 45
40
331
11
  0
ENDSEC
  0
EOF
)";

}  // namespace

TEST(LayoutPicture, ViewportsShowModelSpaceScaledClippedAndWithoutTheirFrozenLayers) {
  const auto path = std::filesystem::temp_directory_path() / "dds_layout_picture.dxf";
  std::ofstream(path) << kDrawing;
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
