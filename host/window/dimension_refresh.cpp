#include "dimension_refresh.h"

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimension.h"
#include "host_log.h"

namespace qrvwindow {

std::vector<std::string> refreshDimensionBlocks(OdDbDatabase* db, bool all) {
  std::vector<std::string> failures;
  if (!db) return failures;
  auto space = OdDbBlockTableRecord::cast(db->getModelSpaceId().openObject());
  if (!space) return failures;
  std::vector<OdDbObjectId> stale;
  for (OdDbBlockIteratorPtr it = space->newIterator(); !it->done(); it->step()) {
    auto dim = OdDbDimension::cast(it->entity().get());
    if (dim && (all || dim->isDimBlockOutOfDate())) stale.push_back(it->objectId());
  }
  if (stale.empty()) return failures;
  const bool wasBlocked = db->isUndoRecordingBlocked();
  db->blockUndoRecording(true);
  for (const OdDbObjectId& id : stale) {
    try {
      OdDbDimensionPtr dim = OdDbDimension::cast(id.openObject().get());
      dim->upgradeOpen();
      dim->recomputeDimBlock(true);
    } catch (const OdError& e) {
      failures.push_back(id.getHandle().ascii() + ": " + e.description());
      hostTraceError("host/window", __LINE__, "dimension " + id.getHandle().ascii() + ": " + e.description());
    }
  }
  db->blockUndoRecording(wasBlocked);
  return failures;
}

}  // namespace qrvwindow
