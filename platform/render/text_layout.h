#pragma once
// Lays out text with the formatting codes that dimension and multi-line
// text carry: "\P" (new paragraph), "\N" (the next column), "\X" (the rest
// goes below the dimension line), stacks "\Sa/b;" (fraction over a bar),
// "\Sa#b;" (diagonal fraction), "\Sa^b;" (tolerance pair without a bar),
// "\H<f>x;" and "\H<h>;" (height), "\W" (width factor), "\T" (tracking:
// each character's advance times the factor, its glyph as wide as before;
// "x" after it relative to the one in force), "\Q" (oblique
// angle), "\C" and "\c" (colour), "\f" and "\F" (font), "\L", "\O", "\K"
// (underline, overline, strike-through; lower case ends them), "\A<n>;"
// (stack alignment: 0 bottom, 1 middle, 2 top), "\p" paragraph settings
// (i first-line indent, l left and r right indent, t tab stops, q
// alignment), tabs ("^I" or the character), line feeds ("^J" or the
// character), "{...}" groups, "\\", "\{", "\}", "\~", "\U+XXXX" (the
// character of that code), and the symbols "%%c" (diameter), "%%d"
// (degree), "%%p" (plus-minus), "%%%", "%%nnn" (the character of that code),
// "%%u" and "%%o" (underline and overline, read and not drawn).
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "display_list.h"

namespace render {

// A colour the text gives itself: an index ("\C"), a true colour 0xRRGGBB
// ("\c"), or neither (the entity's colour).
struct TextColor {
  int index = -1;
  int rgb = -1;
  bool own() const { return index >= 0 || rgb >= 0; }
  bool operator==(const TextColor&) const = default;
};

struct LaidOutRun {
  std::string text;   // plain UTF-8
  double x = 0, y = 0;  // left end of the baseline, in the box frame
  double height = 0;    // cap height
  double widthFactor = 1;
  double oblique = 0;  // radians
  int font = -1;
  TextColor color;
};

// Fraction bars, underlines, overlines and strike-throughs.
struct LaidOutStroke {
  Point2 from, to;
  TextColor color;
};

// A column of the text: where it starts and its box (for backgrounds).
struct LaidOutColumn {
  double x = 0, width = 0, height = 0;
};

// The box frame: x from 0 (left) to width, y from 0 (top) down to -height.
struct TextLayout {
  std::vector<LaidOutRun> runs;
  std::vector<LaidOutStroke> strokes;
  std::vector<LaidOutColumn> columns;  // one for text without columns
  double width = 0, height = 0;
  int lines = 0;
};

struct TextLayoutOptions {
  // Lines break at blanks to stay within it where a word allows (a longer
  // word stands alone); with columns, each column's width. 0: no breaks.
  double wrapWidth = 0;
  // Baselines factor x 5/3 of the height apart, or more where a line holds
  // taller parts, unless exact.
  double lineSpacingFactor = 1;
  bool exactSpacing = false;
  // Columns side by side, `gutter` apart: the text goes on in the next one
  // where a line would end below the column's height (columnHeights[i] when
  // given, past them none, else columnHeight; 0: none) and after "\N"; at most
  // maxColumns (0: as many as the text needs), the last taking the rest.
  bool columns = false;
  int maxColumns = 0;
  double columnHeight = 0, gutter = 0;
  std::vector<double> columnHeights;
  bool reversedFlow = false;  // the first column on the right
};

// height: the text's cap height; widthFactor stretches every advance; font
// from FontMetrics::fontFor.
TextLayout layoutText(std::string_view contents, double height, double widthFactor, int font,
                      const TextLayoutOptions& options);
inline TextLayout layoutText(std::string_view contents, double height, double widthFactor, int font,
                             double wrapWidth = 0.0) {
  TextLayoutOptions o;
  o.wrapWidth = wrapWidth;
  return layoutText(contents, height, widthFactor, font, o);
}

// The symbols "%%c", "%%d", "%%p", "%%%" and "%%nnn" as the characters
// they stand for, without the "%%u" and "%%o" switches (single-line text has
// no other codes).
std::string expandSymbols(std::string_view text);

// The part before the first "\X" and the part after it (empty when none).
std::pair<std::string, std::string> splitBelowMark(std::string_view text);

// Baseline distance of consecutive lines, per unit of text height.
constexpr double kLineSpacing = 5.0 / 3.0;

}  // namespace render
