#include "opm/palette_change.h"

#include "OdDbDatabase.h"
#include "app_services.h"
#include "documents.h"
#include "editor_reactor.h"
#include "host_entry.h"
#include "opm/list_kinds.h"
#include "sysvars.h"
#include "text_format.h"
#include "translation.h"

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

void HostPaletteChange::begin(OdDbDatabase* db, const OdString& description) {
  end();
  m_db = db;
  hostBroadcastCommandWillStart(kChangeCommand);
  m_commandWasActive = commandActive();
  if (!m_commandWasActive) {
    if (HostApDocument* doc = documentOf(m_db)) {
      HostApDocManager* docs = hostDocManager();
      docs->beginPaletteChange(doc);
      docs->lockDocument(doc, kHostLockWrite, kChangeCommand, Supp_Translate(description));
    }
  }
  if (m_db) m_db->beginUndoGroup(kChangeCommand);
  m_open = true;
}

void HostPaletteChange::end() {
  if (!m_open) return;
  m_open = false;
  if (m_db) m_db->endUndoGroup();
  if (!m_commandWasActive) {
    // Ending the palette change releases the lock taken at begin.
    if (HostApDocument* doc = documentOf(m_db)) hostDocManager()->endPaletteChange(doc);
  }
  hostBroadcastCommandEnded(kChangeCommand);
}

OdString hostDescribeWriteReport(const HostWriteReport& report, bool allTook, const OdString& reason) {
  using opm::kinds::say;
  OdString text;
  auto add = [&text](const OdString& part) { text += (text.empty() ? "" : " ") + part; };
  // The general words only when some object took it, or no reason is known.
  if (!allTook && (reason.empty() || report.changed > 0)) add(say("Not every selected object took the value."));
  if (!allTook && !reason.empty()) add(reason);
  if (report.onLockedLayers > 0)
    add(hostFormat(say("%d object(s) on locked layers were not changed.").c_str(), report.onLockedLayers));
  if (report.outsideRefEdit > 0)
    add(hostFormat(say("%d object(s) outside the reference being edited were not changed.").c_str(),
                   report.outsideRefEdit));
  if (report.unreadable > 0) add(hostFormat(say("%d object(s) no longer exist.").c_str(), report.unreadable));
  return text;
}
