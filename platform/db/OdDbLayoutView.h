#pragma once
// Layouts and their viewports as drawing them needs them. The records are
// kept as their file wrote them (no command changes a layout or a viewport
// yet); the reader hands the database what a picture of a layout takes:
// the sheet of paper, and per viewport the part of model space it shows.
#include <memory>
#include <vector>

#include "OdDbObjectId.h"
#include "OdGePoint3d.h"
#include "OdString.h"

class OdDbDatabase;

// A layout: a block of paper-space entities drawn on a sheet.
struct OdDbLayoutSheet {
  OdString name;
  int tabOrder = 0;
  OdDbObjectId block;  // the layout's block ("*Paper_Space", "*Paper_Space0"...)
  // The printable sheet in paper-space units: lower left and upper right
  // corners. Empty (width 0) when the record gives no paper size.
  double paperMinX = 0, paperMinY = 0, paperMaxX = 0, paperMaxY = 0;
  bool hasPaper() const { return paperMaxX > paperMinX && paperMaxY > paperMinY; }
};

// A viewport: a window in a layout onto model space.
struct OdDbViewportView {
  OdGePoint3d centre;         // in paper space
  double width = 0, height = 0;  // in paper space
  int number = 0;             // 1 is the layout's own view, never drawn as a window
  bool on = true;
  OdGePoint3d viewCentre;     // the model-space point shown at the centre
  double viewHeight = 0;      // model-space height shown
  double twist = 0;           // radians: how much model space is turned on paper
  std::vector<OdDbObjectId> frozenLayers;  // layers frozen in this viewport only
  // The viewport's own layer and colour index (256 by layer), for its frame.
  OdDbObjectId layer;
  int colorIndex = 256;
  // A viewport clipped to another shape (status flag 0x10000 with its
  // boundary in 340): the paper-space entity whose outline cuts the view
  // and stands for its frame. Null: the viewport's rectangle.
  OdDbObjectId clipBoundary;
  // The status asks for a boundary entity (even one that is not found).
  bool clippedByEntity = false;
  // Paper units per model unit.
  double scale() const { return viewHeight > 0 ? height / viewHeight : 0.0; }
};

using OdDbLayoutSheetPtr = std::shared_ptr<const OdDbLayoutSheet>;
using OdDbViewportViewPtr = std::shared_ptr<const OdDbViewportView>;

// Every layout of the drawing other than model, in tab order. A drawing
// whose file keeps no layout records (R12) but has paper-space entities
// gives one layout, "Layout1", for its paper space.
std::vector<OdDbLayoutSheet> odDbLayouts(OdDbDatabase* db);

// The layout of that name (letter case aside); null when there is none.
std::unique_ptr<OdDbLayoutSheet> odDbLayoutNamed(OdDbDatabase* db, const OdString& name);
