#include "sample_values.h"

#include "OdDbLinetypeTableRecord.h"
#include "OdDbTextStyleTableRecord.h"
#include "OdDmUtil.h"
#include "OdDbBlockTableRecord.h"
#include "dlgdimstyle/dim_var_catalog.h"
#include "dlgdimstyle/record_copier.h"
#include "stdafx/module_resources.h"
#include "stdafx/module_log.h"
#include "text_format.h"

namespace dds {
namespace {

constexpr const char* kSrcPreview = "dds/wndpreview";

OdString recordName(OdDbObjectId id) {
  OdDbObjectPtr obj = id.openObject();
  auto rec = OdDbSymbolTableRecord::cast(obj.get());
  return rec ? rec->getName() : OdString();
}

OdDbObjectId findByName(OdDbObjectId tableId, const OdString& name) {
  OdDbObjectPtr obj = tableId.openObject();
  auto table = OdDbSymbolTable::cast(obj.get());
  return table ? table->getAt(name) : OdDbObjectId();
}

bool isArrowKey(const char* key) {
  const std::string k = key;
  return k == "blk" || k == "blk1" || k == "blk2" || k == "ldrblk";
}

OdDbObjectId arrowIn(OdDbObjectId sourceArrow, OdDbDatabase* target) {
  if (sourceArrow.isNull()) return {};
  const OdString name = OdDmUtil::arrowName(sourceArrow);
  try {
    if (OdDbDatabase* source = sourceArrow.database(); source && !OdDmUtil::isBuiltInArrow(name))
      return sampleArrowFrom(*source, name, *target);
    return OdDmUtil::getArrowId(name, target);
  } catch (const OdError& e) {
    DDS_LOG_WARNING(kSrcPreview, "arrowhead \"" + name + "\" shown as the default: " + e.description());
    return {};
  }
}

}  // namespace

OdDbObjectId sampleArrowFrom(const OdDbDatabase& drawing, const OdString& blockName, OdDbDatabase& sample) {
  OdDbBlockTablePtr own = sample.getBlockTableId().safeOpenObject();
  if (const OdDbObjectId id = own->getAt(blockName); !id.isNull()) return id;
  OdDbBlockTablePtr theirs = drawing.getBlockTableId().safeOpenObject();
  const OdDbObjectId block = theirs->getAt(blockName);
  if (block.isNull()) throw OdError(eKeyNotFound, "the drawing has no block \"" + blockName + "\"");
  // The user's own arrowhead lives in the user's drawing: the sample gets a
  // copy, with what the block refers to, so that the preview draws it.
  RecordCopier copier(drawing, sample);
  if (const CopyNote why = copier.whyNotCopyable(block))
    throw OdError(eNotThatKindOfClass, hostFormat(translate(why.format).c_str(), why.name.c_str()));
  return copier.counterpart(block);
}

OdDbDimVars recordValues(const OdDbDimStyleTableRecord* record) {
  return record ? record->dimVars() : OdDbDimVars();
}

OdDbDimVars currentValues(const OdDbDatabase* db) { return db ? db->dimVars() : OdDbDimVars(); }

OdDbDimVars valuesForDrawing(const OdDbDimVars& source, OdDbDatabase* target) {
  OdDbDimVars out = source;
  if (!target) return out;
  for (int i = 0; i < variableCount(); ++i) {
    const DimVarInfo& info = dimVarInfo(i);
    if (info.type != OdDbDimVarType::kObjectId) continue;
    const int s = info.storageIndex();
    const OdDbObjectId id = std::get<OdDbObjectId>(source.get(s));
    if (id.isNull()) continue;  // null means the same in every drawing
    if (id.database() == target) continue;
    OdDbObjectId mapped;
    if (isArrowKey(info.key)) {
      mapped = arrowIn(id, target);
    } else if (info.kind == DimVarKind::TextStyle) {
      mapped = findByName(target->getTextStyleTableId(), recordName(id));
      if (mapped.isNull()) {
        DDS_LOG_WARNING(kSrcPreview, "text style \"" + recordName(id) + "\" shown as the standard style");
        mapped = target->getTextStyleStandardId();
      }
    } else {
      mapped = findByName(target->getLinetypeTableId(), recordName(id));
      if (mapped.isNull()) DDS_LOG_WARNING(kSrcPreview, "linetype \"" + recordName(id) + "\" shown as by block");
    }
    out.set(s, mapped);
  }
  return out;
}

namespace {

template <class Record>
OdSmartPtr<Record> recordForWrite(OdDbObjectId tableId, const OdString& name) {
  OdDbObjectId id = findByName(tableId, name);
  if (!id.isNull()) return Record::cast(id.safeOpenObject(OdDb::kForWrite));
  OdSmartPtr<Record> rec = Record::createObject();
  rec->setName(name);
  OdDbSymbolTablePtr table = OdDbSymbolTable::cast(tableId.safeOpenObject(OdDb::kForWrite));
  table->add(rec);
  return rec;
}

// Runs copy(record, name) for every record of the source table that does
// not come from an external reference.
template <class F>
void forEachOwnRecord(OdDbObjectId tableId, const char* what, F&& copy) {
  OdDbSymbolTablePtr table = OdDbSymbolTable::cast(tableId.openObject());
  if (!table) {
    DDS_LOG_ERROR(kSrcPreview, OdString("cannot open the ") + what + " table");
    return;
  }
  for (OdDbSymbolTableIteratorPtr it = table->newIterator(); !it->done(); it->step()) {
    try {
      OdDbSymbolTableRecordPtr rec = it->getRecord();
      if (!rec || rec->isDependent()) continue;
      copy(rec.get());
    } catch (const OdError& e) {
      DDS_LOG_ERROR(kSrcPreview, OdString(what) + ": " + e.description());
    }
  }
}

}  // namespace

void synchronizeDrawings(OdDbDatabase* source, OdDbDatabase* target) {
  if (!source || !target || source == target) return;
  forEachOwnRecord(source->getTextStyleTableId(), "text style", [&](OdDbSymbolTableRecord* r) {
    auto from = OdDbTextStyleTableRecord::cast(r);
    if (!from) return;
    auto to = recordForWrite<OdDbTextStyleTableRecord>(target->getTextStyleTableId(), from->getName());
    OdString typeface;
    bool bold = false, italic = false;
    int charset = 0, pitch = 0;
    from->font(typeface, bold, italic, charset, pitch);
    to->setFont(typeface, bold, italic, charset, pitch);
    to->setFileName(from->fileName());
    to->setBigFontFileName(from->bigFontFileName());
    to->setTextSize(from->textSize());
    to->setXScale(from->xScale());
    to->setObliquingAngle(from->obliquingAngle());
    to->setPriorSize(from->priorSize());
    // The vertical flag travels; the table's own bits stay the target's.
    constexpr OdInt16 kVertical = 4;
    to->setStoredFlags(OdInt16((to->storedFlags() & ~kVertical) | (from->storedFlags() & kVertical)));
  });
  forEachOwnRecord(source->getLinetypeTableId(), "linetype", [&](OdDbSymbolTableRecord* r) {
    auto from = OdDbLinetypeTableRecord::cast(r);
    if (!from) return;
    auto to = recordForWrite<OdDbLinetypeTableRecord>(target->getLinetypeTableId(), from->getName());
    to->setComments(from->comments());
    to->setDashes(from->dashes());
  });
  forEachOwnRecord(source->getDimStyleTableId(), "dimension style", [&](OdDbSymbolTableRecord* r) {
    auto from = OdDbDimStyleTableRecord::cast(r);
    if (!from) return;
    auto to = recordForWrite<OdDbDimStyleTableRecord>(target->getDimStyleTableId(), from->getName());
    to->setDimVars(valuesForDrawing(from->dimVars(), target));
  });
}

}  // namespace dds
