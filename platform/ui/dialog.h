#pragma once
// Dialogs: a window made from a template, its controls, the procedure that
// receives its messages, and the state object the procedure keeps in the
// window. A modal run (runModalDialog) lasts until the procedure ends the
// dialog; pages of a tab control are child dialogs of the same kind.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "control.h"
#include "dialog_template.h"
#include "host_window.h"
#include "ui_types.h"

namespace ui {

class Dialog;
class DeviceContext;

// One message to a dialog procedure. Which fields carry meaning depends on
// `msg` and `code` (see ui_types.h).
struct Message {
  unsigned msg = 0;
  int id = 0;                   // the control's id (command, notify, draw, measure)
  unsigned code = 0;            // command or notification code
  Control* control = nullptr;   // the control concerned, when there is one
  std::intptr_t wParam = 0;     // private messages
  std::intptr_t lParam = 0;
  int item = -1;                // list or drop-down item
  int delta = 0;                // spin
  Key key = Key::kNone;         // list key notification
  const std::string* text = nullptr;  // end of label edit: the new text, null when cancelled
  Point point = {};             // context menus: where, in the dialog's pixels
  DeviceContext* dc = nullptr;  // draw item
  Rect itemRect = {};           // draw item, pixels
  unsigned itemState = 0;       // draw item: kItemSelected ...
  int* itemHeight = nullptr;    // measure item: where the height goes
  TextColors* colors = nullptr; // colour request of an edit: where the colours go
};

// The procedure of a dialog. The result means what the message defines
// (see the notification codes); 0 otherwise.
class DialogHandler {
public:
  virtual ~DialogHandler() = default;
  virtual std::intptr_t onMessage(Dialog& dialog, const Message& message) = 0;
};

// What a backend showing a dialog wants to hear.
class DialogView {
public:
  virtual ~DialogView() = default;
  virtual void controlChanged(Control& control) = 0;
  virtual void dialogChanged(Dialog& dialog) = 0;  // caption, pages, visibility
};

class Dialog {
public:
  Dialog(const DialogTemplate& tmpl, DialogHandler* handler, Dialog* owner);
  ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  int templateId() const { return m_template.id; }
  const DialogTemplate& dialogTemplate() const { return m_template; }

  const std::string& caption() const { return m_caption; }
  void setCaption(const std::string& caption);

  // The control with this id; null when the dialog has none.
  Control* control(int id) const;
  // In template order.
  const std::vector<std::unique_ptr<Control>>& controls() const { return m_controls; }
  Control* controlBefore(const Control& c) const;

  // The state object of the dialog's procedure.
  void setUserData(void* data) { m_userData = data; }
  void* userData() const { return m_userData; }
  DialogHandler* handler() const { return m_handler; }

  // The window this dialog is modal over (null: the host's main window).
  Dialog* owner() const { return m_owner; }
  // For a page: the dialog it lives in; null for a top-level dialog.
  Dialog* parent() const { return m_parent; }

  // Pages: child dialogs shown inside this one. The page is created,
  // receives kMsgInitDialog and stays until this dialog goes.
  Dialog* createChild(const DialogTemplate& tmpl, DialogHandler* handler, int windowId,
                      void* userData = nullptr);
  const std::vector<std::unique_ptr<Dialog>>& children() const { return m_children; }
  Dialog* child(int windowId) const;
  int windowId() const { return m_windowId; }
  // Where a page sits in its parent, in the parent's pixels.
  Rect placement() const { return m_placement; }
  void setPlacement(const Rect& pixels);
  bool isVisible() const { return m_visible; }
  void show(bool on);
  // A disabled window takes no input (an owner while a picker it opened is
  // up).
  bool isEnabled() const { return m_enabled; }
  void enable(bool on);

  // The small icon of the window (the host's application icon).
  void setIcon(HostIconHandle icon) { m_icon = icon; }
  HostIconHandle icon() const { return m_icon; }

  // Ends a modal run with this result (the run returns it).
  void end(int result);
  bool ended() const { return m_ended; }
  int result() const { return m_result; }

  // Sends a message to the procedure now (first to the extension of the
  // control it concerns); 0 when nobody handles it.
  std::intptr_t send(const Message& message);
  std::intptr_t sendCommand(int id, unsigned code = kCmdClicked);
  // Queues a private message (kMsgUser + n) for the procedure; it arrives
  // when the message loop next runs.
  void post(unsigned msg, std::intptr_t wParam = 0, std::intptr_t lParam = 0);
  // Takes every queued copy of this message to this dialog out of the
  // queue; how many there were.
  int removePosted(unsigned msg);
  // Queues a command as a control sends it: the id in the low word and
  // the code in the high word of wParam; it arrives with id and code set.
  void postCommand(int id, unsigned code);

  Control* focus() const { return m_focus; }
  void setFocus(Control* control);

  // The control that Enter presses: the default button, else none.
  Control* defaultButton() const;

  void setView(DialogView* view) { m_view = view; }
  DialogView* view() const;  // a page reports to its parent's view
  void controlChanged(Control& control);
  void changed();

  // Handle conversion for host services that take an owner window.
  HostWindowHandle hostHandle() { return reinterpret_cast<HostWindowHandle>(this); }
  static Dialog* fromHostHandle(HostWindowHandle h) { return reinterpret_cast<Dialog*>(h); }

private:
  DialogTemplate m_template;
  std::string m_caption;
  std::vector<std::unique_ptr<Control>> m_controls;
  std::vector<std::unique_ptr<Dialog>> m_children;
  DialogHandler* m_handler;
  Dialog* m_owner;
  Dialog* m_parent = nullptr;
  void* m_userData = nullptr;
  int m_windowId = 0;
  Rect m_placement;
  bool m_visible = true;
  bool m_enabled = true;
  HostIconHandle m_icon = nullptr;
  bool m_ended = false;
  int m_result = 0;
  Control* m_focus = nullptr;
  DialogView* m_view = nullptr;
};

// Creates the dialog from the template in the session's language, sends it
// kMsgInitDialog, runs it modally over the owner with the current backend
// and returns the result it ended with; -1 when the template is missing.
// `userData` is in the dialog before kMsgInitDialog arrives.
int runModalDialog(const DialogResourceTable& table, int templateId, DialogHandler& handler,
                   Dialog* owner, void* userData = nullptr);
// The same with a template already loaded.
int runModalDialog(const DialogTemplate& tmpl, DialogHandler& handler, Dialog* owner,
                   void* userData = nullptr);

// Delivers the queued private messages, oldest first, including those
// posted while delivering; how many were delivered.
int dispatchPostedMessages();
int postedMessageCount();

}  // namespace ui
