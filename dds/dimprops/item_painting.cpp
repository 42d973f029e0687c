#include "dimprops/item_painting.h"

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

Picture picture(const PZItemPicture& described) {
  if (described.kind == PZItemPicture::Kind::kNone) return nullptr;
  return [described](ui::DeviceContext& dc, const ui::Rect& r, ui::Color ink) {
    return ui::DrawItemPicture(dc, r, described, ink);
  };
}

}  // namespace dds::paint
