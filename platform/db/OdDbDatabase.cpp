#include "OdDbDatabase.h"

#include <cmath>

#include "OdDbBlockTableRecord.h"
#include "OdDbDictionary.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbLayerTableRecord.h"
#include "OdDbLinetypeTableRecord.h"
#include "OdDbRegAppTableRecord.h"
#include "OdDbStub.h"
#include "OdDbTextStyleTableRecord.h"
#include "OdDbUndoHistory.h"
#include "OdDbDimAssocFollow.h"

OdDbDatabase::OdDbDatabase(EmptyTag) : m_undo(std::make_unique<OdDbUndoHistory>(this)) {}

OdDbDatabase::OdDbDatabase(OdDb::MeasurementValue measurement) : OdDbDatabase(EmptyTag{}) {
  createDefaultContents(measurement);
}

OdDbDatabase::~OdDbDatabase() {
  for (OdDbStub& s : m_stubs) {
    delete s.object;
    s.object = nullptr;
  }
}

// ---- objects and handles -------------------------------------------------

OdDbObjectId OdDbDatabase::getOdDbObjectId(OdDbHandle handle) const {
  OdDbStub* stub = m_byHandle.find(handle.value());
  return stub ? OdDbObjectId(stub) : OdDbObjectId();
}

void OdDbDatabase::reserveObjects(std::size_t n) { m_byHandle.reserve(m_byHandle.size() + n); }

OdDbObjectId OdDbDatabase::addOdDbObject(OdDbObjectPtr obj, OdDbObjectId ownerId, OdDbHandle handle) {
  if (!obj) throw OdError(eNullObjectPointer, "no object to add");
  if (obj->isDBRO()) throw OdError(eAlreadyInDb, obj->isA()->name());
  std::uint64_t h = handle.value();
  if (h == 0) {
    while (m_byHandle.contains(m_handseed)) ++m_handseed;
    h = m_handseed++;
  } else if (m_byHandle.contains(h)) {
    throw OdError(eInvalidInput, "handle " + handle.ascii() + " is already in use");
  }
  if (h >= m_handseed) m_handseed = h + 1;
  OdDbStub& stub = m_stubs.emplace_back();
  stub.handle = h;
  stub.database = this;
  // From now on the database owns the object; the caller's pointers are
  // opens, and releasing them closes the object instead of deleting it.
  stub.object = obj.get();
  m_byHandle.insert(&stub);
  obj->m_stub = &stub;
  obj->m_owner = ownerId;
  obj->subAddedToDatabase();
  if (!obj->isErased()) registerHardRefs(obj.get());
  if (!m_undoBlocked) m_undo->recordCreated(&stub);
  stub.changed = ++m_stamp;
  return OdDbObjectId(&stub);
}

void OdDbDatabase::setHandseed(OdDbHandle seed) {
  // Never below a handle in use: new objects must not collide.
  std::uint64_t s = seed.value();
  if (const std::uint64_t top = m_byHandle.maxHandle(); top >= s) s = top + 1;
  m_handseed = s;
}

// ---- references and purge ------------------------------------------------

void OdDbDatabase::addHardRef(OdDbObjectId id) {
  if (OdDbStub* s = id.stub(); s && s->database == this) ++s->hardRefs;
}

void OdDbDatabase::removeHardRef(OdDbObjectId id) {
  if (OdDbStub* s = id.stub(); s && s->database == this && s->hardRefs > 0) --s->hardRefs;
}

namespace {
struct CountingVisitor : OdDbRefVisitor {
  OdDbDatabase* db;
  int delta;
  CountingVisitor(OdDbDatabase* d, int dl) : db(d), delta(dl) {}
  void visit(OdDbObjectId id) override {
    if (id.isNull()) return;
    if (delta > 0)
      db->addHardRef(id);
    else
      db->removeHardRef(id);
  }
};
}  // namespace

void OdDbDatabase::registerHardRefs(const OdDbObject* obj) {
  CountingVisitor v(this, 1);
  obj->forEachHardRef(v);
}

void OdDbDatabase::unregisterHardRefs(const OdDbObject* obj) {
  CountingVisitor v(this, -1);
  obj->forEachHardRef(v);
}

std::uint32_t OdDbDatabase::hardReferenceCount(OdDbObjectId id) const {
  return (id.stub() && id.stub()->database == this) ? id.stub()->hardRefs : 0;
}

