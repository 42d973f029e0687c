#pragma once
// The pictures at the left of owner-drawn list items: an arrowhead, a
// linetype sample, a lineweight, a colour swatch. Each is drawn into the left
// part of the item's rectangle; the item's text follows at the returned x.
#include <string>
#include <vector>

#include "device_context.h"
#include "opm/opm_interfaces.h"

namespace ui {

// A built-in arrowhead by block name ("" closed filled, "_Open30", ...,
// "_None"), pointing left; any other name is a user block and shows a small
// block marker.
int DrawArrow(DeviceContext& dc, const Rect& item, const std::string& blockName, Color ink);
// A line with the dash pattern (lengths: positive dashes, negative gaps,
// 0 dots; empty: continuous), scaled to fit the sample.
int DrawLineType(DeviceContext& dc, const Rect& item, const std::vector<double>& pattern, Color ink);
// A horizontal bar as thick as the lineweight (hundredths of millimetres;
// negative: the default width).
int DrawLineWeight(DeviceContext& dc, const Rect& item, int hundredthsMm, Color ink);
// A framed square of the colour.
int DrawColorSwatch(DeviceContext& dc, const Rect& item, Color color);
// The picture a palette list item describes (colours by layer and by block
// in the ink); with none, the text starts at the item's left edge.
int DrawItemPicture(DeviceContext& dc, const Rect& item, const PZItemPicture& picture, Color ink);

}  // namespace ui
