#include "module_resources.h"

#include "res/resource_tables.h"
#include "translation.h"

namespace dds {

const QrModuleResources& moduleResources() {
  static const QrModuleResources resources{"dds", res::kStringTable, res::kStringTableSize, res::kLiteralTable,
                                           res::kLiteralTableSize};
  return resources;
}

OdString loadString(unsigned id) { return Supp_LoadString(&moduleResources(), id); }

OdString translate(const OdString& english, const OdString& context) {
  return Supp_Translate(english, context);
}

}  // namespace dds
