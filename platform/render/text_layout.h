#pragma once
// Lays out text with the formatting codes that dimension and multi-line
// text carry: "\P" (new line), "\X" (the rest goes below the dimension
// line), stacks "\Sa/b;" (fraction over a bar), "\Sa#b;" (diagonal
// fraction), "\Sa^b;" (tolerance pair without a bar), "\H<f>x;" and
// "\H<h>;" (height), "\A<n>;" (stack alignment: 0 bottom, 1 middle, 2 top),
// "{...}" groups, "\\", "\{", "\}", "\~", and the symbols "%%c" (diameter),
// "%%d" (degree), "%%p" (plus-minus), "%%%", "%%nnn" (the character of that
// code), "%%u" and "%%o" (underline and overline, read and not drawn).
// Codes this layer does not draw (colour, font, underline, ...) are read and
// ignored so that they never show as text.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "display_list.h"

namespace render {

struct LaidOutRun {
  std::string text;   // plain UTF-8
  double x = 0, y = 0;  // left end of the baseline, in the box frame
  double height = 0;    // cap height
};

// The box frame: x from 0 (left) to width, y from 0 (top) down to -height.
struct TextLayout {
  std::vector<LaidOutRun> runs;
  std::vector<std::pair<Point2, Point2>> strokes;  // fraction bars
  double width = 0, height = 0;
  int lines = 0;
};

// height: the text's cap height; widthFactor stretches every advance; font
// from FontMetrics::fontFor. With wrapWidth > 0 lines break at blanks so
// that they stay within it where a word allows (a longer word stands alone).
TextLayout layoutText(std::string_view contents, double height, double widthFactor, int font,
                      double wrapWidth = 0.0);

// The symbols "%%c", "%%d", "%%p", "%%%" and "%%nnn" as the characters
// they stand for, without the "%%u" and "%%o" switches (single-line text has
// no other codes).
std::string expandSymbols(std::string_view text);

// The part before the first "\X" and the part after it (empty when none).
std::pair<std::string, std::string> splitBelowMark(std::string_view text);

// Baseline distance of consecutive lines, per unit of text height.
constexpr double kLineSpacing = 5.0 / 3.0;

}  // namespace render
