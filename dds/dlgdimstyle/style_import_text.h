#pragma once
// What an import of dimension styles tells the user, in the session's
// language: one line per style and a summary.
#include "style_import.h"

namespace dds {

// "Company: imported, with text style "Narrow", block "Tick"."
OdString importLineText(const StyleImportLine& line);
// "Dimension styles: 2 imported, 0 overwritten, 1 skipped, 0 not found, 0 not imported."
OdString importSummaryText(const StyleImportResult& result);
// Why the drawing to import from cannot be read: "cannot open: line 12: ...".
OdString sourceErrorText(const OdError& error);
// A copy note (a reason or something left out) in the session's language.
OdString copyNoteText(const CopyNote& note);

}  // namespace dds
