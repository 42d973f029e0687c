#include "host_access.h"

#include "documents.h"
#include "host_context.h"
#include "host_entry.h"

namespace dds {

OdDbDatabase* currentDatabase() {
  HostApDocManager* docs = hostDocManager();
  HostApDocument* doc = docs ? docs->curDocument() : nullptr;
  return doc ? doc->database() : nullptr;
}

bool askQuestion(const OdString& text) {
  HostApDocManager* docs = hostDocManager();
  return gpQrContext && gpQrContext->questionBox(text, docs ? docs->mainWindow() : nullptr) == 1;
}

}  // namespace dds
