#include "drawing_picture.h"

#ifdef QRVHOST_HAVE_RENDER
#include "OdDbLayoutView.h"
#include "OdStringUtil.h"
#include "host_texts_local.h"
#include "layout_picture.h"
#include "text_format.h"

namespace qrvhost {

bool isModelName(const OdString& name) {
  const std::string folded = qrv::foldCase(name);
  return folded.empty() || folded == "model" || folded == qrv::foldCase(localText(LocalText::kModelName));
}

bool drawingPicture(OdDbDatabase* db, const OdString& layout, render::DisplayList& picture,
                    render::RenderReport& report, std::string& why) {
  if (isModelName(layout)) {
    picture = render::renderModelSpace(db, {}, &report);
    return true;
  }
  if (const auto sheet = odDbLayoutNamed(db, layout)) {
    picture = render::renderLayout(db, *sheet, {}, &report);
    return true;
  }
  std::string names = std::string(localText(LocalText::kModelName));
  for (const OdDbLayoutSheet& sheet : odDbLayouts(db)) names += ", " + std::string(sheet.name);
  why = std::string(hostFormat(localText(LocalText::kNoSuchLayout).c_str(), std::string(layout).c_str(), names.c_str()));
  return false;
}

}  // namespace qrvhost
#endif
