#include "dimstyle_command.h"

#include "dimstyle_session.h"
#include "documents.h"
#include "host_entry.h"
#include "module_trace.h"

namespace dds {

void runDimStyleCommandLine() {
  HostApDocManager* manager = hostDocManager();
  HostApDocument* pAD = manager ? manager->curDocument() : nullptr;
  DDS_RETERRIF3VOID("dds/dds", !pAD);
  OdDbDatabase* pBase = pAD->database();
  DDS_RETERRIF3VOID("dds/dds", !pBase);
  HostEdInput* pEdInput = pAD->editorInput();
  DDS_RETERRIF3VOID("dds/dds", !pEdInput);
  HostEdSSManager* pEdSSManager = pAD->selectionManager();
  DDS_RETERRIF3VOID("dds/dds", !pEdSSManager);
  DimStyleSession(pAD, pBase, pEdInput, pEdSSManager).run();
}

}  // namespace dds
