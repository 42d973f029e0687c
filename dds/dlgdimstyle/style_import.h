#pragma once
// Bringing dimension styles from another drawing (an office's standard
// drawing) into this one. The command line and the style manager share it.
//
// A style comes with its child styles ("Name$0" ...) and with the records
// its values refer to: text style, linetypes and arrowhead blocks (a user
// arrow with its entities and their layers). Records the drawing has under
// the same name are used as they are; missing ones are copied. Names equal
// but for letter case are the same name. The drawing's current style and
// current values are left as they were.
#include <memory>
#include <string>
#include <vector>

#include "OdDbDatabase.h"
#include "record_copier.h"

namespace dds {

enum class ExistingStyles { kSkip, kOverwrite };

struct StyleImportLine {
  enum Outcome {
    kImported,
    kOverwritten,
    kSkipped,        // the drawing has the style and keeps it
    kSkippedWithParent,  // a child style of a skipped style
    kNotInSource,    // a name asked for that the source does not have
    kNotImported,    // `why` says why; nothing of it changed
    kKeptChild,      // overwriting: a child style of the drawing's own that the source lacks
  };
  Outcome outcome = kImported;
  // As the source spells it; as asked for kNotInSource; the drawing's
  // spelling for kKeptChild.
  OdString name;
  CopyNote why;
  std::vector<AddedRecord> added;  // records that came along with the style
  std::vector<CopyNote> notes;     // what was left out of the copy
};

struct StyleImportResult {
  std::vector<StyleImportLine> lines;
  int count(StyleImportLine::Outcome outcome) const;
};

// The styles a drawing offers: top-level styles in table order, without
// records of external references.
std::vector<OdString> importableStyleNames(const OdDbDatabase& source);

// Imports the named styles (every style when `names` is empty) from
// `source` into `target`, as one undo step. A database failure undoes what
// the import did and leaves as an OdError.
StyleImportResult importDimStyles(OdDbDatabase& target, const OdDbDatabase& source, const std::vector<OdString>& names,
                                  ExistingStyles existing);

// Reads the drawing to import from, a path as typed (quotes, "~/", ".dxf"
// added when there is no extension). Throws OdError saying why it cannot:
// "no such file", "line 12: ...".
std::unique_ptr<OdDbDatabase> readStyleSource(const OdString& typedPath);

}  // namespace dds
