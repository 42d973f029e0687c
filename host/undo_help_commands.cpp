// UNDO, U and HELP.
#include <cstdlib>

#include "OdDbDatabase.h"
#include "OdStringUtil.h"
#include "command_factory.h"
#include "command_processor.h"
#include "documents.h"
#include "editor_input.h"
#include "help_topics.h"
#include "host_commands.h"
#include "host_context.h"
#include "host_services.h"
#include "host_text.h"
#include "text_format.h"

namespace qrvhost {

namespace {

void undoSteps(CommandProcessor& cp, long count) {
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  OdDbDatabase* db = doc->database();
  for (long i = 0; i < count; ++i) {
    if (!db->hasUndo()) {
      cp.input().print(hostText(HostText::kNothingToUndo));
      return;
    }
    const OdString name = db->undoName();
    try {
      db->undo();
    } catch (const OdError& e) {
      cp.input().print(hostFormat(hostText(HostText::kUndoFailed).c_str(), e.description().c_str()));
      return;
    }
    cp.input().print(hostFormat(hostText(HostText::kUndone).c_str(), name.c_str()));
  }
}

// Dialog commands show the help of their dialog.
const char* helpKeyOfCommand(const std::string& name) {
  if (qrv::equalNoCase(name, "DIMSTYLE") || qrv::equalNoCase(name, "DDIM")) return "QRV_HELP_DIMSTYLE_DLG";
  return nullptr;
}

void listHelp(CommandProcessor& cp) {
  cp.input().print(hostText(HostText::kHelpCommands));
  std::string line;
  auto add = [&](const std::string& name) {
    if (line.size() + name.size() > 72) {
      cp.input().print("  " + line);
      line.clear();
    }
    line += (line.empty() ? "" : " ") + name;
  };
  for (const HostCommandDef& c : hostCommands()) add(c.name);
  if (gpQrContext)
    for (const HostCommandEntry& c : gpQrContext->commands()) add(qrv::toUpper(c.localName));
  for (const auto& t : HostCommandFactoryRegistry::typedNames())
    if (cp.services().commandFactory().findTyped(t.typed)) add(t.typed);
  if (!line.empty()) cp.input().print("  " + line);
  cp.input().print(hostText(HostText::kHelpTopics));
  for (const std::string& key : cp.services().help().keys()) cp.input().print("  " + key);
}

}  // namespace

void commandUndo(CommandProcessor& cp) {
  if (!cp.requireDocument()) return;
  for (;;) {
    OdString typed;
    const int r = cp.input().getString(hostText(HostText::kUndoCountPrompt), "", kPromptEmptyAllowed, typed);
    if (r == kPromptCancelled) return;
    if (r == kPromptEnter) return undoSteps(cp, 1);
    char* end = nullptr;
    const long count = std::strtol(typed.c_str(), &end, 10);
    if (end && *end == 0 && count >= 1) return undoSteps(cp, count);
    cp.input().print(hostFormat(hostText(HostText::kInvalidValue).c_str(), "UNDO", typed.c_str()));
  }
}

void commandUndoOne(CommandProcessor& cp) { undoSteps(cp, 1); }

void commandHelp(CommandProcessor& cp) {
  OdString typed;
  const int r = cp.input().getString(hostText(HostText::kHelpPrompt), "?", kPromptEmptyAllowed, typed);
  if (r == kPromptCancelled) return;
  if (r != kPromptText) return listHelp(cp);
  const char* key = helpKeyOfCommand(typed);
  gpQrContext->showHelp(key ? key : qrv::toUpper(typed).c_str());
}

}  // namespace qrvhost
