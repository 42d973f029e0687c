// Images read from a file show their picture when its file is found: placed
// by the record's corner and pixel vectors, cut to its clip, in every
// writer; a file not found leaves the frame and is reported.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>

#include "DxfDrawingIO.h"
#include "OdDbDatabase.h"
#include "image_file.h"
#include "pdf_writer.h"
#include "raster_image.h"
#include "render_test_util.h"
#include "renderer.h"
#include "svg_writer.h"

using namespace render;
using rt::all;

namespace {

namespace fs = std::filesystem;

const Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kBlack{0, 0, 0}, kWhite{255, 255, 255};

// An IMAGE of 2 x 2 pixels whose bottom left corner is at (x, y), one
// pixel `u` across and `v` up, using the definition `def`, clipped to the
// polygon of pixel coordinates `clip` (none: not clipped).
// `tone`: brightness, contrast and fade.
std::string image(const std::string& handle, double x, double y, Point2 u, Point2 v, const std::string& def,
                  const std::vector<Point2>& clip = {}, std::array<int, 3> tone = {50, 50, 0}) {
  auto n = [](double d) { return std::to_string(d); };
  std::string s = "  0\nIMAGE\n  5\n" + handle + "\n100\nAcDbEntity\n  8\n0\n100\nAcDbRasterImage\n 90\n0\n 10\n" +
                  n(x) + "\n 20\n" + n(y) + "\n 30\n0\n 11\n" + n(u.x) + "\n 21\n" + n(u.y) + "\n 31\n0\n 12\n" +
                  n(v.x) + "\n 22\n" + n(v.y) + "\n 32\n0\n 13\n2\n 23\n2\n340\n" + def + "\n 70\n" +
                  (clip.empty() ? "3" : "7") + "\n280\n" + (clip.empty() ? "0" : "1") + "\n281\n" + std::to_string(tone[0]) + "\n282\n" +
                  std::to_string(tone[1]) + "\n283\n" + std::to_string(tone[2]) + "\n";
  s += " 71\n" + std::string(clip.empty() ? "1" : "2") + "\n 91\n" + std::to_string(clip.size()) + "\n";
  for (const Point2& p : clip) s += " 14\n" + n(p.x) + "\n 24\n" + n(p.y) + "\n";
  return s;
}

std::string imageDef(const std::string& handle, const std::string& file) {
  return "  0\nIMAGEDEF\n  5\n" + handle + "\n100\nAcDbRasterImageDef\n 90\n0\n  1\n" + file +
         "\n 10\n2\n 20\n2\n 11\n1\n 21\n1\n280\n1\n281\n0\n";
}

// Red, green on top; blue, black below.
void writeFourPixels(const fs::path& path) {
  Image px;
  px.width = px.height = 2;
  for (Rgb c : {kRed, kGreen, kBlue, kBlack}) px.rgb.insert(px.rgb.end(), {c.r, c.g, c.b});
  fs::create_directories(path.parent_path());
  ASSERT_TRUE(writePngFile(px, path.string()));
}

// A PNG that says it is 10,000 pixels square (and holds no pixels).
void writeHugePngHeader(const fs::path& path) {
  auto crc = [](const std::string& bytes) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
      c ^= b;
      for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return c ^ 0xFFFFFFFFu;
  };
  auto be = [](std::uint32_t v) { return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; };
  const std::string ihdr = "IHDR" + be(10000) + be(10000) + std::string{8, 2, 0, 0, 0};
  std::ofstream(path, std::ios::binary) << "\x89PNG\r\n\x1A\n" << be(13) << ihdr << be(crc(ihdr)) << be(0) << "IDAT"
                                        << be(crc("IDAT")) << be(0) << "IEND" << be(crc("IEND"));
}

}  // namespace

