#include "OdDbDimBlockRefresh.h"

#include <unordered_set>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbDimension.h"
#include "OdDbSymbolTable.h"
#include "OdResult.h"

OdDbDimBlockRefreshResult odDbRefreshDimensionBlocks(OdDbDatabase* db, const OdDbDimBlockRefresh& rule) {
  OdDbDimBlockRefreshResult result;
  if (!db) return result;
  std::unordered_set<OdDbObjectId> changed, styles;
  if (rule.changedSince)
    db->forEachChangedSince(*rule.changedSince, [&](OdDbObjectId id) {
      const OdDbObjectPtr object = id.openObject();
      if (OdDbDimension::cast(object.get()))
        changed.insert(id);
      else if (OdDbDimStyleTableRecord::cast(object.get()))
        styles.insert(id);
    });
  std::vector<OdDbObjectId> stale;
  OdDbBlockTablePtr blocks = db->getBlockTableId().safeOpenObject();
  for (auto b = blocks->newIterator(); !b->done(); b->step()) {
    OdDbBlockTableRecordPtr block = b->getRecord();
    for (OdDbBlockIteratorPtr e = block->newIterator(); !e->done(); e->step()) {
      auto dim = OdDbDimension::cast(e->entity().get());
      if (!dim) continue;
      const bool outOfDate = dim->isDimBlockOutOfDate() && (!rule.keepBlocksAsRead || dim->isModifiedSinceLoad());
      if (rule.all || dim->dimBlockId().isNull() || outOfDate || changed.count(e->objectId()) ||
          styles.count(dim->dimensionStyle()))
        stale.push_back(e->objectId());
    }
  }
  // A block is drawn from its dimension's values, which the undo record
  // already holds: building it is no change of the user's, and recording it
  // (or, outside a step, taking it for a new change) would cost the user
  // what they could redo, only because they saved or looked.
  struct UnrecordedWhileBuilding {
    OdDbDatabase* db;
    bool was;
    ~UnrecordedWhileBuilding() { db->blockUndoRecording(was); }
  } unrecorded{db, db->isUndoRecordingBlocked()};
  db->blockUndoRecording(true);
  for (const OdDbObjectId& id : stale) {
    try {
      OdDbDimensionPtr dim = OdDbDimension::cast(id.openObject().get());
      dim->upgradeOpen();
      dim->recomputeDimBlock(true);
      ++result.rebuilt;
    } catch (const OdError& e) {
      result.failures.push_back({id, e.description()});
    }
  }
  return result;
}
