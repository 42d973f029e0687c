#pragma once
// What the style editor's pages yield when the editor stores: one new value
// per variable, in the order the pages give them, and how those values go
// into a target. A style record passes its changes on to the drawing's
// current values (when it is the current style and the user has not
// overridden the variable) and to its child styles that still hold the
// record's old value; the drawing's current values take them alone.
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbDimVars.h"

namespace dds {

struct StoredValue {
  int var = -1;  // index in the dimension variable list
  OdDbDimVarValue value;
  // False for values that go to the style and the current values only
  // (not to the leader child either).
  bool reachesChildren = true;
  // The value the leader child is compared with, when it differs from
  // `value` (a number as typed before another control changes it).
  std::optional<OdDbDimVarValue> leaderValue;
};

class EditorStore {
public:
  // `db` is the drawing of the target: names of linetypes and arrowheads
  // become its identifiers.
  explicit EditorStore(OdDbDatabase* db) : m_db(db) {}

  OdDbDatabase* database() const { return m_db; }
  // The preview's drawing lacks the user's own arrow blocks: they are
  // copied from the user's drawing, and one that cannot be shows as the
  // default arrowhead instead of failing the store.
  void takeArrowsFrom(const OdDbDatabase* drawing) { m_arrowSource = drawing; }

  // `name` is a variable's name ("DIMASZ"); an unknown name is a
  // programming error and throws OdError(eInvalidInput).
  StoredValue& put(std::string_view name, const OdDbDimVarValue& value);
  // The identifier of a linetype shown by name: ByBlock, and a name the
  // drawing does not hold, give the null identifier.
  OdDbObjectId linetypeId(const OdString& name) const;
  // The identifier of an arrowhead by block name ("" closed filled, "_Open30"
  // built-in, which is created when the drawing has no such block yet).
  OdDbObjectId arrowId(const OdString& blockName) const;

  const std::vector<StoredValue>& values() const { return m_values; }

  // A field whose text is not a number: its variable is not stored, and
  // the editor tells the user which field it was. `field` is the field's
  // label as shown; a field refused twice is named once.
  void refuseText(const OdString& field, const OdString& text);
  // "Field: "text" is not a number." for each refused field, in order.
  const std::vector<OdString>& refusedTexts() const { return m_refusedTexts; }

private:
  OdDbDatabase* m_db;
  const OdDbDatabase* m_arrowSource = nullptr;
  std::vector<StoredValue> m_values;
  std::vector<OdString> m_refusedFields;
  std::vector<OdString> m_refusedTexts;
};

// Whether two values of a variable are the same for the editor: exact, and
// for the linetype variables a null identifier equals ByBlock's.
bool sameEditorValue(int var, const OdDbDimVarValue& a, const OdDbDimVarValue& b, const OdDbDatabase* db);

// The first text that is not a number, or else the first value that the
// variable's range refuses, as a message in the session's language; empty
// when every value may be written. A value the target already holds is not
// checked: a drawing may hold what a prompt refuses, and an untouched field
// gives it back as it was.
OdString refusedValueMessage(const EditorStore& store, const std::function<OdDbDimVarValue(int)>& held);
// Drops the values the ranges refuse (the preview shows what it can).
EditorStore withoutRefusedValues(const EditorStore& store);

// Writes the values into a style record opened for writing, with its
// current values, leader child and child styles as described above.
void writeStyleValues(OdDbDimStyleTableRecord* record, const EditorStore& store);
// Writes the values into the drawing's current values.
void writeCurrentValues(OdDbDatabase* db, const EditorStore& store);

}  // namespace dds
