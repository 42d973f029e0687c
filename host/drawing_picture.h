#pragma once
// The picture of a drawing's model space or of one of its layouts, for
// EXPORT and SNAPSHOT.
#ifdef QRVHOST_HAVE_RENDER
#include <string>

#include "OdString.h"
#include "renderer.h"

class OdDbDatabase;

namespace qrvhost {

// True when `name` stands for model space: empty, "Model" or the session
// language's word for it.
bool isModelName(const OdString& name);

// Draws model space or the layout `layout`. False with `why` (naming the
// layouts there are) when the drawing has no such layout.
bool drawingPicture(OdDbDatabase* db, const OdString& layout, render::DisplayList& picture,
                    render::RenderReport& report, std::string& why);

}  // namespace qrvhost
#endif
