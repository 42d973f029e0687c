#pragma once
// DIMPREVIEW: writes the preview picture of a style for a kind as an SVG
// or PNG file, the picture the style manager and the editor show.
#include <string>

#include "OdDbDatabase.h"
#include "host_result.h"

namespace dds {

// Asks for the style (Enter: the current style), the kind (Enter: the kind
// of the style's child type, 0 for a parent style) and the file name.
void runPreviewCommand();

// Writes the preview of the style of `db` for the kind into `path` (the
// extension chooses SVG or PNG). False with the reason in *error.
bool writeStylePreview(OdDbDatabase* db, const OdString& styleName, int kind, const std::string& path,
                       std::string* error);

// Registers DIMPREVIEW with the host (to be called from the module's
// entry). S_OK, or E_FAIL when the host has no command registry or
// refused the name.
HRESULT registerPreviewCommand();

}  // namespace dds
