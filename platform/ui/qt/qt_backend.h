#pragma once
// The Qt 6 Widgets backend: every dialog of the layer as a real window.
// The dialog's state stays in the layer's controls; the widgets mirror it,
// and what the user does to them goes back through ui::user, exactly as a
// headless driver's actions do.
#include <functional>
#include <memory>
#include <string>

#include "backend.h"

class QWidget;

namespace ui::qt {

class QtClipboard;

class QtBackend : public Backend {
public:
  QtBackend();
  ~QtBackend() override;

  const char* name() const override { return "qt"; }
  void runModal(Dialog& dialog) override;
  int trackPopupMenu(Dialog& dialog, const Menu& menu, Point at) override;
  Clipboard& clipboard() override;
  DialogUnits dialogUnits() const override;
  Point measureText(const std::string& utf8) const override;
  void messagePosted() override;
  bool isShiftDown() const override;
  bool askOpenFileName(Dialog* owner, const std::string& caption, const std::string& label,
                       const std::string& filter, std::string& path) override;
  bool savePicture(Dialog& dialog, const std::string& path, std::string& why) override;

  // Called once each modal dialog is on screen, with its window (tests
  // play the user through the widgets from here).
  using ShownHook = std::function<void(Dialog& dialog, QWidget& window)>;
  void setShownHook(ShownHook hook) { m_shown = std::move(hook); }

  // The widget of a control of a dialog on screen (its object name is the
  // control's id); null when there is none.
  static QWidget* widgetOf(Dialog& dialog, int id);
  // The dialog on screen written as the dialog script's dump, read from
  // the widgets alone; equal to ui::dumpDialog when the widgets show what
  // the dialog holds. Empty when the dialog is not on screen.
  static std::string dumpWidgets(Dialog& dialog);

private:
  ShownHook m_shown;
  std::unique_ptr<QtClipboard> m_clipboard;
  bool m_dispatchQueued = false;
};

// The backend of the process, creating the application object when the
// process has none yet.
QtBackend& qtBackend();

}  // namespace ui::qt

// Looked up by the layer when it loads this library at run time.
extern "C" ui::Backend* qrvui_qt_backend();
