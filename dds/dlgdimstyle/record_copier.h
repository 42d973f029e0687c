#pragma once
// Brings records of one drawing into another together with what they refer
// to. The target's own record of the same name (letter case aside) stands in
// for a source record; a record the target lacks is copied, and so on down
// what the copy refers to (a layer's linetype, a block's entities and their
// layers, text styles and nested blocks).
#include <deque>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "OdDbDatabase.h"

class OdDbBlockTableRecord;
class OdDbEntity;

namespace dds {

// A message about a copy: an English format with at most one "%s", which
// the name fills; shown through the translation layer. Empty when there is
// nothing to say.
struct CopyNote {
  const char* format = nullptr;
  OdString name;
  explicit operator bool() const { return format != nullptr; }
};

// A record a copy added to the target drawing.
struct AddedRecord {
  enum Kind { kTextStyle, kLinetype, kLayer, kBlock };
  Kind kind;
  OdString name;
};

class RecordCopier {
public:
  RecordCopier(const OdDbDatabase& source, OdDbDatabase& target) : m_source(source), m_target(target) {}

  // Why the record behind a source identifier could not be brought over;
  // empty when it can. Changes nothing.
  CopyNote whyNotCopyable(OdDbObjectId sourceId);

  // The target's record standing for the source record, copied when the
  // target has none of that name. Null for null. Throws OdError when the
  // record cannot be copied (ask whyNotCopyable first).
  OdDbObjectId counterpart(OdDbObjectId sourceId);

  // Gives `to` the extended data of `from`: applications are registered in
  // the target as needed, and handles (1005) are translated to the target's
  // counterparts. An application whose data points at a source object
  // without counterpart is left out, and so is an extension dictionary;
  // both are noted (takeNotes).
  void copyXData(const OdDbObject& from, OdDbObject& to);

  // The records added to the target since the last call.
  std::vector<AddedRecord> takeAdded();
  // What was left out since the last call.
  std::vector<CopyNote> takeNotes();

private:
  OdDbObjectId tableFor(const OdDbObject* record) const;
  // One record's own reasons; what it refers to goes onto `refs`, and it
  // goes onto `marked` once checked.
  CopyNote whyNotCopyableItself(OdDbObjectId sourceId, std::vector<OdDbObjectId>& refs,
                                std::vector<OdDbObjectId>& marked);
  CopyNote whyBlockNotCopyable(const OdDbBlockTableRecord* block, std::vector<OdDbObjectId>& refs);
  OdDbObjectId copyRecord(const OdDbObject* record, OdDbObjectId table);
  OdDbObjectId addEmptyBlock(const OdDbBlockTableRecord* block, OdDbObjectId table);
  void fillAddedBlocks();
  void fillBlock(OdDbObjectId sourceId, OdDbObjectId copyId);
  void remapEntity(const OdDbEntity* from, OdDbEntity* to);
  void checkResolved(const OdDbObject* copy) const;

  const OdDbDatabase& m_source;
  OdDbDatabase& m_target;
  std::unordered_map<OdDbObjectId, OdDbObjectId> m_counterparts;
  std::unordered_set<OdDbObjectId> m_checked;  // passed whyNotCopyable, or being checked
  std::vector<AddedRecord> m_added;
  std::vector<CopyNote> m_notes;
  std::deque<std::pair<OdDbObjectId, OdDbObjectId>> m_blocksToFill;  // source block, its empty copy
  bool m_fillingBlocks = false;
};

}  // namespace dds
