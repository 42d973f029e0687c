#include "undo_context.h"

#include "OdDbDatabase.h"
#include "app_services.h"
#include "documents.h"
#include "editor_reactor.h"
#include "host_entry.h"
#include "stdafx/module_resources.h"
#include "sysvars.h"

namespace {
const char* const kChangeCommand = "OPM_CHGPROP";

bool commandActive() {
  HostSysVars* vars = hostSysVars();
  if (!vars) return false;
  OdResBufPtr value = vars->getVar("CMDACTIVE");
  return value && value->getInt32() != 0;
}

HostApDocument* documentOf(OdDbDatabase* db) {
  HostApDocManager* docs = hostDocManager();
  return docs ? docs->documentFor(db) : nullptr;
}
}  // namespace

void dbUndoTransactionCtx::begin(const OdString& description) {
  hostBroadcastCommandWillStart(kChangeCommand);
  m_commandWasActive = commandActive();
  if (!m_commandWasActive) {
    if (HostApDocument* doc = documentOf(m_db)) {
      HostApDocManager* docs = hostDocManager();
      docs->beginPaletteChange(doc);
      docs->lockDocument(doc, kHostLockWrite, kChangeCommand, dds::translate(description));
    }
  }
  if (m_db) m_db->beginUndoGroup(kChangeCommand);
  m_open = true;
}

void dbUndoTransactionCtx::end() {
  if (!m_open) return;
  m_open = false;
  if (m_db) m_db->endUndoGroup();
  if (!m_commandWasActive) {
    // Ending the palette change releases the lock taken at begin.
    if (HostApDocument* doc = documentOf(m_db)) hostDocManager()->endPaletteChange(doc);
  }
  hostBroadcastCommandEnded(kChangeCommand);
}
