#include "modify_objects.h"

#include <unordered_map>
#include <unordered_set>

#include "OdDbBlockTableRecord.h"
#include "OdDbDimension.h"
#include "OdDbLeader.h"
#include "OdDbTransform.h"
#include "command_processor.h"
#include "documents.h"
#include "editor_input.h"
#include "text_format.h"

namespace qrvhost {

namespace {

// Enough to show where a selection goes without slowing the cursor.
constexpr std::size_t kPreviewedObjects = 200;

// A dimension whose geometry cannot be built (sizes beyond any number)
// still moves: it keeps its out-of-date block, which drawing and saving
// name as they name every such dimension.
void rebuildIfDimension(OdDbEntity& entity) {
  auto dimension = OdDbDimension::cast(&entity);
  if (!dimension) return;
  try {
    dimension->recomputeDimBlock();
  } catch (const OdError&) {
  }
}

// The copies' leaders point at the copies of their annotations, or at none.
void relinkCopiedLeaders(const std::unordered_map<OdDbObjectId, OdDbObjectId>& copyOf) {
  for (const auto& [original, copy] : copyOf) {
    OdDbLeaderPtr leader = OdDbLeader::cast(copy.openObject(OdDb::kForWrite));
    if (!leader || leader->annotationObjId().isNull()) continue;
    const auto annotation = copyOf.find(leader->annotationObjId());
    if (annotation != copyOf.end()) leader->attachAnnotation(annotation->second);
    else leader->detachAnnotation();
  }
}

}  // namespace

std::optional<ModifyTarget> selectObjectsToModify(CommandProcessor& cp, const OdString& intro) {
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return std::nullopt;
  if (!intro.empty()) cp.input().print(intro);
  OdDbObjectIdArray picked;
  if (doc->selectionManager()->select("", 0, picked) != kSelectionOk || picked.empty()) return std::nullopt;
  return ModifyTarget{*doc, *doc->database(), picked};
}

ModifyCount carryObjects(OdDbDatabase& db, const OdDbObjectIdArray& ids, const OdGeMatrix3d& map, bool copy) {
  ModifyCount count;
  const bool mirrorText = db.getMIRRTEXT() != 0;
  std::unordered_map<OdDbObjectId, OdDbObjectId> copyOf;
  OdDbBlockTableRecordPtr space;
  for (OdDbObjectId id : ids) {
    OdDbEntityPtr entity = OdDbEntity::cast(id.openObject(copy ? OdDb::kForRead : OdDb::kForWrite));
    if (!entity) continue;
    if (canTransformEntity(*entity, map) != OdDbTransformCheck::kOk) {
      ++count.leftInPlace;
      continue;
    }
    if (copy) {
      OdDbEntityPtr made = OdDbEntity::cast(entity->clone());
      transformEntity(*made, map, mirrorText);
      if (!space) space = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
      copyOf[id] = space->appendOdDbEntity(made);
      rebuildIfDimension(*made);
    } else {
      transformEntity(*entity, map, mirrorText);
      rebuildIfDimension(*entity);
    }
    ++count.changed;
  }
  relinkCopiedLeaders(copyOf);
  return count;
}

ModifyCount stretchObjects(OdDbDatabase& db, const OdDbObjectIdArray& ids, const HostSelectionBox& box,
                           const OdGeVector3d& offset) {
  ModifyCount count;
  const OdGeMatrix3d move = OdGeMatrix3d::translation(offset);
  HostSelectionBox window = box;
  window.crossing = false;
  const OdDbObjectIdArray whole = hostBoxSelector() ? hostBoxSelector()(ids, window) : OdDbObjectIdArray();
  const std::unordered_set<OdDbObjectId> wholly(whole.begin(), whole.end());
  const bool mirrorText = db.getMIRRTEXT() != 0;
  for (OdDbObjectId id : ids) {
    OdDbEntityPtr entity = OdDbEntity::cast(id.openObject(OdDb::kForWrite));
    if (!entity) continue;
    if (canTransformEntity(*entity, move) != OdDbTransformCheck::kOk) {
      ++count.leftInPlace;
      continue;
    }
    bool changed = true;
    if (wholly.count(id)) transformEntity(*entity, move, mirrorText);
    else changed = stretchEntity(*entity, [&](const OdGePoint3d& p) { return box.contains(p); }, offset);
    if (!changed) continue;
    rebuildIfDimension(*entity);
    ++count.changed;
  }
  return count;
}

void reportModified(HostEdInput& input, ModifyText done, const ModifyCount& count) {
  if (count.changed == 0 && count.leftInPlace > 0) {
    input.print(modifyText(ModifyText::kNothingToModify));
    return;
  }
  input.print(hostFormat(modifyText(done).c_str(), count.changed));
  if (count.leftInPlace) input.print(hostFormat(modifyText(ModifyText::kLeftInPlace).c_str(), count.leftInPlace));
}

std::function<HostPreview(const OdGePoint3d&)> modifyPreview(const OdDbObjectIdArray& ids, PreviewChange change) {
  return [ids, change](const OdGePoint3d& cursor) {
    HostPreview preview;
    for (OdDbObjectId id : ids) {
      if (preview.entities.size() >= kPreviewedObjects) break;
      const OdDbEntityPtr entity = OdDbEntity::cast(id.openObject());
      if (!entity || canTransformEntity(*entity, OdGeMatrix3d()) != OdDbTransformCheck::kOk) continue;
      OdDbEntityPtr copy = OdDbEntity::cast(entity->clone());
      change(*copy, cursor);
      preview.entities.push_back(copy);
    }
    return preview;
  };
}

std::function<HostPreview(const OdGePoint3d&)> mapPreview(
    OdDbDatabase& db, const OdDbObjectIdArray& ids,
    std::function<std::optional<OdGeMatrix3d>(const OdGePoint3d&)> mapAt) {
  const bool mirrorText = db.getMIRRTEXT() != 0;
  auto preview = modifyPreview(ids, [mapAt, mirrorText](OdDbEntity& copy, const OdGePoint3d& cursor) {
    if (const auto map = mapAt(cursor); map && canTransformEntity(copy, *map) == OdDbTransformCheck::kOk)
      transformEntity(copy, *map, mirrorText);
  });
  return [preview, mapAt](const OdGePoint3d& cursor) { return mapAt(cursor) ? preview(cursor) : HostPreview(); };
}

}  // namespace qrvhost
