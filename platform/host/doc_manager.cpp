#include <algorithm>
#include <exception>

#include "OdDbDatabase.h"
#include "documents.h"
#include "host_error.h"
#include "host_log.h"
#include "ref_edit.h"

// ---- reactor base ------------------------------------------------------------

HostApDocManagerReactor::~HostApDocManagerReactor() {
  // A module unloaded without detaching must not leave a dangling reactor.
  if (m_manager) m_manager->removeReactor(this);
}
void HostApDocManagerReactor::documentCreated(HostApDocument*) {}
void HostApDocManagerReactor::documentToBeDestroyed(HostApDocument*) {}
void HostApDocManagerReactor::documentActivated(HostApDocument*) {}
void HostApDocManagerReactor::documentLockModeChanged(HostApDocument*, int, const OdString&) {}
void HostApDocManagerReactor::paletteChangeWillStart(HostApDocument*) {}
void HostApDocManagerReactor::paletteChangeEnded(HostApDocument*) {}

// ---- manager -------------------------------------------------------------------

HostApDocManager::HostApDocManager(HostEdInput& input) : m_input(input) {}

HostApDocManager::~HostApDocManager() {
  while (!m_order.empty()) {
    HostApDocument* doc = m_order.back();
    doc->m_lockDepth = 0;  // nothing runs any more that could hold a lock
    doc->m_closing = false;
    closeDocument(doc);
  }
  for (HostApDocManagerReactor* r : m_reactors) r->m_manager = nullptr;
}

// Reactors belong to modules; one that throws must not break the host's
// document handling, nor keep the other reactors from hearing about it.
template <class F>
void HostApDocManager::notify(const char* what, F&& call) {
  const std::vector<HostApDocManagerReactor*> reactors = m_reactors;  // reactors may detach meanwhile
  for (HostApDocManagerReactor* r : reactors) {
    if (!hasReactor(r)) continue;
    try {
      call(r);
    } catch (const std::exception& e) {
      hostTraceError("host/documents", __LINE__, std::string(what) + ": " + e.what());
    } catch (...) {
      hostTraceError("host/documents", __LINE__, std::string(what) + ": unknown exception");
    }
  }
}

bool HostApDocManager::isOpen(const HostApDocument* doc) const {
  return doc && std::find(m_order.begin(), m_order.end(), doc) != m_order.end();
}

HostApDocument* HostApDocManager::documentFor(const OdDbDatabase* db) const {
  for (HostApDocument* d : m_order)
    if (d->database() == db) return d;
  return nullptr;
}

std::string HostApDocManager::nextNewTitle() { return "Drawing" + std::to_string(++m_newCounter) + ".dxf"; }

HostApDocument* HostApDocManager::addDocument(std::unique_ptr<OdDbDatabase> db, const std::string& fileName,
                                              const std::string& title, bool withPropertyManager) {
  if (!db) throw HostError("no drawing to add", E_INVALIDARG);
  std::unique_ptr<HostApDocument> doc(
      new HostApDocument(std::move(db), m_input, fileName, title.empty() ? nextNewTitle() : title,
                         withPropertyManager));
  HostApDocument* raw = doc.get();
  m_docs.push_back(std::move(doc));
  m_order.push_back(raw);
  ++m_version;
  notify("documentCreated", [&](HostApDocManagerReactor* r) { r->documentCreated(raw); });
  activateDocument(raw);
  return raw;
}

void HostApDocManager::closeDocument(HostApDocument* doc) {
  if (!isOpen(doc) || doc->m_closing) return;
  if (doc->m_lockDepth > 0)
    throw HostError("\"" + doc->title() + "\" is locked by " + doc->m_lockGlobal + " and cannot be closed now");
  doc->m_closing = true;
  notify("documentToBeDestroyed", [&](HostApDocManagerReactor* r) { r->documentToBeDestroyed(doc); });
  if (m_refEditDoc == doc) endRefEdit();
  m_closedStamps += doc->database()->modificationStamp() + 1;
  m_order.erase(std::find(m_order.begin(), m_order.end(), doc));
  const bool wasActive = m_active == doc;
  if (wasActive) m_active = nullptr;
  m_docs.erase(std::find_if(m_docs.begin(), m_docs.end(), [&](const auto& d) { return d.get() == doc; }));
  ++m_version;
  if (wasActive && !m_order.empty()) activateDocument(m_order.back());
}

