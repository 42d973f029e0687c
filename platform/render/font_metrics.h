#pragma once
// Text widths from real font outlines. A text style names a font file
// ("txt", "romans.shx", "arial.ttf") or a typeface; it is mapped to an
// installed font through fontconfig, DejaVu Sans standing in for what is
// not installed (see docs/geometry.md). Faces and glyph advances are cached;
// the cache is safe to use from several threads.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "display_list.h"

namespace render {

struct FontInfo {
  std::string family;       // the family pictures name
  std::string path;         // the font file read; empty when none could be
  bool substituted = false; // the style's own font is not installed
  double capHeightPerEm = 0.729;  // height of capitals in ems
  double descentPerEm = 0.236;    // depth of descenders below the baseline in ems
};

class FontMetrics {
public:
  static FontMetrics& shared();
  ~FontMetrics();

  // The font for a text style: its font file name and typeface (either may
  // be empty). The same arguments always give the same number.
  int fontFor(std::string_view fileName, std::string_view typeface);
  FontInfo info(int font) const;
  // The advance of the text when its capitals are one unit high (width
  // factor 1). Malformed UTF-8 bytes count as the Latin-1 characters they
  // are, as everywhere in the drawing.
  double textWidth(int font, std::string_view utf8);
  // The glyph outlines of the text as closed contours in ems, the baseline
  // on y = 0 from x = 0, curves flattened; advanceEm gets the text's width
  // in ems. Empty when no font could be loaded.
  std::vector<std::vector<Point2>> outlines(int font, std::string_view utf8, double& advanceEm);
  // How a font file name is looked up: "" for the default sans face, else
  // the family (or file) fontconfig is asked for. Exposed for the docs'
  // table and the tests.
  static std::string requestedFamily(std::string_view fileName, std::string_view typeface);

private:
  FontMetrics();
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace render
