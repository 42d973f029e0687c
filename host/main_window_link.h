#pragma once
// The main window as the host's command line sees it. The window is built
// with Qt in a library of its own (libqrvwindow.so, next to qrvhost) that is
// loaded only when a window is wanted, so the host runs where Qt is missing.
//
// The command processor keeps its loop: it asks the window's input source
// for each answer, and the window runs its event loop until the user types
// one (or, with a script, types the script's next line into its command
// line itself). Everything the command line prints goes to the window's
// output.
#include <memory>
#include <streambuf>
#include <string>
#include <vector>

class HostInputSource;

namespace qrvhost {

struct WindowStart {
  // The script whose lines are typed into the command line one by one;
  // null: the user types.
  HostInputSource* script = nullptr;
  // Copy the command line's text to standard output too (scripted
  // sessions keep their transcript).
  bool echoToStdout = false;
  // The host's own command names, for completion at the command line (the
  // window adds the commands modules register).
  std::vector<std::string> commandNames;
};

class MainWindowLink {
public:
  virtual ~MainWindowLink() = default;
  virtual HostInputSource& input() = 0;
  virtual std::streambuf& output() = 0;
  // ZOOM Extents of the drawing view.
  virtual void zoomExtents() = 0;
  // PROPERTIES: shows the docked palette, or hides it when it is shown.
  virtual void togglePalette() = 0;
  // A PNG picture of the window as it is; false with `error` set.
  virtual bool snapshot(const std::string& path, std::string& error) = 0;
  // The user plays the dialogs in real windows (not typed lines).
  virtual bool interactive() const = 0;
  // A Yes/No question in a message box over the window; true for Yes.
  virtual bool askYesNo(const std::string& question) = 0;
  // The drawings are about to close: the window lets go of them.
  virtual void sessionEnding() = 0;
};

// Loads the window library and opens the window; null with `error` set
// when it cannot be (no library, no display).
std::unique_ptr<MainWindowLink> openMainWindow(const WindowStart& start, std::string& error);

// The window of the session; null in a console session.
MainWindowLink* mainWindow();
void setMainWindow(MainWindowLink* window);

}  // namespace qrvhost

// The library's entry point (looked up with dlsym).
extern "C" qrvhost::MainWindowLink* qrvwindow_open(const qrvhost::WindowStart* start, std::string* error);
