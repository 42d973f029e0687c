// The pickers of the palette's lists at the command line: "More Colors..."
// and "User arrow..." ask for the value as text, "Load..." for the linetypes
// to load and their file. A window session replaces them with its dialogs.
#include "documents.h"
#include "editor_input.h"
#include "host_commands.h"
#include "host_entry.h"
#include "linetype_file.h"
#include "opm/list_kinds.h"
#include "text_format.h"
#include "OdCmColor.h"
#include "opm/opm_services.h"
#include "sysvars.h"
#include "translation.h"

namespace qrvhost {

namespace {

bool russian() { return hostLanguage() == HostLanguage::kRussian; }

// The typed text; false when cancelled or left empty.
bool askText(HostEdInput& input, const OdString& prompt, OdString& text) {
  OdString typed;
  const int r = input.getString(prompt, "", kPromptEmptyAllowed | kPromptBlanksAllowed, typed);
  if (r != kPromptText || typed.empty()) return false;
  text = typed;
  return true;
}

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
  // "Load..." loads linetypes from a linetype file into the drawing, as
  // -LINETYPE's Load does: the names first, then the file (Enter: the
  // program's own). The first name becomes the row's value.
  pickers.linetype = [&input](HostWindowHandle, OdString& name) {
    HostApDocManager* docs = hostDocManager();
    OdDbDatabase* db = docs && docs->curDocument() ? docs->curDocument()->database() : nullptr;
    if (!db) return false;
    OdString names;
    if (!askText(input, opm::kinds::say("Enter linetype(s) to load (names separated by commas, * for all):"), names))
      return false;
    const std::string fallback = hostDefaultLinetypeFile();
    const std::size_t slash = fallback.find_last_of('/');
    OdString file;
    const int r = input.getString(hostFormat(opm::kinds::say("Linetype file <%s>:").c_str(),
                                             (slash == std::string::npos ? fallback : fallback.substr(slash + 1)).c_str()),
                                  "", kPromptEmptyAllowed | kPromptBlanksAllowed, file);
    if (r == kPromptEnter) file.clear();  // the program's own
    else if (r != kPromptText) return false;
    std::vector<OdString> loaded;
    OdString message;
    const bool ok = hostLoadLinetypesFromFile(db, file, names, loaded, message);
    input.print(message);
    if (!ok || loaded.empty()) return false;
    name = loaded.front();
    return true;
  };
  pickers.userArrow = [&input](HostWindowHandle, OdString& name) {
    return askText(input, "Arrow block name:", "Имя блока стрелки:", name);
  };
  hostSetPickers(std::move(pickers));
}

}  // namespace qrvhost
