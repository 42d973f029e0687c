#pragma once
// Pictures as pixels: our own small rasteriser for the display list
// (anti-aliased by supersampling, text from the glyph outlines of the fonts
// the text was measured with) and a PNG writer. It needs no window system,
// so tests and the command line can make images anywhere.
#include <cstdint>
#include <string>
#include <vector>

#include "display_list.h"

namespace render {

struct RasterOptions {
  int widthPx = 800;
  int heightPx = 0;  // 0: as the picture's proportions ask
  double marginPx = 10;
  Rgb background{255, 255, 255};
  double pxPerMm = 96 / 25.4;  // lineweights; never thinner than one pixel
  int supersample = 3;         // samples per pixel along each axis (1..8)
};

struct Image {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel
  Rgb at(int x, int y) const {
    const std::size_t i = (std::size_t(y) * width + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
  }
};

Image rasterize(const DisplayList& list, const RasterOptions& options = {});
// Writes an 8-bit RGB PNG; false with a message in *error on failure.
bool writePngFile(const Image& image, const std::string& path, std::string* error = nullptr);
// Reads any PNG as 8-bit RGB (transparency composed on white); false with
// a message in *error when the file cannot be read.
bool readPngFile(const std::string& path, Image& image, std::string* error = nullptr);

}  // namespace render
