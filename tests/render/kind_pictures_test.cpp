// Every common entity kind drawn where an independent renderer draws it:
// ezdxf writes a drawing of one kind per cell and draws it with its own
// drawing add-on; we read the same file and draw it, and the two pictures
// are compared cell by cell (skipped when /usr/bin/python3 lacks ezdxf or
// matplotlib). A kind that stops being drawn, is drawn in the wrong place
// or loses its fill fails here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "../shared/run_command.h"
#include "DxfDrawingIO.h"
#include "OdDbDatabase.h"
#include "raster_image.h"
#include "renderer.h"

namespace {

constexpr int kPixelsPerUnit = 10;

bool haveDrawingAddOn() {
  return std::system("/usr/bin/python3 -c 'import ezdxf, matplotlib' >/dev/null 2>&1") == 0;
}

struct Cell {
  double x = 0, y = 0;  // upper left corner
  std::string name;
};

// How much of a part of the picture is ink (anything clearly not white).
struct Ink {
  double whole = 0;
  bool ninth[9] = {};  // a 3 x 3 grid over the cell, row by row
};

Ink inkIn(const render::Image& im, int x0, int y0, int size) {
  // A few pixels in from the edges: the frame and the neighbours' strokes.
  const int inset = 3;
  Ink ink;
  int total = 0, marked = 0, partMarked[9] = {}, partTotal[9] = {};
  for (int y = y0 + inset; y < y0 + size - inset; ++y)
    for (int x = x0 + inset; x < x0 + size - inset; ++x) {
      const render::Rgb c = im.at(x, y);
      const bool dark = c.r < 195 || c.g < 195 || c.b < 195;
      const int q = std::min(2, 3 * (x - x0) / size) + 3 * std::min(2, 3 * (y - y0) / size);
      ++total, ++partTotal[q];
      if (dark) ++marked, ++partMarked[q];
    }
  ink.whole = double(marked) / total;
  for (int q = 0; q < 9; ++q) ink.ninth[q] = double(partMarked[q]) / partTotal[q] > 0.002;
  return ink;
}

}  // namespace

TEST(KindPictures, EveryKindIsDrawnWhereEzdxfDrawsIt) {
  if (!haveDrawingAddOn()) GTEST_SKIP() << "ezdxf with matplotlib is not installed";
  const std::string dir = std::string(DDS_BINARY_DIR) + "/kind_pictures";
  std::system(("mkdir -p " + dir).c_str());
  const std::string dxf = dir + "/kinds.dxf", theirsPng = dir + "/ezdxf.png", oursPng = dir + "/ours.png";
  const std::string command = "/usr/bin/python3 " + std::string(DDS_SOURCE_DIR) + "/tests/render/ezdxf_kinds.py " +
                              dxf + " " + theirsPng + " " + std::to_string(kPixelsPerUnit) + " 2>/dev/null";
  const CommandResult run = runCommandOutput(command);
  const std::string& out = run.out;
  ASSERT_EQ(run.status, 0) << out;

  render::Bounds frame;
  double size = 0;
  std::vector<Cell> cells;
  std::istringstream lines(out);
  for (std::string word; lines >> word;) {
    if (word == "frame") {
      Cell lo, hi;
      lines >> lo.x >> lo.y >> hi.x >> hi.y;
      frame.add(render::Point2{lo.x, lo.y});
      frame.add(render::Point2{hi.x, hi.y});
    } else if (word == "size") {
      lines >> size;
    } else if (word == "cell") {
      Cell c;
      lines >> c.x >> c.y;
      std::getline(lines >> std::ws, c.name);
      cells.push_back(c);
    }
  }
  ASSERT_GE(cells.size(), 24u) << out;
  ASSERT_FALSE(frame.empty());

  std::unique_ptr<OdDbDatabase> db = readDxfDrawing(dxf);
  render::RenderOptions options;
  options.unboundedBox = frame;  // the construction line and the ray end at the frame, as ezdxf's are cut there
  render::RenderReport report;
  const render::DisplayList list = render::renderModelSpace(db.get(), options, &report);
  EXPECT_TRUE(report.notDrawn.empty());
  render::RasterOptions raster;
  raster.widthPx = int(std::lround(frame.width() * kPixelsPerUnit));
  raster.heightPx = int(std::lround(frame.height() * kPixelsPerUnit));
  raster.marginPx = 0;
  const render::Image ours = render::rasterize(list, raster);
  ASSERT_TRUE(render::writePngFile(ours, oursPng));
  render::Image theirs;
  ASSERT_TRUE(render::readPngFile(theirsPng, theirs));
  ASSERT_EQ(theirs.width, ours.width);
  ASSERT_EQ(theirs.height, ours.height);

  const double pxPerUnit = kPixelsPerUnit;
  for (const Cell& c : cells) {
    SCOPED_TRACE(c.name + " (pictures in " + dir + ")");
    const int x0 = int(std::lround((c.x - frame.minX) * pxPerUnit)), y0 = int(std::lround((frame.maxY - c.y) * pxPerUnit));
    const int side = int(std::lround(size * pxPerUnit));
    const Ink a = inkIn(ours, x0, y0, side), b = inkIn(theirs, x0, y0, side);
    std::string parts;
    for (int q = 0; q < 9; ++q) parts += std::string(a.ninth[q] ? "1" : "0") + (b.ninth[q] ? "1 " : "0 ");
    std::printf("%-26s ours %5.1f%%  ezdxf %5.1f%%  ninths %s\n", c.name.c_str(), 100 * a.whole, 100 * b.whole,
                parts.c_str());
    EXPECT_GT(a.whole, 0.002);
    EXPECT_GT(b.whole, 0.002);
    // As much ink in both, give or take line widths and fonts: a fill, a
    // wide polyline's widths or a text's size that goes missing fails.
    if (std::max(a.whole, b.whole) > 0.01) {
      EXPECT_LT(std::max(a.whole, b.whole) / std::min(a.whole, b.whole), 3.0);
    }
    // ezdxf 0.18 sizes point figures its own way (twice PDSIZE across): a
    // point is compared by its ink only.
    if (c.name == "point") continue;
    for (int q = 0; q < 9; ++q) EXPECT_EQ(a.ninth[q], b.ninth[q]) << "ninth " << q;
  }
}
