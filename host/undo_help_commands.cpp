// UNDO, U, REDO and HELP.
#include <cstdlib>

#include "OdDbDatabase.h"
#include "OdStringUtil.h"
#include "command_names.h"
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

// One step back (or forward again); false when there is none or it
// failed, which is said.
bool stepOnce(CommandProcessor& cp, OdDbDatabase& db, bool redo) {
  if (!(redo ? db.hasRedo() : db.hasUndo())) {
    cp.input().print(hostText(redo ? HostText::kNothingToRedo : HostText::kNothingToUndo));
    return false;
  }
  const OdString name = redo ? db.redoName() : db.undoName();
  try {
    redo ? db.redo() : db.undo();
  } catch (const OdError& e) {
    cp.input().print(hostFormat(hostText(redo ? HostText::kRedoFailed : HostText::kUndoFailed).c_str(),
                                e.description().c_str()));
    return false;
  }
  cp.input().print(hostFormat(hostText(redo ? HostText::kRedone : HostText::kUndone).c_str(), name.c_str()));
  return true;
}

void undoSteps(CommandProcessor& cp, long count) {
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  for (long i = 0; i < count; ++i)
    if (!stepOnce(cp, *doc->database(), false)) return;
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
  for (const std::string& name : typeableCommandNames(cp.services())) add(name);
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
    cp.input().refuse(hostFormat(hostText(HostText::kInvalidValue).c_str(), "UNDO", typed.c_str()));
  }
}

void commandUndoOne(CommandProcessor& cp) { undoSteps(cp, 1); }

void commandRedo(CommandProcessor& cp) {
  if (HostApDocument* doc = cp.requireDocument()) stepOnce(cp, *doc->database(), true);
}

void commandHelp(CommandProcessor& cp) {
  OdString typed;
  const int r = cp.input().getString(hostText(HostText::kHelpPrompt), "?", kPromptEmptyAllowed, typed);
  if (r == kPromptCancelled) return;
  if (r != kPromptText) return listHelp(cp);
  const char* key = helpKeyOfCommand(typed);
  gpQrContext->showHelp(key ? key : qrv::toUpper(typed).c_str());
}

}  // namespace qrvhost
