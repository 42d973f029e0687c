#include "dialog_template.h"

namespace ui {
namespace {

DialogTemplate fromResource(const DialogResource& res) {
  DialogTemplate t;
  t.id = res.id;
  t.language = res.language;
  t.caption = res.caption ? res.caption : "";
  t.cx = res.cx;
  t.cy = res.cy;
  t.child = res.child;
  t.controls.assign(res.controls, res.controls + res.controlCount);
  return t;
}

}  // namespace

std::optional<DialogTemplate> loadDialogTemplate(const DialogResourceTable& table, int id,
                                                 HostLanguage language) {
  const DialogResource* english = nullptr;
  for (std::size_t i = 0; i < table.count; ++i) {
    const DialogResource& res = table.items[i];
    if (res.id != id) continue;
    if (res.language == language) return fromResource(res);
    if (res.language == HostLanguage::kEnglish) english = &res;
  }
  if (english) return fromResource(*english);
  return std::nullopt;
}

std::optional<DialogTemplate> loadDialogTemplate(const DialogResourceTable& table, int id) {
  return loadDialogTemplate(table, id, hostLanguage());
}

Rect DialogUnits::toPixels(const Rect& r) const {
  const int left = x(r.x), top = y(r.y);
  return Rect{left, top, x(r.x + r.cx) - left, y(r.y + r.cy) - top};
}

}  // namespace ui
