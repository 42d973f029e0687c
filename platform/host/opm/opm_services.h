#pragma once
// The host services the Properties palette and its property editors use:
// refresh requests, host commands run on a module's behalf, the user's
// custom colours and the picker dialogs that list entries open.
#include <functional>
#include <vector>

#include "OdCmColor.h"
#include "OdString.h"
#include "host_window.h"

class IPZEditableProperty;

// What the open palette does when asked to refresh, and with a pick.
class HostPaletteListener {
public:
  virtual ~HostPaletteListener() = default;
  // The rows with this palette name must be read again.
  virtual void updateProperties(const OdString& paletteName) = 0;
  // Every row must be read again; `rebuild` also asks the factories anew.
  virtual void refreshProperties(bool rebuild) = 0;
  // An item picked in the list `editor` took over. A row spans one editor
  // per selected class, so the palette writes the pick to every selected
  // object of the editor's row, as a typed value, in one undo step. False
  // when the editor belongs to no row of the palette: it then writes the
  // pick itself.
  virtual bool applyPick(IPZEditableProperty& editor, const OdString& text) {
    (void)editor;
    (void)text;
    return false;
  }
};
// The open palette installs itself (null: none is open).
void hostSetPaletteListener(HostPaletteListener* listener);
HostPaletteListener* hostPaletteListener();

void OpmUpdateProperties(const OdString& paletteName);
void OpmRefreshProperties(bool rebuild);

// Runs a host command by name (such as "RefreshProperties") for the active
// drawing. False when the host has no command runner or no such command.
using HostCommandRunner = std::function<bool(const OdString& name)>;
void hostSetCommandRunner(HostCommandRunner runner);
bool hostRunCommand(const OdString& name);

// The colours the user added through "More Colors...", oldest first; at
// most kMaxCustomColors are kept, an added colour already there moves last.
constexpr int kMaxCustomColors = 16;
std::vector<OdCmColor> hostGetCustomColors();
void hostAddCustomColor(const OdCmColor& color);
void hostClearCustomColors();

// The pickers list entries open. Each answers true with the picked value,
// false when the user cancelled. The session installs them (a window
// system's dialogs, or questions at the command line).
struct HostPickers {
  // `tabs`: 1 index colours, 2 true colours, 4 colour books (7 all).
  std::function<bool(HostWindowHandle owner, OdCmColor& color, bool byLayerAndBlock, int tabs)>
      color;
  std::function<bool(HostWindowHandle owner, OdString& linetypeName)> linetype;
  std::function<bool(HostWindowHandle owner, OdString& blockName)> userArrow;
};
void hostSetPickers(HostPickers pickers);
HostPickers hostGetPickers();
bool hostSetColorDialogTrueColor(HostWindowHandle owner, OdCmColor& color, bool byLayerAndBlock,
                                 int tabs);
bool hostLineTypeDialog(HostWindowHandle owner, OdString& linetypeName);
bool hostUsrArrowDialog(HostWindowHandle owner, OdString& blockName);
