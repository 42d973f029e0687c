#include "dialog_command.h"

#include "backend.h"
#include "dlgdimstyle/style_manager_dialog.h"
#include "stdafx/host_access.h"
#include "stdafx/module_log.h"

namespace dds {

void runDimStyleDialog() {
  OdDbDatabase* db = currentDatabase();
  if (!db) {
    DDS_LOG_ERROR(kSrcDds, "No current database");
    return;
  }
  ui::selectSessionBackend();
  StyleManagerDialog dialog(db);
  dialog.run(nullptr);
}

}  // namespace dds
