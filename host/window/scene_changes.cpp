#include "scene_changes.h"

#include <unordered_set>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "OdDbLayerTableRecord.h"
#include "OdDbLinetypeTableRecord.h"
#include "OdDbTextStyleTableRecord.h"

namespace qrvwindow {

namespace {

// A block whose contents show in the view only through what refers to it;
// the layouts are drawn (model space) or not shown (paper space) as such.
bool isInsertedBlock(OdDbObjectId id) {
  auto block = OdDbBlockTableRecord::cast(id.openObject(OdDb::kForRead, true));
  return block && !block->isLayout();
}

}  // namespace

PictureChanges pictureChangesSince(OdDbDatabase* db, std::uint64_t mark) {
  PictureChanges changes;
  if (!db) return changes;
  const OdDbObjectId space = db->getModelSpaceId();
  std::unordered_set<OdDbObjectId> entities, blocks, styles;
  db->forEachChangedSince(mark, [&](OdDbObjectId id) {
    if (changes.everything) return;
    // Erased ones too: an erased entity leaves the picture.
    const OdDbObjectPtr object = id.openObject(OdDb::kForRead, true);
    if (!object) return;
    if (OdDbEntity::cast(object.get())) {
      if (object->ownerId() == space)
        entities.insert(id);
      else if (isInsertedBlock(object->ownerId()))
        blocks.insert(object->ownerId());
    } else if (auto block = OdDbBlockTableRecord::cast(object.get())) {
      // Model space's own record lists its entities, which carry their own
      // stamps; an inserted block's record moves or renames its contents.
      if (!block->isLayout()) blocks.insert(id);
    } else if (OdDbDimStyleTableRecord::cast(object.get())) {
      styles.insert(id);
    } else if (OdDbLayerTableRecord::cast(object.get()) || OdDbLinetypeTableRecord::cast(object.get()) ||
               OdDbTextStyleTableRecord::cast(object.get())) {
      changes.everything = true;
    }
    // Anything else (tables, dictionaries, applications, the header) is no
    // part of a picture.
  });
  if (changes.everything) return changes;
  if (!blocks.empty() || !styles.empty()) {
    auto ms = OdDbBlockTableRecord::cast(space.openObject());
    std::unordered_set<OdDbObjectId> reached;
    for (OdDbBlockIteratorPtr it = ms->newIterator(); !it->done(); it->step()) {
      const OdSmartPtr<OdDbEntity> e = it->entity();
      bool affected = false;
      if (auto dim = OdDbDimension::cast(e)) {
        affected = blocks.count(dim->dimBlockId()) || styles.count(dim->dimensionStyle());
        if (blocks.count(dim->dimBlockId())) reached.insert(dim->dimBlockId());
      } else if (auto styled = OdDbDimStyleEntity::cast(e)) {
        affected = styles.count(styled->dimensionStyle()) > 0;
      } else if (auto insert = OdDbBlockReference::cast(e)) {
        affected = blocks.count(insert->blockTableRecord()) > 0;
        if (affected) reached.insert(insert->blockTableRecord());
      }
      if (affected) entities.insert(it->objectId());
    }
    // A changed block that something still refers to, but nothing in model
    // space does, is drawn inside another block: which entities show it is
    // not known here.
    for (const OdDbObjectId& block : blocks)
      if (!reached.count(block) && db->hardReferenceCount(block) > 0) changes.everything = true;
  }
  changes.entities.assign(entities.begin(), entities.end());
  return changes;
}

}  // namespace qrvwindow
