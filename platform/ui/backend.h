#pragma once
// The backend that shows dialogs: headless (state in memory, driven by
// tests and scripts) or Qt (real windows). Dialog code never names one; it
// calls the functions below and the backend installed for the session
// answers.
#include <optional>
#include <string>
#include <vector>

#include "dialog_template.h"
#include "ui_types.h"

namespace ui {

class Dialog;

struct MenuItem {
  int command = 0;  // 0 with an empty text: a separator
  std::string text;
  bool enabled = true;
};
using Menu = std::vector<MenuItem>;

// The clipboard as Unicode (UTF-16) text.
class Clipboard {
public:
  virtual ~Clipboard() = default;
  // False when the clipboard cannot be opened (another program holds it).
  virtual bool open(Dialog* owner) = 0;
  virtual void close() = 0;
  // Empties the clipboard; only while open.
  virtual bool empty() = 0;
  // Puts the text (stored with its terminating zero) on the clipboard,
  // replacing what it held; only while open.
  virtual bool setUnicodeText(const std::u16string& text) = 0;
  // What the clipboard holds as text; nothing when it holds none.
  virtual std::optional<std::u16string> unicodeText() = 0;
};

class Backend {
public:
  virtual ~Backend() = default;
  virtual const char* name() const = 0;

  // Shows the dialog (already initialised) and returns once it has ended.
  virtual void runModal(Dialog& dialog) = 0;
  // Shows a popup menu at a point of the dialog (pixels); the command of
  // the chosen entry, 0 when the menu was dismissed.
  virtual int trackPopupMenu(Dialog& dialog, const Menu& menu, Point at) = 0;
  virtual Clipboard& clipboard() = 0;
  // The dialog font's base units.
  virtual DialogUnits dialogUnits() const = 0;
  // Width and height of a text in the dialog font, in pixels.
  virtual Point measureText(const std::string& utf8) const = 0;
  // A message was posted: the backend makes its loop deliver it soon.
  virtual void messagePosted() {}
  // Whether the Shift key is held down now.
  virtual bool isShiftDown() const { return false; }
  // Asks for an existing file to open; false when the user cancelled. The
  // filter reads "Drawings (*.dxf)". Without a file dialog of its own the
  // backend asks for the path in a text box, which a script types into.
  virtual bool askOpenFileName(Dialog* owner, const std::string& caption, const std::string& label,
                               const std::string& filter, std::string& path);
  // Writes the dialog as it shows on screen to a PNG file; false, with the
  // reason, when it cannot (a backend without a screen).
  virtual bool savePicture(Dialog& dialog, const std::string& path, std::string& why);
};

// The backend of the session: the headless one until another is installed.
Backend& backend();
// Installs a backend (null: back to headless). The caller keeps ownership.
void setBackend(Backend* backend);

int trackPopupMenu(Dialog& dialog, const Menu& menu, Point at);
bool isShiftDown();
Clipboard& clipboard();
Point measureText(const std::string& utf8);

// Picks the backend for dialogs the user opens from the command line: Qt
// when a display exists and answers (DISPLAY or WAYLAND_DISPLAY), the Qt backend
// library can be loaded and the session is not scripted; headless
// otherwise. QRV_UI=headless or QRV_UI=qt in the environment overrides the
// display test. Returns the name of the backend now in use.
std::string selectSessionBackend();
// Scripted sessions keep dialogs headless so that the script drives them.
void setScriptedSession(bool scripted);
bool isScriptedSession();

}  // namespace ui
