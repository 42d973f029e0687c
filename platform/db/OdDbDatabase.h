#pragma once
// A drawing: its objects, symbol tables, header variables and undo history.
#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "OdDbHandleIndex.h"
#include "OdDbHeaderVars.h"
#include "OdDbObject.h"
#include "OdDbStub.h"

class OdDbUndoHistory;
class OdDbDimStyleTableRecord;

class OdDbDatabase {
public:
  // The class descriptor the Properties palette registers the drawing's own
  // rows under (a drawing is no database object, but has properties).
  static const OdRxClass* desc();

  // A drawing with the standard contents (layer "0", linetypes ByLayer,
  // ByBlock and Continuous, text and dimension style "Standard", model and
  // paper space) and the defaults of the given measurement system.
  explicit OdDbDatabase(OdDb::MeasurementValue measurement = OdDb::kEnglish);
  // A drawing with nothing in it, for file readers that add every object
  // themselves and then call finishLoading().
  struct EmptyTag {};
  explicit OdDbDatabase(EmptyTag);
  ~OdDbDatabase();
  OdDbDatabase(const OdDbDatabase&) = delete;
  OdDbDatabase& operator=(const OdDbDatabase&) = delete;

  // Tables and well-known records.
  OdDbObjectId getDimStyleTableId() const { return m_ids.dimStyleTable; }
  OdDbObjectId getTextStyleTableId() const { return m_ids.textStyleTable; }
  OdDbObjectId getLinetypeTableId() const { return m_ids.linetypeTable; }
  OdDbObjectId getBlockTableId() const { return m_ids.blockTable; }
  OdDbObjectId getLayerTableId() const { return m_ids.layerTable; }
  OdDbObjectId getRegAppTableId() const { return m_ids.regAppTable; }
  OdDbObjectId getNamedObjectsDictionaryId() const { return m_ids.namedObjects; }
  OdDbObjectId getModelSpaceId() const;
  OdDbObjectId getPaperSpaceId() const;
  OdDbObjectId getLinetypeByLayerId() const;
  OdDbObjectId getLinetypeByBlockId() const;
  OdDbObjectId getLinetypeContinuousId() const;
  OdDbObjectId getLayerZeroId() const;
  OdDbObjectId getTextStyleStandardId() const;
  OdDbObjectId getDimStyleStandardId() const;

  // File readers tell the database which objects play these roles.
  struct TableIds {
    OdDbObjectId dimStyleTable, textStyleTable, linetypeTable, blockTable, layerTable, regAppTable,
        namedObjects;
  };
  void setTableIds(const TableIds& ids) { m_ids = ids; }
  const TableIds& tableIds() const { return m_ids; }

  // The current dimension style (DIMSTYLE) and the current values.
  OdDbObjectId getDimstyle() const { return m_header.dimstyle; }
  void setDimstyle(OdDbObjectId style);
  const OdDbDimVars& dimVars() const { return m_header.dim; }
  OdDbDimVarValue dimVar(int index) const { return m_header.dim.get(index); }
  void setDimVar(int index, const OdDbDimVarValue& value);
  // Copies the current values into rec.
  void getDimstyleData(OdDbDimStyleTableRecord* rec) const;
  // Makes the current values those of rec (a style or a temporary record).
  void setDimstyleData(const OdDbDimStyleTableRecord* rec);
  void setDimstyleData(OdDbObjectId styleRecordId);

#define ODDB_DB_DIMVAR(key, Type, code)                    \
  Type dim##key() const { return m_header.dim.key; }       \
  void setDim##key(const Type& value);
  ODDB_DIMVARS(ODDB_DB_DIMVAR)
#undef ODDB_DB_DIMVAR

