#include "single_line_text.h"

#include <cmath>

#include "OdDbEntities.h"

namespace render {

namespace {
enum Horizontal { kLeft = 0, kCentre = 1, kRight = 2, kAligned = 3, kMiddle = 4, kFit = 5 };
enum Vertical { kBaseline = 0, kBottom = 1, kMidline = 2, kTop = 3 };
}  // namespace

SingleLine singleLineOf(const OdDbText& text) {
  return {text.position(),     text.alignmentPoint(), text.height(),   text.rotation(),       text.widthFactor(),
          text.horizontalMode(), text.verticalMode(),   text.oblique(), text.generationFlags()};
}

TextPlacement placeText(const SingleLine& text, double widthPerHeight, double styleWidth, const FontInfo& font) {
  TextPlacement at;
  at.height = text.height;
  at.widthFactor = text.widthFactor > 0 ? text.widthFactor : styleWidth;
  at.rotation = text.rotation;
  at.origin = text.position;
  at.oblique = text.oblique;
  at.backward = (text.generationFlags & 2) != 0;
  at.upsideDown = (text.generationFlags & 4) != 0;
  const int hm = text.horizontalMode, vm = text.verticalMode;

  if (hm == kAligned || hm == kFit) {
    const OdGePoint3d a = text.position, b = text.alignmentPoint;
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    if (length > 0 && std::isfinite(length) && widthPerHeight > 0) {
      at.rotation = std::atan2(b.y - a.y, b.x - a.x);
      if (hm == kAligned)
        at.height = length / (widthPerHeight * at.widthFactor);
      else if (at.height > 0)
        at.widthFactor = length / (widthPerHeight * at.height);
    }
    return at;
  }

  if (hm == kLeft && vm == kBaseline) return at;
  at.origin = text.alignmentPoint;
  const double width = widthPerHeight * at.height * at.widthFactor;
  if (hm == kCentre || hm == kMiddle) at.dx = -width / 2;
  if (hm == kRight) at.dx = -width;
  if (hm == kMiddle || vm == kMidline) at.dy = -at.height / 2;
  if (vm == kTop) at.dy = -at.height;
  if (vm == kBottom && hm != kMiddle) at.dy = at.height * font.descentPerEm / font.capHeightPerEm;
  return at;
}

}  // namespace render
