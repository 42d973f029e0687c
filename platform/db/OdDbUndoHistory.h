#pragma once
// The undo record of a database: for each step, the state of every object
// before its first change in that step, the objects the step created, and
// the header as it was. Undoing a step keeps the states it replaced as a
// step to redo, until a new step makes them obsolete.
#include <memory>
#include <optional>
#include <unordered_set>
#include <vector>

#include "OdDbHeaderVars.h"
#include "OdDbObject.h"

struct OdDbStub;

class OdDbUndoHistory {
public:
  explicit OdDbUndoHistory(OdDbDatabase* db) : m_db(db) {}

  void begin(const OdString& name);
  void end();
  // Ends a group whose work failed: when it is the outermost and changed
  // something, the change is taken back and forgotten, and what could be
  // redone before it still can. True when something was taken back.
  bool endTakingBack();
  bool isOpen() const { return m_depth > 0; }
  int depth() const { return m_depth; }
  bool hasUndo() const { return !m_steps.empty(); }
  OdString lastName() const { return m_steps.empty() ? OdString() : m_steps.back().name; }
  bool hasRedo() const { return !m_redo.empty(); }
  void forgetRedo() { m_redo.clear(); }
  OdString redoName() const { return m_redo.empty() ? OdString() : m_redo.back().name; }

  void recordModified(OdDbStub* stub, const OdDbObject* obj);
  void recordCreated(OdDbStub* stub);
  void recordHeader(const OdDbHeaderVars& header);

  // Restores the last step; false when there is none. With keepForRedo
  // false the step is gone for good (a failed step taking itself back).
  bool undoLast(bool keepForRedo = true);
  // Makes the last undone step again; false when there is none.
  bool redoLast();
  // The object as it was before its first change in the open step; null
  // when it did not change in it or was created in it.
  const OdDbObject* stateBeforeStep(const OdDbStub* stub) const;

private:
  struct Entry {
    OdDbStub* stub;
    std::unique_ptr<OdDbObject> before;  // null: created in this step
  };
  struct Step {
    OdString name;
    std::vector<Entry> entries;
    std::unordered_set<OdDbStub*> seen;
    std::optional<OdDbHeaderVars> header;
  };

  // Puts back the states the step holds; gives the step that takes this back.
  Step restore(Step& step);
  // After a restore: tables keep the live records that `replaced` (their
  // states before it) held and the restored states lack.
  void keepRecordsAddedOutsideSteps(const Step& replaced);

  OdDbDatabase* m_db;
  std::vector<Step> m_steps;
  std::vector<Step> m_redo;
  int m_depth = 0;
};
