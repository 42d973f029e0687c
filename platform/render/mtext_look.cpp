#include "mtext_look.h"

#include <algorithm>

namespace render {

TextLayoutOptions mtextLayoutOptions(const OdDbMText& text) {
  TextLayoutOptions o;
  o.wrapWidth = text.width();
  const OdDbMTextLookPtr look = text.look();
  if (!look) return o;
  o.lineSpacingFactor = look->lineSpacingFactor;
  o.exactSpacing = look->exactSpacing;
  if (look->columns == OdDbMTextLook::Columns::kNone) return o;
  o.columns = true;
  if (look->columnWidth > 0) o.wrapWidth = look->columnWidth;
  o.gutter = look->gutter;
  o.columnHeight = look->columnHeight;
  o.reversedFlow = look->reversedFlow;
  if (look->columns == OdDbMTextLook::Columns::kStatic) {
    // A fixed count, the last column taking what the others leave.
    o.maxColumns = std::max(1, look->columnCount);
  } else {
    // As many as the text needs, each as high as given.
    o.columnHeights = look->columnHeights;
  }
  return o;
}

}  // namespace render
