#pragma once
// In-place reference editing: while it is active, only the objects of its
// working set may be changed. The long transaction stands for that session.
#include <unordered_set>

#include "OdDbObjectId.h"

class OdDbLongTransaction {
public:
  explicit OdDbLongTransaction(const OdDbObjectIdArray& workSet) : m_workSet(workSet.begin(), workSet.end()) {}
  bool workSetHas(OdDbObjectId id) const { return m_workSet.count(id) != 0; }
  void addToWorkSet(OdDbObjectId id) { m_workSet.insert(id); }
  void removeFromWorkSet(OdDbObjectId id) { m_workSet.erase(id); }

private:
  std::unordered_set<OdDbObjectId> m_workSet;
};
