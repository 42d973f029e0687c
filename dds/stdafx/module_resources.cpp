#include "module_resources.h"

#include <algorithm>

#include "res/resource_tables.h"
#include "translation.h"

namespace dds {

const QrModuleResources& moduleResources() {
  static const QrModuleResources resources{"dds", res::kStringTable, res::kStringTableSize, res::kLiteralTable,
                                           res::kLiteralTableSize};
  return resources;
}

OdString loadString(unsigned id) { return Supp_LoadString(&moduleResources(), id); }

OdString loadStringEnglish(unsigned id) {
  const auto* first = res::kStringTable;
  const auto* last = res::kStringTable + res::kStringTableSize;
  const auto* it = std::lower_bound(first, last, id, [](const QrStringEntry& e, unsigned v) { return e.id < v; });
  return it != last && it->id == id ? OdString(it->en) : OdString();
}

OdString translate(const OdString& english, const OdString& context) {
  return Supp_Translate(english, context);
}

}  // namespace dds
