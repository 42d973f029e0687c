#pragma once
// The module's own resources (string table, literal translations) and the
// look-ups every user-facing text of the module goes through.
#include "OdString.h"
#include "resources.h"

namespace dds {

// The block handed to the host's translation service; its address is the
// module's instance handle.
const QrModuleResources& moduleResources();

// A string-table text in the session's language.
OdString loadString(unsigned id);

// A string-table text in English, whatever the session's language: typed
// answers may use either language.
OdString loadStringEnglish(unsigned id);

// An English literal in the session's language (context as "Arrows:").
OdString translate(const OdString& english, const OdString& context = OdString());

}  // namespace dds
