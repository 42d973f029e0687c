#include "dimension_refresh.h"

#include <unordered_set>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbDimension.h"
#include "host_log.h"

namespace qrvwindow {

std::vector<std::string> refreshDimensionBlocks(OdDbDatabase* db, std::uint64_t since) {
  std::vector<std::string> failures;
  if (!db) return failures;
  auto space = OdDbBlockTableRecord::cast(db->getModelSpaceId().openObject());
  if (!space) return failures;
  std::unordered_set<OdDbObjectId> changed, styles;
  db->forEachChangedSince(since, [&](OdDbObjectId id) {
    const OdDbObjectPtr object = id.openObject();
    if (OdDbDimension::cast(object.get()))
      changed.insert(id);
    else if (OdDbDimStyleTableRecord::cast(object.get()))
      styles.insert(id);
  });
  std::vector<OdDbObjectId> stale;
  for (OdDbBlockIteratorPtr it = space->newIterator(); !it->done(); it->step()) {
    auto dim = OdDbDimension::cast(it->entity().get());
    if (dim && (dim->isDimBlockOutOfDate() || changed.count(it->objectId()) || styles.count(dim->dimensionStyle())))
      stale.push_back(it->objectId());
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
