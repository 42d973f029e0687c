#include "compare_command.h"

#include "backend.h"
#include "compare_styles_dialog.h"
#include "documents.h"
#include "editor_input.h"
#include "host_context.h"
#include "host_entry.h"
#include "text_format.h"
#include "dlgdimstyle/style_store.h"
#include "stdafx/host_access.h"
#include "stdafx/module_command.h"
#include "stdafx/module_log.h"
#include "stdafx/module_resources.h"

namespace dds {
namespace {

constexpr const char* kSrcDlgCompare = "dds/dlgcompare";

// "*" names the drawing's current values, as the dialog's
// "<style overrides>" entry does.
bool findSide(OdDbDatabase* db, const OdString& name, OdDbDimStyleTableRecordPtr& side) {
  if (name == "*") {
    side = nullptr;
    return true;
  }
  OdDbDimStyleTablePtr table = db->getDimStyleTableId().safeOpenObject();
  const OdDbObjectId id = table->getAt(name);
  if (id.isNull()) return false;
  side = id.safeOpenObject();
  return true;
}


}  // namespace

void runCompareCommand() {
  OdDbDatabase* db = currentDatabase();
  HostEdInput* input = currentEditorInput();
  if (!db || !input) {
    DDS_LOG_ERROR(kSrcDlgCompare, "No current database");
    return;
  }
  const OdString current = currentStyleName(db);
  OdString answer;
  const int r = input->getString(translate("Compare the current style with (Name, or Name1,Name2; * for the overrides)") +
                                     " <" + current + ">:",
                                 OdString(), kPromptEmptyAllowed | kPromptBlanksAllowed, answer);
  if (r == kPromptCancelled) return;
  if (r == kPromptEnter) answer.clear();

  OdString firstName = current, secondName = current;
  const std::size_t comma = answer.find(',');
  if (comma != OdString::npos) {
    firstName = hostTrim(answer.substr(0, comma));
    secondName = hostTrim(answer.substr(comma + 1));
  } else if (!hostTrim(answer).empty()) {
    secondName = hostTrim(answer);
  }

  try {
    OdDbDimStyleTableRecordPtr first, second;
    for (auto [name, side] : {std::pair{&firstName, &first}, std::pair{&secondName, &second}}) {
      if (!findSide(db, *name, *side)) {
        input->print(hostFormat(translate("No dimension style named \"%s\".").c_str(), name->c_str()));
        return;
      }
    }
    ui::selectSessionBackend();
    CompareStylesDialog dialog(db);
    dialog.run(first.get(), second.get(), nullptr);
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgCompare, e.description());
  }
}

HRESULT registerCompareCommand() { return registerModuleCommand(u"DIMCOMPARE", &runCompareCommand, kSrcDlgCompare); }

}  // namespace dds
