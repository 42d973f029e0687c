#pragma once
// How a multi-line text's record asks for its lines to be laid out: its
// width, line spacing and columns.
#include "OdDbEntities.h"
#include "text_layout.h"

namespace render {

TextLayoutOptions mtextLayoutOptions(const OdDbMText& text);

}  // namespace render