void OdDbDatabase::purge(OdDbObjectIdArray& ids) const {
  const OdDbObjectId keep[] = {getLayerZeroId(),           getLinetypeByLayerId(), getLinetypeByBlockId(),
                               getLinetypeContinuousId(),  getTextStyleStandardId(), getModelSpaceId(),
                               m_ids.dimStyleTable,        m_ids.textStyleTable,   m_ids.linetypeTable,
                               m_ids.blockTable,           m_ids.layerTable,       m_ids.regAppTable,
                               m_ids.namedObjects};
  auto referenced = [&](const OdDbObjectId& id) {
    if (id.isNull() || id.stub()->database != this) return true;
    for (const OdDbObjectId& k : keep)
      if (k == id) return true;
    if (id.stub()->hardRefs > 0) return true;
    if (OdDbObject* obj = id.stub()->object) {
      if (auto block = dynamic_cast<const OdDbBlockTableRecord*>(obj); block && block->isLayout()) return true;
    }
    return false;
  };
  std::erase_if(ids, referenced);
}

// ---- modification and undo ------------------------------------------------

void OdDbDatabase::noteModified(OdDbObject* obj) {
  obj->m_stub->changed = ++m_stamp;
  if (!m_undoBlocked && m_undo->isOpen()) m_undo->recordModified(obj->m_stub, obj);
  noteUnrecordedChange();
}

void OdDbDatabase::noteHeaderModified() {
  ++m_stamp;
  if (!m_undoBlocked && m_undo->isOpen()) m_undo->recordHeader(m_header);
  noteUnrecordedChange();
}

void OdDbDatabase::noteUnrecordedChange() {
  // A change outside any step is a new change all the same: redoing an
  // older state over it would put back objects it no longer matches (a
  // block table without the blocks made since).
  if (!m_undoBlocked && !m_undo->isOpen()) m_undo->forgetRedo();
}

const OdRxClass* OdDbDatabase::desc() {
  static const OdRxClass cls("OdDbDatabase", OdRxObject::desc());
  return &cls;
}

void OdDbDatabase::beginUndoGroup(const OdString& name) {
  if (!m_undo->isOpen()) m_stepStartStamp = m_stamp;
  m_undo->begin(name);
}

void OdDbDatabase::endUndoGroup() {
  // Associative dimensions follow what the step changed, within the step,
  // whichever command or palette row changed it.
  // Following never keeps the step from closing: a dimension that cannot
  // follow stays as it is.
  if (m_undo->depth() == 1 && m_hasDimAssocs && !m_undoBlocked) {
    try {
      odDbFollowDimAssociations(*this, m_stepStartStamp);
    } catch (const OdError&) {
    }
  }
  m_undo->end();
}
bool OdDbDatabase::isUndoGroupOpen() const { return m_undo->isOpen(); }
bool OdDbDatabase::hasUndo() const { return m_undo->hasUndo(); }
OdString OdDbDatabase::undoName() const { return m_undo->lastName(); }

void OdDbDatabase::undo() {
  if (!m_undo->hasUndo()) throw OdError(eNothingToUndo);
  // The objects given back carry the stamp of the undo.
  ++m_stamp;
  m_undo->undoLast();
}

bool OdDbDatabase::hasRedo() const { return m_undo->hasRedo(); }
OdString OdDbDatabase::redoName() const { return m_undo->redoName(); }

void OdDbDatabase::redo() {
  if (!m_undo->hasRedo()) throw OdError(eNothingToRedo);
  ++m_stamp;
  m_undo->redoLast();
}

void OdDbDatabase::undoAndForget() {
  if (!m_undo->hasUndo()) throw OdError(eNothingToUndo);
  ++m_stamp;
  m_undo->undoLast(false);
}

bool OdDbDatabase::endFailedUndoGroup() {
  // The objects given back carry a stamp of their own, as after an undo.
  ++m_stamp;
  return m_undo->endTakingBack();
}

void OdDbDatabase::blockUndoRecording(bool block) { m_undoBlocked = block; }

const OdDbObject* OdDbDatabase::stateBeforeStep(OdDbObjectId id) const { return m_undo->stateBeforeStep(id.stub()); }

// ---- header ------------------------------------------------------------------

void OdDbDatabase::setHeaderRef(OdDbObjectId& field, OdDbObjectId value) {
  if (field == value) return;
  noteHeaderModified();
  removeHardRef(field);
  addHardRef(value);
  field = value;
}

