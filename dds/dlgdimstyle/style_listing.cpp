#include "style_listing.h"

#include "OdDbDimStyleEntity.h"
#include "dim_var_catalog.h"
#include "stdafx/module_log.h"
#include "stdafx/module_resources.h"
#include "stdafx/host_access.h"
#include "stdafx/value_text.h"

namespace dds {
namespace {

// One value source: a record or the drawing's current values.
struct Source {
  const OdDbDimStyleTableRecord* record = nullptr;
  const OdDbDatabase* db = nullptr;
  OdDbDimVarValue get(int storageIndex) const {
    return record ? record->dimVar(storageIndex) : db->dimVar(storageIndex);
  }
  const OdDbDimVars& vars() const { return record ? record->dimVars() : db->dimVars(); }
  const void* identity() const {
    return record ? static_cast<const void*>(record) : static_cast<const void*>(db);
  }
};

void listSource(const Source& src, DimVarRows& rows, bool withDescription) {
  const int w = withDescription ? 3 : 2;
  rows.assign(std::size_t(variableCount()) * w, OdString());
  for (int i = 0; i < variableCount(); ++i) {
    const DimVarInfo& info = dimVarInfo(i);
    const std::size_t at = std::size_t(listingPosition(info.name)) * w;
    rows[at] = dimVarName(i);
    rows[at + 1] = dimVarValueText(i, src.get(info.storageIndex()));
    if (withDescription) rows[at + 2] = loadString(info.descriptionId);
  }
}

// Whether two records are one object: the same record, or two opens of the
// same database-resident record.
bool sameObject(const OdDbDimStyleTableRecord* a, const OdDbDimStyleTableRecord* b) {
  if (a == b) return true;
  return a && b && a->isDBRO() && a->objectId() == b->objectId();
}

}  // namespace

OdString dimVarValueText(int catalogueIndex, const OdDbDimVarValue& value) {
  const DimVarInfo& info = dimVarInfo(catalogueIndex);
  switch (info.kind) {
    case DimVarKind::Integer:
    case DimVarKind::Character:
      return intText(std::holds_alternative<int>(value) ? std::get<int>(value) : 0, info.key);
    case DimVarKind::YesNo:
      return boolText(std::holds_alternative<bool>(value) && std::get<bool>(value));
    case DimVarKind::Length:
    case DimVarKind::Angle:
      return lengthText(std::holds_alternative<double>(value) ? std::get<double>(value) : 0.0, info.key);
    case DimVarKind::Text:
      return stringText(std::holds_alternative<OdString>(value) ? std::get<OdString>(value) : OdString());
    case DimVarKind::Arrow:
    case DimVarKind::Linetype:
    case DimVarKind::TextStyle:
      return recordText(std::holds_alternative<OdDbObjectId>(value) ? std::get<OdDbObjectId>(value)
                                                                      : OdDbObjectId(),
                        info.key);
    case DimVarKind::Color:
      return colorText(std::holds_alternative<OdCmColor>(value) ? std::get<OdCmColor>(value) : OdCmColor());
  }
  return OdString();
}

void listStyleValues(const OdDbDimStyleTableRecord* record, DimVarRows& rows, bool withDescription) {
  if (!record) return listValues(nullptr, rows, withDescription);
  listSource(Source{record, nullptr}, rows, withDescription);
}

void listCurrentValues(const OdDbDatabase* db, DimVarRows& rows, bool withDescription) {
  if (!db) db = currentDatabase();
  rows.clear();
  if (!db) return;
  listSource(Source{nullptr, db}, rows, withDescription);
}

void listValues(const OdDbDimStyleTableRecord* record, DimVarRows& rows, bool withDescription) {
  if (record)
    listStyleValues(record, rows, withDescription);
  else
    listCurrentValues(nullptr, rows, withDescription);
}

void listEntityValues(const OdDbDimStyleEntity* entity, DimVarRows& rows, bool withDescription) {
  rows.clear();
  if (!entity) return;
  OdDbDimStyleTableRecordPtr temp = OdDbDimStyleTableRecord::createObject();
  entity->getDimstyleData(temp.get());
  listStyleValues(temp.get(), rows, withDescription);
}

void compareStyleValues(const OdDbDimStyleTableRecord* first, const OdDbDimStyleTableRecord* second,
                        DimVarRows& rows, bool withDescription) {
  compareStyleValues(first, second, nullptr, rows, withDescription);
}

void compareStyleValues(const OdDbDimStyleTableRecord* first, const OdDbDimStyleTableRecord* second,
                        const OdDbDatabase* db, DimVarRows& rows, bool withDescription) {
  rows.clear();
  if (!first && !second) return;
  if (sameObject(first, second)) return;
  if ((!first || !second) && !db) db = currentDatabase();
  if ((!first || !second) && !db) return;
  const Source a{first, first ? nullptr : db}, b{second, second ? nullptr : db};
  const int w = withDescription ? 4 : 3;
  DimVarRows work(std::size_t(variableCount()) * w);
  for (int i = 0; i < variableCount(); ++i) {
    const DimVarInfo& info = dimVarInfo(i);
    const int s = info.storageIndex();
    if (a.vars().equal(s, b.vars())) continue;
    const std::size_t at = std::size_t(listingPosition(info.name)) * w;
    work[at] = dimVarName(i);
    work[at + 1] = dimVarValueText(i, a.get(s));
    work[at + 2] = dimVarValueText(i, b.get(s));
    if (withDescription) work[at + 3] = loadString(info.descriptionId);
  }
  for (std::size_t at = 0; at < work.size(); at += w)
    if (!work[at].empty()) rows.insert(rows.end(), work.begin() + at, work.begin() + at + w);
}

bool hasOverrides(const OdDbDimStyleTableRecord* record, const OdDbDatabase* db) {
  DDS_ASSERT(kSrcDlgDimStyle, record != nullptr, "(p1 != 0)");
  DDS_ASSERT(kSrcDlgDimStyle, db != nullptr, "(p2 != 0)");
  if (!record || !db) return false;
  const OdDbDimVars& current = db->dimVars();
  for (int i = 0; i < variableCount(); ++i)
    if (!record->dimVars().equal(dimVarInfo(i).storageIndex(), current)) return true;
  return false;
}

void copyStyleToCurrent(OdDbDatabase* db, const OdDbDimStyleTableRecord* record) {
  if (!db || !record) return;
  for (int i = 0; i < variableCount(); ++i) {
    const int s = dimVarInfo(i).storageIndex();
    db->setDimVar(s, record->dimVar(s));
  }
}

void copyCurrentToStyle(OdDbDimStyleTableRecord* record, const OdDbDatabase* db) {
  if (!db || !record) return;
  for (int i = 0; i < variableCount(); ++i) {
    const int s = dimVarInfo(i).storageIndex();
    record->setDimVar(s, db->dimVar(s));
  }
}

void copyEntityToCurrent(OdDbDatabase* db, const OdDbDimStyleEntity* entity) {
  if (!db || !entity) return;
  OdDbDimStyleTableRecordPtr temp = OdDbDimStyleTableRecord::createObject();
  entity->getDimstyleData(temp.get());
  copyStyleToCurrent(db, temp.get());
}

void copyCurrentToEntity(OdDbDimStyleEntity* entity, const OdDbDatabase* db) {
  if (!db || !entity) return;
  OdDbDimStyleTableRecordPtr temp = OdDbDimStyleTableRecord::createObject();
  copyCurrentToStyle(temp.get(), db);
  entity->setDimstyleData(temp.get());
}

}  // namespace dds
