#include "dimprops/item_painting.h"

#include "OdDbDatabase.h"
#include "OdDbLinetypeTableRecord.h"
#include "OdDbSymbolTable.h"
#include "swatch_painter.h"

namespace dds::paint {

void listItem(ui::DeviceContext& dc, const ui::Rect& rect, unsigned state, const OdString& text,
              const Picture& picture) {
  const bool selected = (state & ui::kItemSelected) != 0;
  const ui::Color ink = selected ? dc.highlightTextColor() : dc.windowTextColor();
  dc.fillRect(rect, selected ? dc.highlightColor() : dc.windowColor());
  const int x = picture ? picture(dc, rect, ink) : rect.x + 2;
  dc.setTextColor(ink);
  const ui::Point extent = dc.textExtent(text);
  dc.text({x, rect.y + (rect.cy - extent.y) / 2}, text);
}

Picture arrow(const OdString& blockName) {
  return [blockName](ui::DeviceContext& dc, const ui::Rect& r, ui::Color ink) {
    return ui::DrawArrow(dc, r, blockName, ink);
  };
}

// By layer and by block show as the ink; index and true colours as themselves.
Picture color(const OdCmColor& c) {
  return [c](ui::DeviceContext& dc, const ui::Rect& r, ui::Color ink) {
    const ui::Color shown = (c.isByACI() || c.isByColor()) ? ui::Color{c.red(), c.green(), c.blue()} : ink;
    return ui::DrawColorSwatch(dc, r, shown);
  };
}

Picture linetype(OdDbDatabase* db, const OdString& name) {
  std::vector<double> dashes;
  if (db) {
    OdDbObjectPtr table = db->getLinetypeTableId().openObject();
    if (const auto* linetypes = dynamic_cast<const OdDbSymbolTable*>(table.get())) {
      OdDbObjectPtr rec = linetypes->getAt(name).openObject();
      if (const auto* lt = dynamic_cast<const OdDbLinetypeTableRecord*>(rec.get())) dashes = lt->dashes();
    }
  }
  return [dashes](ui::DeviceContext& dc, const ui::Rect& r, ui::Color ink) {
    return ui::DrawLineType(dc, r, dashes, ink);
  };
}

Picture lineweight(int hundredthsMm) {
  return [hundredthsMm](ui::DeviceContext& dc, const ui::Rect& r, ui::Color ink) {
    return ui::DrawLineWeight(dc, r, hundredthsMm, ink);
  };
}

}  // namespace dds::paint