  // Other header variables.
  OdInt16 getDIMASO() const { return m_header.dimaso; }
  void setDIMASO(OdInt16 v);
  OdInt16 getDIMASSOC() const { return m_header.dimassoc; }
  void setDIMASSOC(OdInt16 v);
  OdDb::MeasurementValue getMEASUREMENT() const { return OdDb::MeasurementValue(m_header.measurement); }
  void setMEASUREMENT(OdDb::MeasurementValue v);
  const OdString& getCANNOSCALE() const { return m_header.cannoscale; }
  void setCANNOSCALE(const OdString& v);
  OdInt16 getLWUNITS() const { return m_header.lwunits; }
  void setLWUNITS(OdInt16 v);
  OdInt16 getLUNITS() const { return m_header.lunits; }
  void setLUNITS(OdInt16 v);
  OdInt16 getLUPREC() const { return m_header.luprec; }
  void setLUPREC(OdInt16 v);
  OdInt16 getAUNITS() const { return m_header.aunits; }
  void setAUNITS(OdInt16 v);
  OdInt16 getAUPREC() const { return m_header.auprec; }
  void setAUPREC(OdInt16 v);
  // The layout the drawing is shown and drawn in: empty for model space,
  // else a layout's name. Neither saved nor a change to the drawing: a way
  // of looking at it.
  const OdString& getCTAB() const { return m_currentLayout; }
  void setCTAB(const OdString& layout) { m_currentLayout = layout; }
  OdInt16 getMIRRTEXT() const { return m_header.mirrtext; }
  void setMIRRTEXT(OdInt16 v);
  OdInt16 getORTHOMODE() const { return m_header.orthomode; }
  void setORTHOMODE(OdInt16 v);
  OdInt16 getOSMODE() const { return m_header.osmode; }
  void setOSMODE(OdInt16 v);
  OdInt16 getGRIDMODE() const { return m_header.gridmode; }
  void setGRIDMODE(OdInt16 v);
  OdInt16 getSNAPMODE() const { return m_header.snapmode; }
  void setSNAPMODE(OdInt16 v);
  // Spacings along X and Y; both must be more than zero.
  double getGRIDUNIT(int axis) const { return m_header.gridunit[axis != 0]; }
  void setGRIDUNIT(double x, double y);
  double getSNAPUNIT(int axis) const { return m_header.snapunit[axis != 0]; }
  void setSNAPUNIT(double x, double y);
  // The point style (see OdDbHeaderVars): PDMODE is a figure 0-4 with 32
  // and 64 added at will; PDSIZE any number.
  OdInt16 getPDMODE() const { return m_header.pdmode; }
  void setPDMODE(OdInt16 v);
  double getPDSIZE() const { return m_header.pdsize; }
  void setPDSIZE(double v);
  OdDbObjectId getCLAYER() const { return m_header.clayer; }
  void setCLAYER(OdDbObjectId layer);
  OdDbObjectId getCELTYPE() const { return m_header.celtype; }
  void setCELTYPE(OdDbObjectId linetype);
  OdDbObjectId getTEXTSTYLE() const { return m_header.textstyle; }
  void setTEXTSTYLE(OdDbObjectId style);
  const OdDbHeaderVars& headerVars() const { return m_header; }
  void setHeaderVars(const OdDbHeaderVars& vars);

  // Registers an application for extended data; true when it was new.
  bool newRegApp(const OdString& name);
  bool isRegAppRegistered(const OdString& name) const;

  // Objects and handles.
  OdDbObjectId getOdDbObjectId(OdDbHandle handle) const;
  // Makes obj (not yet in a database) resident with the given owner and the
  // given handle, or the next free one when the handle is null. A handle in
  // use is refused.
  OdDbObjectId addOdDbObject(OdDbObjectPtr obj, OdDbObjectId ownerId = OdDbObjectId(),
                             OdDbHandle handle = OdDbHandle());
  OdDbHandle handseed() const { return OdDbHandle(m_handseed); }
  void setHandseed(OdDbHandle seed);
  std::size_t numObjects() const { return m_stubs.size(); }
  // Every resident object in handle order of creation (erased ones too).
  template <class F>
  void forEachObject(F&& f) const {
    for (const OdDbStub& s : m_stubs) f(OdDbObjectId(const_cast<OdDbStub*>(&s)));
  }
  // Reserves room for n more objects (bulk builders and readers).
  void reserveObjects(std::size_t n);

  // Removes from ids every object that something still references, and the
  // records no drawing can do without (layer 0, the standard linetypes,
  // model and paper space, the standard text style).
  void purge(OdDbObjectIdArray& ids) const;
  // How many live objects hold a hard reference to id.
  std::uint32_t hardReferenceCount(OdDbObjectId id) const;

  // Undo. Changes between beginUndoGroup and endUndoGroup form one step;
  // undo() restores every object changed, created or erased in the last
  // step, and the header, exactly as they were.
  void beginUndoGroup(const OdString& name = OdString());
  void endUndoGroup();
  bool isUndoGroupOpen() const;
  bool hasUndo() const;
  OdString undoName() const;
  void undo();
  // Redo makes the last undone step again; a new step clears what there is
  // to redo.
  bool hasRedo() const;
  OdString redoName() const;
  void redo();
  // Undoes the last step and leaves nothing to redo: for a step that failed
  // half-way and takes itself back.
  void undoAndForget();
  // Ends the undo group of a command that failed: what it changed is taken
  // back and leaves no step. True when something was taken back.
  bool endFailedUndoGroup();
  // The object as it was before the open undo step first changed it; null
  // when the step did not change it, created it, or no step is open.
  const OdDbObject* stateBeforeStep(OdDbObjectId id) const;
  // While blocked, changes are not recorded (a private preview drawing).
  void blockUndoRecording(bool block);
  bool isUndoRecordingBlocked() const { return m_undoBlocked; }

