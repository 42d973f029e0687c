// ERASE: removes the selected objects from the drawing.
#include <unordered_set>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbLeader.h"
#include "command_processor.h"
#include "documents.h"
#include "drafting_texts.h"
#include "editor_input.h"
#include "host_commands.h"
#include "selection.h"
#include "text_format.h"

namespace qrvhost {

namespace {

// A leader whose annotation goes keeps no link to an erased object, which
// a saved file could not resolve.
void detachErasedAnnotations(OdDbDatabase& db, const std::unordered_set<OdDbObjectId>& erased) {
  OdDbBlockTableRecordPtr space = db.getModelSpaceId().safeOpenObject();
  for (auto it = space->newIterator(); !it->done(); it->step()) {
    OdDbLeaderPtr leader = OdDbLeader::cast(it->entity());
    if (!leader || !erased.count(leader->annotationObjId())) continue;
    leader->upgradeOpen();
    leader->detachAnnotation();
  }
}

}  // namespace

void commandErase(CommandProcessor& cp) {
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  OdDbObjectIdArray picked;
  if (doc->selectionManager()->select("", 0, picked) != kSelectionOk) return;
  for (OdDbObjectId id : picked) {
    OdDbObjectPtr object = id.safeOpenObject(OdDb::kForWrite);
    object->erase();
  }
  detachErasedAnnotations(*doc->database(), {picked.begin(), picked.end()});
  cp.input().print(hostFormat(draftText(DraftText::kErased).c_str(), static_cast<int>(picked.size())));
}

}  // namespace qrvhost
