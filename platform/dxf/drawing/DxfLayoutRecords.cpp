#include "DxfLayoutRecords.h"

#include <numbers>
#include <utility>

#include "DxfTagNumbers.h"

namespace {

using dxftag::integer;
using dxftag::number;

OdDbObjectId handleIn(const DxfTag& t, const DxfHandleLookup& byHandle) {
  std::uint64_t h = 0;
  return dxfParseHandle(t.trimmed(), h) && h != 0 ? byHandle(h) : OdDbObjectId();
}

}  // namespace

// The paper comes from the plot settings: its size in millimetres (44, 45)
// less nothing, turned by the plot rotation (73: 1 and 3 are quarter turns),
// in inches when the layout plots in inches (72 = 0). Paper space's origin
// is the lower left corner of the printable area, so the sheet starts at
// minus the left and bottom margins (40, 41). Without a paper size the
// layout's limits (10, 11) stand for the sheet.
OdDbLayoutSheetPtr dxfReadLayoutSheet(const DxfDocument& doc, std::span<const DxfTag> tags,
                                      const DxfHandleLookup& byHandle) {
  auto sheet = std::make_shared<OdDbLayoutSheet>();
  std::string_view subclass;
  double width = 0, height = 0, left = 0, bottom = 0;
  double limMinX = 0, limMinY = 0, limMaxX = 0, limMaxY = 0;
  int units = 1, rotation = 0;
  for (const DxfTag& t : tags) {
    if (t.code >= 1000) break;
    if (t.code == 100) {
      subclass = t.trimmed();
      continue;
    }
    if (subclass == "AcDbPlotSettings") {
      switch (t.code) {
        case 44: width = number(t); break;
        case 45: height = number(t); break;
        case 40: left = number(t); break;
        case 41: bottom = number(t); break;
        case 72: units = integer(t); break;
        case 73: rotation = integer(t); break;
        default: break;
      }
    } else if (subclass == "AcDbLayout") {
      switch (t.code) {
        case 1: sheet->name = OdString(doc.text(t)); break;
        case 71: sheet->tabOrder = integer(t); break;
        case 10: limMinX = number(t); break;
        case 20: limMinY = number(t); break;
        case 11: limMaxX = number(t); break;
        case 21: limMaxY = number(t); break;
        case 330: sheet->block = handleIn(t, byHandle); break;
        default: break;
      }
    }
  }
  if (rotation == 1 || rotation == 3) {
    std::swap(width, height);
    std::swap(left, bottom);
  }
  const double perMm = units == 0 ? 1.0 / 25.4 : 1.0;
  if (width > 0 && height > 0) {
    sheet->paperMinX = -left * perMm;
    sheet->paperMinY = -bottom * perMm;
    sheet->paperMaxX = sheet->paperMinX + width * perMm;
    sheet->paperMaxY = sheet->paperMinY + height * perMm;
  } else if (limMaxX > limMinX && limMaxY > limMinY) {
    sheet->paperMinX = limMinX, sheet->paperMinY = limMinY;
    sheet->paperMaxX = limMaxX, sheet->paperMaxY = limMaxY;
  }
  return sheet;
}

// A viewport whose status flags (90) hold 0x10000 is cut by the entity its
// 340 names rather than by its rectangle.
// The view centre (12, 22) is where model space's point stands at the
// viewport's centre; other programs write it in world coordinates for
// views from above, which are the views drawn here.
OdDbViewportViewPtr dxfReadViewportView(std::span<const DxfTag> tags, const DxfHandleLookup& byHandle,
                                        const DxfLayerLookup& layerNamed, const DxfDocument& doc) {
  auto view = std::make_shared<OdDbViewportView>();
  std::string_view subclass;
  std::int64_t status = 0;
  OdDbObjectId boundary;
  for (const DxfTag& t : tags) {
    if (t.code >= 1000) break;
    if (t.code == 100) {
      subclass = t.trimmed();
      continue;
    }
    // Records without subclass markers (R12's form) hold every code
    // unmarked; in the others the view's codes follow "AcDbViewport".
    if (!subclass.empty() && subclass != "AcDbViewport") {
      if (t.code == 8) view->layer = layerNamed(doc.text(t));
      if (t.code == 62) view->colorIndex = integer(t);
      continue;
    }
    switch (t.code) {
      case 8: view->layer = layerNamed(doc.text(t)); break;
      case 62: view->colorIndex = integer(t); break;
      case 10: view->centre.x = number(t); break;
      case 20: view->centre.y = number(t); break;
      case 40: view->width = number(t); break;
      case 41: view->height = number(t); break;
      case 68: view->on = integer(t) != 0; break;
      case 69: view->number = integer(t); break;
      case 12: view->viewCentre.x = number(t); break;
      case 22: view->viewCentre.y = number(t); break;
      case 45: view->viewHeight = number(t); break;
      case 51: view->twist = number(t) * std::numbers::pi / 180.0; break;
      case 331:
        if (OdDbObjectId layer = handleIn(t, byHandle); !layer.isNull()) view->frozenLayers.push_back(layer);
        break;
      case 90: dxfParseInt(t.trimmed(), status); break;
      case 340: boundary = handleIn(t, byHandle); break;
      default: break;
    }
  }
  // The boundary counts while the status says the view is clipped by it.
  view->clippedByEntity = (status & 0x10000) != 0;
  if (view->clippedByEntity) view->clipBoundary = boundary;
  return view;
}
