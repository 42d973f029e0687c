#include "opm_services.h"

#include <algorithm>

#include "host_log.h"

namespace {
const char* const kSource = "host/opm";
HostPaletteListener* gListener = nullptr;
HostCommandRunner gRunner;
std::vector<OdCmColor> gCustomColors;
HostPickers gPickers;

// A picker the session did not install is a cancel, said in the log so
// that nobody wonders why a list entry did nothing.
template <class F, class... A>
bool runPicker(const F& picker, const char* what, A&&... args) {
  if (!picker) {
    hostTraceWarning(kSource, __LINE__, OdString("no ") + what + " picker in this session");
    return false;
  }
  return picker(std::forward<A>(args)...);
}
}  // namespace

void hostSetPaletteListener(HostPaletteListener* listener) { gListener = listener; }
HostPaletteListener* hostPaletteListener() { return gListener; }

void OpmUpdateProperties(const OdString& paletteName) {
  if (gListener) gListener->updateProperties(paletteName);
}

void OpmRefreshProperties(bool rebuild) {
  if (gListener) gListener->refreshProperties(rebuild);
}

void hostSetCommandRunner(HostCommandRunner runner) { gRunner = std::move(runner); }

bool hostRunCommand(const OdString& name) {
  if (!gRunner) {
    hostTraceWarning(kSource, __LINE__, "no command runner for \"" + name + "\"");
    return false;
  }
  return gRunner(name);
}

std::vector<OdCmColor> hostGetCustomColors() { return gCustomColors; }

void hostAddCustomColor(const OdCmColor& color) {
  auto same = [&](const OdCmColor& c) { return c == color; };
  gCustomColors.erase(std::remove_if(gCustomColors.begin(), gCustomColors.end(), same),
                      gCustomColors.end());
  gCustomColors.push_back(color);
  if (gCustomColors.size() > std::size_t(kMaxCustomColors)) gCustomColors.erase(gCustomColors.begin());
}

void hostClearCustomColors() { gCustomColors.clear(); }

void hostSetPickers(HostPickers pickers) { gPickers = std::move(pickers); }
HostPickers hostGetPickers() { return gPickers; }

bool hostSetColorDialogTrueColor(HostWindowHandle owner, OdCmColor& color, bool byLayerAndBlock,
                                 int tabs) {
  return runPicker(gPickers.color, "colour", owner, color, byLayerAndBlock, tabs);
}

bool hostLineTypeDialog(HostWindowHandle owner, OdString& linetypeName) {
  return runPicker(gPickers.linetype, "linetype", owner, linetypeName);
}

bool hostUsrArrowDialog(HostWindowHandle owner, OdString& blockName) {
  return runPicker(gPickers.userArrow, "user arrow", owner, blockName);
}
