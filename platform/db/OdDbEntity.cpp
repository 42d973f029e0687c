#include "OdDbEntity.h"

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbLayerTableRecord.h"
#include "OdDbLinetypeTableRecord.h"

ODDB_DEFINE_ABSTRACT(OdDbEntity, OdDbObject, "")

namespace {
OdString recordName(OdDbObjectId id) {
  OdDbObjectPtr obj = id.openObject();
  auto rec = OdDbSymbolTableRecord::cast(obj.get());
  return rec ? rec->getName() : OdString();
}
}  // namespace

OdString OdDbEntity::layer() const { return recordName(m_layer); }

void OdDbEntity::setLayer(OdDbObjectId layer) { setHardRef(m_layer, layer); }

void OdDbEntity::setLayer(const OdString& name) {
  OdDbDatabase* db = database();
  if (!db) throw OdError(eNotInDatabase, "set the layer by id before the entity joins a database");
  OdDbSymbolTablePtr table = db->getLayerTableId().safeOpenObject();
  OdDbObjectId id = table->getAt(name);
  if (id.isNull()) throw OdError(eKeyNotFound, "layer " + name);
  setLayer(id);
}

void OdDbEntity::setColor(const OdCmColor& color) {
  assertWriteEnabled();
  m_color = color;
}

void OdDbEntity::setColorIndex(OdInt16 index) {
  if (index < 0 || index > 257) throw OdError(eOutOfRange, "colour index " + std::to_string(index));
  setColor(OdCmColor::fromIndex(index));
}

OdString OdDbEntity::linetype() const { return recordName(m_linetype); }

void OdDbEntity::setLinetype(OdDbObjectId linetype) { setHardRef(m_linetype, linetype); }

void OdDbEntity::setLinetype(const OdString& name) {
  OdDbDatabase* db = database();
  if (!db) throw OdError(eNotInDatabase, "set the linetype by id before the entity joins a database");
  OdDbSymbolTablePtr table = db->getLinetypeTableId().safeOpenObject();
  OdDbObjectId id = table->getAt(name);
  if (id.isNull()) throw OdError(eKeyNotFound, "linetype " + name);
  setLinetype(id);
}

void OdDbEntity::setLinetypeScale(double scale) {
  if (!(scale > 0)) throw OdError(eInvalidInput, "linetype scale must be positive");
  assertWriteEnabled();
  m_linetypeScale = scale;
}

void OdDbEntity::setLineWeight(OdDb::LineWeight lw) {
  if (!OdDb::isValidLineWeight(lw)) throw OdError(eInvalidInput, "invalid lineweight " + std::to_string(int(lw)));
  assertWriteEnabled();
  m_lineWeight = lw;
}

void OdDbEntity::setVisibility(bool visible) {
  assertWriteEnabled();
  m_visible = visible;
}

void OdDbEntity::setDatabaseDefaults(OdDbDatabase* db) {
  if (!db) return;
  setLayer(db->getCLAYER());
  setLinetype(db->getLinetypeByLayerId());
}

void OdDbEntity::forEachHardRef(OdDbRefVisitor& v) const {
  v.visit(m_layer);
  v.visit(m_linetype);
}

void OdDbEntity::subAddedToDatabase() {
  // An entity made without a layer goes on the current layer, as a user
  // drawing it would expect.
  if (m_layer.isNull()) m_layer = database()->getCLAYER();
  if (m_linetype.isNull()) m_linetype = database()->getLinetypeByLayerId();
}
