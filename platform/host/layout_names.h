#pragma once
// Layouts by the names users type: model space as "Model" (or the session
// language's word for it), layouts by their names in any letter case.
#include <vector>

#include "OdString.h"

class OdDbDatabase;

// The layout `name` stands for: empty for model space, else the layout's
// own spelling. Throws HostError naming the layouts there are when the
// drawing has none of that name.
OdString hostLayoutNamed(OdDbDatabase* db, const OdString& name);

// What a current layout (empty: model space) is called on screen.
OdString hostLayoutCaption(const OdString& layout);

// Model space's caption, then every layout in tab order.
std::vector<OdString> hostLayoutCaptions(OdDbDatabase* db);
