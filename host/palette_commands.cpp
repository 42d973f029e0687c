// SELECT, PROPERTIES and RefreshProperties: the pick-first selection and the
// Properties palette on it.
#include "command_processor.h"
#include "console.h"
#include "documents.h"
#include "editor_input.h"
#include "host_commands.h"
#include "host_services.h"
#include "main_window_link.h"
#include "opm/palette_model.h"
#include "opm/palette_script.h"
#include "opm/opm_services.h"
#include "palette_window.h"
#include "selection.h"
#include "sysvars.h"

namespace qrvhost {

namespace {

// Picks objects at "Select objects:"; objects on locked layers may be
// picked (the palette shows them and says it leaves them unchanged).
int pickObjects(HostApDocument& doc, OdDbObjectIdArray& ids) {
  return doc.selectionManager()->select(OdString(), kSelLockedLayersAllowed, ids);
}

// The palette is modeless: between its lines no command runs, so each
// change it makes is an undo step of its own ("OPM_CHGPROP").
class IdlePalette {
public:
  explicit IdlePalette(HostSysVars& vars) : m_vars(vars), m_saved(vars.commandActive()) {
    vars.setCommandActive(0);
  }
  ~IdlePalette() { m_vars.setCommandActive(m_saved); }

private:
  HostSysVars& m_vars;
  int m_saved;
};

void runPaletteInConsole(CommandProcessor& cp, PaletteModel& palette) {
  HostConsole& console = cp.services().console();
  const PalettePrinter print = [&cp](const std::string& line) { cp.input().print(line); };
  dumpPalette(palette, print);
  for (;;) {
    const HostAnswer answer = console.ask("Properties:");
    if (answer.kind != HostAnswer::kText) return;  // cancelled, or the input ended
    const PaletteLineResult r = runPaletteScriptLine(palette, answer.text, print);
    if (!r.ok) {
      cp.input().print("*Invalid* " + r.error);
      cp.noteRefused(r.error);
    }
    if (r.close) return;
  }
}

}  // namespace

void commandSelect(CommandProcessor& cp) {
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  OdDbObjectIdArray ids;
  if (pickObjects(*doc, ids) == kSelectionCancelled) return;
  doc->setPickFirstSelection(std::move(ids));
}

void commandProperties(CommandProcessor& cp) {
  // The main window's palette is docked and follows the selection.
  MainWindowLink* window = mainWindow();
  if (window && window->interactive()) return window->togglePalette();
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  // Entities erased since they were picked are no longer selected.
  OdDbObjectIdArray ids;
  for (const OdDbObjectId& id : doc->pickFirstSelection())
    if (id.openObject()) ids.push_back(id);
  if (ids.empty()) {
    // Enter without objects opens the palette on the drawing itself.
    if (pickObjects(*doc, ids) == kSelectionCancelled) return;
    doc->setPickFirstSelection(ids);
  }
  IdlePalette idle(cp.services().sysVars());
  PaletteModel palette(*doc);
  palette.setSelection(ids);
  // A script plays the palette with the console's lines, also in a window
  // session, so that one script serves both.
  if (window || !ui::runPaletteWindow(palette)) runPaletteInConsole(cp, palette);
}

void commandRefreshProperties(CommandProcessor&) { OpmRefreshProperties(true); }

}  // namespace qrvhost
