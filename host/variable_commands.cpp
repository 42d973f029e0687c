// SETVAR, and a system variable's name typed as a command.
#include "OdStringUtil.h"
#include "command_processor.h"
#include "documents.h"
#include "editor_input.h"
#include "host_commands.h"
#include "host_services.h"
#include "host_text.h"
#include "sysvars.h"
#include "text_format.h"

namespace qrvhost {

namespace {

void listVariables(CommandProcessor& cp) {
  HostSysVars& vars = cp.services().sysVars();
  const bool haveDrawing = cp.services().documents().curDocument() != nullptr;
  cp.input().print(hostText(HostText::kVariableList));
  for (const std::string& name : vars.names()) {
    if (vars.isDrawingVariable(name) && !haveDrawing) continue;
    cp.input().print(hostFormat("  %-16s %s%s", name.c_str(), vars.valueText(name).c_str(),
                                vars.isReadOnly(name) ? " *" : ""));
  }
}

}  // namespace

void editVariable(CommandProcessor& cp, const std::string& typedName) {
  HostSysVars& vars = cp.services().sysVars();
  const std::string name = qrv::toUpper(typedName);
  if (!vars.isKnown(name)) {
    cp.input().print(hostFormat(hostText(HostText::kUnknownVariable).c_str(), typedName.c_str()));
    return;
  }
  if (vars.isDrawingVariable(name) && !cp.requireDocument()) return;
  if (vars.isReadOnly(name)) {
    cp.input().print(hostFormat(hostText(HostText::kReadOnlyValue).c_str(), name.c_str(), vars.valueText(name).c_str()));
    return;
  }
  for (;;) {
    OdString typed;
    const OdString prompt =
        hostFormat(hostText(HostText::kNewValuePrompt).c_str(), name.c_str(), vars.valueText(name).c_str());
    const int r = cp.input().getString(prompt, "", kPromptEmptyAllowed | kPromptBlanksAllowed, typed);
    if (r != kPromptText) return;  // Enter keeps the value; a cancel too
    OdString error;
    if (hostSucceeded(vars.setFromText(name, typed, nullptr, &error))) return;
    cp.input().refuse(hostFormat(hostText(HostText::kInvalidValue).c_str(), name.c_str(), error.c_str()));
  }
}

void commandSetvar(CommandProcessor& cp) {
  for (;;) {
    OdString typed;
    const int r = cp.input().getString(hostText(HostText::kSetvarPrompt), "?", kPromptEmptyAllowed, typed);
    if (r == kPromptKeyword) {
      listVariables(cp);
      continue;
    }
    if (r == kPromptText) editVariable(cp, typed);
    return;
  }
}

}  // namespace qrvhost
