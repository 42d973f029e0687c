#include "style_import_text.h"

#include "stdafx/module_resources.h"
#include "text_format.h"

namespace dds {
namespace {

const char* outcomeFormat(StyleImportLine::Outcome outcome) {
  switch (outcome) {
    case StyleImportLine::kImported: return "%s: imported";
    case StyleImportLine::kOverwritten: return "%s: overwritten";
    case StyleImportLine::kSkipped: return "%s: skipped, the drawing has it already";
    case StyleImportLine::kSkippedWithParent: return "%s: skipped with its parent style";
    case StyleImportLine::kNotInSource: return "%s: not in the source drawing";
    case StyleImportLine::kNotImported: return "%s: not imported, %s";
    case StyleImportLine::kKeptChild: return "%s: kept, the source drawing has no such child style";
  }
  return "%s";
}

const char* addedFormat(AddedRecord::Kind kind) {
  switch (kind) {
    case AddedRecord::kTextStyle: return "text style \"%s\"";
    case AddedRecord::kLinetype: return "linetype \"%s\"";
    case AddedRecord::kLayer: return "layer \"%s\"";
    case AddedRecord::kBlock: return "block \"%s\"";
  }
  return "\"%s\"";
}

}  // namespace

OdString copyNoteText(const CopyNote& note) {
  return note ? hostFormat(translate(note.format).c_str(), note.name.c_str()) : OdString();
}

OdString importLineText(const StyleImportLine& line) {
  OdString text = hostFormat(translate(outcomeFormat(line.outcome)).c_str(), line.name.c_str(),
                             copyNoteText(line.why).c_str());
  for (std::size_t i = 0; i < line.added.size(); ++i) {
    text += i == 0 ? translate(", with ") : OdString(", ");
    text += hostFormat(translate(addedFormat(line.added[i].kind)).c_str(), line.added[i].name.c_str());
  }
  for (const CopyNote& note : line.notes) text += "; " + copyNoteText(note);
  return text + ".";
}

OdString importSummaryText(const StyleImportResult& result) {
  return hostFormat(translate("Dimension styles: %d imported, %d overwritten, %d skipped, %d not found, %d not imported.")
                        .c_str(),
                    result.count(StyleImportLine::kImported), result.count(StyleImportLine::kOverwritten),
                    result.count(StyleImportLine::kSkipped) + result.count(StyleImportLine::kSkippedWithParent),
                    result.count(StyleImportLine::kNotInSource),
                    result.count(StyleImportLine::kNotImported));
}

}  // namespace dds

namespace dds {

OdString sourceErrorText(const OdError& error) {
  // The error kind in front ("Bad DXF file: ") says nothing the rest does not.
  const OdString kind = OdString(odResultText(error.code())) + ": ";
  OdString detail = error.description();
  if (detail.rfind(kind, 0) == 0) detail = detail.substr(kind.size());
  return hostFormat(translate("cannot open: %s").c_str(), detail.c_str());
}

}  // namespace dds
