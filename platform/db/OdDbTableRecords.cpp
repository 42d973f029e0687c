// Text style, linetype, layer, registered application and block records.
#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbEntity.h"
#include "OdDbLayerTableRecord.h"
#include "OdDbLinetypeTableRecord.h"
#include "OdDbRegAppTableRecord.h"
#include "OdDbStub.h"
#include "OdDbSymUtil.h"
#include "OdDbTextStyleTableRecord.h"
#include "OdStringUtil.h"

ODDB_DEFINE_MEMBERS(OdDbTextStyleTableRecord, OdDbSymbolTableRecord, "STYLE")
ODDB_DEFINE_MEMBERS(OdDbTextStyleTable, OdDbSymbolTable, "TABLE")
ODDB_DEFINE_MEMBERS(OdDbLinetypeTableRecord, OdDbSymbolTableRecord, "LTYPE")
ODDB_DEFINE_MEMBERS(OdDbLinetypeTable, OdDbSymbolTable, "TABLE")
ODDB_DEFINE_MEMBERS(OdDbLayerTableRecord, OdDbSymbolTableRecord, "LAYER")
ODDB_DEFINE_MEMBERS(OdDbLayerTable, OdDbSymbolTable, "TABLE")
ODDB_DEFINE_MEMBERS(OdDbRegAppTableRecord, OdDbSymbolTableRecord, "APPID")
ODDB_DEFINE_MEMBERS(OdDbRegAppTable, OdDbSymbolTable, "TABLE")
ODDB_DEFINE_MEMBERS(OdDbBlockTableRecord, OdDbSymbolTableRecord, "BLOCK_RECORD")
ODDB_DEFINE_MEMBERS(OdDbBlockTable, OdDbSymbolTable, "TABLE")

namespace {
template <class T>
void change(OdDbObject* obj, T& field, const T& value) {
  obj->assertWriteEnabled();
  field = value;
}
}  // namespace

// Text styles.
void OdDbTextStyleTableRecord::setTextSize(double v) {
  if (!(v >= 0)) throw OdError(eInvalidInput, "text size must not be negative");
  change(this, m_textSize, v);
}
void OdDbTextStyleTableRecord::setXScale(double v) {
  if (!(v > 0)) throw OdError(eInvalidInput, "width factor must be positive");
  change(this, m_xScale, v);
}
void OdDbTextStyleTableRecord::setObliquingAngle(double v) { change(this, m_oblique, v); }
void OdDbTextStyleTableRecord::setPriorSize(double v) { change(this, m_priorSize, v); }
void OdDbTextStyleTableRecord::setIsShapeFile(bool shape) {
  setStoredFlags(shape ? OdInt16(storedFlags() | 1) : OdInt16(storedFlags() & ~1));
}
void OdDbTextStyleTableRecord::setFileName(const OdString& f) { change(this, m_fileName, f); }
void OdDbTextStyleTableRecord::setBigFontFileName(const OdString& f) { change(this, m_bigFont, f); }
void OdDbTextStyleTableRecord::setFont(const OdString& typeface, bool bold, bool italic, int charset,
                                       int pitch) {
  assertWriteEnabled();
  m_typeface = typeface, m_bold = bold, m_italic = italic, m_charset = charset, m_pitch = pitch;
}
void OdDbTextStyleTableRecord::font(OdString& typeface, bool& bold, bool& italic, int& charset,
                                    int& pitch) const {
  typeface = m_typeface, bold = m_bold, italic = m_italic, charset = m_charset, pitch = m_pitch;
}

// Linetypes.
void OdDbLinetypeTableRecord::setComments(const OdString& t) { change(this, m_comments, t); }
void OdDbLinetypeTableRecord::setDashes(const std::vector<double>& d) { change(this, m_dashes, d); }
double OdDbLinetypeTableRecord::patternLength() const {
  double len = 0;
  for (double d : m_dashes) len += d < 0 ? -d : d;
  return len;
}