void OdDbDatabase::setDimstyle(OdDbObjectId style) {
  if (!style.isNull()) {
    OdDbObjectPtr obj = style.openObject();
    if (!obj || !obj->isKindOf(OdDbDimStyleTableRecord::desc()))
      throw OdError(eInvalidInput, "DIMSTYLE must name a dimension style");
  }
  setHeaderRef(m_header.dimstyle, style);
}

void OdDbDatabase::setDimVar(int index, const OdDbDimVarValue& value) {
  OdDbDimVars next = m_header.dim;
  next.set(index, value);
  if (auto id = std::get_if<OdDbObjectId>(&value)) {
    OdDbObjectId old = std::get<OdDbObjectId>(m_header.dim.get(index));
    if (old == *id) return;
    noteHeaderModified();
    removeHardRef(old);
    addHardRef(*id);
  } else {
    noteHeaderModified();
  }
  m_header.dim = std::move(next);
}

#define ODDB_DB_DIMVAR_SET(key, Type, code)                          \
  void OdDbDatabase::setDim##key(const Type& value) {                \
    static const int index = *OdDbDimVars::indexOf(#key);            \
    OdDbDimVars probe;                                               \
    probe.key = value;                                               \
    setDimVar(index, probe.get(index));                              \
  }
ODDB_DIMVARS(ODDB_DB_DIMVAR_SET)
#undef ODDB_DB_DIMVAR_SET

void OdDbDatabase::getDimstyleData(OdDbDimStyleTableRecord* rec) const {
  if (!rec) throw OdError(eNullObjectPointer, "no record to fill");
  rec->setDimVars(m_header.dim);
}

void OdDbDatabase::setDimstyleData(const OdDbDimStyleTableRecord* rec) {
  if (!rec) throw OdError(eNullObjectPointer, "no style data");
  const OdDbDimVars& vars = rec->dimVars();
  noteHeaderModified();
  m_header.dim.forEachObjectId([&](OdDbObjectId id) { removeHardRef(id); });
  m_header.dim = vars;
  m_header.dim.forEachObjectId([&](OdDbObjectId id) { addHardRef(id); });
}

void OdDbDatabase::setDimstyleData(OdDbObjectId styleRecordId) {
  OdDbDimStyleTableRecordPtr rec = styleRecordId.safeOpenObject();
  setDimstyleData(rec.get());
}

