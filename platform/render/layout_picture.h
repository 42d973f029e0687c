#pragma once
// The picture of a layout: its sheet, what each of its viewports shows of
// model space (at the viewport's scale, cut to its frame, without the layers
// it freezes), the viewports' frames, and the layout's own entities on top.
#include "OdDbLayoutView.h"
#include "renderer.h"

namespace render {

// The sheet is outlined in grey so that the picture spans the paper. A
// viewport that is off shows its frame only; one on a frozen layer shows
// nothing; one on a layer that is off shows model space without a frame.
DisplayList renderLayout(OdDbDatabase* db, const OdDbLayoutSheet& sheet, const RenderOptions& options = {},
                         RenderReport* report = nullptr);

}  // namespace render
