#include "command_names.h"

#include "OdStringUtil.h"
#include "command_factory.h"
#include "host_commands.h"
#include "host_context.h"
#include "host_services.h"

namespace qrvhost {

std::vector<std::string> typeableCommandNames(HostServices& services) {
  std::vector<std::string> names;
  for (const HostCommandDef& c : hostCommands()) names.push_back(c.name);
  if (gpQrContext)
    for (const HostCommandEntry& c : gpQrContext->commands()) names.push_back(qrv::toUpper(c.localName));
  for (const auto& t : HostCommandFactoryRegistry::typedNames())
    if (services.commandFactory().findTyped(t.typed)) names.push_back(t.typed);
  return names;
}

}  // namespace qrvhost