void OdDbDatabase::setDIMASO(OdInt16 v) { setHeaderField(m_header.dimaso, v); }
void OdDbDatabase::setDIMASSOC(OdInt16 v) {
  if (v < 0 || v > 2) throw OdError(eInvalidInput, "DIMASSOC is 0, 1 or 2");
  setHeaderField(m_header.dimassoc, v);
}
void OdDbDatabase::setMEASUREMENT(OdDb::MeasurementValue v) {
  if (v != OdDb::kEnglish && v != OdDb::kMetric) throw OdError(eOutOfRange, "MEASUREMENT is 0 or 1");
  setHeaderField(m_header.measurement, OdInt16(v));
}
void OdDbDatabase::setCANNOSCALE(const OdString& v) { setHeaderField(m_header.cannoscale, v); }
void OdDbDatabase::setMIRRTEXT(OdInt16 v) {
  if (v != 0 && v != 1) throw OdError(eOutOfRange, "MIRRTEXT is 0 or 1");
  setHeaderField(m_header.mirrtext, v);
}
void OdDbDatabase::setORTHOMODE(OdInt16 v) {
  if (v != 0 && v != 1) throw OdError(eOutOfRange, "ORTHOMODE is 0 or 1");
  setHeaderField(m_header.orthomode, v);
}
void OdDbDatabase::setOSMODE(OdInt16 v) {
  if (v < 0) throw OdError(eOutOfRange, "OSMODE is 0 to 32767");
  setHeaderField(m_header.osmode, v);
}
void OdDbDatabase::setGRIDMODE(OdInt16 v) {
  if (v != 0 && v != 1) throw OdError(eOutOfRange, "GRIDMODE is 0 or 1");
  setHeaderField(m_header.gridmode, v);
}
void OdDbDatabase::setSNAPMODE(OdInt16 v) {
  if (v != 0 && v != 1) throw OdError(eOutOfRange, "SNAPMODE is 0 or 1");
  setHeaderField(m_header.snapmode, v);
}
namespace {
void checkSpacing(const char* name, double x, double y) {
  if (!(x > 0 && y > 0 && std::isfinite(x) && std::isfinite(y)))
    throw OdError(eOutOfRange, std::string(name) + " must be more than 0");
}
}  // namespace
void OdDbDatabase::setGRIDUNIT(double x, double y) {
  checkSpacing("GRIDUNIT", x, y);
  setHeaderField(m_header.gridunit[0], x);
  setHeaderField(m_header.gridunit[1], y);
}
void OdDbDatabase::setSNAPUNIT(double x, double y) {
  checkSpacing("SNAPUNIT", x, y);
  setHeaderField(m_header.snapunit[0], x);
  setHeaderField(m_header.snapunit[1], y);
}
void OdDbDatabase::setPDMODE(OdInt16 v) {
  if (v < 0 || (v & ~(32 | 64)) > 4) throw OdError(eOutOfRange, "PDMODE is 0 to 4, plus 32, 64 or 96");
  setHeaderField(m_header.pdmode, v);
}
void OdDbDatabase::setPDSIZE(double v) {
  if (!std::isfinite(v)) throw OdError(eOutOfRange, "PDSIZE must be a number");
  setHeaderField(m_header.pdsize, v);
}
void OdDbDatabase::setLWUNITS(OdInt16 v) {
  if (v != 0 && v != 1) throw OdError(eOutOfRange, "LWUNITS is 0 or 1");
  setHeaderField(m_header.lwunits, v);
}
void OdDbDatabase::setLUNITS(OdInt16 v) {
  if (v < 1 || v > 6) throw OdError(eOutOfRange, "LUNITS is 1 to 6");
  setHeaderField(m_header.lunits, v);
}
void OdDbDatabase::setLUPREC(OdInt16 v) {
  if (v < 0 || v > 8) throw OdError(eOutOfRange, "LUPREC is 0 to 8");
  setHeaderField(m_header.luprec, v);
}
void OdDbDatabase::setAUNITS(OdInt16 v) {
  if (v < 0 || v > 4) throw OdError(eOutOfRange, "AUNITS is 0 to 4");
  setHeaderField(m_header.aunits, v);
}
void OdDbDatabase::setAUPREC(OdInt16 v) {
  if (v < 0 || v > 8) throw OdError(eOutOfRange, "AUPREC is 0 to 8");
  setHeaderField(m_header.auprec, v);
}
void OdDbDatabase::setCLAYER(OdDbObjectId layer) { setHeaderRef(m_header.clayer, layer); }
void OdDbDatabase::setCELTYPE(OdDbObjectId linetype) { setHeaderRef(m_header.celtype, linetype); }
void OdDbDatabase::setTEXTSTYLE(OdDbObjectId style) { setHeaderRef(m_header.textstyle, style); }

void OdDbDatabase::setHeaderVars(const OdDbHeaderVars& vars) {
  noteHeaderModified();
  m_header.forEachObjectId([&](OdDbObjectId id) { removeHardRef(id); });
  m_header = vars;
  m_header.forEachObjectId([&](OdDbObjectId id) { addHardRef(id); });
}

// ---- registered applications ----------------------------------------------

bool OdDbDatabase::isRegAppRegistered(const OdString& name) const {
  OdDbObjectPtr table = m_ids.regAppTable.openObject();
  auto t = OdDbSymbolTable::cast(table.get());
  return t && t->has(name);
}

bool OdDbDatabase::newRegApp(const OdString& name) {
  if (isRegAppRegistered(name)) return false;
  OdDbSymbolTablePtr table = m_ids.regAppTable.safeOpenObject(OdDb::kForWrite);
  OdDbRegAppTableRecordPtr rec = OdDbRegAppTableRecord::createObject();
  rec->setName(name);
  table->add(rec);
  return true;
}

// ---- well-known records ---------------------------------------------------------

OdDbObjectId OdDbDatabase::findRecord(OdDbObjectId tableId, const char* name) const {
  OdDbObjectPtr obj = tableId.openObject();
  auto table = OdDbSymbolTable::cast(obj.get());
  return table ? table->getAt(name) : OdDbObjectId();
}

