#pragma once
// How the owner-drawn lists of the palette and the style editor draw an
// item: the background by state, the kind's picture, then the item's text.
#include <functional>

#include "OdString.h"
#include "device_context.h"
#include "opm/opm_interfaces.h"

namespace dds::paint {

// Draws the picture at the left of the item and gives where the text starts.
using Picture = std::function<int(ui::DeviceContext& dc, const ui::Rect& rect, ui::Color ink)>;

void listItem(ui::DeviceContext& dc, const ui::Rect& rect, unsigned state, const OdString& text,
              const Picture& picture);

// The picture a list kind describes for an item (none: no picture).
Picture picture(const PZItemPicture& described);

}  // namespace dds::paint