void HostApDocManager::activateDocument(HostApDocument* doc) {
  if (!isOpen(doc) || m_active == doc) return;
  m_active = doc;
  ++m_version;
  notify("documentActivated", [&](HostApDocManagerReactor* r) { r->documentActivated(doc); });
}

void HostApDocManager::addReactor(HostApDocManagerReactor* reactor) {
  if (!reactor || hasReactor(reactor)) return;
  m_reactors.push_back(reactor);
  reactor->m_manager = this;
}

void HostApDocManager::removeReactor(HostApDocManagerReactor* reactor) {
  auto it = std::find(m_reactors.begin(), m_reactors.end(), reactor);
  if (it == m_reactors.end()) return;
  m_reactors.erase(it);
  reactor->m_manager = nullptr;
}

bool HostApDocManager::hasReactor(const HostApDocManagerReactor* reactor) const {
  return std::find(m_reactors.begin(), m_reactors.end(), reactor) != m_reactors.end();
}

HRESULT HostApDocManager::lockDocument(HostApDocument* doc, int mode, const OdString& globalCommand,
                                       const OdString& localCommand) {
  if (!isOpen(doc) || (mode != kHostLockWrite && mode != kHostLockRead)) return E_INVALIDARG;
  if (doc->m_closing) return E_FAIL;
  const int before = doc->m_lockMode;
  if (doc->m_lockDepth++ == 0) {
    doc->m_lockMode = mode;
    doc->m_lockGlobal = globalCommand;
    doc->m_lockLocal = localCommand;
  } else if (mode == kHostLockWrite) {
    doc->m_lockMode = kHostLockWrite;  // a nested writer makes the whole lock a write lock
  }
  if (doc->m_lockMode != before)
    notify("documentLockModeChanged",
           [&](HostApDocManagerReactor* r) { r->documentLockModeChanged(doc, doc->m_lockMode, doc->m_lockGlobal); });
  return S_OK;
}

HRESULT HostApDocManager::unlockDocument(HostApDocument* doc) {
  if (!isOpen(doc) || doc->m_lockDepth == 0) return E_FAIL;
  if (--doc->m_lockDepth == 0) {
    const OdString global = doc->m_lockGlobal;
    doc->m_lockMode = kHostLockNone;
    doc->m_lockGlobal.clear();
    doc->m_lockLocal.clear();
    notify("documentLockModeChanged",
           [&](HostApDocManagerReactor* r) { r->documentLockModeChanged(doc, kHostLockNone, global); });
  }
  return S_OK;
}

void HostApDocManager::beginPaletteChange(HostApDocument* doc) {
  if (!isOpen(doc)) return;
  ++doc->m_paletteDepth;
  doc->m_lockDepthAtPaletteBegin.push_back(doc->m_lockDepth);
  notify("paletteChangeWillStart", [&](HostApDocManagerReactor* r) { r->paletteChangeWillStart(doc); });
}

void HostApDocManager::endPaletteChange(HostApDocument* doc) {
  if (!isOpen(doc) || doc->m_paletteDepth == 0) return;
  const int depthAtBegin = doc->m_lockDepthAtPaletteBegin.back();
  doc->m_lockDepthAtPaletteBegin.pop_back();
  while (doc->m_lockDepth > depthAtBegin) unlockDocument(doc);
  --doc->m_paletteDepth;
  notify("paletteChangeEnded", [&](HostApDocManagerReactor* r) { r->paletteChangeEnded(doc); });
}

void HostApDocManager::beginRefEdit(HostApDocument* doc, const OdDbObjectIdArray& workSet) {
  if (!isOpen(doc)) throw HostError("no document to edit a reference in", E_INVALIDARG);
  if (m_refEdit) throw HostError("a reference is already being edited");
  m_refEdit = std::make_unique<OdDbLongTransaction>(workSet);
  m_refEditDoc = doc;
}

void HostApDocManager::endRefEdit() {
  m_refEdit.reset();
  m_refEditDoc = nullptr;
}
