#pragma once
// Where a single-line text stands: its justification turned into the
// baseline origin, offset, height, width factor and direction of one run.
#include "OdGePoint3d.h"
#include "font_metrics.h"

class OdDbText;

namespace render {

// What placing a single line of text takes (a text's or an attribute's).
struct SingleLine {
  OdGePoint3d position, alignmentPoint;
  double height = 0, rotation = 0, widthFactor = 0;
  int horizontalMode = 0, verticalMode = 0;
  double oblique = 0;       // radians
  int generationFlags = 0;  // 2 backward, 4 upside down
};
SingleLine singleLineOf(const OdDbText& text);

struct TextPlacement {
  OdGePoint3d origin;        // the point the offset is measured from
  double dx = 0, dy = 0;     // left end of the baseline, in the text's frame at `origin`
  double height = 0;         // cap height
  double widthFactor = 1.0;
  double rotation = 0.0;     // radians
  double oblique = 0.0;      // radians the characters lean
  bool backward = false;     // mirrored left to right
  bool upsideDown = false;   // mirrored about the baseline
};

// `widthPerHeight`: the text's advance when its capitals are one unit high
// (width factor 1); `styleWidth`: the style's width factor, for a text
// without its own.
//
// Left, centre and right stand on the baseline, bottom (the descenders'
// line), middle or top at the alignment point; "middle" (horizontal mode 4)
// centres the capitals on it. Aligned and fit run along the line from the
// insertion point to the alignment point: aligned scales the height with
// the width, fit only the width. Where that line has no length they fall
// back to a left-justified text at the insertion point.
TextPlacement placeText(const SingleLine& text, double widthPerHeight, double styleWidth, const FontInfo& font);
inline TextPlacement placeText(const OdDbText& text, double widthPerHeight, double styleWidth, const FontInfo& font) {
  return placeText(singleLineOf(text), widthPerHeight, styleWidth, font);
}

}  // namespace render
