#include "host_access.h"

#include "documents.h"
#include "host_context.h"
#include "host_entry.h"

namespace dds {

namespace {
HostApDocument* currentDocument() {
  HostApDocManager* docs = hostDocManager();
  return docs ? docs->curDocument() : nullptr;
}
}  // namespace

OdDbDatabase* currentDatabase() {
  HostApDocument* doc = currentDocument();
  return doc ? doc->database() : nullptr;
}

HostEdInput* currentEditorInput() {
  HostApDocument* doc = currentDocument();
  return doc ? doc->editorInput() : nullptr;
}

bool askQuestion(const OdString& text) {
  HostApDocManager* docs = hostDocManager();
  return gpQrContext && gpQrContext->questionBox(text, docs ? docs->mainWindow() : nullptr) == 1;
}

}  // namespace dds
