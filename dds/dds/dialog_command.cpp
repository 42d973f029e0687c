#include "dialog_command.h"

#include "documents.h"
#include "editor_input.h"
#include "host_entry.h"
#include "translation.h"

namespace dds {

// The manager dialog is not part of the module yet; say so rather than
// doing nothing, so that nobody waits for a window that will not come.
void runDimStyleDialog() {
  HostApDocManager* manager = hostDocManager();
  if (!manager) return;
  manager->editorInput().print(Supp_Translate("The Dimension Style Manager is not available yet."));
}

}  // namespace dds
