#pragma once
// Operations on the drawing's dimension style table shared by the dialogs
// and the command line: the current style, child styles, creating,
// renaming, deleting, saving overrides and the annotative flag.
#include <vector>

#include "OdDbDatabase.h"
#include "host_result.h"

namespace dds {

// Child style digits and what they stand for; -1 is a top-level style.
enum DimChildType { kChildNone = -1, kChildLinear = 0, kChildAngular = 2, kChildDiameter = 3,
                    kChildRadius = 4, kChildOrdinate = 6, kChildLeader = 7 };

// The type name ("Linear", ...) of a child digit in the session's language;
// empty for digits that are not child types.
OdString childTypeName(int digit);
bool isChildDigit(int digit);
// The child digits in the order child styles are walked.
inline constexpr int kChildDigits[] = {kChildLinear, kChildAngular, kChildDiameter, kChildRadius, kChildOrdinate,
                                       kChildLeader};
// "Parent$d".
OdString childStyleName(const OdString& parent, int digit);

struct ChildStyleInfo {
  int digit = kChildNone;
  OdString parentName;  // for an ordinary style: its own name
  OdString typeName;
};

// Whether the style is a child style ("Parent$d" with d a child digit and a
// style named Parent in the same table).
bool parseChildStyle(OdDbObjectId style, ChildStyleInfo* info = nullptr);

OdDbObjectId currentStyleId(OdDbDatabase* db = nullptr);
OdString currentStyleName(OdDbDatabase* db = nullptr);

// S_OK done; S_FALSE already current; E_ABORT the user kept the overrides;
// E_INVALIDARG no database; E_FAIL the current style cannot be opened.
HRESULT setCurrentStyle(OdDbDatabase* db, OdDbObjectId style);

// Styles of external references (dependent records, "XREF|NAME") belong to
// the referenced drawing: nothing here changes them. True for such a style.
bool isExternalStyle(OdDbObjectId style);
// The user's explanation when an action would change such a style.
OdString externalStyleRefusal(const OdString& name);

// The overrides entry (null) can always be "deleted"; the current style
// never; another style when nothing refers to it.
bool canDeleteStyle(OdDbObjectId style, OdDbDatabase* db = nullptr);
// Deletes the style with its child styles when none of them is used; a null
// identifier drops the overrides. True when the caller's list needs a
// refresh.
bool deleteStyle(OdDbObjectId style, OdDbDatabase* db = nullptr);
// Renames the style and its child styles; false (logged) when the name is
// refused or the style is an external reference's. A null newName is a
// cancelled edit.
bool renameStyle(OdDbObjectId style, const OdString* newName);
// Makes the current style hold the current values; false (logged) when it
// cannot, as for a current style of an external reference.
bool saveOverridesToCurrentStyle(OdDbDatabase* db = nullptr);
// The name a new style gets: the typed name for a top-level style, or
// "Parent$d" with the base's parent name.
OdString newStyleName(OdDbObjectId base, int childType, const OdString& typedName);
// A copy of the base style under the new name; null (logged) on failure.
OdDbObjectId createStyleFromBase(OdDbObjectId base, int childType, const OdString& name);
bool isNewStyleNameValid(OdDbDatabase* db, const OdString& name);

bool isAnnotativeStyle(OdDbObjectId style);
void setAnnotativeStyle(OdDbObjectId style, bool annotative);

// One entry of the dialogs' style lists.
struct StyleListEntry {
  enum Kind { kStyle, kChild, kOverrides };
  Kind kind = kStyle;
  OdDbObjectId id;  // null for the overrides entry
  OdString text;    // the name, the child's type name, or "<style overrides>"
  bool indented = false;
  int childDigit = kChildNone;
};
// Top-level styles in table order, each followed by its child styles and,
// for the current style with overrides, the overrides entry. Records of
// external references are left out.
std::vector<StyleListEntry> styleListForDialogs(OdDbDatabase* db = nullptr);

}  // namespace dds
