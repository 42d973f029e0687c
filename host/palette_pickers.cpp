// The pickers of the palette's lists at the command line: "More Colors...",
// "Load..." and "User arrow..." ask for the value as text. A window session
// replaces them with its dialogs.
#include "editor_input.h"
#include "host_commands.h"
#include "OdCmColor.h"
#include "opm/opm_services.h"
#include "sysvars.h"
#include "translation.h"

namespace qrvhost {

namespace {

bool russian() { return hostLanguage() == HostLanguage::kRussian; }

// The typed text; false when cancelled or left empty.
bool askText(HostEdInput& input, const char* en, const char* ru, OdString& text) {
  OdString typed;
  const int r = input.getString(russian() ? ru : en, "", kPromptEmptyAllowed | kPromptBlanksAllowed, typed);
  if (r != kPromptText || typed.empty()) return false;
  text = typed;
  return true;
}

}  // namespace

void installConsolePickers(HostEdInput& input) {
  HostPickers pickers;
  pickers.color = [&input](HostWindowHandle, OdCmColor& color, bool, int) {
    OdString text;
    if (!askText(input, "Colour (name, 1..255 or R,G,B):", "Цвет (имя, 1..255 или R,G,B):", text)) return false;
    const std::optional<OdCmColor> parsed = hostParseColor(text);
    if (!parsed) input.print(russian() ? "Это не цвет." : "That is not a colour.");
    if (parsed) color = *parsed;
    return parsed.has_value();
  };
  pickers.linetype = [&input](HostWindowHandle, OdString& name) {
    return askText(input, "Linetype name:", "Имя типа линий:", name);
  };
  pickers.userArrow = [&input](HostWindowHandle, OdString& name) {
    return askText(input, "Arrow block name:", "Имя блока стрелки:", name);
  };
  hostSetPickers(std::move(pickers));
}

}  // namespace qrvhost
