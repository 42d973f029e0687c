#include "record_copier.h"

#include "OdDbBlockTableRecord.h"
#include "OdDbEntities.h"
#include "OdDbLayerTableRecord.h"
#include "OdDbLinetypeTableRecord.h"
#include "OdDbTextStyleTableRecord.h"
#include "OdDmUtil.h"

#include <utility>


namespace dds {
namespace {

// The entity kinds whose every reference the copier knows how to carry
// over. Anything else (dimensions, entities kept only as file records)
// would arrive with references into the source drawing.
bool isCopyableEntity(const OdDbEntity* e) {
  for (const OdRxClass* c : {OdDbLine::desc(), OdDbCircle::desc(), OdDbArc::desc(), OdDbPolyline::desc(),
                             OdDbText::desc(), OdDbMText::desc(), OdDbBlockReference::desc(), OdDbPoint::desc(),
                             OdDbSolid::desc()})
    if (e->isA() == c) return true;
  return false;
}


bool isUnmatchable(const OdDbBlockTableRecord* block) {
  return block->isAnonymous() || block->isLayout() || block->isFromExternalReference() || block->isDependent();
}

struct IdCollector : OdDbRefVisitor {
  OdDbObjectIdArray ids;
  void visit(OdDbObjectId id) override {
    if (!id.isNull()) ids.push_back(id);
  }
};

OdDbObjectIdArray hardRefsOf(const OdDbObject* obj) {
  IdCollector c;
  obj->forEachHardRef(c);
  return c.ids;
}

}  // namespace

OdDbObjectId RecordCopier::tableFor(const OdDbObject* record) const {
  if (OdDbTextStyleTableRecord::cast(record)) return m_target.getTextStyleTableId();
  if (OdDbLinetypeTableRecord::cast(record)) return m_target.getLinetypeTableId();
  if (OdDbLayerTableRecord::cast(record)) return m_target.getLayerTableId();
  if (OdDbBlockTableRecord::cast(record)) return m_target.getBlockTableId();
  return OdDbObjectId();
}

// Walks what the record refers to with a stack of its own rather than by
// calling itself: arrowhead blocks nested thousands deep are drawings people
// make, and each level would otherwise cost a stack frame.
CopyNote RecordCopier::whyNotCopyable(OdDbObjectId sourceId) {
  std::vector<OdDbObjectId> pending{sourceId};
  std::vector<OdDbObjectId> marked;
  while (!pending.empty()) {
    const OdDbObjectId id = pending.back();
    pending.pop_back();
    if (CopyNote why = whyNotCopyableItself(id, pending, marked)) {
      // Unmarked again, so every style using what failed hears why.
      for (const OdDbObjectId& m : marked) m_checked.erase(m);
      return why;
    }
  }
  return {};
}

CopyNote RecordCopier::whyNotCopyableItself(OdDbObjectId sourceId, std::vector<OdDbObjectId>& refs,
                                            std::vector<OdDbObjectId>& marked) {
  if (sourceId.isNull() || m_counterparts.count(sourceId) || m_checked.count(sourceId)) return {};
  OdDbObjectPtr obj = sourceId.openObject();
  if (!obj) return {"it refers to an object the source drawing does not have (handle %s)", sourceId.getHandle().ascii()};
  auto record = OdDbSymbolTableRecord::cast(obj.get());
  const OdDbObjectId table = tableFor(obj.get());
  if (!record || table.isNull()) return {"it refers to a %s object, which cannot be copied", obj->isA()->dxfName()};
  // Anonymous and layout blocks are matched by nothing: "*U2" of one drawing
  // is not "*U2" of another.
  auto block = OdDbBlockTableRecord::cast(obj.get());
  if (block && isUnmatchable(block.get()))
    return {"the block \"%s\" is a layout, anonymous or external block, which cannot be copied", block->getName()};
  {
    OdDbSymbolTablePtr targetTable = table.safeOpenObject();
    if (targetTable->has(record->getName())) return {};
  }
  // Marked before looking inside, so a block that inserts itself is checked
  // once.
  m_checked.insert(sourceId);
  marked.push_back(sourceId);
  if (auto layer = OdDbLayerTableRecord::cast(obj.get())) refs.push_back(layer->linetypeObjectId());
  if (block) return whyBlockNotCopyable(block.get(), refs);
  return {};
}

CopyNote RecordCopier::whyBlockNotCopyable(const OdDbBlockTableRecord* block, std::vector<OdDbObjectId>& refs) {
  const OdString name = block->getName();
  if (OdDmUtil::isBuiltInArrow(name)) return {};
  for (auto it = block->newIterator(); !it->done(); it->step()) {
    OdDbEntityPtr e = it->entity();
    if (!isCopyableEntity(e.get()))
      return {"the block \"%s\" holds an entity that cannot be copied (lines, arcs, circles, polylines, points, "
              "solids, texts and block references can)",
              name};
    if (!e->extensionDictionary().isNull())
      return {"the block \"%s\" holds an entity with an extension dictionary, which cannot be copied", name};
    for (const OdDbObjectId& ref : hardRefsOf(e.get())) refs.push_back(ref);
  }
  return {};
}

OdDbObjectId RecordCopier::counterpart(OdDbObjectId sourceId) {
  if (sourceId.isNull()) return OdDbObjectId();
  if (auto found = m_counterparts.find(sourceId); found != m_counterparts.end()) return found->second;
  OdDbObjectPtr obj = sourceId.safeOpenObject();
  auto record = OdDbSymbolTableRecord::cast(obj.get());
  const OdDbObjectId table = tableFor(obj.get());
  if (!record || table.isNull()) throw OdError(eNotThatKindOfClass, "only table records are copied between drawings");
  OdDbObjectId id;
  {
    OdDbSymbolTablePtr targetTable = table.safeOpenObject();
    id = targetTable->getAt(record->getName());
  }
  auto block = OdDbBlockTableRecord::cast(obj.get());
  if (id.isNull() && block && OdDmUtil::isBuiltInArrow(block->getName())) {
    // The target draws its built-in arrowheads itself.
    id = OdDmUtil::getArrowId(block->getName(), &m_target);
    m_added.push_back({AddedRecord::kBlock, OdDmUtil::arrowName(id)});
  } else if (id.isNull()) {
    id = block ? addEmptyBlock(block.get(), table) : copyRecord(obj.get(), table);
  }
  m_counterparts[sourceId] = id;
  if (block && !m_fillingBlocks) fillAddedBlocks();
  return id;
}

OdDbObjectId RecordCopier::copyRecord(const OdDbObject* record, OdDbObjectId table) {
  OdDbSymbolTableRecordPtr copy = OdDbSymbolTableRecord::cast(record->clone().get());
  copyXData(*record, *copy);
  AddedRecord::Kind kind = AddedRecord::kTextStyle;
  if (auto layer = OdDbLayerTableRecord::cast(copy.get())) {
    layer->setLinetypeObjectId(counterpart(OdDbLayerTableRecord::cast(record)->linetypeObjectId()));
    kind = AddedRecord::kLayer;
  } else if (OdDbLinetypeTableRecord::cast(copy.get())) {
    kind = AddedRecord::kLinetype;
  }
  checkResolved(copy.get());
  OdDbSymbolTablePtr targetTable = table.safeOpenObject(OdDb::kForWrite);
  const OdDbObjectId id = targetTable->add(copy);
  m_added.push_back({kind, copy->getName()});
  return id;
}

OdDbObjectId RecordCopier::addEmptyBlock(const OdDbBlockTableRecord* block, OdDbObjectId table) {
  OdDbBlockTableRecordPtr copy = OdDbBlockTableRecord::createObject();
  copy->setName(block->getName());
  copy->setOrigin(block->origin());
  copy->setStoredFlags(block->storedFlags());
  copyXData(*block, *copy);
  OdDbObjectId id;
  {
    OdDbSymbolTablePtr targetTable = table.safeOpenObject(OdDb::kForWrite);
    id = targetTable->add(copy);
  }
  // Known before the entities are copied, so a block that inserts itself
  // finds its own copy.
  m_counterparts[block->objectId()] = id;
  m_added.push_back({AddedRecord::kBlock, block->getName()});
  m_blocksToFill.push_back({block->objectId(), id});
  return id;
}

// Blocks are filled one after another from a queue rather than each inside
// the copy of the block inserting it: a chain of nested blocks thousands
// deep then costs no deeper stack than one block.
void RecordCopier::fillAddedBlocks() {
  m_fillingBlocks = true;
  try {
    while (!m_blocksToFill.empty()) {
      const auto [sourceId, copyId] = m_blocksToFill.front();
      m_blocksToFill.pop_front();
      fillBlock(sourceId, copyId);
    }
  } catch (...) {
    m_fillingBlocks = false;
    m_blocksToFill.clear();
    throw;
  }
  m_fillingBlocks = false;
}

void RecordCopier::fillBlock(OdDbObjectId sourceId, OdDbObjectId copyId) {
  OdDbBlockTableRecordPtr block = sourceId.safeOpenObject();
  OdDbBlockTableRecordPtr copy = copyId.safeOpenObject(OdDb::kForWrite);
  for (auto it = block->newIterator(); !it->done(); it->step()) {
    OdDbEntityPtr from = it->entity();
    if (!isCopyableEntity(from.get()) || !from->extensionDictionary().isNull())
      throw OdError(eNotThatKindOfClass, "block " + block->getName() + " holds an entity that cannot be copied");
    OdDbEntityPtr entity = OdDbEntity::cast(from->clone().get());
    remapEntity(from.get(), entity.get());
    copyXData(*from, *entity);
    checkResolved(entity.get());
    copy->appendOdDbEntity(entity);
  }
}

void RecordCopier::remapEntity(const OdDbEntity* from, OdDbEntity* to) {
  to->setLayer(counterpart(from->layerId()));
  to->setLinetype(counterpart(from->linetypeId()));
  if (auto text = OdDbText::cast(to)) text->setTextStyle(counterpart(OdDbText::cast(from)->textStyle()));
  if (auto mtext = OdDbMText::cast(to)) mtext->setTextStyle(counterpart(OdDbMText::cast(from)->textStyle()));
  if (auto insert = OdDbBlockReference::cast(to))
    insert->setBlockTableRecord(counterpart(OdDbBlockReference::cast(from)->blockTableRecord()));
}

void RecordCopier::checkResolved(const OdDbObject* copy) const {
  for (const OdDbObjectId& ref : hardRefsOf(copy))
    if (ref.database() != &m_target)
      throw OdError(eWrongDatabase, "a copied record still refers to the drawing it came from");
}

void RecordCopier::copyXData(const OdDbObject& from, OdDbObject& to) {
  if (!from.extensionDictionary().isNull())
    m_notes.push_back({"the extension dictionary of a %s record was left out", from.isA()->dxfName()});
  for (const OdString& app : to.xDataApplications()) {
    OdResBufPtr clear = OdResBuf::newRb(1001, app);
    to.setXData(clear.get());
  }
  for (const OdString& app : from.xDataApplications()) {
    OdResBufPtr chain = from.xData(app);
    bool resolved = true;
    for (OdResBuf* rb = chain.get(); rb; rb = rb->next().get()) {
      if (rb->restype() != 1005 || rb->getHandle().value() == 0) continue;
      const OdDbObjectId source = m_source.getOdDbObjectId(rb->getHandle());
      auto found = m_counterparts.find(source);
      if (found == m_counterparts.end()) {
        resolved = false;
        break;
      }
      rb->setValue(found->second.getHandle());
    }
    if (!resolved) {
      m_notes.push_back({"the extended data of the application \"%s\" was left out: it points at objects of the "
                         "source drawing",
                         app});
      continue;
    }
    m_target.newRegApp(app);
    to.setXData(chain.get());
  }
}

std::vector<AddedRecord> RecordCopier::takeAdded() { return std::exchange(m_added, {}); }

std::vector<CopyNote> RecordCopier::takeNotes() { return std::exchange(m_notes, {}); }

}  // namespace dds