TEST(ImagePicture, PictureFilesArePlacedCutToTheirClipAndMissingOnesReported) {
  const fs::path dir = fs::temp_directory_path() / "dds_image_picture";
  fs::remove_all(dir);
  writeFourPixels(dir / "pics" / "four.png");
  // Upright at (10, 20), 5 units a pixel; turned a quarter at (40, 20) and
  // cut to the triangle over its top left pixel; a third whose file is gone.
  const std::string dxf =
      "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n" +
      image("30", 10, 20, {5, 0}, {0, 5}, "40") +
      image("31", 40, 20, {0, 5}, {-5, 0}, "40", {{-0.5, -0.5}, {1.5, -0.5}, {-0.5, 1.5}}) +
      image("32", 50, 20, {5, 0}, {0, 5}, "41") + image("33", 70, 20, {5, 0}, {0, 5}, "40", {}, {60, 25, 50}) +
      "  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS\n" +
      imageDef("40", "pics\\four.png") + imageDef("41", "C:\\elsewhere\\gone.png") + "  0\nENDSEC\n  0\nEOF\n";
  std::ofstream(dir / "images.dxf") << dxf;
  auto db = readDxfDrawing((dir / "images.dxf").string());
  RenderReport report;
  const DisplayList picture = renderModelSpace(db.get(), {}, &report);

  const std::vector<ImagePrim> images = all<ImagePrim>(picture);
  ASSERT_EQ(images.size(), 3u);
  // Brightness 60, contrast 25, fade 50: a channel at 1 becomes
  // 0.5 + 0.5 / 2 + 0.2 = 0.95, one at 0 0.45, each then half way to the
  // white background; opacity stays.
  const std::vector<std::uint8_t>& toned = images[2].pixels->rgba;
  EXPECT_EQ(std::vector<std::uint8_t>(toned.begin(), toned.begin() + 4), (std::vector<std::uint8_t>{249, 185, 185, 255}));
  EXPECT_EQ(std::vector<std::uint8_t>(toned.end() - 4, toned.end()), (std::vector<std::uint8_t>{185, 185, 185, 255}));
  EXPECT_EQ(images[0].pixels->rgba[1], 0);  // the untoned ones keep their pixels
  // The first pixel's top left corner, and the steps right and down.
  EXPECT_NEAR(images[0].corner.x, 10, 1e-9);
  EXPECT_NEAR(images[0].corner.y, 30, 1e-9);
  EXPECT_NEAR(images[0].down.y, -5, 1e-9);
  EXPECT_NEAR(images[1].corner.x, 30, 1e-9);
  EXPECT_NEAR(images[1].across.y, 5, 1e-9);
  EXPECT_NEAR(images[1].down.x, 5, 1e-9);
  EXPECT_EQ(report.notDrawn[kImageFileNotShown], 1);
  // Three frames, the third alone showing where its picture belongs.
  std::size_t frames = 0;
  for (const PolylinePrim& p : all<PolylinePrim>(picture)) frames += p.closed ? 1 : 0;
  EXPECT_EQ(frames, 4u);

  // 10 pixels a unit: (x, y) is pixel (10 + 10 (x - 10), 10 + 10 (30 - y)).
  RasterOptions options;
  options.widthPx = 720;
  const Image raster = rasterize(picture, options);
  auto at = [&](double x, double y) { return raster.at(int(10 + 10 * (x - 10)), int(10 + 10 * (30 - y))); };
  EXPECT_EQ(at(12.5, 27.5), kRed);
  EXPECT_EQ(at(17.5, 27.5), kGreen);
  EXPECT_EQ(at(12.5, 22.5), kBlue);
  EXPECT_EQ(at(17.5, 22.5), kBlack);
  EXPECT_EQ(at(32.5, 22.5), kRed);    // turned: the first pixel at the bottom left
  EXPECT_EQ(at(31.5, 26.5), kGreen);  // and the next one above it
  EXPECT_EQ(at(37.5, 27.5), kWhite);  // cut off by the clip
  EXPECT_EQ(at(55, 25), kWhite);      // no picture: only the frame

  const std::string svg = svgDocument(picture);
  EXPECT_NE(svg.find("<image width=\"2\" height=\"2\""), std::string::npos);
  EXPECT_NE(svg.find("href=\"data:image/png;base64,iVBORw0KGgo"), std::string::npos);
  const std::string pdf = pdfDocument(picture);
  EXPECT_NE(pdf.find("/Subtype /Image /Width 2 /Height 2 /ColorSpace /DeviceRGB"), std::string::npos);
  // One picture in two places: one image object (the toned one another).
  EXPECT_NE(pdf.find("/Im1 Do"), std::string::npos);
  EXPECT_EQ(pdf.find("/Im3"), std::string::npos);

  // A picture too large to hold is refused with the reason, not read.
  writeHugePngHeader(dir / "huge.png");
  std::string why;
  EXPECT_EQ(readImageFile((dir / "huge.png").string(), false, why), nullptr);
  EXPECT_NE(why.find("10000 x 10000 pixels"), std::string::npos) << why;
  fs::remove_all(dir);
}

#ifdef QRV_HAVE_JPEG
#include <cstdio>
#include <jpeglib.h>

// A JPEG picture is read as its colours (within what the format loses),
// and one that breaks off is refused with the decoder's reason.
TEST(ImagePicture, JpegFilesAreRead) {
  const fs::path path = fs::temp_directory_path() / "dds_image_picture.jpg";
  {
    // 16 x 16: red on the left half, blue on the right.
    std::vector<std::uint8_t> rows(16 * 16 * 3);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        std::uint8_t* p = &rows[(y * 16 + x) * 3];
        p[0] = x < 8 ? 255 : 0, p[1] = 0, p[2] = x < 8 ? 0 : 255;
      }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_compress_struct jpeg{};
    jpeg_error_mgr errors{};
    jpeg.err = jpeg_std_error(&errors);
    jpeg_create_compress(&jpeg);
    jpeg_stdio_dest(&jpeg, file);
    jpeg.image_width = jpeg.image_height = 16;
    jpeg.input_components = 3;
    jpeg.in_color_space = JCS_RGB;
    jpeg_set_defaults(&jpeg);
    jpeg_set_quality(&jpeg, 95, TRUE);
    jpeg_start_compress(&jpeg, TRUE);
    while (jpeg.next_scanline < 16) {
      JSAMPROW row = &rows[jpeg.next_scanline * 16 * 3];
      jpeg_write_scanlines(&jpeg, &row, 1);
    }
    jpeg_finish_compress(&jpeg);
    jpeg_destroy_compress(&jpeg);
    std::fclose(file);
  }
  std::string why;
  const auto pixels = readImageFile(path.string(), false, why);
  ASSERT_NE(pixels, nullptr) << why;
  ASSERT_EQ(pixels->width, 16);
  const std::uint8_t* left = &pixels->rgba[(8 * 16 + 2) * 4];
  const std::uint8_t* right = &pixels->rgba[(8 * 16 + 13) * 4];
  EXPECT_GT(left[0], 200);
  EXPECT_LT(left[2], 60);
  EXPECT_GT(right[2], 200);
  EXPECT_EQ(right[3], 255);

  // Cut short after its header: the decoder's complaint, no picture.
  std::string bytes;
  {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes.substr(0, 200);
  EXPECT_EQ(readImageFile(path.string(), true, why), nullptr);
  EXPECT_FALSE(why.empty());
  fs::remove(path);
}
#endif
