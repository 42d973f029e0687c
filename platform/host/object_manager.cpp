#include "object_manager.h"

#include "OdDbDatabase.h"
#include "documents.h"

QrObjManager* gpQrObjManager = nullptr;

// Database stamps only grow; a closed drawing's stamp is carried on in the
// manager's sum of closed stamps, so the total cannot fall when a drawing
// goes. The documents' version adds opening and switching.
std::uint64_t QrObjManager::modificationStamp() const {
  std::uint64_t stamp = m_documents.closedStamps() + m_documents.documentsVersion();
  for (const HostApDocument* doc : m_documents.documents()) stamp += doc->database()->modificationStamp();
  return stamp;
}