// Layers.
OdDbLayerTableRecord::OdDbLayerTableRecord() { m_color.setColorIndex(7); }
void OdDbLayerTableRecord::setColor(const OdCmColor& c) {
  if (c.isByLayer() || c.isByBlock())
    throw OdError(eInvalidInput, "a layer's colour cannot be by layer or by block");
  change(this, m_color, c);
}
void OdDbLayerTableRecord::setLinetypeObjectId(OdDbObjectId id) { setHardRef(m_linetype, id); }
void OdDbLayerTableRecord::setLineWeight(OdDb::LineWeight lw) {
  if (!OdDb::isValidLineWeight(lw) || lw == OdDb::kLnWtByLayer || lw == OdDb::kLnWtByBlock)
    throw OdError(eInvalidInput, "invalid lineweight for a layer: " + std::to_string(int(lw)));
  change(this, m_lineWeight, lw);
}
void OdDbLayerTableRecord::setIsOff(bool off) { change(this, m_off, off); }
void OdDbLayerTableRecord::setIsFrozen(bool f) {
  setStoredFlags(f ? OdInt16(storedFlags() | 1) : OdInt16(storedFlags() & ~1));
}
void OdDbLayerTableRecord::setIsLocked(bool l) {
  setStoredFlags(l ? OdInt16(storedFlags() | 4) : OdInt16(storedFlags() & ~4));
}
void OdDbLayerTableRecord::setIsPlottable(bool p) { change(this, m_plottable, p); }
void OdDbLayerTableRecord::forEachHardRef(OdDbRefVisitor& v) const { v.visit(m_linetype); }

// Blocks.
OdDbObjectId OdDbBlockTableRecord::appendOdDbEntity(OdSmartPtr<OdDbEntity> entity) {
  if (!entity) throw OdError(eNullObjectPointer, "no entity to append");
  if (entity->isDBRO()) throw OdError(eAlreadyInDb, "the entity is already in a database");
  OdDbDatabase* db = database();
  if (!db) throw OdError(eNotInDatabase, "the block is not in a database");
  assertWriteEnabled();
  OdDbObjectId id = db->addOdDbObject(entity, objectId());
  m_entities.push_back(id);
  entity->upgradeOpen();
  return id;
}

void OdDbBlockTableRecord::appendEntityAsStored(OdDbObjectId entity) {
  assertWriteEnabled();
  m_entities.push_back(entity);
}

void OdDbBlockTableRecord::setOrigin(const OdGePoint3d& p) { change(this, m_origin, p); }

bool OdDbBlockTableRecord::isModelSpace() const {
  return qrv::equalNoCase(getName(), modelSpaceName());
}

bool OdDbBlockTableRecord::isLayout() const {
  const OdString& n = getName();
  if (isModelSpace()) return true;
  const std::string folded = qrv::foldCase(n);
  return folded.rfind("*paper_space", 0) == 0;
}

void OdDbBlockTableRecord::checkName(const OdString& name) const {
  // "*Model_Space", "*Paper_Space0" and anonymous blocks ("*D12", "*U3")
  // carry a leading asterisk; the rest of the name follows the usual rules.
  if (!name.empty() && name[0] == '*') {
    OdDbSymUtil::assertValidSymbolName(name.substr(1), database(), isDependent());
    return;
  }
  OdDbSymbolTableRecord::checkName(name);
}

OdDbBlockIteratorPtr OdDbBlockTableRecord::newIterator(bool skipErased) const {
  return std::make_unique<OdDbBlockIterator>(this, skipErased);
}

OdDbBlockIterator::OdDbBlockIterator(const OdDbBlockTableRecord* block, bool skipErased)
    : m_ids(block->entityIds()), m_skipErased(skipErased) {
  skip();
}

void OdDbBlockIterator::step() {
  if (!done()) ++m_pos;
  skip();
}

void OdDbBlockIterator::skip() {
  while (!done() && m_skipErased && m_ids[m_pos].isErased()) ++m_pos;
}

OdSmartPtr<OdDbEntity> OdDbBlockIterator::entity(OdDb::OpenMode mode) const {
  if (done()) return OdSmartPtr<OdDbEntity>();
  return OdSmartPtr<OdDbEntity>(m_ids[m_pos].safeOpenObject(mode, !m_skipErased));
}
