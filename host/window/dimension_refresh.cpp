#include "dimension_refresh.h"

#include "OdDbDatabase.h"
#include "OdDbDimBlockRefresh.h"
#include "host_log.h"

namespace qrvwindow {

std::vector<std::string> refreshDimensionBlocks(OdDbDatabase* db, std::uint64_t since) {
  std::vector<std::string> failures;
  if (!db) return failures;
  OdDbDimBlockRefresh rule;
  rule.changedSince = since;
  // The blocks are derived from the dimensions: no undo step of their own.
  const bool wasBlocked = db->isUndoRecordingBlocked();
  db->blockUndoRecording(true);
  const OdDbDimBlockRefreshResult result = odDbRefreshDimensionBlocks(db, rule);
  db->blockUndoRecording(wasBlocked);
  for (const OdDbDimBlockFailure& f : result.failures) {
    const std::string handle = f.dimension.getHandle().ascii();
    failures.push_back(handle + ": " + f.reason);
    hostTraceError("host/window", __LINE__, "dimension " + handle + ": " + f.reason);
  }
  return failures;
}

}  // namespace qrvwindow