  // Changes whenever anything changes; lists keyed on the drawing compare it.
  std::uint64_t modificationStamp() const { return m_stamp; }
  // Calls f(id) for every object changed after `mark` (a stamp this
  // drawing gave out): created, modified, erased, or given back by an undo.
  template <class F>
  void forEachChangedSince(std::uint64_t mark, F&& f) const {
    if (mark >= m_stamp) return;
    for (const OdDbStub& s : m_stubs)
      if (s.changed > mark) f(OdDbObjectId(const_cast<OdDbStub*>(&s)));
  }
  // Changes whenever a record name, an erase or an undo may have changed
  // what a name finds.
  std::uint64_t namesVersion() const { return m_namesVersion; }

  // File readers call this after adding every object: it fills in missing
  // well-known records, checks the header, counts the references, and
  // closes every object as unchanged since loading.
  void finishLoading();
  // Whether anything changed after finishLoading: a reader that had to
  // replace what the file said (a value out of range) leaves the drawing
  // different from its file.
  bool changedSinceLoading() const { return m_loaded && m_stamp != m_loadedStamp; }
  // What a file reader keeps about the file the drawing was read from (its
  // bytes, for writing unchanged objects back as they were); opaque here.
  void setFileSource(std::shared_ptr<const void> source) { m_fileSource = std::move(source); }
  const std::shared_ptr<const void>& fileSource() const { return m_fileSource; }
  // The file the drawing was read from or last saved to (empty for a new
  // drawing): files it refers to by relative names (images) are found from
  // its folder.
  void setFilePath(std::string path) { m_filePath = std::move(path); }
  const std::string& filePath() const { return m_filePath; }

  // Whether the drawing holds (or held) an association of a dimension with
  // its geometry: only then does the end of a step look for geometry to
  // follow.
  void noteDimAssocPresent() { m_hasDimAssocs = true; }

  // Internal protocol between objects and their database.
  void noteModified(OdDbObject* obj);
  void noteNamesChanged() { ++m_namesVersion; }
  void addHardRef(OdDbObjectId id);
  void removeHardRef(OdDbObjectId id);
  void registerHardRefs(const OdDbObject* obj);
  void unregisterHardRefs(const OdDbObject* obj);

private:
  void createDefaultContents(OdDb::MeasurementValue measurement);
  void ensureStandardRecords();
  void noteHeaderModified();
  void noteUnrecordedChange();
  template <class T>
  void setHeaderField(T& field, const T& value) {
    noteHeaderModified();
    field = value;
  }
  void setHeaderRef(OdDbObjectId& field, OdDbObjectId value);
  OdDbObjectId findRecord(OdDbObjectId table, const char* name) const;
  enum class WellKnown {
    kModelSpace, kPaperSpace, kLinetypeByLayer, kLinetypeByBlock, kLinetypeContinuous,
    kLayerZero, kTextStyleStandard, kDimStyleStandard, kCount
  };
  OdDbObjectId wellKnown(WellKnown which) const;

  friend class OdDbUndoHistory;

  std::deque<OdDbStub> m_stubs;
  OdDbHandleIndex m_byHandle;
  std::uint64_t m_handseed = 1;
  TableIds m_ids;
  OdDbHeaderVars m_header;
  OdString m_currentLayout;
  std::unique_ptr<OdDbUndoHistory> m_undo;
  bool m_undoBlocked = false;
  std::uint64_t m_stamp = 0;
  std::uint64_t m_loadedStamp = 0;
  bool m_loaded = false;
  std::uint64_t m_namesVersion = 0;
  std::uint64_t m_stepStartStamp = 0;
  bool m_hasDimAssocs = false;
  // The well-known records as found for m_wellKnownVersion (none: not
  // looked up since).
  mutable std::array<std::optional<OdDbObjectId>, std::size_t(WellKnown::kCount)> m_wellKnown{};
  mutable std::uint64_t m_wellKnownVersion = ~std::uint64_t(0);
  std::shared_ptr<const void> m_fileSource;
  std::string m_filePath;
};
