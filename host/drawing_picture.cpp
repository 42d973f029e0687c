#include "drawing_picture.h"

#ifdef QRVHOST_HAVE_RENDER
#include "OdDbLayoutView.h"
#include "layout_names.h"
#include "layout_picture.h"

namespace qrvhost {

render::DisplayList drawingPicture(OdDbDatabase* db, const OdString& layout, render::RenderReport& report) {
  const OdString name = hostLayoutNamed(db, layout);
  if (name.empty()) return render::renderModelSpace(db, {}, &report);
  return render::renderLayout(db, *odDbLayoutNamed(db, name), {}, &report);
}

}  // namespace qrvhost
#endif
