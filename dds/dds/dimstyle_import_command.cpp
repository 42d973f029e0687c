#include "dimstyle_import_command.h"

#include <stdexcept>

#include "editor_input.h"
#include "text_format.h"
#include "dlgdimstyle/style_import.h"
#include "dlgdimstyle/style_import_text.h"
#include "stdafx/host_access.h"
#include "stdafx/module_command.h"
#include "stdafx/module_log.h"
#include "stdafx/module_resources.h"

namespace dds {
namespace {

// The local keywords follow the session's language; the global ones (after
// "*") stay English, so one script serves both languages.
constexpr const char* kExistingKeywords = "Skip Overwrite *Skip *Overwrite";
// Local and global keywords alternate in this order: Skip, Overwrite.
constexpr int kKeywordOverwrite = 1;

// Names separated by commas; an empty answer or "*" stands for all (an
// empty list).
std::vector<OdString> splitNames(const OdString& answer) {
  std::vector<OdString> names;
  std::size_t start = 0;
  while (start <= answer.size()) {
    std::size_t comma = answer.find(',', start);
    if (comma == OdString::npos) comma = answer.size();
    const OdString name = hostTrim(answer.substr(start, comma - start));
    if (name == "*") return {};
    if (!name.empty()) names.push_back(name);
    start = comma + 1;
  }
  return names;
}

}  // namespace

void runDimStyleImportCommand() {
  OdDbDatabase* db = currentDatabase();
  HostEdInput* input = currentEditorInput();
  if (!db || !input) {
    DDS_LOG_ERROR(kSrcDds, "DIMSTYLEIMPORT: no current drawing");
    return;
  }
  // Every answer is taken before the source is read, so a script stays in
  // step with the prompts also when the source turns out unreadable.
  OdString path;
  if (input->getString(translate("Drawing to import from:"), OdString(), kPromptBlanksAllowed, path) != kPromptText)
    return;
  OdString answer;
  const int r = input->getString(translate("Dimension styles to import <*>:"), OdString(),
                                 kPromptEmptyAllowed | kPromptBlanksAllowed, answer);
  if (r != kPromptText && r != kPromptEnter) return;
  const std::vector<OdString> names = r == kPromptText ? splitNames(answer) : std::vector<OdString>();
  const int k = input->getKeyword(translate("Existing styles [%s] <Skip>:"), translate(kExistingKeywords),
                                  kPromptHasDefault);
  if (k < 1) return;
  const bool overwrite = k >= 2 && (k - 2) % 2 == kKeywordOverwrite;

  std::unique_ptr<OdDbDatabase> source;
  try {
    source = readStyleSource(path);
  } catch (const OdError& e) {
    throw std::runtime_error(sourceErrorText(e));
  }
  const StyleImportResult result =
      importDimStyles(*db, *source, names, overwrite ? ExistingStyles::kOverwrite : ExistingStyles::kSkip);
  for (const StyleImportLine& line : result.lines) input->print(importLineText(line));
  input->print(importSummaryText(result));
  if (!names.empty() && result.count(StyleImportLine::kNotInSource) == int(result.lines.size()))
    throw std::runtime_error(translate("the source drawing has none of the styles named"));
}

HRESULT registerDimStyleImportCommand() {
  return registerModuleCommand(u"DIMSTYLEIMPORT", &runDimStyleImportCommand, kSrcDds);
}

}  // namespace dds