// Renderers and readers ask for these for every entity: each is looked up
// by name once, and again only after names may have changed (a record
// added, renamed, erased, or given back by an undo).
OdDbObjectId OdDbDatabase::wellKnown(WellKnown which) const {
  if (m_wellKnownVersion != m_namesVersion) {
    m_wellKnown.fill(std::nullopt);
    m_wellKnownVersion = m_namesVersion;
  }
  std::optional<OdDbObjectId>& known = m_wellKnown[std::size_t(which)];
  if (!known) {
    switch (which) {
      case WellKnown::kModelSpace: known = findRecord(m_ids.blockTable, OdDbBlockTableRecord::modelSpaceName()); break;
      case WellKnown::kPaperSpace: known = findRecord(m_ids.blockTable, OdDbBlockTableRecord::paperSpaceName()); break;
      case WellKnown::kLinetypeByLayer: known = findRecord(m_ids.linetypeTable, "ByLayer"); break;
      case WellKnown::kLinetypeByBlock: known = findRecord(m_ids.linetypeTable, "ByBlock"); break;
      case WellKnown::kLinetypeContinuous: known = findRecord(m_ids.linetypeTable, "Continuous"); break;
      case WellKnown::kLayerZero: known = findRecord(m_ids.layerTable, "0"); break;
      case WellKnown::kTextStyleStandard: known = findRecord(m_ids.textStyleTable, "Standard"); break;
      case WellKnown::kDimStyleStandard: known = findRecord(m_ids.dimStyleTable, "Standard"); break;
      case WellKnown::kCount: return OdDbObjectId();
    }
  }
  return *known;
}

OdDbObjectId OdDbDatabase::getModelSpaceId() const { return wellKnown(WellKnown::kModelSpace); }
OdDbObjectId OdDbDatabase::getPaperSpaceId() const { return wellKnown(WellKnown::kPaperSpace); }
OdDbObjectId OdDbDatabase::getLinetypeByLayerId() const { return wellKnown(WellKnown::kLinetypeByLayer); }
OdDbObjectId OdDbDatabase::getLinetypeByBlockId() const { return wellKnown(WellKnown::kLinetypeByBlock); }
OdDbObjectId OdDbDatabase::getLinetypeContinuousId() const { return wellKnown(WellKnown::kLinetypeContinuous); }
OdDbObjectId OdDbDatabase::getLayerZeroId() const { return wellKnown(WellKnown::kLayerZero); }
OdDbObjectId OdDbDatabase::getTextStyleStandardId() const { return wellKnown(WellKnown::kTextStyleStandard); }
OdDbObjectId OdDbDatabase::getDimStyleStandardId() const { return wellKnown(WellKnown::kDimStyleStandard); }

namespace {
template <class Table>
OdDbObjectId addTable(OdDbDatabase* db, OdDbObjectId owner) {
  return db->addOdDbObject(Table::createObject(), owner);
}

template <class Rec>
OdDbObjectId addRecord(OdDbObjectId tableId, const OdString& name, OdSmartPtr<Rec> rec = {}) {
  if (!rec) rec = Rec::createObject();
  rec->setNameAsStored(name);
  OdDbSymbolTablePtr table = tableId.safeOpenObject(OdDb::kForWrite);
  return table->add(rec);
}
}  // namespace

