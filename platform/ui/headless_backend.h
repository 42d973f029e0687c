#pragma once
// The headless backend: dialogs live in memory only. Whoever plays the user
// is a driver: a test's function, or the lines of the session's script.
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "backend.h"

namespace ui {

// The clipboard of a session without a window system. It can be told to
// refuse opening, as a clipboard held by another program does.
class HeadlessClipboard : public Clipboard {
public:
  bool open(Dialog* owner) override;
  void close() override;
  bool empty() override;
  bool setUnicodeText(const std::u16string& text) override;
  std::optional<std::u16string> unicodeText() override;

  void setRefuseOpen(bool refuse) { m_refuse = refuse; }
  bool isOpen() const { return m_open; }
  // The stored data, terminating zero included.
  const std::u16string& data() const { return m_data; }
  void reset();

private:
  bool m_open = false, m_refuse = false, m_hasText = false;
  std::u16string m_data;
};

class HeadlessBackend : public Backend {
public:
  using Driver = std::function<void(Dialog&)>;
  using MenuChooser = std::function<int(Dialog&, const Menu&)>;

  const char* name() const override { return "headless"; }
  // Runs the next queued driver, else the default driver; then delivers
  // posted messages. A dialog still open afterwards gets Escape, and if
  // that does not end it, it ends with Cancel: a headless dialog never
  // waits for a user who is not there.
  void runModal(Dialog& dialog) override;
  int trackPopupMenu(Dialog& dialog, const Menu& menu, Point at) override;
  Clipboard& clipboard() override { return m_clipboard; }
  DialogUnits dialogUnits() const override { return DialogUnits{}; }
  // As the recording device context measures.
  Point measureText(const std::string& utf8) const override;

  // Drivers for the next modal runs, first in first out (a nested dialog
  // takes the next one).
  void queueDriver(Driver driver) { m_drivers.push_back(std::move(driver)); }
  // For runs without a queued driver; empty: the host's script drives.
  void setDefaultDriver(Driver driver) { m_default = std::move(driver); }
  // Answers popup menus; without one, the next queued answer (a command or
  // an entry's text) is taken, else the menu is dismissed.
  void setMenuChooser(MenuChooser chooser) { m_menuChooser = std::move(chooser); }
  void queueMenuAnswer(const std::string& entry) { m_menuAnswers.push_back(entry); }
  const Menu* lastMenu() const { return m_lastMenu ? &*m_lastMenu : nullptr; }
  // Shift stays held from setShiftDown(true) until setShiftDown(false).
  bool isShiftDown() const override { return m_shiftDown; }
  void setShiftDown(bool down) { m_shiftDown = down; }

  HeadlessClipboard& headlessClipboard() { return m_clipboard; }
  // Forgets drivers, menu answers, the clipboard and a held Shift (between tests).
  void reset();

private:
  std::deque<Driver> m_drivers;
  Driver m_default;
  MenuChooser m_menuChooser;
  std::deque<std::string> m_menuAnswers;
  std::optional<Menu> m_lastMenu;
  HeadlessClipboard m_clipboard;
  bool m_shiftDown = false;
};

HeadlessBackend& headlessBackend();

// Drives a dialog from the host's command line: prints the dialog when it
// opens, then reads one line at a time ("Dialog:" prompt) and runs it as a
// dialog-script line, until the dialog ends or the input does. False when
// the host has no command line.
bool driveFromHostConsole(Dialog& dialog);

// Runs the driver on the dialog; a dialog still open when it is done gets
// Escape, and if that does not end it, it ends with Cancel, so that it
// never waits for a user who is not there.
void playToTheEnd(Dialog& dialog, const std::function<void(Dialog&)>& driver);

}  // namespace ui
