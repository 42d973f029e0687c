#pragma once
// Pictures as SVG documents: the display list scaled to fit a pixel box,
// y pointing up as in the drawing. Text keeps its measured width
// (textLength), so that what the viewer's fonts draw lines up with the
// geometry computed from our metrics.
#include <string>

#include "display_list.h"

namespace render {

struct SvgOptions {
  int widthPx = 800;
  int heightPx = 0;  // 0: as the picture's proportions ask
  double marginPx = 10;
  Rgb background{255, 255, 255};
  bool paintBackground = true;
  // Lineweights are drawn at this many pixels per millimetre, and never
  // thinner than one pixel.
  double pxPerMm = 96 / 25.4;
};

std::string svgDocument(const DisplayList& list, const SvgOptions& options = {});
// Writes the document; false with a message in *error when the file cannot
// be written.
bool writeSvgFile(const DisplayList& list, const std::string& path, const SvgOptions& options = {},
                  std::string* error = nullptr);

}  // namespace render