void OdDbDatabase::ensureStandardRecords() {
  const bool wasBlocked = m_undoBlocked;
  m_undoBlocked = true;  // the standard contents are not an undoable change
  if (m_ids.namedObjects.isNull()) m_ids.namedObjects = addOdDbObject(OdDbDictionary::createObject());
  if (m_ids.blockTable.isNull()) m_ids.blockTable = addTable<OdDbBlockTable>(this, OdDbObjectId());
  if (m_ids.layerTable.isNull()) m_ids.layerTable = addTable<OdDbLayerTable>(this, OdDbObjectId());
  if (m_ids.linetypeTable.isNull()) m_ids.linetypeTable = addTable<OdDbLinetypeTable>(this, OdDbObjectId());
  if (m_ids.textStyleTable.isNull()) m_ids.textStyleTable = addTable<OdDbTextStyleTable>(this, OdDbObjectId());
  if (m_ids.dimStyleTable.isNull()) m_ids.dimStyleTable = addTable<OdDbDimStyleTable>(this, OdDbObjectId());
  if (m_ids.regAppTable.isNull()) m_ids.regAppTable = addTable<OdDbRegAppTable>(this, OdDbObjectId());

  for (const char* lt : {"ByBlock", "ByLayer", "Continuous"})
    if (findRecord(m_ids.linetypeTable, lt).isNull()) {
      OdDbLinetypeTableRecordPtr rec = OdDbLinetypeTableRecord::createObject();
      if (std::string_view(lt) == "Continuous") rec->setComments("Solid line");
      addRecord<OdDbLinetypeTableRecord>(m_ids.linetypeTable, lt, rec);
    }
  if (getLayerZeroId().isNull()) {
    OdDbLayerTableRecordPtr layer = OdDbLayerTableRecord::createObject();
    layer->setLinetypeObjectId(getLinetypeContinuousId());
    addRecord<OdDbLayerTableRecord>(m_ids.layerTable, "0", layer);
  }
  if (getTextStyleStandardId().isNull()) addRecord<OdDbTextStyleTableRecord>(m_ids.textStyleTable, "Standard");
  if (!isRegAppRegistered("ACAD")) addRecord<OdDbRegAppTableRecord>(m_ids.regAppTable, "ACAD");
  if (getModelSpaceId().isNull())
    addRecord<OdDbBlockTableRecord>(m_ids.blockTable, OdDbBlockTableRecord::modelSpaceName());
  if (getPaperSpaceId().isNull())
    addRecord<OdDbBlockTableRecord>(m_ids.blockTable, OdDbBlockTableRecord::paperSpaceName());
  if (m_header.clayer.isNull() || !m_header.clayer.isValid()) setCLAYER(getLayerZeroId());
  if (m_header.celtype.isNull() || !m_header.celtype.isValid()) setCELTYPE(getLinetypeByLayerId());
  if (m_header.textstyle.isNull() || !m_header.textstyle.isValid()) setTEXTSTYLE(getTextStyleStandardId());
  m_undoBlocked = wasBlocked;
}

void OdDbDatabase::createDefaultContents(OdDb::MeasurementValue measurement) {
  m_header.measurement = OdInt16(measurement);
  ensureStandardRecords();
  const bool wasBlocked = m_undoBlocked;
  m_undoBlocked = true;
  OdDbDimStyleTableRecordPtr standard = OdDbDimStyleTableRecord::createObject();
  OdDbDimVars vars = measurement == OdDb::kMetric ? OdDbDimVars::metricDefaults() : OdDbDimVars::imperialDefaults();
  standard->setDimVars(vars);
  standard->setDimtxsty(getTextStyleStandardId());
  OdDbObjectId standardId = addRecord<OdDbDimStyleTableRecord>(m_ids.dimStyleTable, "Standard", standard);
  standard.reset();
  setDimstyle(standardId);
  setDimstyleData(standardId);
  if (measurement == OdDb::kMetric) {
    m_header.cannoscale = "1:1";
    m_header.lunits = 2;
    m_header.luprec = 4;
  }
  m_undoBlocked = wasBlocked;
}

void OdDbDatabase::finishLoading() {
  ensureStandardRecords();
  if (!m_header.dimstyle.isValid()) {
    OdDbObjectId standard = getDimStyleStandardId();
    if (standard.isNull()) {
      const bool wasBlocked = m_undoBlocked;
      m_undoBlocked = true;
      OdDbDimStyleTableRecordPtr rec = OdDbDimStyleTableRecord::createObject();
      rec->setDimVars(m_header.dim);
      standard = addRecord<OdDbDimStyleTableRecord>(m_ids.dimStyleTable, "Standard", rec);
      m_undoBlocked = wasBlocked;
    }
    setHeaderRef(m_header.dimstyle, standard);
  }
  // References were counted as objects were added and filled in, but the
  // header may have been set before its records existed: count afresh.
  // The same visit closes each object and marks it unchanged, one pass over
  // a big drawing's objects instead of two.
  for (OdDbStub& s : m_stubs) s.hardRefs = 0;
  for (OdDbStub& s : m_stubs) {
    if (!s.object) continue;
    if (!s.object->isErased()) registerHardRefs(s.object);
    s.object->m_flags &= ~(OdDbObject::kWriteEnabled | OdDbObject::kModified | OdDbObject::kLoading);
  }
  m_header.forEachObjectId([&](OdDbObjectId id) { addHardRef(id); });
  ++m_namesVersion;
  m_loaded = true;
  m_loadedStamp = m_stamp;
}
