#include "OdDbUndoHistory.h"

#include "OdDbDatabase.h"
#include "OdDbStub.h"
#include "OdDbSymbolTable.h"
#include "OdStringUtil.h"

// Steps kept; older ones are dropped so a long session stays bounded.
static constexpr std::size_t kMaxSteps = 200;

void OdDbUndoHistory::begin(const OdString& name) {
  if (m_depth++ > 0) return;  // nested groups join the outermost one
  if (m_steps.size() >= kMaxSteps) m_steps.erase(m_steps.begin());
  m_steps.push_back(Step{name, {}, {}, std::nullopt});
}

void OdDbUndoHistory::end() {
  if (m_depth == 0) return;
  if (--m_depth > 0) return;
  // A step that changed nothing is not worth an undo; one that changed
  // something makes what was undone before it obsolete.
  if (!m_steps.empty() && m_steps.back().entries.empty() && !m_steps.back().header)
    m_steps.pop_back();
  else
    m_redo.clear();
}

bool OdDbUndoHistory::endTakingBack() {
  if (m_depth == 0) return false;
  if (--m_depth > 0) return false;
  if (m_steps.empty()) return false;
  if (m_steps.back().entries.empty() && !m_steps.back().header) {
    m_steps.pop_back();
    return false;
  }
  return undoLast(false);
}

void OdDbUndoHistory::recordModified(OdDbStub* stub, const OdDbObject* obj) {
  if (m_depth == 0) return;
  Step& step = m_steps.back();
  if (!step.seen.insert(stub).second) return;
  step.entries.push_back(Entry{stub, std::unique_ptr<OdDbObject>(obj->cloneRaw())});
}

const OdDbObject* OdDbUndoHistory::stateBeforeStep(const OdDbStub* stub) const {
  if (m_depth == 0 || m_steps.empty()) return nullptr;
  const Step& step = m_steps.back();
  if (!step.seen.count(const_cast<OdDbStub*>(stub))) return nullptr;
  for (const Entry& e : step.entries)
    if (e.stub == stub) return e.before.get();
  return nullptr;
}

void OdDbUndoHistory::recordCreated(OdDbStub* stub) {
  if (m_depth == 0) return;
  Step& step = m_steps.back();
  step.seen.insert(stub);
  step.entries.push_back(Entry{stub, nullptr});
}

void OdDbUndoHistory::recordHeader(const OdDbHeaderVars& header) {
  if (m_depth == 0) return;
  Step& step = m_steps.back();
  if (!step.header) step.header = header;
}

bool OdDbUndoHistory::undoLast(bool keepForRedo) {
  if (m_steps.empty()) return false;
  if (m_depth > 0) throw OdError(eInvalidContext, "cannot undo inside an open undo group");
  Step step = std::move(m_steps.back());
  m_steps.pop_back();
  Step redo = restore(step);
  if (keepForRedo) m_redo.push_back(std::move(redo));
  return true;
}

bool OdDbUndoHistory::redoLast() {
  if (m_redo.empty()) return false;
  if (m_depth > 0) throw OdError(eInvalidContext, "cannot redo inside an open undo group");
  Step step = std::move(m_redo.back());
  m_redo.pop_back();
  m_steps.push_back(restore(step));
  return true;
}

void OdDbUndoHistory::keepRecordsAddedOutsideSteps(const Step& replaced) {
  // A table gets back its list of records as the step saw it; records added
  // since without being recorded (a dimension's block built for saving or
  // drawing) are live all the same, and a table that forgot them would leave
  // objects no table holds. The records this restore erased stay out.
  for (const Entry& e : replaced.entries) {
    auto* table = dynamic_cast<OdDbSymbolTable*>(e.stub->object);
    const auto* was = dynamic_cast<const OdDbSymbolTable*>(e.before.get());
    if (!table || !was) continue;
    std::unordered_set<OdDbStub*> held;
    std::unordered_set<std::string> names;
    for (const OdDbObjectId& id : table->m_records) {
      held.insert(id.stub());
      if (auto* rec = dynamic_cast<const OdDbSymbolTableRecord*>(id.stub()->object); rec && !rec->isErased())
        names.insert(qrv::foldCase(rec->getName()));
    }
    for (const OdDbObjectId& id : was->m_records) {
      auto* record = dynamic_cast<OdDbSymbolTableRecord*>(id.stub() ? id.stub()->object : nullptr);
      if (!record || record->isErased() || held.count(id.stub())) continue;
      // A dimension's block built again while the step was undone, which
      // the step's own block of that name has replaced: nothing uses it.
      if (names.count(qrv::foldCase(record->getName())) && m_db->hardReferenceCount(id) == 0) {
        m_db->unregisterHardRefs(record);
        static_cast<OdDbObject*>(record)->m_flags |= OdDbObject::kErased;
        continue;
      }
      table->m_records.push_back(id);
    }
  }
}

OdDbUndoHistory::Step OdDbUndoHistory::restore(Step& step) {
  // Every entry's object as it is now, so the restore can be taken back:
  // an object the step created is kept whole before it is erased again.
  Step inverse{step.name, {}, {}, std::nullopt};
  for (auto it = step.entries.rbegin(); it != step.entries.rend(); ++it) {
    OdDbObject* obj = it->stub->object;
    if (!obj) continue;
    inverse.entries.push_back(Entry{it->stub, std::unique_ptr<OdDbObject>(obj->cloneRaw())});
    it->stub->changed = m_db->m_stamp;
    const bool wasLive = !obj->isErased();
    if (wasLive) m_db->unregisterHardRefs(obj);
    if (!it->before) {
      obj->m_flags |= OdDbObject::kErased;  // created in this step: gone again
      continue;
    }
    obj->assignFrom(*it->before);
    if (!obj->isErased()) m_db->registerHardRefs(obj);
  }
  keepRecordsAddedOutsideSteps(inverse);
  if (step.header) {
    inverse.header = m_db->m_header;
    m_db->m_header.forEachObjectId([&](OdDbObjectId id) { m_db->removeHardRef(id); });
    m_db->m_header = *step.header;
    m_db->m_header.forEachObjectId([&](OdDbObjectId id) { m_db->addHardRef(id); });
  }
  m_db->noteNamesChanged();
  return inverse;
}
