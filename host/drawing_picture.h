#pragma once
// The picture of a drawing's model space or of one of its layouts, for
// EXPORT and SNAPSHOT.
#ifdef QRVHOST_HAVE_RENDER
#include "OdString.h"
#include "renderer.h"

class OdDbDatabase;

namespace qrvhost {

// Draws model space or the layout `layout` (as hostLayoutNamed takes it).
// Throws HostError when the drawing has no such layout.
render::DisplayList drawingPicture(OdDbDatabase* db, const OdString& layout, render::RenderReport& report);

}  // namespace qrvhost
#endif
